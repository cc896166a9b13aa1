#include "Thumbnail.h"

#include "CaseInsensitivePath.h"
#include "PictureBox.h"
#include "PictureFile.h"
#include "cNDib.h"

#include <QImage>
#include <QSaveFile>

namespace Thumbnail {

bool Make(const QString& picture, const QString& thumbnail) {
    const QImage loaded = platform::LoadPicture(platform::ResolvePath(picture));
    if (loaded.isNull())
        return false;

    platform::PictureBox box;
    box.AutoSize = true;
    box.SetPicture(loaded);
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
