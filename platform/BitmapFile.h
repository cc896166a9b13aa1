#pragma once

#include <QByteArrayView>
#include <QtGlobal>

namespace platform {

// Whether a BMP file of `fileSize` bytes, which begins with `head` (its first 54 bytes or
// all of a shorter file), ends before the last of the pixel rows its header gives. Qt's
// reader takes such a file and leaves the missing rows as whatever the memory held, so
// the loader refuses it as damaged. False when the rows cannot be measured: compressed
// rows, or a header too damaged for Qt's reader to take at all.
bool BitmapCutShort(QByteArrayView head, qint64 fileSize);

} // namespace platform
