#pragma once

// Shows the picture library's list windows modally, for the windows that offer them.
namespace LibraryWindows {

void ShowManagePictures();
void ShowColoredPictures();

} // namespace LibraryWindows
