// The action buttons: open, clear, undo and crazy colours.
#include "ColourValue.h"
#include "FrmMain.h"
#include "PictureFile.h"
#include "StrokeArea.h"
#include "TerminationSignal.h"
#include "frmMessage.h"
#include "mMain.h"
#include "pButton.h"

void FrmMain::c_Click(int Index) {
    PlaySoundFX(1);
    if (Index == 0)
        OpenPicture();
    else if (Index == 1)
        ClearColours();
    else if (Index == 2)
        UndoPop();
    if (IsLoaded())
        Pc->setVisible(true);
}

void FrmMain::c_MouseDown(int Index) {
    if (Index == 3)
        c[3]->SetLockRefresh(true);
}

void FrmMain::c_MouseUp(int Index) {
    // The toggle answers the release of its own press: the release that ends a double
    // click follows no press, so a double click switches crazy colours once.
    if (Index != 3 || !c[3]->LockRefresh())
        return;
    c[3]->SetPressed(!c[3]->Pressed());
    ColourJitter = c[3]->Pressed() ? 120 : 10;
    c[3]->SetLockRefresh(false);
}

void FrmMain::OpenPicture() {
    SaveColoredPicture();
    Timer1->SetEnabled(false);
    SetToolCursor(true);
    const QString chosen = ChoosePicture ? ChoosePicture() : QString();
    if (!IsLoaded())
        return; // the program ended while the chooser was up
    SetToolCursor(false);
    Timer1->SetEnabled(true);
    Pc->setVisible(true);
    if (chosen.isEmpty())
        return;

    // A picture that cannot be read changes nothing: the outline layer keeps the lines
    // of the drawing that is still on the canvas.
    const QImage drawing = platform::LoadPicture(chosen, tP->BackColor());
    if (drawing.isNull()) {
        ShowPictureError(0, chosen);
        return;
    }
    tP->SetPicture(QImage());
    tP->SetPicture(drawing);
    RegionKey = long(platform::ColourValueFromPixel(StrokeArea::KeyFor(drawing)));
    CanvasDib.Make_From_Picture(*tP);
    OutlineDib.Make_From_Picture(*tP);
    c[1]->SetEnabled(true);
    c[3]->SetEnabled(true);
    for (pButton* tool : pTool) {
        tool->SetEnabled(true);
        tool->SetPressed(tool->Pressed());
    }

    const QString coloured = ColoredPicturePath(chosen);
    P->SetPicture(QImage());
    // A stored colouring that cannot be read, or that no longer fits the drawing, gives
    // way to the drawing; the next storing replaces it.
    const QImage colouring = platform::LoadPicture(coloured, P->BackColor());
    if (!colouring.isNull() && colouring.size() == drawing.size()) {
        P->resize(colouring.size());
        P->SetPicture(colouring);
        CanvasDib.Make_From_Picture(*P);
    } else {
        CanvasDib.Set_dib(*P, true);
    }
    P->move(PB->ScaleWidth() / 2 - P->ScaleWidth() / 2,
            PB->ScaleHeight() / 2 - P->ScaleHeight() / 2);
    UndoEmpty();
    RedrawFrame();
    P->Refresh();
    CurrentPicture = chosen;
    // From now on an ending from outside stores the colouring first.
    platform::SetWorkToKeep(true);
    P->setVisible(true);
    PlaySoundFX(5);
    pFunc[2]->SetPicture(pE[1]->Picture());
    pFunc[2]->setEnabled(true);
    pFunc[1]->SetPicture(pE[0]->Picture());
    pFunc[1]->setEnabled(true);
}

void FrmMain::ClearColours() {
    frmMessage& message = frmMessage::Instance();
    message.SetExtendedInformation(
        QStringLiteral("There was an attempt to clear out all the colors in the picture. If you "
                       "click OK, all changes to the picture will be lost and you will be left "
                       "with a black and white image."));
    message.SetMessage(QStringLiteral("Would you like to get rid of all the colors? If you don't, "
                                      "call someone who can help you! Or press never mind"));
    message.SetShowCancel(true);
    message.SetPasswordVisible(false);
    Timer1->SetEnabled(false);
    message.Show(true);
    if (message.Result == QStringLiteral("Ok")) {
        SaveColoredPicture();
        if (IsOwnPicture(CurrentPicture)) {
            tP->SetPicture(QImage());
            tP->SetPictureFromImage();
            RegionKey = long(platform::ColourValueFromPixel(StrokeArea::KeyFor(tP->Picture())));
            RegionDib.Make_From_Picture(*tP);
            OutlineDib.Make_From_Picture(*tP);
            CanvasDib.Make_From_Picture(*tP);
            CanvasDib.Set_dib(*P, false);
        } else {
            OutlineDib.Set_dib(*P, false);
            OutlineDib.Set_dib(*tP, false);
            tP->SetPictureFromImage();
            RegionDib.Make_From_Picture(*P);
            CanvasDib.Make_From_Picture(*P);
        }
        P->Refresh();
        UndoEmpty();
    }
    Window()->setEnabled(true);
    Timer1->SetEnabled(true);
}

void FrmMain::RedrawFrame() {
    PB->Cls();
    mMain::ShadowStyle shadow;
    shadow.left = P->x();
    shadow.top = P->y();
    shadow.width = P->ScaleWidth();
    shadow.height = P->ScaleHeight();
    shadow.radius = 2;
    shadow.enabled = true;
    shadow.size = 10;
    mMain::SplitRGB(long(PB->BackColor()), shadow.red, shadow.green, shadow.blue);
    mMain::DrawShadow(*PB, shadow);
    const mMain::GradientStyle band{1, {{0, 0, 0}, {shadow.red, shadow.green, shadow.blue}}};
    mMain::DrawGradient(band, *PB, 0, 0, PB->ScaleWidth(), 10);
    PB->Refresh();
}
