#include "CaseInsensitivePath.h"
#include "PictureFolders.h"
#include "PicturePackFile.h"
#include "PicturePackImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>

namespace PicturePackImport {
namespace {
const QString CrLf = QStringLiteral("\r\n");

QString OpenFailed(const QString& description) {
    return QStringLiteral("There was the following error while trying to open The Crayvex "
                          "package file:") +
           CrLf + description + CrLf +
           QStringLiteral("The file appears to be damaged. Please download again.");
}

QString HeaderDamaged() {
    return OpenFailed(QStringLiteral("Could not read from the header information."));
}

QString AddFailed(const QString& description) {
    return QStringLiteral(
               "There was the following error while trying to add new pictures to The Crayvex:") +
           CrLf + description;
}

QString NoHeader() {
    return AddFailed(QStringLiteral("The file could not be read from header. Please make sure "
                                    "that the file is not designed for another version of The "
                                    "Crayvex."));
}

QString Added(const QString& title) {
    return QStringLiteral("The pictures were added successfully under the book '") + title +
           QStringLiteral("'. To view the new pictures, please select this book from the list.");
}

Result Failure(const QString& message) {
    return Result{QString(), message};
}

// The whole pack, read once. Reading (rather than mapping) keeps a pack on a medium that
// goes away mid-import a read error instead of a crash.
bool ReadPack(const QString& path, QByteArray& pack, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    const qint64 size = file.size();
    pack = QByteArray(size, Qt::Uninitialized);
    qint64 done = 0;
    while (done < size) {
        const qint64 got = file.read(pack.data() + done, size - done);
        if (got < 0) {
            error = file.errorString();
            return false;
        }
        if (got == 0)
            break;
        done += got;
    }
    pack.truncate(done);
    return true;
}

bool Taken(const QString& folder, const QString& name) {
    return QFileInfo::exists(platform::ResolvePath(folder + QLatin1Char('/') + name));
}

// The book's name: the pack's, or with the smallest "_n" that no entry of books/ has.
QString FreeBookName(const QString& books, const QString& name) {
    if (!Taken(books, name))
        return name;
    for (long n = 1;; ++n) {
        const QString candidate = name + QLatin1Char('_') + QString::number(n);
        if (!Taken(books, candidate))
            return candidate;
    }
}

// Moves the gathered folder into place under the free book name, never over an existing
// entry (one may appear while the pictures are written). Empty on success.
QString MoveIntoPlace(const QString& staging, const QString& books, QString& title) {
    const QString wanted = title;
    for (;;) {
        const QByteArray from = QFile::encodeName(staging);
        const QByteArray to = QFile::encodeName(books + QLatin1Char('/') + title);
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) ==
            0)
            return {};
        if (errno != EEXIST)
            return QString::fromLocal8Bit(std::strerror(errno));
        title = FreeBookName(books, wanted);
    }
}

// The file name of a picture in the book: its own, or with the smallest "_n" before its
// three-letter extension that no earlier picture has.
QString FreePictureName(const QSet<QString>& used, const QString& name) {
    if (!used.contains(name.toLower()))
        return name;
    const QString stem = name.left(name.size() - 4);
    const QString extension = name.right(3);
    for (long n = 1;; ++n) {
        const QString candidate =
            stem + QLatin1Char('_') + QString::number(n) + QLatin1Char('.') + extension;
        if (!used.contains(candidate.toLower()))
            return candidate;
    }
}

bool WritePicture(const QString& path, QByteArrayView bytes, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        error = file.errorString();
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

Result Install(const QString& packPath) {
    QByteArray bytes;
    QString error;
    if (!ReadPack(packPath, bytes, error))
        return Failure(OpenFailed(error));
    const QByteArrayView pack(bytes);
    const PicturePackFile::PackLayout first = PicturePackFile::Split(pack, 0);
    if (!first.MorePictures)
        return Failure(NoHeader());

    const QStringList names = PicturePackFile::HeaderNames(first.Header);
    const PicturePackFile::PackLayout layout = PicturePackFile::Split(pack, names.size() - 1);
    if (!PicturePackFile::IsBookName(names[0]))
        return Failure(HeaderDamaged());
    for (qsizetype i = 1; i <= layout.Pictures.size(); ++i) {
        if (!PicturePackFile::IsPictureName(names[i]))
            return Failure(HeaderDamaged());
    }
    if (layout.MorePictures)
        return Failure(AddFailed(QStringLiteral("The pack holds more pictures than names.")));

    const QString books = PictureFolders::BooksFolder();
    QString title = FreeBookName(books, names[0]);
    QTemporaryDir staging(books + QStringLiteral("/.import-XXXXXX"));
    if (!staging.isValid())
        return Failure(HeaderDamaged());
    PictureFolders::GiveOrdinaryPermissions(staging.path());

    QSet<QString> used;
    for (qsizetype i = 0; i < layout.Pictures.size(); ++i) {
        const QString& name = names[i + 1];
        const QString target = FreePictureName(used, name);
        used.insert(target.toLower());
        if (!WritePicture(staging.path() + QLatin1Char('/') + target, layout.Pictures[i], error))
            return Failure(AddFailed(error));
    }
    error = MoveIntoPlace(staging.path(), books, title);
    if (!error.isEmpty())
        return Failure(AddFailed(error));
    staging.setAutoRemove(false);
    return Result{title, Added(title)};
}

} // namespace PicturePackImport
