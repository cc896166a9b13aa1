#include "PictureFolders.h"

#include "CaseInsensitivePath.h"
#include "FolderEntries.h"
#include "ProgramFolder.h"
#include "mMain_Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace PictureFolders {
namespace {
const QString kThumbnailExtension = QStringLiteral(".qrv");

QString InProgramFolder(const QString& relative) {
    return platform::ResolvePath(platform::ProgramFolder() + QLatin1Char('/') + relative);
}

bool FileExists(const QString& path) {
    return QFileInfo(platform::ResolvePath(path)).isFile();
}

// The visible folders directly in a root, sorted without regard to case.
QStringList Subfolders(const QString& root) {
    QStringList titles = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    titles.sort(Qt::CaseInsensitive);
    return titles;
}

// The visible files of a folder's listing whose name passes the test, sorted without
// regard to case.
template <class Test> QStringList FilesIn(const FolderEntries& folder, Test test) {
    QStringList pictures;
    for (const QString& file : folder.VisibleFiles()) {
        if (test(file))
            pictures.append(file);
    }
    pictures.sort(Qt::CaseInsensitive);
    return pictures;
}

bool IsColoredPictureFile(const QString& name) {
    return name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive);
}
} // namespace

QString BooksFolder() {
    return InProgramFolder(QStringLiteral("books"));
}

QString BookFolder(const QString& title) {
    return InProgramFolder(QStringLiteral("books/") + title);
}

QString ColoredPicturesFolder() {
    return InProgramFolder(QStringLiteral("colored pictures"));
}

QString ColoredFolder(const QString& title) {
    return InProgramFolder(QStringLiteral("colored pictures/") + title);
}

QString ColoredPictureFile(const QString& title, const QString& file) {
    return InProgramFolder(QStringLiteral("colored pictures/") + title + QLatin1Char('/') + file +
                           QStringLiteral(".jpg"));
}

QString ThumbnailFile(const QString& picture) {
    return platform::ResolvePath(picture + kThumbnailExtension);
}

bool IsPictureFile(const QString& name) {
    for (const char* extension : {".gif", ".bmp", ".jpg"}) {
        if (name.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool IsBookTitle(const QString& title) {
    return !title.isEmpty() && RefusedCharacter(title).isEmpty() && title == title.trimmed() &&
           !title.startsWith(QLatin1Char('.'));
}

QString RefusedCharacter(const QString& name) {
    for (const QChar c : name) {
        if (QStringLiteral("\\/:*?\"<>|").contains(c))
            return QStringLiteral("the character \"") + c + QLatin1Char('"');
        if (c == QLatin1Char('\t'))
            return QStringLiteral("a tab");
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            return QStringLiteral("a line break");
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("the control character U+") +
                   QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    }
    return {};
}

void GiveOrdinaryPermissions(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0 || S_ISLNK(status.st_mode))
        return;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const bool folder = S_ISDIR(status.st_mode);
    ::chmod(native.constData(), ((folder ? 0777 : 0666) & ~mask) | (folder ? 0700 : 0600));
}

QStringList BookTitles() {
    return Subfolders(BooksFolder());
}

QStringList BookPictures(const QString& title) {
    return BookPicturesIn(BookFolder(title));
}

QStringList BookPicturesIn(const QString& folder) {
    return BookPicturesIn(FolderEntries(platform::ResolvePath(folder)));
}

QStringList BookPicturesIn(const FolderEntries& folder) {
    return FilesIn(folder, IsPictureFile);
}

QStringList ColoredTitles() {
    return Subfolders(ColoredPicturesFolder());
}

QStringList ColoredPicturesIn(const QString& folder) {
    return ColoredPicturesIn(FolderEntries(platform::ResolvePath(folder)));
}

QStringList ColoredPicturesIn(const FolderEntries& folder) {
    return FilesIn(folder, IsColoredPictureFile);
}

QString NextOwnPictureFile() {
    const QString folder = BookFolder(OwnPicturesBook) + QLatin1Char('/');
    for (long n = 0;; ++n) {
        const QString file = folder + QStringLiteral("own_%1.bmp").arg(n);
        if (!FileExists(file))
            return file;
    }
}

void PurgeOrphanThumbnails(const QString& folder) {
    QString path = platform::ResolvePath(folder);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    if (!QFileInfo(path).isDir())
        return;
    const QStringList thumbnails = QDir(path).entryList({QStringLiteral("*") + kThumbnailExtension},
                                                        QDir::Files | QDir::Hidden);
    for (const QString& thumbnail : thumbnails) {
        const QString picture = path + thumbnail.chopped(kThumbnailExtension.size());
        if (!FileExists(picture))
            mMain::DeleteFile(path + thumbnail);
    }
}

} // namespace PictureFolders
