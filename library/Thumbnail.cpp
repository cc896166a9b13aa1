#include "Thumbnail.h"

#include "CaseInsensitivePath.h"
#include "PictureFile.h"
#include "SmoothScale.h"
#include "cNDib.h"

#include <QBuffer>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace Thumbnail {
namespace {

// A loaded picture larger than this is not kept for the next one.
constexpr qsizetype KeptPictureBytes = qsizetype(16) << 20;

// The bytes written whole under `path` or not at all, so that a reader never meets half
// a thumbnail: a file of its own first, in one write, then renamed over the name. A cache
// needs no flush to the disk.
bool WriteWhole(const QString& path, const QByteArray& bytes) {
    const QByteArray name = QFile::encodeName(path);
    const QByteArray part = name + ".part";
    const int fd = ::open(part.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        data += written;
        left -= written;
    }
    const bool closed = ::close(fd) == 0;
    if (left > 0 || !closed || std::rename(part.constData(), name.constData()) != 0) {
        ::unlink(part.constData());
        return false;
    }
    return true;
}

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

QImage Create(const QString& picture, const QString& thumbnail) {
    // One picture buffer for all thumbnails made in a row: the pictures of a book mostly
    // share a size, and fresh memory of that size costs a page fault per page.
    thread_local QImage loaded;
    const bool ok = platform::LoadPicture(picture, 0xFFFFFF, loaded);
    const QImage square = ok ? Render(loaded) : QImage();
    if (!ok || loaded.sizeInBytes() > KeptPictureBytes)
        loaded = QImage();
    if (square.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !square.save(&buffer, "BMP") ||
        !WriteWhole(thumbnail, bytes))
        return {};
    return square;
}

bool Make(const QString& picture, const QString& thumbnail) {
    return !Create(platform::ResolvePath(picture), platform::ResolvePath(thumbnail)).isNull();
}

} // namespace Thumbnail
