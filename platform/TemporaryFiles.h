#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// The path of a new temporary file in a folder, for a write that renames it over its
// file when done: a hidden name of the program's own that carries the writing process's
// id and start time, so that a later listing can tell a file whose writer has gone.
QByteArray NewTemporaryPath(const QByteArray& folder);

// Whether a file name of a folder is a temporary file of the program that no live write
// owns: its writer's process has ended (a kill, a crash, a power loss). A name of the
// older kind, without its writer, counts when nothing has written to it for an hour.
bool IsLeftTemporary(const QString& folder, const QString& name);

// Deletes the file when IsLeftTemporary; true when it was such a file (deleted or not),
// which is then no file of the folder's.
bool RemoveLeftTemporary(const QString& folder, const QString& name);

} // namespace platform
