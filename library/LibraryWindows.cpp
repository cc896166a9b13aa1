#include "LibraryWindows.h"

#include "frmColoredPictures.h"
#include "frmManagePictures.h"

namespace LibraryWindows {

void ShowManagePictures() {
    frmManagePictures::Instance().Show(true);
}

void ShowColoredPictures() {
    frmColoredPictures::Instance().Show(true);
}

} // namespace LibraryWindows
