#include "Thumbnail.h"

#include "CaseInsensitivePath.h"
#include "PictureBox.h"
#include "cNDib.h"

#include <QImage>
#include <QImageReader>
#include <QSaveFile>

namespace Thumbnail {

bool Make(const QString& picture, const QString& thumbnail) {
    QImageReader reader(platform::ResolvePath(picture));
    const QImage loaded = reader.read();
    if (loaded.isNull())
        return false;

    platform::PictureBox box;
    box.AutoSize = true;
    box.SetPicture(loaded.convertToFormat(QImage::Format_RGB32));
    cNDib dib;
    if (!dib.Make_From_Picture(box))
        return false;

    box.AutoSize = false;
    box.SetPicture(QImage());
    box.resize(Size, Size);
    box.Cls();
    dib.Set_dib_Fit(box.hDC(), 0, 0, Size, Size);
    // Written whole or not at all, so a reader never meets half a thumbnail.
    QSaveFile file(platform::ResolvePath(thumbnail));
    return file.open(QIODevice::WriteOnly) && box.Image().save(&file, "BMP") && file.commit();
}

} // namespace Thumbnail
