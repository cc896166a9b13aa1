#include "JpegFile.h"

namespace platform {
namespace {
constexpr uchar Mark = 0xFF;
constexpr uchar StartOfImage = 0xD8;
constexpr uchar EndOfImage = 0xD9;
constexpr uchar StartOfScan = 0xDA;

// Markers that stand alone, without a length: the restart markers and TEM.
bool StandsAlone(uchar marker) {
    return (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01;
}

// Where the marker after a scan's compressed data begins (its 0xFF), or the end of the
// bytes. In the data a 0xFF is followed by 0x00, or by a restart marker.
qsizetype EndOfScanData(QByteArrayView file, qsizetype at) {
    for (; at + 1 < file.size(); ++at) {
        if (uchar(file[at]) != Mark)
            continue;
        const uchar next = uchar(file[at + 1]);
        if (next != 0x00 && next != Mark && !(next >= 0xD0 && next <= 0xD7))
            return at;
    }
    return file.size();
}
} // namespace

bool JpegCutShort(QByteArrayView file) {
    if (file.size() < 2 || uchar(file[0]) != Mark || uchar(file[1]) != StartOfImage)
        return false;
    qsizetype at = 2;
    for (;;) {
        if (at >= file.size())
            return true;
        if (uchar(file[at]) != Mark)
            return false;
        // Any number of 0xFF may stand before a marker's code.
        while (at < file.size() && uchar(file[at]) == Mark)
            ++at;
        if (at >= file.size())
            return true;
        const uchar marker = uchar(file[at++]);
        if (marker == EndOfImage)
            return false;
        if (StandsAlone(marker))
            continue;
        if (at + 2 > file.size())
            return true;
        const qsizetype length = qsizetype(uchar(file[at])) << 8 | uchar(file[at + 1]);
        if (length < 2)
            return false;
        at += length;
        if (at > file.size())
            return true;
        if (marker == StartOfScan)
            at = EndOfScanData(file, at);
    }
}

} // namespace platform
