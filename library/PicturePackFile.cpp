#include "PicturePackFile.h"

#include "PictureFolders.h"
#include "mMain_Files.h"
#include "mMain_Text.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <cstring>

namespace PicturePackFile {
namespace {
const QString kExtension = QStringLiteral(".zvp");
constexpr char kNameBar = '|';
constexpr qint64 kChunk = qint64(1) << 20;

// The first occurrence of `needle` in `haystack` at or after `from`, or -1. The C
// library's search is several times faster than a byte-by-byte one on large packs.
qsizetype Find(QByteArrayView haystack, QByteArrayView needle, qsizetype from) {
    const void* found = ::memmem(haystack.data() + from, size_t(haystack.size() - from),
                                 needle.data(), size_t(needle.size()));
    return found ? static_cast<const char*>(found) - haystack.data() : -1;
}

QByteArray ToAnsi(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text)
        bytes.append(char(mMain::AnsiCode(c)));
    return bytes;
}

QString FromAnsi(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char b : bytes)
        text.append(mMain::AnsiChar(uchar(b)));
    return text;
}

// Whether a piece of the pack, with the separator after it when `followed`, is read back
// as it was: the separator found first is the one that follows it. Bytes that end in
// the separator's first twelve bytes would do otherwise, as the separator begins and
// ends in the same byte.
bool ReadsBackWhole(QByteArrayView piece, const QByteArray& separator, bool followed) {
    if (!followed)
        return Find(piece, separator, 0) < 0;
    const QByteArray withSeparator = piece.toByteArray() + separator;
    return Find(withSeparator, separator, 0) == piece.size();
}

QString Refused(const QString& why) {
    return QStringLiteral("The Picture Pack was not created: ") + why;
}

// Why the name could not be carried in the pack's header as it is; empty when it can.
QString BytesRefusal(const QString& name, bool last) {
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c == QLatin1Char(kNameBar))
            return Refused(QStringLiteral("the name '") + name +
                           QStringLiteral("' holds the character \"|\", which a Picture Pack "
                                          "uses between names. Please rename it and try again."));
        if (mMain::AnsiChar(mMain::AnsiCode(c)) != c)
            return Refused(QStringLiteral("the name '") + name +
                           QStringLiteral("' holds the character '") +
                           name.mid(i, c.isHighSurrogate() ? 2 : 1) +
                           QStringLiteral("', which a Picture Pack cannot store. Please rename "
                                          "it with Western European letters only and try "
                                          "again."));
    }
    // The last name of the header is followed by the first separator.
    if (!ReadsBackWhole(ToAnsi(name), PackSeparator(), last))
        return Refused(QStringLiteral("the name '") + name +
                       QStringLiteral("' holds characters that a Picture Pack uses between "
                                      "pictures. Please rename it and try again."));
    return {};
}

// Appends the picture's bytes to the pack a piece at a time, so that a large picture is
// never held whole. `refused` is set when the bytes would not read back whole, since
// they hold the separator.
bool CopyInto(QSaveFile& pack, const QString& picture, bool followed, bool& refused,
              QString& error) {
    QFile in(picture);
    if (!in.open(QIODevice::ReadOnly)) {
        error = in.errorString();
        return false;
    }
    const QByteArray separator = PackSeparator();
    const qsizetype overlap = separator.size() - 1;
    // The last bytes read, too few to hold the separator: with the next piece they show
    // a separator that spans two pieces.
    QByteArray tail;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), buffer.size());
        if (got < 0) {
            error = in.errorString();
            return false;
        }
        if (got == 0) {
            refused = !ReadsBackWhole(tail, separator, followed);
            return !refused;
        }
        const QByteArrayView piece(buffer.constData(), got);
        QByteArray joined = tail;
        joined.append(piece.first(std::min<qsizetype>(got, overlap)));
        if (Find(joined, separator, 0) >= 0 || Find(piece, separator, 0) >= 0) {
            refused = true;
            return false;
        }
        tail.append(piece.last(std::min<qsizetype>(got, overlap)));
        tail = tail.right(overlap);
        if (pack.write(buffer.constData(), got) != got) {
            error = pack.errorString();
            return false;
        }
    }
}
} // namespace

QByteArray PackSeparator() {
    return ToAnsi(mMain::EncodeString(QStringLiteral("<v6>"), true));
}

QString WithPackExtension(const QString& name) {
    return name.endsWith(kExtension, Qt::CaseSensitive) ? name : name + kExtension;
}

QByteArray Header(const QString& bookName, const QStringList& names) {
    QByteArray header = ToAnsi(bookName);
    for (const QString& name : names)
        header += kNameBar + ToAnsi(name);
    return header;
}

QStringList HeaderNames(QByteArrayView header) {
    QStringList names;
    qsizetype start = 0;
    for (;;) {
        const qsizetype bar = header.indexOf(kNameBar, start);
        if (bar < 0) {
            names.append(FromAnsi(header.sliced(start)));
            return names;
        }
        names.append(FromAnsi(header.sliced(start, bar - start)));
        start = bar + 1;
    }
}

QString NameRefusal(const QString& bookName, const QStringList& names) {
    const QString book = Composed(bookName);
    QString why = BytesRefusal(book, names.isEmpty());
    if (!why.isEmpty())
        return why;
    if (!IsBookName(book)) {
        QString what = PictureFolders::RefusedCharacter(book);
        if (what.isEmpty())
            what = book.startsWith(QLatin1Char('.')) ? QStringLiteral("a dot at its beginning")
                                                     : QStringLiteral("a blank at its beginning "
                                                                      "or end");
        return Refused(QStringLiteral("the folder name '") + book + QStringLiteral("' holds ") +
                       what +
                       QStringLiteral(", so it cannot be the title of a book. A title may not "
                                      "begin or end with a blank, begin with a dot, or hold a "
                                      "tab, a line break or any of the characters \\ / : * ? "
                                      "\" < > |. Please rename the folder and try again."));
    }
    QHash<QString, QString> seen; // lower-cased name -> name
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString name = Composed(names[i]);
        why = BytesRefusal(name, i == names.size() - 1);
        if (!why.isEmpty())
            return why;
        const QString character = PictureFolders::RefusedCharacter(name);
        if (!character.isEmpty())
            return Refused(QStringLiteral("the name '") + name + QStringLiteral("' holds ") +
                           character +
                           QStringLiteral(", which the name of a picture in a book may not hold. "
                                          "Please rename it and try again."));
        if (!IsPictureName(name))
            return Refused(QStringLiteral("'") + name +
                           QStringLiteral("' is not a picture that a book can hold. Only *.bmp, "
                                          "*.gif and *.jpg files whose names do not begin with a "
                                          "dot can be put into a Picture Pack."));
        // A book takes a name in any letter case only once.
        const auto other = seen.constFind(name.toLower());
        if (other != seen.cend())
            return Refused(QStringLiteral("the names '") + *other + QStringLiteral("' and '") +
                           name +
                           QStringLiteral("' differ only in letter case, and a book cannot hold "
                                          "both. Please rename one of them and try again."));
        seen.insert(name.toLower(), name);
    }
    return {};
}

WriteOutcome Write(const QString& path, const QString& bookName, const QStringList& pictures,
                   QString& error) {
    QStringList names;
    for (const QString& picture : pictures)
        names.append(Composed(mMain::GetFileName(picture)));
    error = NameRefusal(bookName, names);
    if (!error.isEmpty())
        return WriteOutcome::Refused;
    QSaveFile pack(path);
    if (!pack.open(QIODevice::WriteOnly)) {
        error = pack.errorString();
        return WriteOutcome::Failed;
    }
    const QByteArray header = Header(Composed(bookName), names);
    const QByteArray separator = PackSeparator();
    if (pack.write(header) != header.size()) {
        error = pack.errorString();
        return WriteOutcome::Failed;
    }
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        if (pack.write(separator) != separator.size()) {
            error = pack.errorString();
            return WriteOutcome::Failed;
        }
        bool refused = false;
        if (!CopyInto(pack, pictures[i], i + 1 < pictures.size(), refused, error)) {
            if (!refused)
                return WriteOutcome::Failed;
            error = Refused(QStringLiteral("the picture '") + names[i] +
                            QStringLiteral("' holds bytes that a Picture Pack uses between "
                                           "pictures, so it cannot be stored in one. Please save "
                                           "it again in another size or format and try again."));
            return WriteOutcome::Refused;
        }
    }
    if (!pack.commit()) {
        error = pack.errorString();
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Written;
}

PackLayout Split(QByteArrayView pack, qsizetype limit) {
    static const QByteArray separator = PackSeparator();
    PackLayout layout;
    qsizetype at = Find(pack, separator, 0);
    if (at < 0) {
        layout.Header = pack;
        return layout;
    }
    layout.Header = pack.first(at);
    for (;;) {
        if (limit >= 0 && layout.Pictures.size() == limit) {
            layout.MorePictures = true;
            return layout;
        }
        const qsizetype start = at + separator.size();
        at = Find(pack, separator, start);
        if (at < 0) {
            layout.Pictures.append(pack.sliced(start));
            return layout;
        }
        layout.Pictures.append(pack.sliced(start, at - start));
    }
}

bool IsSafeName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.isNull())
            return false;
    }
    const bool drive = name.size() >= 2 && name[1] == QLatin1Char(':') &&
                       name[0].unicode() < 0x80 && name[0].isLetter();
    return !drive;
}

bool IsBookName(const QString& name) {
    return IsSafeName(name) && PictureFolders::IsBookTitle(name);
}

bool IsPictureName(const QString& name) {
    return IsSafeName(name) && PictureFolders::IsPictureFile(name) &&
           !name.startsWith(QLatin1Char('.')) && PictureFolders::RefusedCharacter(name).isEmpty();
}

QString Composed(const QString& name) {
    return name.normalized(QString::NormalizationForm_C);
}

} // namespace PicturePackFile
