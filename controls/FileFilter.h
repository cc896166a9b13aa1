#pragma once

#include <QString>

namespace FileFilter {

// A filter written as description and pattern pairs separated by "|" (or ":") as the
// dialogs take it: every separator becomes a NUL, and two NULs end the list.
// "Jpeg file (*.jpg)|*.jpg" becomes "Jpeg file (*.jpg)", NUL, "*.jpg", NUL, NUL.
QString ToNulList(const QString& filter);

} // namespace FileFilter
