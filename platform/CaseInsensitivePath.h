#pragma once

#include <QString>

namespace platform {

// The path as it lies on disk, with file and folder names matched without regard to
// letter case, as the program's own tree expects: each component, from the first, is
// taken as written when it exists, otherwise as the one entry of its folder whose name
// differs only in case. From the first component that matches nothing the rest is kept
// as written, so the result also serves for a file or folder about to be made.
QString ResolvePath(const QString& path);

} // namespace platform
