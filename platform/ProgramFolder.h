#pragma once

#include <QString>

namespace platform {

// The folder that holds the program file; every file of the program's own tree is
// addressed relative to it. Tests may point it elsewhere.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);

} // namespace platform
