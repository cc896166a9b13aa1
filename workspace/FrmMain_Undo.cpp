// The undo stack: three snapshot pairs of the canvas and the outline layer.
#include "FrmMain.h"
#include "pButton.h"

#include <algorithm>

void FrmMain::UndoPush() {
    if (UndoTop == 2) {
        // Full: drop the oldest pair; its buffers are reused for the new snapshot.
        std::rotate(UndoCanvas.begin(), UndoCanvas.begin() + 1, UndoCanvas.end());
        std::rotate(UndoOutline.begin(), UndoOutline.begin() + 1, UndoOutline.end());
    } else {
        ++UndoTop;
    }
    UndoCanvas[size_t(UndoTop)].Make_From_Picture(*P);
    UndoOutline[size_t(UndoTop)].Make_From_Picture(*tP);
}

void FrmMain::UndoPop() {
    if (UndoTop < 0)
        return;
    tP->Cls();
    UndoCanvas[size_t(UndoTop)].Set_dib(*P);
    UndoOutline[size_t(UndoTop)].Set_dib(*tP);
    tP->SetPictureFromImage();
    RegionDib.Make_From_Picture(*tP);
    --UndoTop;
    if (UndoTop == -1)
        c[2]->SetEnabled(false);
    CanvasDib.Make_From_Picture(*P);
    CanvasDib.Set_dib(*P);
    P->Refresh();
}

void FrmMain::UndoEmpty() {
    UndoTop = -1;
    c[2]->SetEnabled(false);
}
