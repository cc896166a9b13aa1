#include "GifDecoder.h"

#include "PictureFile.h"

#include <QImageReader>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace platform {
namespace {

constexpr int MaxCodeBits = 12;
constexpr int TableSize = 1 << MaxCodeBits;
// What an index past the colour table shows: white, or transparent in a picture that
// has a transparent colour.
constexpr QRgb PastTheTable = 0x00FFFFFF;
// Scratch buffers larger than this are given back after each picture.
constexpr size_t KeptScratch = size_t(4) << 20;

// The file front to back; every read checks that its bytes are there.
class Reader {
public:
    explicit Reader(QByteArrayView bytes)
        : at_(reinterpret_cast<const uint8_t*>(bytes.data())), end_(at_ + bytes.size()) {}

    const uint8_t* Take(size_t count) {
        if (size_t(end_ - at_) < count)
            return nullptr;
        const uint8_t* taken = at_;
        at_ += count;
        return taken;
    }
    int Byte() { return at_ < end_ ? *at_++ : -1; }
    int Peek() const { return at_ < end_ ? *at_ : -1; }

    // Skips a chain of data blocks up to its empty block, or gathers their bytes.
    bool Blocks(std::vector<uint8_t>* gathered) {
        for (;;) {
            const int size = Byte();
            if (size < 0)
                return false;
            if (size == 0)
                return true;
            const uint8_t* data = Take(size_t(size));
            if (!data)
                return false;
            if (gathered)
                gathered->insert(gathered->end(), data, data + size);
        }
    }

private:
    const uint8_t* at_;
    const uint8_t* end_;
};

// Whether a picture of this size may be loaded: the program's limits, and the memory limit
// of Qt's image readers, so that a GIF is refused where a picture of another format is.
bool WithinLimits(int width, int height) {
    const qint64 bytes = qint64(width) * height * 4;
    const qint64 readerLimit = qint64(QImageReader::allocationLimit()) << 20;
    return width <= MaxPictureSide && height <= MaxPictureSide &&
           qint64(width) * height <= MaxPicturePixels && (readerLimit == 0 || bytes <= readerLimit);
}

int Little16(const uint8_t* bytes) {
    return bytes[0] | bytes[1] << 8;
}

// A colour table: its entries (three bytes each) and their number.
struct Table {
    const uint8_t* colours = nullptr;
    int count = 0;
};

struct Frame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlaced = false;
};

// The LZW codes of a picture's pixel data into exactly `total` pixels: `literal` gives the
// pixel of each plain index (palette indices themselves, or their colours). Each table
// entry is a run of pixels already written, kept as its place and length, so a code is one
// copy. Every code is checked against the table, and a code whose pixels would run past
// the picture's end is refused like a code past the table: the file is damaged.
template <typename Pixel>
bool Expand(const std::vector<uint8_t>& data, int minimumSize, const Pixel* literal, Pixel* out,
            size_t total) {
    if (minimumSize < 1 || minimumSize > 8)
        return false;
    const int clear = 1 << minimumSize;
    const int end = clear + 1;
    std::array<uint32_t, TableSize> place;
    std::array<uint16_t, TableSize> length;
    int codeSize = minimumSize + 1;
    int next = clear + 2;
    int previous = -1; // no code since the last clear
    size_t previousAt = 0;
    size_t previousLength = 0;
    size_t written = 0;
    uint64_t bits = 0;
    int bitCount = 0;
    size_t in = 0;
    for (;;) {
        while (bitCount < codeSize) {
            if (in == data.size())
                return written == total; // the data end without an end code
            bits |= uint64_t(data[in++]) << bitCount;
            bitCount += 8;
        }
        const int code = int(bits & ((1u << codeSize) - 1));
        bits >>= codeSize;
        bitCount -= codeSize;
        if (code == clear) {
            codeSize = minimumSize + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code == end)
            return written == total;
        const size_t at = written;
        size_t runLength;
        if (code < clear) {
            runLength = 1;
        } else if (previous < 0 || code > next) {
            return false; // a table code right after a clear, or a code past the table
        } else {
            // A table entry, or the one about to be made: the previous run and its own
            // first pixel.
            runLength = code < next ? length[size_t(code)] : previousLength + 1;
        }
        if (runLength > total - at)
            return false;
        if (code < clear) {
            out[at] = literal[code];
        } else if (code < next) {
            // The run lies wholly before `at`.
            std::memcpy(out + at, out + place[size_t(code)], runLength * sizeof(Pixel));
        } else {
            std::memcpy(out + at, out + previousAt, previousLength * sizeof(Pixel));
            out[at + previousLength] = out[previousAt];
        }
        if (previous >= 0 && next < TableSize) {
            place[size_t(next)] = uint32_t(previousAt);
            length[size_t(next)] = uint16_t(previousLength + 1);
            // The code size grows once the table has filled it (right after the first
            // entry for a code size of 1, whose table starts full).
            if (++next >= 1 << codeSize && codeSize < MaxCodeBits)
                ++codeSize;
        }
        previous = code;
        previousAt = at;
        previousLength = runLength;
        written = at + runLength;
    }
}

// The frame row that the decoded row `row` belongs to, for every decoded row in order.
void RowOrder(const Frame& frame, std::vector<int>& rows) {
    rows.clear();
    if (!frame.interlaced) {
        for (int y = 0; y < frame.height; ++y)
            rows.push_back(y);
        return;
    }
    static constexpr int Start[] = {0, 4, 2, 1};
    static constexpr int Step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = Start[pass]; y < frame.height; y += Step[pass])
            rows.push_back(y);
    }
}

// The pixel for each index, as the picture box shows it.
void Colours(const Table& table, int transparent, uint32_t backColour, QRgb (&colours)[256]) {
    const QRgb back =
        0xFF000000u | (backColour & 0xFF) << 16 | (backColour & 0xFF00) | (backColour >> 16 & 0xFF);
    for (int i = 0; i < 256; ++i) {
        QRgb colour;
        if (i > table.count)
            colour = PastTheTable;
        else if (!table.colours)
            colour = 0; // no table at all: black, or transparent
        else if (i == table.count)
            colour = PastTheTable;
        else
            colour = qRgb(table.colours[3 * i], table.colours[3 * i + 1], table.colours[3 * i + 2]);
        if (i == transparent)
            colour &= 0x00FFFFFF;
        if (transparent >= 0)
            colours[i] = qAlpha(colour) == 0 ? back : colour;
        else
            colours[i] = colour | 0xFF000000u;
    }
}

// Scratch memory kept between pictures, so that decoding many files of one size touches
// no fresh pages.
struct Scratch {
    std::vector<uint8_t> data;
    std::vector<uint8_t> indices;
    std::vector<int> rows;

    void Trim() {
        if (data.capacity() > KeptScratch)
            std::vector<uint8_t>().swap(data);
        if (indices.capacity() > KeptScratch)
            std::vector<uint8_t>().swap(indices);
    }
};

bool Decode(QByteArrayView file, uint32_t backColour, QImage& picture, Scratch& scratch) {
    if (!IsGif(file))
        return false;
    Reader reader(file);
    const uint8_t* screen = reader.Take(13);
    if (!screen)
        return false;
    int screenWidth = Little16(screen + 6);
    int screenHeight = Little16(screen + 8);
    const uint8_t flags = screen[10];
    Table global;
    global.count = 2 << (flags & 7);
    int background = -1;
    if (flags & 0x80) {
        global.colours = reader.Take(size_t(3 * global.count));
        if (!global.colours)
            return false;
        background = screen[11];
    }

    int transparent = -1;
    for (;;) {
        const int introducer = reader.Byte();
        if (introducer == 0x21) {
            const int label = reader.Byte(); // at the end of the file, the blocks fail
            if (label == 0xF9) {
                // Graphic control: one block of four bytes, flags first, then the delay
                // and the transparent index.
                const uint8_t* control = reader.Byte() == 4 ? reader.Take(4) : nullptr;
                if (!control)
                    return false;
                transparent = control[0] & 1 ? control[3] : -1;
            } else if (label == 0xFF && reader.Peek() <= 0) {
                return false; // application data begins with a block naming the application
            }
            if (!reader.Blocks(nullptr))
                return false;
            continue;
        }
        if (introducer != 0x2C)
            return false; // the end of the file, its trailer or anything else before a picture

        const uint8_t* descriptor = reader.Take(9);
        if (!descriptor)
            return false;
        Frame frame{Little16(descriptor), Little16(descriptor + 2), Little16(descriptor + 4),
                    Little16(descriptor + 6), (descriptor[8] & 0x40) != 0};
        Table table = global;
        if (descriptor[8] & 0x80) {
            table.count = 2 << (descriptor[8] & 7);
            table.colours = reader.Take(size_t(3 * table.count));
            if (!table.colours)
                return false;
        }
        // A screen of no size is the picture's own extent. The picture must lie on the
        // screen and hold pixels.
        if (screenWidth == 0)
            screenWidth = frame.left + frame.width;
        if (screenHeight == 0)
            screenHeight = frame.top + frame.height;
        if (frame.width == 0 || frame.height == 0 || frame.left + frame.width > screenWidth ||
            frame.top + frame.height > screenHeight || !WithinLimits(screenWidth, screenHeight))
            return false;
        const qint64 framePixels = qint64(frame.width) * frame.height;

        const int minimumSize = reader.Byte();
        scratch.data.clear();
        if (minimumSize < 0 || !reader.Blocks(&scratch.data))
            return false;

        if (picture.width() != screenWidth || picture.height() != screenHeight ||
            picture.format() != QImage::Format_RGB32 || !picture.isDetached())
            picture = QImage(screenWidth, screenHeight, QImage::Format_RGB32);
        if (picture.isNull())
            return false;
        QRgb colours[256];
        Colours(table, transparent, backColour, colours);
        const bool covers = frame.left == 0 && frame.top == 0 && frame.width == screenWidth &&
                            frame.height == screenHeight;
        if (covers && !frame.interlaced) {
            // Row after row over the whole screen: straight into the picture's colours.
            return Expand(scratch.data, minimumSize, colours,
                          reinterpret_cast<QRgb*>(picture.bits()), size_t(framePixels));
        }

        // Indices first, then each row into its place.
        static constexpr std::array<uint8_t, 256> Identity = [] {
            std::array<uint8_t, 256> indices{};
            for (int i = 0; i < 256; ++i)
                indices[size_t(i)] = uint8_t(i);
            return indices;
        }();
        scratch.indices.resize(size_t(framePixels));
        if (!Expand(scratch.data, minimumSize, Identity.data(), scratch.indices.data(),
                    size_t(framePixels)))
            return false;
        // Where the picture does not cover the screen: the transparent colour, else the
        // screen's background colour (an index into the global table), else black.
        if (!covers) {
            QRgb fill = 0xFF000000u;
            if (transparent >= 0) {
                fill = colours[transparent];
            } else if (background >= 0) {
                QRgb screenColours[256];
                Colours(global, -1, backColour, screenColours);
                fill = screenColours[background];
            }
            picture.fill(fill);
        }
        RowOrder(frame, scratch.rows);
        const uint8_t* indices = scratch.indices.data();
        for (int row = 0; row < frame.height; ++row) {
            const uint8_t* from = indices + size_t(row) * size_t(frame.width);
            QRgb* to =
                reinterpret_cast<QRgb*>(picture.scanLine(frame.top + scratch.rows[size_t(row)])) +
                frame.left;
            for (int x = 0; x < frame.width; ++x)
                to[x] = colours[from[x]];
        }
        return true;
    }
}

} // namespace

bool IsGif(QByteArrayView file) {
    return file.startsWith("GIF87a") || file.startsWith("GIF89a");
}

bool DecodeGif(QByteArrayView file, uint32_t backColour, QImage& picture) {
    thread_local Scratch scratch;
    const bool decoded = Decode(file, backColour, picture, scratch);
    scratch.Trim();
    if (!decoded)
        picture = QImage();
    return decoded;
}

} // namespace platform
