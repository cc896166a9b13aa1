// libFuzzer target for the GIF reader (giflib): every input decodes without a fault, and
// whatever it accepts Qt's own GIF reader accepts too and shows pixel for pixel alike
// (read as other formats are loaded: Qt's size check, then the picture laid over the back
// colour). Decoding into a used image gives the same pixels as into a new one. Built and
// run by bench/fuzz.sh gif.
//
// Where Qt's reader is known to go wrong, only some pixels are compared: none for an
// interlaced first picture three or four rows high or reaching below the screen (Qt
// misplaces its rows), the picture's own for one with a colour table of its own that
// leaves part of the screen to the background colour (Qt takes that from the picture's
// table before reading it). None for a graphic control block too short for the
// transparent index it flags (Qt's reader takes one from beyond the block). None
// either for damaged pixel data that giflib takes, and Qt's reader takes otherwise or
// refuses: a code past the table or a table code right after a clear (giflib makes
// pixels of its own for them), more pixels than the picture holds (giflib leaves them
// unread, Qt's reader draws them on below the picture or refuses the file), or a code
// size of 1, which the format does not allow and readers take apart differently.
#include "FuzzCheck.h"
#include "GifReader.h"
#include "PictureFile.h"

#include <QBuffer>
#include <QImageReader>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

constexpr uint32_t Back = 0x00C08040; // a back colour unlike white and black

QImage QtReading(const QByteArray& file) {
    QByteArray bytes = file;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > platform::MaxPictureSide ||
        size.height() > platform::MaxPictureSide ||
        qint64(size.width()) * size.height() > platform::MaxPicturePixels)
        return {};
    return platform::OverBackColour(reader.read(), Back);
}

// Whether the LZW codes from `at` (the code size, then the data blocks) are damaged in a
// way giflib reads without a failure: a code past the table, a table code right after a
// clear, more than `pixels` pixels, or a code size outside 2 to 8.
bool DamagedCodes(const QByteArray& file, qsizetype at, qint64 pixels) {
    const int minimum = uchar(file[at++]);
    if (minimum < 2 || minimum > 8)
        return true;
    QByteArray data;
    while (at < file.size() && file[at] != 0) {
        data += file.mid(at + 1, uchar(file[at]));
        at += 1 + uchar(file[at]);
    }
    const int clear = 1 << minimum;
    int size = minimum + 1;
    int next = clear + 2;
    bool first = true;
    std::vector<qint64> length(4096, 1); // the pixels of each table entry
    qint64 previous = 0;                 // the pixels of the last code
    qint64 written = 0;
    quint64 bits = 0;
    int count = 0;
    qsizetype in = 0;
    for (;;) {
        while (count < size) {
            if (in == data.size())
                return false;
            bits |= quint64(uchar(data[in++])) << count;
            count += 8;
        }
        const int code = int(bits & ((1u << size) - 1));
        bits >>= size;
        count -= size;
        if (code == clear) {
            size = minimum + 1;
            next = clear + 2;
            first = true;
            continue;
        }
        if (code == clear + 1)
            return false;
        if (code > clear + 1 && (first || code > next))
            return true;
        const qint64 run = code < clear ? 1 : code < next ? length[size_t(code)] : previous + 1;
        if (!first && next < 4096) {
            length[size_t(next)] = previous + 1;
            if (++next >= 1 << size && size < 12)
                ++size;
        }
        first = false;
        previous = run;
        written += run;
        if (written > pixels)
            return true;
    }
}

int Little16(const QByteArray& file, qsizetype at) {
    return uchar(file[at]) | uchar(file[at + 1]) << 8;
}

// The part of the screen where Qt's reader shows the first picture as the format says;
// nothing where the pixel data is damaged in a way the two readers take apart
// differently. Called on files the decoder accepted, so the blocks before the picture
// are whole.
std::optional<QRect> WhereQtIsRight(const QByteArray& file) {
    const uchar flags = uchar(file[10]);
    qsizetype at = 13 + (flags & 0x80 ? 3 * (2 << (flags & 7)) : 0);
    int transparent = -1;
    while (file[at] == 0x21) {
        if (uchar(file[at + 1]) == 0xF9) {
            const int length = uchar(file[at + 2]);
            // A block too short for the transparent index it flags: Qt's reader takes one
            // from beyond it.
            if (length > 0 && length < 4 && file[at + 3] & 1)
                return std::nullopt;
            transparent = length >= 4 && file[at + 3] & 1 ? uchar(file[at + 6]) : -1;
        }
        at += 2;
        while (file[at] != 0)
            at += 1 + uchar(file[at]);
        ++at;
    }
    const QRect frame(Little16(file, at + 1), Little16(file, at + 3), Little16(file, at + 5),
                      Little16(file, at + 7));
    const uchar frameFlags = uchar(file[at + 9]);
    const qsizetype codeSize = at + 10 + (frameFlags & 0x80 ? 3 * (2 << (frameFlags & 7)) : 0);
    const int screenWidth = Little16(file, 6);
    const int screenHeight = Little16(file, 8);
    const QRect screen(0, 0, screenWidth ? screenWidth : frame.right() + 1,
                       screenHeight ? screenHeight : frame.bottom() + 1);
    if (frameFlags & 0x40 &&
        (frame.height() == 3 || frame.height() == 4 || frame.bottom() > screen.bottom()))
        return QRect();
    if (DamagedCodes(file, codeSize, qint64(frame.width()) * frame.height()))
        return std::nullopt;
    if (frameFlags & 0x80 && flags & 0x80 && transparent < 0 && frame != screen)
        return frame;
    return screen;
}

bool SamePixels(const QImage& a, const QImage& b, QRect area) {
    if (a.size() != b.size())
        return false;
    area &= a.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((rowA[x] ^ rowB[x]) & 0x00FFFFFF)
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    QImage fresh;
    const bool decoded = platform::DecodeGif(file, Back, fresh);
    FuzzCheck(decoded != fresh.isNull(), "the result and the image disagree");

    // The same into an image of that size that holds other pixels.
    static QImage used;
    if (decoded && used.size() != fresh.size())
        used = QImage(fresh.size(), QImage::Format_RGB32);
    if (decoded)
        used.fill(0xFF123456u);
    QImage again = used;
    used = QImage(); // `again` is the only owner, so its memory is used
    FuzzCheck(platform::DecodeGif(file, Back, again) == decoded, "a second decoding disagrees");
    if (decoded) {
        FuzzCheck(again.format() == QImage::Format_RGB32, "not RGB32");
        FuzzCheck(again.width() <= platform::MaxPictureSide &&
                      again.height() <= platform::MaxPictureSide &&
                      qint64(again.width()) * again.height() <= platform::MaxPicturePixels,
                  "a picture over the limits");
        FuzzCheck(SamePixels(fresh, again, fresh.rect()),
                  "decoding into a used image changed the pixels");
        used = again;
    }

    const std::optional<QRect> comparable = decoded ? WhereQtIsRight(file) : std::nullopt;
    if (comparable) {
        const QImage qt = QtReading(file);
        FuzzCheck(!qt.isNull(), "accepted what Qt refuses");
        FuzzCheck(qt.size() == fresh.size(), "the size differs from Qt's");
        FuzzCheck(SamePixels(fresh, qt, *comparable), "pixels differ from Qt's");
    }
    return 0;
}
