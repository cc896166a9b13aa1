#include "Thumbnail.h"

#include "CaseInsensitivePath.h"
#include "DeviceContext.h"
#include "PictureFile.h"
#include "cNDib.h"

#include <QSaveFile>

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
    // Written whole or not at all, so a reader never meets half a thumbnail.
    QSaveFile file(thumbnail);
    if (!file.open(QIODevice::WriteOnly) || !square.save(&file, "BMP") || !file.commit())
        return {};
    return square;
}

bool Make(const QString& picture, const QString& thumbnail) {
    return !Create(platform::ResolvePath(picture), platform::ResolvePath(thumbnail)).isNull();
}

} // namespace Thumbnail
