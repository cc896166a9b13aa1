#include "PictureFolders.h"

#include "CaseInsensitivePath.h"
#include "ProgramFolder.h"
#include "mMain_Files.h"

#include <QDir>
#include <QFileInfo>

namespace PictureFolders {
namespace {
const QString kThumbnailExtension = QStringLiteral(".qrv");

QString InProgramFolder(const QString& relative) {
    return platform::ResolvePath(platform::ProgramFolder() + QLatin1Char('/') + relative);
}

bool FileExists(const QString& path) {
    return QFileInfo(platform::ResolvePath(path)).isFile();
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

QStringList BookTitles() {
    QStringList titles = QDir(BooksFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    titles.sort(Qt::CaseInsensitive);
    return titles;
}

QStringList BookPictures(const QString& title) {
    QStringList pictures;
    const QStringList files = QDir(BookFolder(title)).entryList(QDir::Files);
    for (const QString& file : files) {
        if (IsPictureFile(file))
            pictures.append(file);
    }
    pictures.sort(Qt::CaseInsensitive);
    return pictures;
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
