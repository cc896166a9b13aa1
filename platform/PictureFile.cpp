#include "PictureFile.h"

#include <QColor>
#include <QImageReader>
#include <QPainter>

namespace platform {

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
    QImage picture = reader.read();
    if (picture.isNull())
        return {};
    // Some writers mark a 32-bit BMP's fourth byte as alpha; Qt honours it, as the drawing
    // layers must: transparent is paper, not ink.
    return OverBackColour(picture, backColour);
}

} // namespace platform
