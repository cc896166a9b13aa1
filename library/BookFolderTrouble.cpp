#include "BookFolderTrouble.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <sys/statvfs.h>

BookFolderTrouble TroubleOfBookFolder(const QString& folder, const QString& source) {
    const QByteArray native = QFile::encodeName(folder);
    struct stat status {};
    if (::stat(native.constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return BookFolderTrouble::Gone;
    if (!(status.st_mode & S_IWUSR))
        return BookFolderTrouble::ReadOnly;
    struct statvfs disk {};
    if (::statvfs(native.constData(), &disk) == 0 &&
        quint64(disk.f_bavail) * disk.f_frsize < quint64(QFileInfo(source).size()))
        return BookFolderTrouble::Full;
    return BookFolderTrouble::None;
}

QString BookFolderTroubleText(BookFolderTrouble trouble, const QString& name,
                              const QString& folder) {
    const QString file = QStringLiteral("Could not add the file '") + name;
    switch (trouble) {
    case BookFolderTrouble::Gone:
        return file + QStringLiteral("'. The folder '") + folder +
               QStringLiteral("' could not be found.");
    case BookFolderTrouble::Full:
        return file + QStringLiteral("'. The disk of the folder '") + folder +
               QStringLiteral("' is full.");
    case BookFolderTrouble::ReadOnly:
    case BookFolderTrouble::None:
        break;
    }
    return file + QStringLiteral("'. Please make sure that the folder '") + folder +
           QStringLiteral("' is not write protected.");
}
