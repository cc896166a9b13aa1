#pragma once

class QFile;
class QString;

namespace platform {

// Opens `path` for reading only when it is a regular file, and never waits for it: a named
// pipe or a device under a file's name would hold the program up. False, and `file` left
// closed, for anything else or a file that cannot be opened.
bool OpenRegularFile(const QString& path, QFile& file);

} // namespace platform
