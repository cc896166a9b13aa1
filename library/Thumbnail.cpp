#include "Thumbnail.h"

#include "CaseInsensitivePath.h"
#include "PictureFile.h"
#include "SmoothScale.h"
#include "WholeFile.h"
#include "cNDib.h"

#include <QBuffer>
#include <cstring>

namespace Thumbnail {
namespace {
// A loaded picture larger than this is not kept for the next one.
constexpr qsizetype KeptPictureBytes = qsizetype(16) << 20;
} // namespace

QImage Render(const QImage& picture) {
    if (picture.isNull())
        return {};
    // The picture's colour bits as they are: an alpha channel plays no part.
    QImage source = picture;
    if (picture.format() == QImage::Format_ARGB32)
        source = QImage(picture.constBits(), picture.width(), picture.height(),
                        picture.bytesPerLine(), QImage::Format_RGB32);
    else if (picture.format() != QImage::Format_RGB32)
        source = picture.convertToFormat(QImage::Format_RGB32);
    if (source.isNull())
        return {};

    QImage square(Size, Size, QImage::Format_RGB32);
    square.fill(Qt::white);
    const cNDib::Area area = cNDib::FitArea(source.width(), source.height(), 0, 0, Size, Size);
    if (area.Width <= 0 || area.Height <= 0)
        return square; // too thin to show
    // The area-averaged scale the chooser's halftone stretch makes, or the picture itself
    // when it already has the area's size.
    const QSize size(int(area.Width), int(area.Height));
    const QImage fitted = source.size() == size ? source : platform::SmoothScaled(source, size);
    const QRect target = QRect(QPoint(int(area.Left), int(area.Top)), size) & square.rect();
    for (int y = target.top(); y <= target.bottom(); ++y)
        std::memcpy(square.scanLine(y) + target.left() * 4,
                    fitted.constScanLine(y - int(area.Top)) + (target.left() - area.Left) * 4,
                    size_t(target.width()) * 4);
    return square;
}

QImage Create(const QString& picture, const QString& thumbnail, bool* cached) {
    // One picture buffer for all thumbnails made in a row: the pictures of a book mostly
    // share a size, and fresh memory of that size costs a page fault per page.
    thread_local QImage loaded;
    const bool ok = platform::LoadPicture(picture, 0xFFFFFF, loaded);
    const QImage square = ok ? Render(loaded) : QImage();
    if (!ok || loaded.sizeInBytes() > KeptPictureBytes)
        loaded = QImage();
    if (square.isNull())
        return {};
    // Written whole or not at all, so that a reader never meets half a thumbnail.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    const bool written = buffer.open(QIODevice::WriteOnly) && square.save(&buffer, "BMP") &&
                         platform::WriteWholeFile(thumbnail, bytes, platform::Durability::Cache);
    if (cached)
        *cached = written;
    return square;
}

bool Make(const QString& picture, const QString& thumbnail) {
    bool cached = false;
    Create(platform::ResolvePath(picture), platform::ResolvePath(thumbnail), &cached);
    return cached;
}

} // namespace Thumbnail
