#include "BitmapFile.h"

#include <algorithm>
#include <cstdlib>

namespace platform {
namespace {

constexpr qint64 FileHeaderSize = 14;
// The oldest header: 16-bit sizes, no compression, three bytes a colour. Qt's reader takes
// a header of any size but those below in this layout.
constexpr quint32 CoreHeaderSize = 12;
// Headers with 32-bit sizes.
constexpr quint32 WideHeaderSizes[] = {40, 64, 108, 124};
// Rows stored as they are: plain, or with colour masks.
constexpr quint32 Plain = 0;
constexpr quint32 Masks = 3;
constexpr quint32 AlphaMasks = 6;
// The colour masks that follow the plain header, where it has no room for them.
constexpr quint32 PlainHeaderSize = 40;
constexpr qint64 MaskBytes = 12;
constexpr qint64 AlphaMaskBytes = 16;
// Far beyond any picture the loader takes, and small enough that no product overflows.
constexpr qint64 MeasuredSide = qint64(1) << 24;

quint32 Little(QByteArrayView bytes, qsizetype at, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | uchar(bytes[at + i]);
    return value;
}

} // namespace

bool BitmapCutShort(QByteArrayView head, qint64 fileSize) {
    if (head.size() < FileHeaderSize + 4)
        return false;
    const qint64 offset = Little(head, 10, 4);
    const quint32 headerSize = Little(head, 14, 4);
    qint64 width = 0;
    qint64 height = 0;
    quint32 bits = 0;
    quint32 compression = Plain;
    qint64 colours = 0;
    qint64 colourBytes = 4;
    qint64 headerEnd = FileHeaderSize + headerSize;
    const bool wide = std::find(std::begin(WideHeaderSizes), std::end(WideHeaderSizes),
                                headerSize) != std::end(WideHeaderSizes);
    if (wide && head.size() >= 50) {
        width = qint32(Little(head, 18, 4));
        height = std::abs(qint64(qint32(Little(head, 22, 4))));
        bits = Little(head, 28, 2);
        compression = Little(head, 30, 4);
        colours = Little(head, 46, 4);
    } else if (!wide && head.size() >= 26) {
        width = qint16(Little(head, 18, 2));
        height = std::abs(qint64(qint16(Little(head, 20, 2))));
        bits = Little(head, 24, 2);
        headerEnd = FileHeaderSize + CoreHeaderSize;
        if (headerSize == CoreHeaderSize)
            colourBytes = 3;
    } else {
        return false;
    }
    if (compression != Plain && compression != Masks && compression != AlphaMasks)
        return false;
    if (width <= 0 || width > MeasuredSide || height > MeasuredSide || bits == 0 || bits > 32)
        return false;
    // Qt's reader takes the rows from the header's offset, or from the end of the colour
    // table and masks where those reach further.
    qint64 tableEnd = headerEnd;
    if (bits <= 8)
        tableEnd += std::min<qint64>(colours ? colours : qint64(1) << bits, 256) * colourBytes;
    if (headerSize == PlainHeaderSize && compression == Masks)
        tableEnd += MaskBytes;
    if (headerSize == PlainHeaderSize && compression == AlphaMasks)
        tableEnd += AlphaMaskBytes;
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    const qint64 rowsStart = std::max(offset, tableEnd);
    return fileSize - rowsStart < rowBytes * height;
}

} // namespace platform
