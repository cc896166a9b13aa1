#pragma once

#include <QByteArrayView>

namespace platform {

// Whether the bytes begin as a JPEG file does and end before its end-of-image marker, in
// a segment or in the compressed data of a scan. Qt's reader takes such a file and shows
// what is missing as grey, so a reader that must know a file is whole asks this. False
// for any other file, and for one whose markers are too damaged to be followed.
bool JpegCutShort(QByteArrayView file);

} // namespace platform
