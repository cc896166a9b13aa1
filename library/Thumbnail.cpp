#include "Thumbnail.h"

#include "CaseInsensitivePath.h"
#include "DeviceContext.h"
#include "PictureFile.h"
#include "cNDib.h"

#include <QBuffer>
#include <QFile>
#include <cstdio>

namespace Thumbnail {

QImage Render(const QImage& picture) {
    cNDib dib;
    if (!dib.Make_From_Image(picture))
        return {};
    QImage square(Size, Size, QImage::Format_RGB32);
    square.fill(Qt::white);
    platform::DeviceContext dc(&square);
    dib.Set_dib_Fit(&dc, 0, 0, Size, Size);
    return square;
}

QImage Create(const QString& picture, const QString& thumbnail) {
    const QImage square = Render(platform::LoadPicture(picture));
    if (square.isNull())
        return {};
    // Written whole or not at all, so a reader never meets half a thumbnail: a file of
    // its own first, then renamed over the name. A cache needs no flush to the disk.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !square.save(&buffer, "BMP"))
        return {};
    const QString part = thumbnail + QStringLiteral(".part");
    QFile file(part);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    file.close();
    if (!written || std::rename(QFile::encodeName(part).constData(),
                                QFile::encodeName(thumbnail).constData()) != 0) {
        QFile::remove(part);
        return {};
    }
    return square;
}

bool Make(const QString& picture, const QString& thumbnail) {
    return !Create(platform::ResolvePath(picture), platform::ResolvePath(thumbnail)).isNull();
}

} // namespace Thumbnail
