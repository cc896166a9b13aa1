#include "GifReader.h"

#include "PictureFile.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <functional>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr uint32_t Back = 0x00C08040; // colour value 0x00BBGGRR: not white, not black
constexpr QRgb BackPixel = 0xFF4080C0;

// With CRAYVEX_GIF_CORPUS set, every GIF a test makes is kept there, to seed the
// decoder's fuzz target.
void Keep(const QByteArray& gif) {
    const QString corpus = qEnvironmentVariable("CRAYVEX_GIF_CORPUS");
    if (corpus.isEmpty())
        return;
    QDir().mkpath(corpus);
    QFile file(
        corpus + QLatin1Char('/') +
        QString::fromLatin1(QCryptographicHash::hash(gif, QCryptographicHash::Sha1).toHex()));
    if (file.open(QIODevice::WriteOnly))
        file.write(gif);
}

QImage Decode(const QByteArray& gif) {
    Keep(gif);
    QImage picture;
    if (!platform::DecodeGif(gif, Back, picture))
        return {};
    return picture;
}

// Qt's own reading of the file, laid over the same back colour.
QImage QtReading(const QByteArray& gif) {
    QByteArray bytes = gif;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    return platform::OverBackColour(reader.read(), Back);
}

// Every pixel's colour, the alpha byte aside.
::testing::AssertionResult SamePixels(const QImage& ours, const QImage& theirs) {
    if (ours.size() != theirs.size())
        return ::testing::AssertionFailure()
               << "size " << ours.width() << "x" << ours.height() << " against " << theirs.width()
               << "x" << theirs.height();
    for (int y = 0; y < ours.height(); ++y) {
        for (int x = 0; x < ours.width(); ++x) {
            if ((ours.pixel(x, y) ^ theirs.pixel(x, y)) & 0x00FFFFFF)
                return ::testing::AssertionFailure()
                       << "at " << x << "," << y << ": " << std::hex << ours.pixel(x, y)
                       << " against " << theirs.pixel(x, y);
        }
    }
    return ::testing::AssertionSuccess();
}

void Put16(QByteArray& out, int value) {
    out.append(char(value & 0xFF));
    out.append(char(value >> 8 & 0xFF));
}

void PutTable(QByteArray& out, int entries, const std::vector<QRgb>& colours) {
    for (int i = 0; i < entries; ++i) {
        const QRgb colour = i < int(colours.size()) ? colours[size_t(i)] : qRgb(i, 255 - i, 7);
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
}

// LZW codes as a decoder reads them: plain indices only, so each code but the first after
// a clear adds a table entry, and the code size grows with the table.
class Codes {
public:
    explicit Codes(int minimumSize) : minimum_(minimumSize), size_(minimumSize + 1) {}
    int Clear() const { return 1 << minimum_; }
    int End() const { return Clear() + 1; }
    int Next() const { return next_; }

    Codes& Put(int code) {
        bits_ |= uint64_t(code & ((1 << size_) - 1)) << count_;
        count_ += size_;
        while (count_ >= 8) {
            bytes.append(char(bits_ & 0xFF));
            bits_ >>= 8;
            count_ -= 8;
        }
        if (code == Clear()) {
            size_ = minimum_ + 1;
            next_ = Clear() + 2;
            first_ = true;
        } else if (!first_ && next_ < 4096) {
            if (++next_ >= 1 << size_ && size_ < 12)
                ++size_;
        } else {
            first_ = false;
        }
        return *this;
    }
    QByteArray Finish() {
        if (count_ > 0)
            bytes.append(char(bits_ & 0xFF));
        count_ = 0;
        return bytes;
    }
    QByteArray bytes;

private:
    int minimum_;
    int size_;
    int next_ = 0;
    bool first_ = true;
    uint64_t bits_ = 0;
    int count_ = 0;
};

// The data blocks of an image: the minimum code size, then the codes 255 bytes a block.
QByteArray ImageData(int minimumSize, const QByteArray& codes) {
    QByteArray out;
    out.append(char(minimumSize));
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    return out;
}

// Plain-index codes for the pixels, with a clear first.
QByteArray PlainCodes(const std::vector<uint8_t>& pixels, int minimumSize = 8) {
    Codes codes(minimumSize);
    codes.Put(codes.Clear());
    for (uint8_t index : pixels)
        codes.Put(index);
    codes.Put(codes.End());
    return codes.Finish();
}

// A GIF file put together block by block.
struct Gif {
    QByteArray bytes;

    // The screen, with a global table of 2^bits entries (none for bits 0).
    static Gif Screen(int width, int height, int bits, int background = 0,
                      const std::vector<QRgb>& colours = {}, const char* version = "GIF89a") {
        Gif gif;
        gif.bytes = version;
        Put16(gif.bytes, width);
        Put16(gif.bytes, height);
        gif.bytes.append(char(bits ? 0x80 | (bits - 1) : 0));
        gif.bytes.append(char(background));
        gif.bytes.append(char(0));
        if (bits)
            PutTable(gif.bytes, 1 << bits, colours);
        return gif;
    }
    Gif& Control(int transparent) {
        bytes.append("\x21\xF9\x04", 3);
        bytes.append(char(transparent >= 0 ? 1 : 0));
        Put16(bytes, 0);
        bytes.append(char(transparent >= 0 ? transparent : 0));
        bytes.append(char(0));
        return *this;
    }
    // An image descriptor; a local table of 2^bits entries, none for bits 0.
    Gif& Descriptor(int left, int top, int width, int height, int bits = 0, bool interlaced = false,
                    const std::vector<QRgb>& colours = {}) {
        bytes.append(char(0x2C));
        Put16(bytes, left);
        Put16(bytes, top);
        Put16(bytes, width);
        Put16(bytes, height);
        bytes.append(char((bits ? 0x80 | (bits - 1) : 0) | (interlaced ? 0x40 : 0)));
        if (bits)
            PutTable(bytes, 1 << bits, colours);
        return *this;
    }
    Gif& Image(int left, int top, int width, int height, const std::vector<uint8_t>& pixels) {
        Descriptor(left, top, width, height);
        return Raw(ImageData(8, PlainCodes(pixels)));
    }
    Gif& Raw(const QByteArray& more) {
        bytes += more;
        return *this;
    }
    QByteArray End() { return bytes + char(0x3B); }
};

std::vector<uint8_t> Pattern(int width, int height, int colours, quint32 seed) {
    QRandomGenerator random(seed);
    std::vector<uint8_t> pixels(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Runs and blotches, so that the codes reach into the table.
            const bool ink = (x / 3 + y / 5) % 4 == 0 || random.bounded(40) == 0;
            pixels[size_t(y * width + x)] = uint8_t(ink ? random.bounded(colours) : 0);
        }
    }
    return pixels;
}

// A GIF written by giflib, an encoder of its own: real LZW with table codes.
struct GiflibFrame {
    int left, top, width, height;
    bool interlaced;
    int localColours; // a local table of this many entries, or 0
};

int AppendTo(GifFileType* gif, const GifByteType* bytes, int count) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), count);
    return count;
}

QByteArray Giflib(int screenWidth, int screenHeight, int globalColours, int background,
                  int transparent, const GiflibFrame& frame, quint32 seed) {
    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendTo, &error);
    if (!gif)
        return {};
    EGifSetGifVersion(gif, true);
    std::vector<GifColorType> colours(256);
    for (int i = 0; i < 256; ++i)
        colours[size_t(i)] = {GifByteType(i * 37), GifByteType(255 - i), GifByteType(i * 11)};
    ColorMapObject* global =
        globalColours ? GifMakeMapObject(globalColours, colours.data()) : nullptr;
    ColorMapObject* local =
        frame.localColours ? GifMakeMapObject(frame.localColours, colours.data() + 3) : nullptr;
    bool ok = EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, background, global) == GIF_OK;
    if (ok && transparent >= 0) {
        const GifByteType control[4] = {1, 0, 0, GifByteType(transparent)};
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height,
                                frame.interlaced, local) == GIF_OK;
    const int colourCount = frame.localColours ? frame.localColours : globalColours;
    const std::vector<uint8_t> pixels = Pattern(frame.width, frame.height, colourCount, seed);
    std::vector<int> order;
    if (frame.interlaced) {
        for (int pass = 0; pass < 4; ++pass) {
            static constexpr int Start[] = {0, 4, 2, 1};
            static constexpr int Step[] = {8, 8, 4, 2};
            for (int y = Start[pass]; y < frame.height; y += Step[pass])
                order.push_back(y);
        }
    } else {
        for (int y = 0; y < frame.height; ++y)
            order.push_back(y);
    }
    for (int y : order) {
        std::vector<GifPixelType> line(pixels.begin() + y * frame.width,
                                       pixels.begin() + (y + 1) * frame.width);
        ok = ok && EGifPutLine(gif, line.data(), frame.width) == GIF_OK;
    }
    GifFreeMapObject(global);
    GifFreeMapObject(local);
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    return ok ? out : QByteArray();
}

// Well-formed GIFs, each as Qt shows it.
TEST(GifReader, ShowsWellFormedPicturesAsQtDoes) {
    struct Case {
        const char* name;
        QByteArray gif;
    };
    const std::vector<uint8_t> blotches = Pattern(23, 17, 4, 7);
    std::vector<uint8_t> pastTheTable = blotches;
    pastTheTable[5] = 9; // beyond a table of four
    pastTheTable[40] = 4;
    const Case cases[] = {
        {"two colours, full screen", Giflib(97, 61, 2, 0, -1, {0, 0, 97, 61, false, 0}, 1)},
        {"256 colours", Giflib(120, 90, 256, 0, -1, {0, 0, 120, 90, false, 0}, 2)},
        {"interlaced", Giflib(50, 37, 16, 0, -1, {0, 0, 50, 37, true, 0}, 3)},
        {"interlaced, a few rows", Giflib(9, 6, 4, 0, -1, {0, 0, 9, 6, true, 0}, 4)},
        {"local table only", Giflib(40, 30, 0, 0, -1, {0, 0, 40, 30, false, 8}, 5)},
        {"local table over a global one", Giflib(40, 30, 4, 1, -1, {0, 0, 40, 30, false, 8}, 6)},
        {"transparent colour", Giflib(64, 48, 4, 0, 1, {0, 0, 64, 48, false, 0}, 7)},
        {"frame inside the screen on the background colour",
         Giflib(60, 50, 8, 3, -1, {7, 9, 30, 20, false, 0}, 8)},
        {"frame inside the screen, transparent",
         Giflib(60, 50, 8, 3, 2, {7, 9, 30, 20, true, 0}, 9)},
        {"frame inside the screen, no global table",
         Giflib(60, 50, 0, 0, -1, {5, 5, 20, 20, false, 4}, 10)},
        {"screen of no size takes the frame's extent",
         Gif::Screen(0, 0, 2).Image(3, 2, 23, 17, blotches).End()},
        {"indices past the table", Gif::Screen(23, 17, 2).Image(0, 0, 23, 17, pastTheTable).End()},
        {"indices past the table, transparent",
         Gif::Screen(23, 17, 2).Control(0).Image(0, 0, 23, 17, pastTheTable).End()},
        {"transparent index past the table",
         Gif::Screen(23, 17, 2).Control(200).Image(0, 0, 23, 17, blotches).End()},
        {"no colour table at all", Gif::Screen(23, 17, 0).Image(0, 0, 23, 17, blotches).End()},
        {"no colour table, transparent",
         Gif::Screen(23, 17, 0).Control(1).Image(0, 0, 23, 17, blotches).End()},
        {"the control for the second picture does not count",
         Gif::Screen(23, 17, 2)
             .Image(0, 0, 23, 17, blotches)
             .Control(0)
             .Image(0, 0, 23, 17, Pattern(23, 17, 4, 13))
             .End()},
        {"comments and application data first",
         Gif::Screen(23, 17, 2)
             .Raw(QByteArray("\x21\xFE\x05hello\x00", 9))
             .Raw(QByteArray("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19))
             .Image(0, 0, 23, 17, blotches)
             .End()},
        {"version 87a", Gif::Screen(23, 17, 2, 0, {}, "GIF87a").Image(0, 0, 23, 17, blotches).End()},
        {"no trailer", Gif::Screen(23, 17, 2).Image(0, 0, 23, 17, blotches).bytes},
        {"a table that fills up and is never cleared", [] {
             const std::vector<uint8_t> pixels = Pattern(100, 60, 256, 14);
             Codes codes(8);
             codes.Put(codes.Clear());
             for (uint8_t index : pixels)
                 codes.Put(index); // 6000 codes: the table is full after 3838
             codes.Put(codes.End());
             return Gif::Screen(100, 60, 8)
                 .Descriptor(0, 0, 100, 60)
                 .Raw(ImageData(8, codes.Finish()))
                 .End();
         }()},
        {"small code size", [] {
             Codes codes(2);
             codes.Put(codes.Clear());
             for (int i = 0; i < 12; ++i)
                 codes.Put(i % 4);
             codes.Put(codes.End());
             return Gif::Screen(4, 3, 2).Descriptor(0, 0, 4, 3).Raw(ImageData(2, codes.Finish())).End();
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.gif.isEmpty());
        const QImage ours = Decode(c.gif);
        ASSERT_FALSE(ours.isNull());
        EXPECT_EQ(ours.format(), QImage::Format_RGB32);
        EXPECT_TRUE(SamePixels(ours, QtReading(c.gif)));
    }
}

TEST(GifReader, TransparentColourAndUncoveredScreenAreTheBackColour) {
    const std::vector<QRgb> colours = {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 0, 0)};
    // Index 1 (black) is transparent; the frame covers the screen's middle only.
    const QByteArray gif = Gif::Screen(6, 4, 2, 2, colours)
                               .Control(1)
                               .Image(1, 1, 4, 2, {0, 1, 2, 0, 2, 2, 1, 0})
                               .End();
    const QImage picture = Decode(gif);
    ASSERT_EQ(picture.size(), QSize(6, 4));
    EXPECT_EQ(picture.pixel(0, 0), BackPixel) << "outside the frame";
    EXPECT_EQ(picture.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(2, 1), BackPixel) << "the transparent index";
    EXPECT_EQ(picture.pixel(3, 1), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(3, 2), BackPixel);

    // Without transparency the uncovered screen takes the background colour.
    const QImage opaque =
        Decode(Gif::Screen(6, 4, 2, 2, colours).Image(1, 1, 4, 2, {0, 1, 2, 0, 2, 2, 1, 0}).End());
    EXPECT_EQ(opaque.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(opaque.pixel(2, 1), qRgb(0, 0, 0));

    // The background is the global table's colour, also under a picture with a table of
    // its own (Qt's reader takes an unread entry of the picture's table there).
    const QImage local =
        Decode(Gif::Screen(6, 4, 2, 2, colours)
                   .Descriptor(1, 1, 4, 2, 1, false, {qRgb(0, 0, 255), qRgb(0, 255, 0)})
                   .Raw(ImageData(8, PlainCodes({0, 1, 0, 1, 1, 0, 1, 0})))
                   .End());
    EXPECT_EQ(local.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(local.pixel(1, 1), qRgb(0, 0, 255));
    EXPECT_EQ(local.pixel(2, 1), qRgb(0, 255, 0));
}

// Each row of an interlaced picture in its place, also in pictures too short for every
// pass (Qt's reader misplaces the rows of pictures three or four rows high).
TEST(GifReader, InterlacedRowsComeOutInOrder) {
    std::vector<QRgb> colours;
    for (int i = 0; i < 32; ++i)
        colours.push_back(qRgb(i * 8, 0, 255 - i * 8));
    for (const int height : {1, 2, 3, 4, 5, 10, 20}) {
        SCOPED_TRACE(height);
        // Three pixels a row, all of the row's own index, in the order of the passes:
        // every eighth row from 0, every eighth from 4, every fourth from 2, every second
        // from 1.
        std::vector<uint8_t> pixels;
        for (const int start : {0, 4, 2, 1}) {
            const int step = start == 0 ? 8 : start == 1 ? 2 : start == 2 ? 4 : 8;
            for (int y = start; y < height; y += step)
                pixels.insert(pixels.end(), 3, uint8_t(y));
        }
        const QByteArray gif = Gif::Screen(3, height, 5, 0, colours)
                                   .Descriptor(0, 0, 3, height, 0, true)
                                   .Raw(ImageData(8, PlainCodes(pixels)))
                                   .End();
        const QImage picture = Decode(gif);
        ASSERT_EQ(picture.size(), QSize(3, height));
        for (int y = 0; y < height; ++y)
            EXPECT_EQ(picture.pixel(2, y), colours[size_t(y)]) << "row " << y;
    }
}

// Damaged files are refused, whatever Qt would make of them.
TEST(GifReader, RefusesDamagedFiles) {
    const std::vector<uint8_t> blotches = Pattern(23, 17, 4, 21);
    const QByteArray whole = Gif::Screen(23, 17, 2).Image(0, 0, 23, 17, blotches).End();
    const qsizetype dataStart = 13 + 12 + 10; // header and table, descriptor
    struct Case {
        const char* name;
        QByteArray gif;
    };
    std::vector<Case> cases = {
        {"empty", QByteArray()},
        {"header only", whole.left(6)},
        {"screen cut short", whole.left(10)},
        {"colour table cut short", whole.left(20)},
        {"descriptor cut short", whole.left(30)},
        {"no code size", whole.left(dataStart)},
        {"cut inside the pixel data", whole.left(dataStart + 40)},
        {"cut before the blocks end", whole.left(whole.size() - 3)},
        {"not a GIF", QByteArray("GIF90a") + whole.mid(6)},
        {"no picture", Gif::Screen(4, 4, 2).End()},
        {"nothing after the screen", Gif::Screen(4, 4, 2).bytes},
        {"an unknown block", Gif::Screen(4, 4, 2).Raw("\x01\x02").Image(0, 0, 1, 1, {0}).End()},
        {"application data without its name", Gif::Screen(4, 4, 2)
                                                  .Raw(QByteArray("\x21\xFF\x00", 3))
                                                  .Image(0, 0, 4, 4, std::vector<uint8_t>(16, 0))
                                                  .End()},
        {"screen and frame of no size", Gif::Screen(0, 0, 2).Image(0, 0, 0, 0, {}).End()},
        {"frame of no size", Gif::Screen(8, 6, 2, 2).Image(1, 1, 0, 0, {}).End()},
        {"frame of no width", Gif::Screen(8, 6, 2, 2).Image(1, 1, 0, 3, {}).End()},
        {"a huge screen", Gif::Screen(65535, 65535, 2).Image(0, 0, 1, 1, {0}).End()},
        {"a screen wider than the limit",
         Gif::Screen(platform::MaxPictureSide + 1, 1, 2).Image(0, 0, 1, 1, {0}).End()},
        {"a screen over Qt's readers' memory limit",
         Gif::Screen(8192, 4097, 2).Image(0, 0, 1, 1, {0}).End()},
        {"a huge frame on a small screen",
         Gif::Screen(4, 4, 2).Image(0, 0, 65535, 65535, {0}).End()},
    };
    for (int size : {0, 9, 12}) {
        QByteArray badSize = whole;
        badSize[dataStart] = char(size);
        cases.push_back({"bad code size", badSize});
    }
    const auto descriptorAndCodes = [](const std::function<void(Codes&)>& put) {
        Codes codes(8);
        put(codes);
        return Gif::Screen(4, 4, 2).Descriptor(0, 0, 4, 4).Raw(ImageData(8, codes.Finish())).End();
    };
    cases.push_back({"a table code first", descriptorAndCodes([](Codes& codes) {
                         codes.Put(codes.Clear()).Put(codes.Clear() + 2).Put(codes.End());
                     })});
    cases.push_back({"a code past the table", descriptorAndCodes([](Codes& codes) {
                         codes.Put(codes.Clear()).Put(1).Put(2);
                         codes.Put(codes.Next() + 1).Put(codes.End());
                     })});
    cases.push_back({"pixels missing before the end code", descriptorAndCodes([](Codes& codes) {
                         codes.Put(codes.Clear()).Put(1).Put(2).Put(codes.End());
                     })});
    cases.push_back({"pixels missing, no end code", descriptorAndCodes([](Codes& codes) {
                         codes.Put(codes.Clear()).Put(1).Put(2);
                     })});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage picture(5, 5, QImage::Format_RGB32);
        EXPECT_FALSE(platform::DecodeGif(c.gif, Back, picture));
        EXPECT_TRUE(picture.isNull());
        Keep(c.gif);
    }
}

// A graphic control block of `length` bytes; one that holds a transparent index (four
// bytes or more) sets the transparent flag and the index. (A shorter block with the flag
// set is one readers take apart differently: Qt's reader takes an index from beyond it.)
QByteArray ControlOfLength(int length, int transparent) {
    QByteArray block("\x21\xF9", 2);
    block.append(char(length));
    QByteArray body(length, '\0');
    if (length >= 4) {
        body[0] = 1;
        body[3] = char(transparent);
    }
    return block + body + char(0);
}

// An animated GIF of more bytes than its first picture could ever take: that picture,
// then copies of it, until the file holds `bytes`.
QByteArray Animated(const QByteArray& single, qsizetype tableEnd, qsizetype bytes) {
    const QByteArray frame = single.mid(tableEnd, single.size() - 1 - tableEnd);
    QByteArray gif = single.left(tableEnd);
    gif += QByteArray("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    while (gif.size() < bytes)
        gif += QByteArray("\x21\xF9\x04\x04\x0A\x00\x00\x00", 8) + frame;
    return gif + char(0x3B);
}

// Files that Qt's reader and ImageMagick both show, and show alike, are read as Qt's
// reader shows them, from memory and from a file alike; the damaged ones among their
// neighbours stay refused. Each case names why it is refused.
TEST(GifReader, ReadsWhatOtherReadersShowAlike) {
    const std::vector<uint8_t> blotches = Pattern(23, 17, 4, 51);
    const QByteArray whole = Gif::Screen(23, 17, 2).Image(0, 0, 23, 17, blotches).End();
    const QByteArray unended = whole.left(whole.size() - 2);
    const QByteArray drawing = Giflib(2000, 2000, 4, 0, -1, {0, 0, 2000, 2000, false, 0}, 53);
    struct Case {
        const char* name;
        QByteArray gif;
        const char* refused;   // why, or nullptr when it reads as Qt's reader shows it
        QImage reference = {}; // where Qt's reader is wrong: the pixels it should show
    };
    const std::vector<Case> cases = {
        {"no block terminator and no trailer, every pixel present", unended, nullptr},
        {"no trailer", whole.left(whole.size() - 1), nullptr},
        {"no terminator, trailer, or last byte of pixel data", whole.left(whole.size() - 3),
         "pixel data cut short"},
        {"pixel data cut at a block's end, pixels missing",
         [&] {
             // Two blocks of codes; the file ends after the first.
             const QByteArray codes = PlainCodes(Pattern(40, 20, 4, 54));
             const QByteArray gif =
                 Gif::Screen(40, 20, 2).Descriptor(0, 0, 40, 20).Raw(ImageData(8, codes)).End();
             return gif.left(13 + 12 + 10 + 1 + 1 + 255);
         }(),
         "pixel data cut short"},
        {"a first frame larger than the screen",
         Gif::Screen(16, 10, 2).Image(0, 0, 23, 17, blotches).End(), nullptr},
        {"a frame larger than the screen, interlaced",
         Gif::Screen(16, 10, 2)
             .Descriptor(0, 0, 23, 17, 0, true)
             .Raw(ImageData(8, PlainCodes(blotches)))
             .End(),
         nullptr,
         // Qt's reader places the rows of an interlaced frame taller than the screen
         // wrongly (ImageMagick places them as the frame on a screen of its size shows
         // them), so the frame on such a screen, clipped, is the reference.
         QtReading(Gif::Screen(23, 17, 2)
                       .Descriptor(0, 0, 23, 17, 0, true)
                       .Raw(ImageData(8, PlainCodes(blotches)))
                       .End())
             .copy(0, 0, 16, 10)},
        {"a frame larger than the screen, transparent",
         Gif::Screen(16, 10, 2).Control(1).Image(0, 0, 23, 17, blotches).End(), nullptr},
        {"a frame reaching past the screen",
         Gif::Screen(20, 10, 2).Image(12, 4, 16, 6, Pattern(16, 6, 4, 11)).End(), nullptr},
        {"a frame reaching below the screen",
         Gif::Screen(20, 10, 2).Image(0, 4, 20, 7, Pattern(20, 7, 4, 11)).End(), nullptr},
        {"a frame wholly outside the screen",
         Gif::Screen(20, 10, 2, 1).Image(30, 0, 4, 4, Pattern(4, 4, 4, 12)).End(), nullptr},
        {"a control block of 5 bytes",
         Gif::Screen(23, 17, 2).Raw(ControlOfLength(5, 1)).Image(0, 0, 23, 17, blotches).End(),
         nullptr},
        {"a control block of 255 bytes",
         Gif::Screen(23, 17, 2).Raw(ControlOfLength(255, 2)).Image(0, 0, 23, 17, blotches).End(),
         nullptr},
        {"a control block of 3 bytes, no transparent index",
         Gif::Screen(23, 17, 2).Raw(ControlOfLength(3, 1)).Image(0, 0, 23, 17, blotches).End(),
         nullptr},
        {"a control block of 1 byte",
         Gif::Screen(23, 17, 2).Raw(ControlOfLength(1, 1)).Image(0, 0, 23, 17, blotches).End(),
         nullptr},
        {"a 10.8 MB animated GIF whose first frame is 2000 x 2000",
         Animated(drawing, 13 + 12, 10'800'000), nullptr},
        {"a first frame of 2001 x 2000 on a small screen",
         Gif::Screen(16, 10, 2)
             .Descriptor(0, 0, 2001, 2000)
             .Raw(ImageData(8, PlainCodes({0})))
             .End(),
         "over 4 million pixels, refused before it is decoded"},
        {"a screen of 2001 x 2000 around a small frame",
         Gif::Screen(2001, 2000, 2).Image(0, 0, 23, 17, blotches).End(),
         "over 4 million pixels, refused before memory is taken"},
        {"damaged LZW data, no terminator or trailer",
         [] {
             Codes codes(8);
             codes.Put(codes.Clear()).Put(1).Put(2);
             codes.Put(codes.Next() + 1).Put(codes.End());
             const QByteArray gif = Gif::Screen(4, 4, 2)
                                        .Descriptor(0, 0, 4, 4)
                                        .Raw(ImageData(8, codes.Finish()))
                                        .End();
             return gif.left(gif.size() - 2);
         }(),
         "a code past the table"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("drawing.gif"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.gif.isEmpty());
        if (c.gif.size() < 65536)
            Keep(c.gif);
        QImage ours;
        const bool decoded = platform::DecodeGif(c.gif, Back, ours);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(c.gif), c.gif.size());
        file.close();
        const QImage loaded = platform::LoadPicture(path, Back);
        if (c.refused) {
            EXPECT_FALSE(decoded) << c.refused;
            EXPECT_TRUE(loaded.isNull()) << c.refused;
            continue;
        }
        ASSERT_TRUE(decoded);
        const QImage qt = c.reference.isNull() ? QtReading(c.gif) : c.reference;
        ASSERT_FALSE(qt.isNull());
        EXPECT_TRUE(SamePixels(ours, qt));
        EXPECT_TRUE(SamePixels(loaded, qt));
    }
}

// Codes after the picture is whole are left unread, as Qt's reader leaves them.
TEST(GifReader, IgnoresWhatFollowsTheLastPixel) {
    const auto descriptorAndCodes = [](const std::function<void(Codes&)>& put) {
        Codes codes(8);
        put(codes);
        return Gif::Screen(4, 4, 2).Descriptor(0, 0, 4, 4).Raw(ImageData(8, codes.Finish())).End();
    };
    struct Case {
        const char* name;
        QByteArray gif;
    };
    std::vector<Case> cases;
    cases.push_back({"pixels past the picture's end", descriptorAndCodes([](Codes& codes) {
                         codes.Put(codes.Clear());
                         for (int i = 0; i < 17; ++i)
                             codes.Put(i % 4);
                         codes.Put(codes.End());
                     })});
    cases.push_back({"a run past the picture's end", descriptorAndCodes([](Codes& codes) {
                         codes.Put(codes.Clear());
                         for (int i = 0; i < 15; ++i)
                             codes.Put(i % 4);
                         codes.Put(codes.Clear() + 2).Put(codes.End()); // two pixels, one too many
                     })});
    cases.push_back({"a bad code after the last pixel", descriptorAndCodes([](Codes& codes) {
                         codes.Put(codes.Clear());
                         for (int i = 0; i < 16; ++i)
                             codes.Put(i % 4);
                         codes.Put(codes.Next() + 3).Put(codes.End());
                     })});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage ours = Decode(c.gif);
        ASSERT_FALSE(ours.isNull());
        EXPECT_TRUE(SamePixels(ours, QtReading(c.gif)));
    }
}

// A code size of 1 is not one the format allows (two-colour pictures use 2), and readers
// differ on when its codes grow: giflib's reading is taken, whole and of the screen's size.
TEST(GifReader, ReadsCodeSizeOne) {
    Codes codes(1);
    codes.Put(codes.Clear());
    for (int i = 0; i < 30; ++i)
        codes.Put(i % 3 == 0);
    codes.Put(codes.End());
    const QImage picture =
        Decode(Gif::Screen(6, 5, 1).Descriptor(0, 0, 6, 5).Raw(ImageData(1, codes.Finish())).End());
    EXPECT_EQ(picture.size(), QSize(6, 5));
}

TEST(GifReader, UsesTheGivenImagesMemoryWhenItFits) {
    const QByteArray gif = Giflib(64, 48, 4, 0, -1, {0, 0, 64, 48, false, 0}, 31);
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(0xFF00FF00u);
    const uchar* memory = picture.constBits();
    ASSERT_TRUE(platform::DecodeGif(gif, Back, picture));
    EXPECT_EQ(picture.constBits(), memory);
    EXPECT_TRUE(SamePixels(picture, Decode(gif)));

    // An image that shares its pixels keeps them.
    const QImage other = picture;
    ASSERT_TRUE(
        platform::DecodeGif(Giflib(64, 48, 4, 0, -1, {0, 0, 64, 48, false, 0}, 32), Back, picture));
    EXPECT_NE(picture.constBits(), other.constBits());
    EXPECT_TRUE(SamePixels(other, Decode(gif)));

    // A frame inside the screen: the memory's old pixels never show.
    const QByteArray inside = Giflib(64, 48, 4, 2, -1, {10, 10, 20, 20, true, 0}, 33);
    picture.fill(0xFF00FF00u);
    ASSERT_TRUE(platform::DecodeGif(inside, Back, picture));
    EXPECT_TRUE(SamePixels(picture, QtReading(inside)));
}

// The loader reads GIF files through the decoder, whatever their name.
TEST(GifReader, LoadPictureReadsGifsByTheirContent) {
    QTemporaryDir dir;
    const QByteArray gif = Giflib(40, 30, 4, 0, 1, {0, 0, 40, 30, false, 0}, 41);
    const QString path = dir.filePath(QStringLiteral("drawing.bmp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(gif);
    file.close();
    const QImage loaded = platform::LoadPicture(path, Back);
    EXPECT_TRUE(SamePixels(loaded, QtReading(gif)));

    QImage reused(40, 30, QImage::Format_RGB32);
    const uchar* memory = reused.constBits();
    ASSERT_TRUE(platform::LoadPicture(path, Back, reused));
    EXPECT_EQ(reused.constBits(), memory);
    EXPECT_TRUE(SamePixels(reused, loaded));

    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(gif.left(gif.size() / 2));
    file.close();
    EXPECT_TRUE(platform::LoadPicture(path, Back).isNull());
    EXPECT_FALSE(platform::LoadPicture(path, Back, reused));
}

} // namespace
