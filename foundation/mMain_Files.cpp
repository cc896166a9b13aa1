#include "mMain_Files.h"

#include "CaseInsensitivePath.h"

#include <filesystem>
#include <system_error>

namespace mMain {
namespace {
namespace fs = std::filesystem;

fs::path Native(const QString& path) {
    return fs::path(platform::ResolvePath(path).toStdString());
}

bool FileExists(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool FolderExists(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// Read-only in the sense of the Windows attribute: the owner may not write it. Checked
// from the permission bits, since a privileged user would otherwise delete it anyway.
bool IsReadOnly(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (error)
        return true;
    if (fs::is_symlink(status))
        return false;
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

bool HoldsReadOnlyItem(const fs::path& folder) {
    if (IsReadOnly(folder))
        return true;
    std::error_code error;
    fs::recursive_directory_iterator it(folder, error), end;
    if (error)
        return true;
    for (; it != end; it.increment(error)) {
        if (error || IsReadOnly(it->path()))
            return true;
    }
    return bool(error);
}

bool ForceDeleteFile(const fs::path& file) {
    std::error_code error;
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, error);
    fs::remove(file, error);
    return !error;
}
} // namespace

bool IsValidFileName(const QString& name) {
    if (name.isEmpty())
        return false;
    for (const QChar c : QStringLiteral("\\/:*?\"<>|")) {
        if (name.contains(c))
            return false;
    }
    return true;
}

QString GetFileName(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString GetParentPath(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

bool DeleteFolder(QString folder) {
    if (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    if (folder.isEmpty())
        return false;
    const fs::path path = Native(folder);
    if (!FolderExists(path))
        return false;
    if (HoldsReadOnlyItem(path))
        return false;
    std::error_code error;
    fs::remove_all(path, error);
    return !error && !FolderExists(path);
}

bool DeleteFile(const QString& file) {
    const fs::path path = Native(file);
    if (!FileExists(path))
        return false;
    if (IsReadOnly(path))
        return false;
    std::error_code error;
    fs::remove(path, error);
    return !error && !FileExists(path);
}

bool CopyFile(const QString& source, const QString& destination) {
    const fs::path to = Native(destination);
    const fs::path from = Native(source);
    std::error_code error;
    // Deleting the destination first would lose a file copied onto itself.
    if (FileExists(to) && FileExists(from) && fs::equivalent(from, to, error))
        return true;
    if (FileExists(to)) {
        ForceDeleteFile(to);
        if (FileExists(to))
            return false;
    }
    if (!FileExists(from))
        return false;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    return !error && FileExists(to);
}

} // namespace mMain
