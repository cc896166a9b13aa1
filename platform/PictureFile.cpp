#include "PictureFile.h"

#include <QColor>
#include <QImageReader>
#include <QPainter>

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

} // namespace

QImage OverBackColour(const QImage& picture, uint32_t backColour) {
    if (picture.isNull())
        return {};
    const QColor back(int(backColour & 0xFF), int((backColour >> 8) & 0xFF),
                      int((backColour >> 16) & 0xFF));
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_RGB32);
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
