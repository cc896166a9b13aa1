// The colour-bubble palette, the function bar's auto-hide and making a colour current.
#include "Arithmetic.h"
#include "BubbleMath.h"
#include "FrmMain.h"
#include "Random.h"
#include "frmColorPicker.h"
#include "mMain.h"

#include <QCursor>

namespace {
// One zone check of the auto-hide, against the pointer's place on the screen.
void CheckFunctionBarZone(long& counter, const QPoint& pointer, long right,
                          const std::array<platform::PictureBox*, 5>& bar) {
    const bool inZone = BubbleMath::InZone(pointer, right, bar[0]->ScaleHeight());
    switch (BubbleMath::AutoHideCheck(counter, inZone, !bar[0]->isHidden())) {
    case BubbleMath::BarChange::Show:
        for (platform::PictureBox* button : bar)
            button->setVisible(true);
        break;
    case BubbleMath::BarChange::Hide:
        for (platform::PictureBox* button : bar)
            button->setVisible(false);
        break;
    case BubbleMath::BarChange::None:
        break;
    }
}
} // namespace

void FrmMain::Timer1_Timer() {
    if (!IsLoaded())
        return;
    Pc->Cls();
    const platform::HDC dc = Pc->hDC();
    const size_t n = Bubbles.size();
    if (AutoHide) {
        // Every bubble makes one zone check, but the pointer is read once a step: on X each
        // read is a round trip to the server, and the whole step is over in a fraction of
        // a millisecond, so one reading stands for all of its checks.
        const QPoint pointer = QCursor::pos();
        for (size_t i = 0; i < n; ++i)
            CheckFunctionBarZone(HideCounter, pointer, FunctionBarRight, pFunc);
    }
    BubbleMath::Step(
        Bubbles, Pc->ScaleWidth(), Pc->ScaleHeight(), BubbleSpeed,
        [&](size_t i, QPoint at) { BubbleMath::DrawBubble(Sprites, n, i, at, dc); },
        [this] { PlaySoundFX(0); }, platform::Rnd);
    Pc->Refresh();
}

void FrmMain::Pc_MouseDown(int, int, float X, float Y) {
    const int hit = BubbleMath::HitTest(Bubbles, X, Y, true);
    if (hit < 0)
        return;
    PlaySoundFX(4);
    BubbleRecord& bubble = Bubbles[size_t(hit)];
    // A clicked bubble comes back at the medium-fast speed whatever the setting; the
    // setting's speed returns at its next trip over the top.
    BubbleMath::Respawn(bubble, Pc->ScaleWidth(), Pc->ScaleHeight(), 3, platform::Rnd);
    if (bubble.Colour != -1) {
        const long colour = bubble.Colour;
        SetColor(colour);
        return;
    }
    Timer1_Timer(); // the palette shows the respawned bubble under the picker
    const bool wasRunning = Timer1->Enabled();
    Timer1->SetEnabled(false);
    frmColorPicker& picker = frmColorPicker::Instance();
    picker.Color = int32_t(platform::RGB(CurrentColour.R, CurrentColour.G, CurrentColour.B));
    picker.Show(true);
    if (!IsLoaded())
        return; // the program ended while the picker was up
    if (picker.Result == QStringLiteral("Ok")) {
        const long colour = picker.Color;
        SetColor(colour);
    }
    Timer1->SetEnabled(wasRunning);
}

// The panel round the canvas takes the colour, with the canvas's shadow when a picture
// is shown, and the dark band along its top.
void FrmMain::SetColor(const long& Color) {
    mMain::SplitRGB(Color, CurrentColour.R, CurrentColour.G, CurrentColour.B);
    PB->SetBackColor(uint32_t(Color));
    if (!P->isHidden()) {
        RedrawFrame(); // clears the panel, draws the shadow and the band, shows it
        return;
    }
    PB->Cls();
    const mMain::GradientStyle band{1, {{0, 0, 0}, CurrentColour}};
    mMain::DrawGradient(band, *PB, 0, 0, PB->ScaleWidth(), 10);
    PB->Refresh();
}
