#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QImage>

namespace platform {

// Whether the bytes begin as a JPEG file does (the start-of-image marker).
bool IsJpeg(QByteArrayView file);

// Decodes a JPEG file read from its current place, through libjpeg, into an RGB32 image:
// the pixels Qt's reader gives for a sound file (grey, colour and CMYK pictures, baseline
// or progressive). `picture`'s memory is used again when it has the picture's size, is
// RGB32 and is shared with no other image.
//
// False, and `picture` null, for a file the decoder finds damaged, and also for one it
// would only warn about: data that ends before the picture is whole (a cut download
// shows as flat grey) or that is corrupt on the way. Also for a picture larger than the
// program's limits, refused before memory is taken for it.
bool DecodeJpeg(QIODevice& file, QImage& picture);

} // namespace platform
