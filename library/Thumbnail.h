#pragma once

#include <QImage>
#include <QString>

namespace Thumbnail {

constexpr int Size = 100;

// A white 100 x 100 square with the whole picture fitted into it, aspect ratio kept and
// centred. Null for a null picture.
QImage Render(const QImage& picture);

// Makes the thumbnail of a picture file and caches it as a BMP under `thumbnail`; both
// paths are taken as they lie on disk. Returns the thumbnail, also when the cache file
// cannot be written (a read-only folder, a full disk, a name too long to exist): `cached`
// then tells false. A null image when the picture cannot be loaded.
QImage Create(const QString& picture, const QString& thumbnail, bool* cached = nullptr);

// The same for paths whose names may differ in letter case from those on disk. False
// when the picture cannot be loaded or the file cannot be written.
bool Make(const QString& picture, const QString& thumbnail);

} // namespace Thumbnail
