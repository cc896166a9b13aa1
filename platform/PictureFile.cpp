#include "PictureFile.h"

#include "BitmapFile.h"
#include "GifReader.h"
#include "JpegReader.h"
#include "RegularFile.h"

#include <QColor>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cstring>

namespace platform {
namespace {

// Whether every pixel is fully transparent.
bool NothingOpaque(const QImage& picture) {
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(row[x]) != 0)
                return false;
        }
    }
    return true;
}

// An RGB32 image of the size given, in `image`'s own memory when that fits and is shared
// with no other image.
bool ReuseOrMake(QImage& image, QSize size) {
    if (image.size() == size && image.format() == QImage::Format_RGB32 && image.isDetached())
        return true;
    image = QImage(size, QImage::Format_RGB32);
    return !image.isNull();
}

// Palette pictures (1-bit and 8-bit bitmaps) by table lookup: Qt's general conversion
// takes several times as long, and line drawings are often stored this way.
bool ExpandPalette(const QImage& picture, QImage& result) {
    const QList<QRgb> table = picture.colorTable();
    QRgb colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = i < table.size() ? table[i] | 0xFF000000u : 0xFF000000u;
    if (!ReuseOrMake(result, picture.size()))
        return false;
    const int width = picture.width();
    const QImage::Format format = picture.format();
    uchar* const bits = result.bits();
    const qsizetype rowBytes = result.bytesPerLine();
    if (format == QImage::Format_Indexed8) {
        for (int y = 0; y < picture.height(); ++y) {
            const uchar* from = picture.constScanLine(y);
            auto* to = reinterpret_cast<QRgb*>(bits + y * rowBytes);
            for (int x = 0; x < width; ++x)
                to[x] = colours[from[x]];
        }
        return true;
    }
    // Eight pixels a byte, the first in the high bit unless the order is LSB: each byte's
    // eight pixels come ready from a table.
    const bool lsb = format == QImage::Format_MonoLSB;
    QRgb eights[256][8];
    for (int byte = 0; byte < 256; ++byte) {
        for (int i = 0; i < 8; ++i)
            eights[byte][i] = colours[(byte >> (lsb ? i : 7 - i)) & 1];
    }
    for (int y = 0; y < picture.height(); ++y) {
        const uchar* from = picture.constScanLine(y);
        auto* to = reinterpret_cast<QRgb*>(bits + y * rowBytes);
        int x = 0;
        for (; x + 8 <= width; x += 8)
            std::memcpy(to + x, eights[from[x >> 3]], sizeof eights[0]);
        if (x < width)
            std::memcpy(to + x, eights[from[x >> 3]], size_t(width - x) * 4);
    }
    return true;
}

bool OverBackColour(const QImage& picture, uint32_t backColour, QImage& result) {
    if (picture.isNull())
        return false;
    if (!picture.hasAlphaChannel()) {
        const QImage::Format format = picture.format();
        if (format == QImage::Format_Mono || format == QImage::Format_MonoLSB ||
            format == QImage::Format_Indexed8)
            return ExpandPalette(picture, result);
        result = picture.convertToFormat(QImage::Format_RGB32);
        return !result.isNull();
    }
    if (!ReuseOrMake(result, picture.size()))
        return false;
    result.fill(QColor(int(backColour & 0xFF), int((backColour >> 8) & 0xFF),
                       int((backColour >> 16) & 0xFF)));
    QPainter painter(&result);
    painter.drawImage(0, 0, picture);
    return true;
}

} // namespace

QImage OverBackColour(const QImage& picture, uint32_t backColour) {
    QImage result;
    OverBackColour(picture, backColour, result);
    return result;
}

QImage LoadPicture(const QString& path, uint32_t backColour) {
    QImage picture;
    if (!LoadPicture(path, backColour, picture))
        return {};
    return picture;
}

bool LoadPicture(const QString& path, uint32_t backColour, QImage& picture) {
    QFile file;
    if (!OpenRegularFile(path, file))
        return false;
    // GIF files through giflib: the first picture straight into its colours, its size
    // checked before memory is taken, into the caller's memory.
    if (IsGif(file.peek(6)))
        return DecodeGif(file, backColour, picture);
    // JPEG files through libjpeg, which refuses a file cut short or corrupt where Qt's
    // reader only warns and makes up the missing pixels.
    if (IsJpeg(file.peek(2)))
        return DecodeJpeg(file, picture);
    const QByteArray head = file.peek(54);
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxPictureSide || size.height() > MaxPictureSide ||
        qint64(size.width()) * size.height() > MaxPicturePixels)
        return false;
    const bool bitmap = reader.format() == "bmp";
    if (bitmap && BitmapCutShort(head, file.size()))
        return false;
    const QImage read = reader.read();
    if (read.isNull())
        return false;
    // A 32-bit BMP whose header gives an alpha mask is drawn with its transparency, as a
    // GIF's transparent colour is: transparent is paper, not ink. Some writers give the
    // mask and leave every alpha byte 0; such a picture means its colours.
    if (bitmap && read.hasAlphaChannel() && NothingOpaque(read)) {
        picture = read.convertToFormat(QImage::Format_RGB32);
        return !picture.isNull();
    }
    return OverBackColour(read, backColour, picture);
}

} // namespace platform
