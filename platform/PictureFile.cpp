#include "PictureFile.h"

#include <QColor>
#include <QImageReader>
#include <QPainter>
#include <algorithm>

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

// Palette pictures (1-bit and 8-bit bitmaps) by table lookup: Qt's general conversion
// takes several times as long, and line drawings are often stored this way.
QImage ExpandPalette(const QImage& picture) {
    const QList<QRgb> table = picture.colorTable();
    QRgb colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = i < table.size() ? table[i] | 0xFF000000u : 0xFF000000u;
    QImage result(picture.size(), QImage::Format_RGB32);
    if (result.isNull())
        return {};
    const int width = picture.width();
    const QImage::Format format = picture.format();
    for (int y = 0; y < picture.height(); ++y) {
        const uchar* from = picture.constScanLine(y);
        auto* to = reinterpret_cast<QRgb*>(result.scanLine(y));
        if (format == QImage::Format_Indexed8) {
            for (int x = 0; x < width; ++x)
                to[x] = colours[from[x]];
        } else {
            // Eight pixels a byte, the first in the high bit unless the order is LSB.
            const bool lsb = format == QImage::Format_MonoLSB;
            for (int x = 0; x < width; x += 8) {
                const uint8_t bits = from[x >> 3];
                const int count = std::min(8, width - x);
                for (int i = 0; i < count; ++i)
                    to[x + i] = colours[(bits >> (lsb ? i : 7 - i)) & 1];
            }
        }
    }
    return result;
}
} // namespace

QImage OverBackColour(const QImage& picture, uint32_t backColour) {
    if (picture.isNull())
        return {};
    const QColor back(int(backColour & 0xFF), int((backColour >> 8) & 0xFF),
                      int((backColour >> 16) & 0xFF));
    if (!picture.hasAlphaChannel()) {
        const QImage::Format format = picture.format();
        if (format == QImage::Format_Mono || format == QImage::Format_MonoLSB ||
            format == QImage::Format_Indexed8)
            return ExpandPalette(picture);
        return picture.convertToFormat(QImage::Format_RGB32);
    }
    QImage result(picture.size(), QImage::Format_RGB32);
    result.fill(back);
    QPainter painter(&result);
    painter.drawImage(0, 0, picture);
    return result;
}

QImage LoadPicture(const QString& path, uint32_t backColour) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxPictureSide || size.height() > MaxPictureSide ||
        qint64(size.width()) * size.height() > MaxPicturePixels)
        return {};
    const bool bitmap = reader.format() == "bmp";
    QImage picture = reader.read();
    if (picture.isNull())
        return {};
    // A 32-bit BMP whose header gives an alpha mask is drawn with its transparency, as a
    // GIF's transparent colour is: transparent is paper, not ink. Some writers give the
    // mask and leave every alpha byte 0; such a picture means its colours.
    if (bitmap && picture.hasAlphaChannel() && NothingOpaque(picture))
        return picture.convertToFormat(QImage::Format_RGB32);
    return OverBackColour(picture, backColour);
}

} // namespace platform
