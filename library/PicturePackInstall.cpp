#include "CaseInsensitivePath.h"
#include "PackReader.h"
#include "PictureFile.h"
#include "PictureFolders.h"
#include "PicturePackFile.h"
#include "PicturePackImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>

namespace PicturePackImport {
namespace {
const QString CrLf = QStringLiteral("\r\n");

// The longest piece of a pack that is read. No picture the program shows exceeds
// MaxPicturePixels (4,000,000), and the largest file of such a picture is an uncompressed
// 32-bit bitmap, 4 bytes a pixel: 16,000,000 bytes. 1,000,000 more leave room for headers,
// a colour table and what other programs add. A longer piece (a picture, or a header
// before the first separator) is a damaged pack, so no read holds more than this.
constexpr qint64 LongestPiece = 17'000'000;
// The longest file name, in bytes, that the file systems the program runs on take.
constexpr qsizetype LongestName = 255;

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

QString TooLong(const QString& name) {
    return OpenFailed(
        (name.isEmpty() ? QStringLiteral("A picture") : "The picture '" + name + "'") +
        QStringLiteral(" in the pack is longer than 17 MB (17,000,000 bytes), "
                       "more than any picture The Crayvex can show takes."));
}

QString Incomplete(const QString& name) {
    return OpenFailed(QStringLiteral("The picture '") + name +
                      QStringLiteral("' in the pack is incomplete or faulty."));
}

// Whether the piece ends in the first bytes of a separator: where a pack was cut inside
// the separator of a picture that did not come.
bool EndsInPartOfSeparator(QByteArrayView piece) {
    static const QByteArray separator = PicturePackFile::PackSeparator();
    for (qsizetype n = 1; n < separator.size(); ++n) {
        if (piece.endsWith(QByteArrayView(separator).first(n)))
            return true;
    }
    return false;
}

// The name with `suffix` after it, the name shortened by whole characters where the two
// would pass the longest file name.
QString WithSuffix(const QString& name, const QString& suffix) {
    const qsizetype room = LongestName - QFile::encodeName(suffix).size();
    QString base = name;
    while (!base.isEmpty() && QFile::encodeName(base).size() > room)
        base.chop(base.size() >= 2 && base.back().isLowSurrogate() ? 2 : 1);
    return base + suffix;
}

bool Taken(const QString& folder, const QString& name) {
    return QFileInfo::exists(platform::ResolvePath(folder + QLatin1Char('/') + name));
}

// The book's name: the pack's, or with the smallest "_n" that no entry of books/ has.
QString FreeBookName(const QString& books, const QString& name) {
    if (!Taken(books, name))
        return name;
    for (long n = 1;; ++n) {
        const QString candidate = WithSuffix(name, QLatin1Char('_') + QString::number(n));
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
            WithSuffix(stem, QLatin1Char('_') + QString::number(n) + QLatin1Char('.') + extension);
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

// Installs the pack; a failure of memory goes up as std::bad_alloc, after the staging
// folder has gone with everything in it.
Result InstallPack(const QString& packPath, const Step& step) {
    PackReader reader(packPath, LongestPiece);
    if (!reader.Open())
        return Failure(OpenFailed(reader.Error()));
    QByteArray header;
    const PackReader::Next first = reader.Read(header);
    if (first == PackReader::Next::Failed)
        return Failure(OpenFailed(reader.Error()));
    if (first != PackReader::Next::Piece || !reader.Followed())
        return Failure(NoHeader());

    const QStringList names = PicturePackFile::HeaderNames(header);
    header.clear();
    if (!PicturePackFile::IsBookName(names[0]))
        return Failure(HeaderDamaged());
    const QString books = PictureFolders::BooksFolder();
    QString title = FreeBookName(books, names[0]);
    QTemporaryDir staging(books + QStringLiteral("/.import-XXXXXX"));
    if (!staging.isValid())
        return Failure(HeaderDamaged());
    PictureFolders::GiveOrdinaryPermissions(staging.path());

    QSet<QString> used;
    QByteArray picture;
    QImage loaded; // one buffer for every picture's check
    QString error;
    for (qsizetype i = 1;; ++i) {
        const QString name = i < names.size() ? names[i] : QString();
        const PackReader::Next next = reader.Read(picture);
        if (next == PackReader::Next::End)
            break;
        if (next == PackReader::Next::Failed)
            return Failure(OpenFailed(reader.Error()));
        if (next == PackReader::Next::TooLong)
            return Failure(TooLong(name));
        if (i >= names.size())
            return Failure(AddFailed(QStringLiteral("The pack holds more pictures than names.")));
        if (!PicturePackFile::IsPictureName(name))
            return Failure(HeaderDamaged());
        const QString target = FreePictureName(used, name);
        used.insert(target.toLower());
        const QString path = staging.path() + QLatin1Char('/') + target;
        if (!WritePicture(path, picture, error))
            return Failure(AddFailed(error));
        // Each picture must load as one chosen for "Add pictures" does, and be whole: a
        // pack cut short ends in a picture cut short, or in part of a separator when more
        // names were to come.
        const bool namesLeft = !reader.Followed() && i + 1 < names.size();
        if (!platform::LoadPicture(path, 0xFFFFFF, loaded) ||
            (namesLeft && EndsInPartOfSeparator(picture)))
            return Failure(Incomplete(name));
        if (step)
            step(int(i), int(names.size() - 1));
    }
    error = MoveIntoPlace(staging.path(), books, title);
    if (!error.isEmpty())
        return Failure(AddFailed(error));
    staging.setAutoRemove(false);
    return Result{title, Added(title)};
}

} // namespace

Result Install(const QString& packPath, const Step& step) {
    try {
        return InstallPack(packPath, step);
    } catch (const std::bad_alloc&) {
        return Failure(OpenFailed(QStringLiteral("There is not enough memory to read the file.")));
    }
}

} // namespace PicturePackImport
