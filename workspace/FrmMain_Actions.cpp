// The action buttons: open, clear, undo and crazy colours.
#include "FrmMain.h"
#include "PictureFile.h"
#include "ProgramFolder.h"
#include "mMain.h"
#include "pButton.h"

#include <QDir>
#include <QFileInfo>

void FrmMain::c_Click(int Index) {
    PlaySoundFX(1);
    if (Index == 2)
        UndoPop();
    Pc->setVisible(true);
}

bool FrmMain::PlaceDrawing(const QString& path) {
    // A picture that cannot be read changes nothing: the outline layer must keep the lines
    // of the drawing that is still on the canvas.
    const QImage drawing = platform::LoadPicture(path, tP->BackColor());
    if (drawing.isNull())
        return false;
    tP->SetPicture(QImage());
    tP->SetPicture(drawing);
    CanvasDib.Make_From_Picture(*tP);
    OutlineDib.Make_From_Picture(*tP);
    c[1]->SetEnabled(true);
    c[3]->SetEnabled(true);
    for (pButton* tool : pTool) {
        tool->SetEnabled(true);
        tool->SetPressed(tool->Pressed());
    }

    const QFileInfo info(path);
    const QString book = info.dir().dirName();
    const QString coloured = platform::ProgramFolder() + QStringLiteral("/colored pictures/") +
                             book + QLatin1Char('/') + info.fileName() + QStringLiteral(".jpg");
    P->SetPicture(QImage());
    const QImage colouring = QFileInfo::exists(coloured) ? platform::LoadPicture(coloured, P->BackColor()) : QImage();
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

    // The frame round the canvas and the shaded top edge of the panel.
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
    P->Refresh();
    CurrentPicture = path;
    P->setVisible(true);
    return true;
}
