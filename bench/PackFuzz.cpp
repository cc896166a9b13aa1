// libFuzzer target for reading picture packs: the split into pieces and header names, and
// the whole install into a scratch program folder (the current folder, or
// CRAYVEX_FUZZ_SCRATCH). Built and run by bench/fuzz-packs.sh.
#include "PictureFolders.h"
#include "PicturePackFile.h"
#include "PicturePackImport.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
QString Scratch;
QString Books;
QString PackPath;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "pack fuzz: %s\n", what);
        std::abort();
    }
}

// Everything under the scratch folder, hidden entries included.
QStringList Entries() {
    QStringList entries;
    QDirIterator it(Scratch, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << it.next();
    return entries;
}

void CheckSplit(QByteArrayView pack) {
    const QByteArray separator = PicturePackFile::PackSeparator();
    const PicturePackFile::PackLayout layout = PicturePackFile::Split(pack);
    Check(!layout.MorePictures, "an unlimited split stopped");
    QByteArray joined = layout.Header.toByteArray();
    for (const QByteArrayView piece : layout.Pictures) {
        Check(!piece.contains(separator), "a piece holds the separator");
        joined += separator + piece.toByteArray();
    }
    Check(joined == pack, "the pieces do not make up the pack");
    Check(!layout.Header.contains(separator), "the header holds the separator");

    const QStringList names = PicturePackFile::HeaderNames(layout.Header);
    Check(PicturePackFile::Header(names[0], names.mid(1)) == layout.Header,
          "the header names do not make up the header");

    for (qsizetype limit = 0; limit <= layout.Pictures.size() + 1 && limit < 4; ++limit) {
        const PicturePackFile::PackLayout some = PicturePackFile::Split(pack, limit);
        Check(some.Header == layout.Header, "a limited split moved the header");
        Check(some.Pictures.size() == std::min(limit, layout.Pictures.size()),
              "a limited split took the wrong count");
        Check(some.MorePictures == (layout.Pictures.size() > limit),
              "a limited split misreports what follows");
    }
}

void CheckInstall(const QByteArray& pack) {
    {
        QFile file(PackPath);
        Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the pack");
        Check(file.write(pack) == pack.size(), "cannot write the pack");
    }
    const PicturePackImport::Result result = PicturePackImport::Install(PackPath);
    const PicturePackFile::PackLayout layout = PicturePackFile::Split(pack);
    const QStringList books = QDir(Books).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                    QDir::NoDotAndDotDot);
    if (result.Title.isEmpty()) {
        Check(books.isEmpty(), "a failed install left something in books/");
    } else {
        Check(books == QStringList{result.Title}, "the install made something besides its book");
        Check(PicturePackFile::IsBookName(result.Title), "a book name New book refuses");
        const QDir book(Books + QLatin1Char('/') + result.Title);
        const QStringList files =
            book.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        Check(files.size() == layout.Pictures.size(), "pictures went missing");
        qint64 total = 0;
        // Joined by hand: Qt takes a name that begins with a colon for a resource path.
        for (const QString& file : files) {
            Check(PicturePackFile::IsPictureName(file), "a file that is no visible drawing");
            total += QFileInfo(book.path() + QLatin1Char('/') + file).size();
        }
        qint64 expected = 0;
        for (const QByteArrayView piece : layout.Pictures)
            expected += piece.size();
        Check(total == expected, "the pictures' bytes differ from the pack's");
        Check(QDir(book).removeRecursively(), "cannot clear the book");
    }
    const QStringList left = Entries();
    Check(left == QStringList({Books, PackPath}) || left == QStringList({PackPath, Books}),
          "something was written outside books/");
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* scratch = std::getenv("CRAYVEX_FUZZ_SCRATCH");
    Scratch = QDir(QString::fromLocal8Bit(scratch ? scratch : ".")).absolutePath() +
              QStringLiteral("/program");
    QDir(Scratch).removeRecursively();
    Books = Scratch + QStringLiteral("/books");
    PackPath = Scratch + QStringLiteral("/pack.zvp");
    Check(QDir().mkpath(Books), "cannot make the scratch books folder");
    platform::SetProgramFolder(Scratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray pack(reinterpret_cast<const char*>(data), qsizetype(size));
    CheckSplit(pack);
    CheckInstall(pack);
    return 0;
}
