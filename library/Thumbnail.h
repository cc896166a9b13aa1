#pragma once

#include <QString>

namespace Thumbnail {

constexpr int Size = 100;

// Makes the thumbnail of a picture file: a white 100 x 100 square with the whole picture
// fitted into it, aspect ratio kept and centred, saved as a BMP under `thumbnail`. False
// when the picture cannot be loaded or the file cannot be written.
bool Make(const QString& picture, const QString& thumbnail);

} // namespace Thumbnail
