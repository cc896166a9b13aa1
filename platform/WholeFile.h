#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace platform {

// How far a replaced file must be safe: a cache only from other readers, a kept file
// also from a power loss.
enum class Durability { Cache, Synced };

// Writes `bytes` as the file `path`, whole or not at all: into a new file of a short name
// of its own in the same folder (so that it exists for every name `path` may have), then
// renamed over `path`. Synced puts the data on the disk before the rename and the rename
// after it. A reader, a crash or a kill at any instant finds the old file or the new one
// whole. False when the file could not be written; the old one is then as it was.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, Durability durability);

// The system's reason why the last WriteWholeFile of this thread failed, in its words;
// empty after one that succeeded.
QString LastFileError();
// The same reason as the system's error number (ENOSPC, ENAMETOOLONG...); 0 after success.
int LastFileErrorNumber();

// Called at each step of WriteWholeFile with the step's number (from 1, the temporary file
// made, up to the rename on the disk), for tests that end the process there.
void SetWholeFileStepForTesting(std::function<void(int step)> step);

} // namespace platform
