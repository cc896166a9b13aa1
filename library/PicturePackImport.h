#pragma once

#include <QString>

namespace PicturePackImport {

// Asks for a picture pack, installs it as a new book and shows its own messages. The new
// book's title, or the empty text when no book was installed.
QString Run();

} // namespace PicturePackImport
