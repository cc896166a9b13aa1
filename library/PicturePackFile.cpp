#include "PicturePackFile.h"

#include "mMain_Files.h"
#include "mMain_Text.h"

#include <QFile>
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

// Appends the picture's bytes to the pack a piece at a time, so that a large picture is
// never held whole.
bool CopyInto(QSaveFile& pack, const QString& picture, QString& error) {
    QFile in(picture);
    if (!in.open(QIODevice::ReadOnly)) {
        error = in.errorString();
        return false;
    }
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), buffer.size());
        if (got < 0) {
            error = in.errorString();
            return false;
        }
        if (got == 0)
            return true;
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

bool Write(const QString& path, const QString& bookName, const QStringList& pictures,
           QString& error) {
    QStringList names;
    for (const QString& picture : pictures)
        names.append(mMain::GetFileName(picture));
    QSaveFile pack(path);
    if (!pack.open(QIODevice::WriteOnly)) {
        error = pack.errorString();
        return false;
    }
    const QByteArray header = Header(bookName, names);
    const QByteArray separator = PackSeparator();
    if (pack.write(header) != header.size()) {
        error = pack.errorString();
        return false;
    }
    for (const QString& picture : pictures) {
        if (pack.write(separator) != separator.size()) {
            error = pack.errorString();
            return false;
        }
        if (!CopyInto(pack, picture, error))
            return false;
    }
    if (!pack.commit()) {
        error = pack.errorString();
        return false;
    }
    return true;
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

} // namespace PicturePackFile
