#pragma once

#include <QString>

// File and folder routines of the picture library. Paths use '/'; names are matched
// without regard to letter case. None of them raises or shows a message: the callers
// word their own messages from the results.
namespace mMain {

// True when the name is not empty and holds none of \ / : * ? " < > |.
bool IsValidFileName(const QString& name);

// The text after the last '/': the whole path when it has none, the empty text when the
// path ends with one.
QString GetFileName(const QString& path);

// The text before the last '/', without it: the empty text when the only '/' is the
// first character, and also when the path has none.
QString GetParentPath(const QString& path);

// Deletes the folder with its contents; one trailing '/' is ignored. Read-only items are
// not forced: when the folder or anything in it is read-only, nothing is deleted. True
// only when the folder existed and is gone.
bool DeleteFolder(QString folder);

// Deletes the file unless it is read-only. True only when the file existed and is gone.
bool DeleteFile(const QString& file);

// Copies the file over the destination, first deleting an existing destination even
// when it is read-only. True when the destination exists afterwards; with a missing
// source the destination is still deleted and the result is False. A file copied onto
// itself is left as it is.
bool CopyFile(const QString& source, const QString& destination);

} // namespace mMain
