#include "GifReader.h"

#include "PictureFile.h"

#include <QBuffer>
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

// giflib reads the file through this, a chunk at a time, so that only the blocks up to
// the end of the first picture are read, however long the file. Past the file's end it
// reads a block terminator and the trailer: a file missing only those reads whole when
// every pixel is present, while pixel data that is cut short still meets an empty block
// or the end, which giflib refuses.
class Source {
public:
    explicit Source(QIODevice& file) : file_(file) {}

    int Read(GifByteType* to, int count) {
        int given = 0;
        while (given < count) {
            if (at_ == end_ && !Refill())
                break;
            const int part = std::min(count - given, end_ - at_);
            std::copy(chunk_ + at_, chunk_ + at_ + part, to + given);
            at_ += part;
            given += part;
        }
        for (; given < count && tail_ < int(sizeof Tail); ++given)
            to[given] = Tail[tail_++];
        return given;
    }

private:
    static constexpr GifByteType Tail[] = {0x00, 0x3B};

    bool Refill() {
        if (ended_)
            return false;
        const qint64 read = file_.read(reinterpret_cast<char*>(chunk_), sizeof chunk_);
        ended_ = read <= 0;
        at_ = 0;
        end_ = ended_ ? 0 : int(read);
        return !ended_;
    }

    QIODevice& file_;
    GifByteType chunk_[16384];
    int at_ = 0;
    int end_ = 0;
    bool ended_ = false;
    int tail_ = 0;
};

int Read(GifFileType* gif, GifByteType* to, int count) {
    return static_cast<Source*>(gif->UserData)->Read(to, count);
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
// A control block of fewer than four bytes holds no transparent colour.
bool ReadExtension(GifFileType* gif, int& transparent) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return false;
    if (code == GRAPHICS_EXT_FUNC_CODE) {
        // Flags first, then the delay and the transparent index.
        transparent = block && block[0] >= 4 && block[1] & 1 ? block[4] : -1;
    } else if (code == APPLICATION_EXT_FUNC_CODE && !block) {
        return false; // application data begins with a block naming the application
    }
    while (block) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

bool Decode(QIODevice& file, uint32_t backColour, QImage& picture,
            std::vector<GifPixelType>& line) {
    const QByteArray head = file.peek(11);
    if (!IsGif(head) || head.size() < 11)
        return false;
    Source source(file);
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
    // A screen of no size is the picture's own extent. The picture is clipped to the
    // screen; both must hold pixels and keep within the limits, the picture's pixels
    // being decoded whether they show or not.
    const int screenWidth = gif->SWidth ? gif->SWidth : frame.Left + frame.Width;
    const int screenHeight = gif->SHeight ? gif->SHeight : frame.Top + frame.Height;
    if (frame.Width <= 0 || frame.Height <= 0 || frame.Left < 0 || frame.Top < 0 ||
        qint64(frame.Width) * frame.Height > MaxPicturePixels ||
        !WithinLimits(screenWidth, screenHeight))
        return false;
    const QRect shown = QRect(frame.Left, frame.Top, frame.Width, frame.Height) &
                        QRect(0, 0, screenWidth, screenHeight);

    if (picture.width() != screenWidth || picture.height() != screenHeight ||
        picture.format() != QImage::Format_RGB32 || !picture.isDetached())
        picture = QImage(screenWidth, screenHeight, QImage::Format_RGB32);
    if (picture.isNull())
        return false;
    QRgb colours[256];
    const ColorMapObject* table = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    // giflib keeps no table size when there is no table: it is in the screen's flags.
    const int screenFlags = uchar(head[10]);
    Colours(table, 2 << (screenFlags & 7), transparent, backColour, colours);

    // Where the picture does not cover the screen: the transparent colour, else the
    // screen's background colour (an index into the global table), else black.
    if (shown != picture.rect()) {
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
        const int y = frame.Top + FrameRow(row, frame.Height, frame.Interlace);
        if (y > shown.bottom() || shown.isEmpty())
            continue;
        QRgb* to = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = shown.left(); x <= shown.right(); ++x)
            to[x] = colours[line[size_t(x - frame.Left)]];
    }
    return true;
}

} // namespace

bool IsGif(QByteArrayView file) {
    return file.startsWith("GIF87a") || file.startsWith("GIF89a");
}

bool DecodeGif(QByteArrayView file, uint32_t backColour, QImage& picture) {
    QByteArray bytes = QByteArray::fromRawData(file.data(), file.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return DecodeGif(buffer, backColour, picture);
}

bool DecodeGif(QIODevice& file, uint32_t backColour, QImage& picture) {
    thread_local std::vector<GifPixelType> line;
    const bool decoded = Decode(file, backColour, picture, line);
    if (line.capacity() > KeptRow)
        std::vector<GifPixelType>().swap(line);
    if (!decoded)
        picture = QImage();
    return decoded;
}

} // namespace platform
