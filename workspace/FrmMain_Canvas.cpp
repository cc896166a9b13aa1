// The colouring itself: strokes confined to the area they begin in, and the tools.
#include "Arithmetic.h"
#include "ColourValue.h"
#include "FrmMain.h"
#include "Gdi.h"
#include "Random.h"
#include "StrokeArea.h"
#include "StrokeMath.h"
#include "mMain.h"
#include "pButton.h"

#include <algorithm>
#include <cmath>

using platform::RoundHalfEven;
namespace gdi = platform::gdi;

void FrmMain::P_MouseDown(int Button, int Shift, float X, float Y) {
    if (!(X >= 0 && X <= P->ScaleWidth() && Y >= 0 && Y <= P->ScaleHeight()))
        return;
    if (CanvasDib.IsEmpty())
        return; // no drawing on the canvas yet
    Timer1->SetEnabled(false);
    tP->Cls();
    UndoPush();

    // The flood starts on the nearest pixel of the image: a click on the far scale edge
    // lies one past the last pixel, and a flood there would fail while the region key
    // read below (clamped to the edge) would then be plain white, the colour of every
    // other white area of the drawing.
    const int fx = int(std::clamp(RoundHalfEven(X), 0L, long(tP->ScaleWidth()) - 1));
    const int fy = int(std::clamp(RoundHalfEven(Y), 0L, long(tP->ScaleHeight()) - 1));
    // The area is marked with the drawing's key, a colour none of its pixels holds, so
    // that nothing but the area can match it. A stroke begun on a line marks nothing and
    // waits, with the key 0, for the pointer to reach an area.
    const QRect area =
        StrokeArea::Flood(tP->Image(), fx, fy, platform::PixelFromColourValue(uint32_t(RegionKey)));
    tP->hDC()->Changed(area);
    RegionDib.Make_From_Picture(*tP);
    if (!c[2]->Enabled())
        c[2]->SetEnabled(true);
    RegionColour = area.isEmpty() ? 0 : RegionKey;

    P->CurrentX = X;
    P->CurrentY = Y;
    P_MouseMove(Button, Shift, X, Y);
    // The pencil's start point, like the rest of its line, stays inside the region: a
    // stroke begun on a black line must not put a dot on the line.
    if (CurrentTool == 2 && RegionDib.Get_Pixel_Long(fx, fy) == RegionColour && RegionColour != 0) {
        gdi::SetPixelV(P->hDC(), int(RoundHalfEven(X)), int(RoundHalfEven(Y)),
                       platform::RGB(CurrentColour.R, CurrentColour.G, CurrentColour.B));
        P->Refresh();
    }
}

void FrmMain::P_MouseMove(int Button, int Shift, float X, float Y) {
    if (Button == 0 || RegionDib.IsEmpty())
        return;
    if (RegionColour == 0) {
        // The stroke began on a line: it starts for real where the pointer leaves it for an
        // area of the canvas.
        if (!(X >= 0 && X <= P->ScaleWidth() && Y >= 0 && Y <= P->ScaleHeight()))
            return;
        const int x = int(std::clamp(RoundHalfEven(X), 0L, long(tP->ScaleWidth()) - 1));
        const int y = int(std::clamp(RoundHalfEven(Y), 0L, long(tP->ScaleHeight()) - 1));
        if (StrokeArea::OnLine(tP->Image(), x, y))
            return;
        P_MouseDown(Button, Shift, X, Y);
    }

    const long sx = BrushDib.Width() / 4;
    const long sy = BrushDib.Height() / 4;
    const uint8_t vR = StrokeMath::JitterChannel(CurrentColour.R, ColourJitter, platform::Rnd());
    const uint8_t vG = StrokeMath::JitterChannel(CurrentColour.G, ColourJitter, platform::Rnd());
    const uint8_t vB = StrokeMath::JitterChannel(CurrentColour.B, ColourJitter, platform::Rnd());
    const long segmentColour = long(platform::RGB(vR, vG, vB));

    const float CX = float(P->CurrentX);
    const float CY = float(P->CurrentY);
    if (CurrentTool == 0 || CurrentTool == 1) {
        const float dX = X - CX;
        const float dY = Y - CY;
        const long n = StrokeMath::StampSteps(dX, dY, sx, sy);
        const double stepX = n != 0 ? double(dX) / double(n) : 0.0;
        const double stepY = n != 0 ? double(dY) / double(n) : 0.0;
        for (long i = 0; i <= n; ++i) {
            mMain::StampBrush(CanvasDib, RegionDib, BrushDib,
                              RoundHalfEven(double(CX) + double(i) * stepX),
                              RoundHalfEven(double(CY) + double(i) * stepY), RegionColour,
                              segmentColour, P->hDC());
        }
        P->CurrentX = X;
        P->CurrentY = Y;
    } else {
        LineGP(P->hDC(), int(RoundHalfEven(CX)), int(RoundHalfEven(CY)), int(RoundHalfEven(X)),
               int(RoundHalfEven(Y)), segmentColour, RegionColour);
        P->CurrentX = X;
        P->CurrentY = Y;
    }
    P->Refresh();
}

void FrmMain::P_MouseUp(int, int, float, float) {
    if (RegionDib.IsEmpty())
        return;
    CanvasDib.Make_From_Picture(*P);
    Timer1->SetEnabled(true);
}

void FrmMain::pTool_MouseUp(int Index) {
    PlaySoundFX(1);
    if (Index < 0 || Index >= int(pTool.size()))
        return;
    for (pButton* tool : pTool)
        tool->SetPressed(false);
    pTool[size_t(Index)]->SetPressed(true);
    if (pTool[size_t(Index)]->Pressed()) {
        BrushDib.Make_From_Picture(*pBr[size_t(Index)]);
        CurrentTool = Index;
    }
    Pc->setVisible(true);
    if (!c[3]->Enabled())
        c[3]->SetEnabled(true);
    c[3]->SetPressed(c[3]->Pressed());
    SetToolCursor(false);
}
