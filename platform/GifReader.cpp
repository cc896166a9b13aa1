#include "GifReader.h"

#include "PictureFile.h"

#include <QImageReader>
#include <gif_lib.h>
#include <memory>
#include <vector>

namespace platform {
namespace {

// What an index past the colour table shows: white, or transparent in a picture that
// has a transparent colour.
constexpr QRgb PastTheTable = 0x00FFFFFF;
// A row buffer larger than this is given back after each picture.
constexpr size_t KeptRow = size_t(64) << 10;

// Whether a picture of this size may be loaded: the program's limits, and the memory limit
// of Qt's image readers, so that a GIF is refused where a picture of another format is.
bool WithinLimits(int width, int height) {
    const qint64 bytes = qint64(width) * height * 4;
    const qint64 readerLimit = qint64(QImageReader::allocationLimit()) << 20;
    return width <= MaxPictureSide && height <= MaxPictureSide &&
           qint64(width) * height <= MaxPicturePixels && (readerLimit == 0 || bytes <= readerLimit);
}

// giflib reads the file from memory through this.
struct Source {
    const GifByteType* at;
    const GifByteType* end;
};

int Read(GifFileType* gif, GifByteType* to, int count) {
    auto* source = static_cast<Source*>(gif->UserData);
    const int available = int(std::min<qint64>(count, source->end - source->at));
    std::copy(source->at, source->at + available, to);
    source->at += available;
    return available;
}

struct Close {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifFile = std::unique_ptr<GifFileType, Close>;

// The pixel for each index, as the picture box shows it. Without a table, `count`
// indices (the size the screen's flags give) are black.
void Colours(const ColorMapObject* table, int count, int transparent, uint32_t backColour,
             QRgb (&colours)[256]) {
    const QRgb back =
        0xFF000000u | (backColour & 0xFF) << 16 | (backColour & 0xFF00) | (backColour >> 16 & 0xFF);
    if (table)
        count = table->ColorCount;
    for (int i = 0; i < 256; ++i) {
        QRgb colour;
        if (i > count || (table && i == count))
            colour = PastTheTable;
        else if (!table)
            colour = 0; // no table at all: black, or transparent
        else
            colour = qRgb(table->Colors[i].Red, table->Colors[i].Green, table->Colors[i].Blue);
        if (i == transparent)
            colour &= 0x00FFFFFF;
        if (transparent >= 0)
            colours[i] = qAlpha(colour) == 0 ? back : colour;
        else
            colours[i] = colour | 0xFF000000u;
    }
}

// The frame row of each decoded row in turn.
int FrameRow(int row, int height, bool interlaced) {
    if (!interlaced)
        return row;
    static constexpr int Start[] = {0, 4, 2, 1};
    static constexpr int Step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int rows =
            height > Start[pass] ? (height - Start[pass] + Step[pass] - 1) / Step[pass] : 0;
        if (row < rows)
            return Start[pass] + row * Step[pass];
        row -= rows;
    }
    return -1;
}

// The graphic control's transparent index, -1 for none; false for a damaged extension.
bool ReadExtension(GifFileType* gif, int& transparent) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return false;
    if (code == GRAPHICS_EXT_FUNC_CODE) {
        // One block of four bytes: flags first, then the delay and the transparent index.
        if (!block || block[0] != 4)
            return false;
        transparent = block[1] & 1 ? block[4] : -1;
    } else if (code == APPLICATION_EXT_FUNC_CODE && !block) {
        return false; // application data begins with a block naming the application
    }
    while (block) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

bool Decode(QByteArrayView file, uint32_t backColour, QImage& picture,
            std::vector<GifPixelType>& line) {
    if (!IsGif(file))
        return false;
    Source source{reinterpret_cast<const GifByteType*>(file.data()),
                  reinterpret_cast<const GifByteType*>(file.data()) + file.size()};
    int error = 0;
    const GifFile gif(DGifOpen(&source, Read, &error));
    if (!gif)
        return false;
    int transparent = -1;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR)
            return false;
        if (record == EXTENSION_RECORD_TYPE) {
            if (!ReadExtension(gif.get(), transparent))
                return false;
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif.get()) == GIF_ERROR)
            return false; // the trailer or anything else before a picture
        break;
    }

    const GifImageDesc& frame = gif->Image;
    // A screen of no size is the picture's own extent. The picture must lie on the screen
    // and hold pixels.
    const int screenWidth = gif->SWidth ? gif->SWidth : frame.Left + frame.Width;
    const int screenHeight = gif->SHeight ? gif->SHeight : frame.Top + frame.Height;
    if (frame.Width <= 0 || frame.Height <= 0 || frame.Left < 0 || frame.Top < 0 ||
        frame.Left + frame.Width > screenWidth || frame.Top + frame.Height > screenHeight ||
        !WithinLimits(screenWidth, screenHeight))
        return false;

    if (picture.width() != screenWidth || picture.height() != screenHeight ||
        picture.format() != QImage::Format_RGB32 || !picture.isDetached())
        picture = QImage(screenWidth, screenHeight, QImage::Format_RGB32);
    if (picture.isNull())
        return false;
    QRgb colours[256];
    const ColorMapObject* table = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    // giflib keeps no table size when there is no table: it is in the screen's flags.
    const int screenFlags = uchar(file[10]);
    Colours(table, 2 << (screenFlags & 7), transparent, backColour, colours);

    // Where the picture does not cover the screen: the transparent colour, else the
    // screen's background colour (an index into the global table), else black.
    if (frame.Left != 0 || frame.Top != 0 || frame.Width != screenWidth ||
        frame.Height != screenHeight) {
        QRgb fill = 0xFF000000u;
        if (transparent >= 0) {
            fill = colours[transparent];
        } else if (gif->SColorMap) {
            QRgb screenColours[256];
            Colours(gif->SColorMap, 0, -1, backColour, screenColours);
            fill = screenColours[gif->SBackGroundColor & 0xFF];
        }
        picture.fill(fill);
    }
    line.resize(size_t(frame.Width));
    for (int row = 0; row < frame.Height; ++row) {
        if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR)
            return false;
        QRgb* to = reinterpret_cast<QRgb*>(
                       picture.scanLine(frame.Top + FrameRow(row, frame.Height, frame.Interlace))) +
                   frame.Left;
        for (int x = 0; x < frame.Width; ++x)
            to[x] = colours[line[size_t(x)]];
    }
    return true;
}

} // namespace

bool IsGif(QByteArrayView file) {
    return file.startsWith("GIF87a") || file.startsWith("GIF89a");
}

bool DecodeGif(QByteArrayView file, uint32_t backColour, QImage& picture) {
    thread_local std::vector<GifPixelType> line;
    const bool decoded = Decode(file, backColour, picture, line);
    if (line.capacity() > KeptRow)
        std::vector<GifPixelType>().swap(line);
    if (!decoded)
        picture = QImage();
    return decoded;
}

} // namespace platform
