#include "JpegReader.h"

#include "PictureFile.h"
#include "PictureFiles.h"

#include <QBuffer>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <utility>
#include <vector>
// clang-format off: jpeglib.h needs <cstdio> first
#include <jpeglib.h>
// clang-format on

namespace {

// A picture with smooth colour, hard edges and noise, so that every part of the decoder
// has work: its pixels as red, green, blue bytes.
QImage Scene(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool line = (x / 7 + y / 5) % 6 == 0;
            const int noise = int(random.bounded(24));
            image.setPixel(x, y,
                           line ? qRgb(noise, noise, noise)
                                : qRgb(x * 255 / width, 255 - y * 255 / height, 128 + noise));
        }
    }
    return image;
}

// How a JPEG file is written through libjpeg itself, so that the tests have the kinds of
// file other programs write: colour spaces, samplings, progressive and arithmetic coding.
struct Writing {
    J_COLOR_SPACE space =
        JCS_YCbCr; // as stored: JCS_GRAYSCALE, JCS_YCbCr, JCS_RGB, JCS_CMYK, JCS_YCCK
    int quality = 75;
    int horizontal = 2, vertical = 2; // the first component's sampling
    bool progressive = false;
    bool arithmetic = false;
    int restartRows = 0;
};

QByteArray Jpeg(const QImage& image, const Writing& how) {
    jpeg_compress_struct encoder{};
    jpeg_error_mgr errors{};
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    unsigned char* memory = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&encoder, &memory, &size);
    const bool cmyk = how.space == JCS_CMYK || how.space == JCS_YCCK;
    encoder.image_width = JDIMENSION(image.width());
    encoder.image_height = JDIMENSION(image.height());
    encoder.input_components = how.space == JCS_GRAYSCALE ? 1 : cmyk ? 4 : 3;
    encoder.in_color_space = how.space == JCS_GRAYSCALE ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&encoder);
    jpeg_set_colorspace(&encoder, how.space);
    jpeg_set_quality(&encoder, how.quality, TRUE);
    if (how.space != JCS_GRAYSCALE) {
        encoder.comp_info[0].h_samp_factor = how.horizontal;
        encoder.comp_info[0].v_samp_factor = how.vertical;
    }
    if (how.progressive)
        jpeg_simple_progression(&encoder);
    encoder.arith_code = how.arithmetic ? TRUE : FALSE;
    encoder.restart_in_rows = how.restartRows;
    jpeg_start_compress(&encoder, TRUE);
    std::vector<JSAMPLE> row(size_t(image.width()) * 4);
    while (encoder.next_scanline < encoder.image_height) {
        const QRgb* from =
            reinterpret_cast<const QRgb*>(image.constScanLine(int(encoder.next_scanline)));
        JSAMPLE* to = row.data();
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = from[x];
            if (how.space == JCS_GRAYSCALE) {
                *to++ = JSAMPLE(qGray(p));
            } else if (cmyk) {
                const int k = std::max({qRed(p), qGreen(p), qBlue(p)});
                *to++ = JSAMPLE(255 - qRed(p) * 255 / std::max(k, 1));
                *to++ = JSAMPLE(255 - qGreen(p) * 255 / std::max(k, 1));
                *to++ = JSAMPLE(255 - qBlue(p) * 255 / std::max(k, 1));
                *to++ = JSAMPLE(k);
            } else {
                *to++ = JSAMPLE(qRed(p));
                *to++ = JSAMPLE(qGreen(p));
                *to++ = JSAMPLE(qBlue(p));
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&encoder, rows, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    const QByteArray file(reinterpret_cast<const char*>(memory), qsizetype(size));
    std::free(memory);
    return file;
}

// Qt's reading of the bytes, as RGB32; null when Qt refuses them.
QImage QtReading(const QByteArray& jpeg) {
    QByteArray bytes = jpeg;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    const QImage read = reader.read();
    return read.isNull() ? read : read.convertToFormat(QImage::Format_RGB32);
}

QImage Ours(const QByteArray& jpeg) {
    QByteArray bytes = jpeg;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImage picture;
    if (!platform::DecodeJpeg(buffer, picture))
        return {};
    return picture;
}

// The offset of the first byte after the marker segment that begins at `marker`.
qsizetype AfterSegment(const QByteArray& jpeg, qsizetype marker) {
    return marker + 2 + (uchar(jpeg[marker + 2]) << 8 | uchar(jpeg[marker + 3]));
}

// Sound files of every kind show exactly as Qt's reader shows them, also read from a file
// by the loader, which uses the given memory when it fits.
TEST(JpegReader, SoundFilesReadAsQtReadsThem) {
    const QImage scene = Scene(97, 61, 1);
    struct Case {
        const char* name;
        QByteArray jpeg;
    };
    QByteArray unknownJfif = Jpeg(scene, {});
    unknownJfif[11] = 9; // JFIF version 9.01: the decoder warns, the pixels are whole
    const std::vector<Case> cases = {
        {"baseline 4:2:0, quality 75", Jpeg(scene, {})},
        {"4:4:4, quality 95", Jpeg(scene, {.quality = 95, .horizontal = 1, .vertical = 1})},
        {"4:2:2", Jpeg(scene, {.horizontal = 2, .vertical = 1})},
        {"4:4:0", Jpeg(scene, {.horizontal = 1, .vertical = 2})},
        {"quality 100", Jpeg(scene, {.quality = 100})},
        {"quality 10", Jpeg(scene, {.quality = 10})},
        {"progressive", Jpeg(scene, {.progressive = true})},
        {"grey", Jpeg(scene, {.space = JCS_GRAYSCALE})},
        {"grey, progressive", Jpeg(scene, {.space = JCS_GRAYSCALE, .progressive = true})},
        {"RGB without colour transform",
         Jpeg(scene, {.space = JCS_RGB, .horizontal = 1, .vertical = 1})},
        {"CMYK", Jpeg(scene, {.space = JCS_CMYK, .horizontal = 1, .vertical = 1})},
        {"YCCK", Jpeg(scene, {.space = JCS_YCCK})},
        {"restart markers", Jpeg(scene, {.restartRows = 1})},
        {"arithmetic coding", Jpeg(scene, {.arithmetic = true})},
        {"arithmetic, progressive", Jpeg(scene, {.progressive = true, .arithmetic = true})},
        {"one pixel", Jpeg(Scene(1, 1, 2), {})},
        {"odd size", Jpeg(Scene(17, 9, 3), {.progressive = true})},
        {"bytes after the end of the picture", Jpeg(scene, {}) + QByteArray(3000, 'x')},
        {"an unknown JFIF version", unknownJfif},
        {"written by Qt",
         [&] {
             QByteArray bytes;
             QBuffer buffer(&bytes);
             buffer.open(QIODevice::WriteOnly);
             scene.save(&buffer, "JPEG", 85);
             return bytes;
         }()},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("drawing.jpg"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage qt = QtReading(c.jpeg);
        ASSERT_FALSE(qt.isNull());
        const QImage ours = Ours(c.jpeg);
        ASSERT_FALSE(ours.isNull());
        EXPECT_EQ(ours.format(), QImage::Format_RGB32);
        EXPECT_EQ(ours, qt);

        ASSERT_TRUE(fixtures::WriteFile(path, c.jpeg));
        QImage used(qt.size(), QImage::Format_RGB32);
        used.fill(0xFF123456u);
        const uchar* memory = used.constBits();
        ASSERT_TRUE(platform::LoadPicture(path, 0x00C08040, used));
        EXPECT_EQ(used.constBits(), memory);
        EXPECT_EQ(used, qt);
    }
}

// A file cut short or corrupt on the way is refused, where Qt's reader warns and shows
// made-up pixels (a cut file's lower part flat grey); damage the decoder cannot see is
// not refused, as no reader can tell.
TEST(JpegReader, FilesCutShortOrCorruptAreRefused) {
    const QImage scene = Scene(300, 200, 4);
    const QByteArray baseline = Jpeg(scene, {.quality = 85});
    const QByteArray progressive = Jpeg(scene, {.progressive = true});
    const qsizetype scan = AfterSegment(baseline, baseline.indexOf("\xFF\xDA"));
    const qsizetype middle = (scan + baseline.size()) / 2;
    const qsizetype lastScan = progressive.lastIndexOf("\xFF\xDA");
    struct Case {
        const char* name;
        QByteArray jpeg;
    };
    const Case cases[] = {
        {"the first third, as an interrupted download leaves it",
         baseline.left(baseline.size() / 3)},
        {"the first third, progressive", progressive.left(progressive.size() / 3)},
        {"all but the last scan of a progressive file", progressive.left(lastScan)},
        {"all but the last scan, an end marker put after it",
         progressive.left(lastScan) + "\xFF\xD9"},
        {"the first third, an end marker put after it",
         baseline.left(baseline.size() / 3) + "\xFF\xD9"},
        {"all but the end marker", baseline.left(baseline.size() - 2)},
        {"a stretch of data lost", baseline.left(middle) + baseline.mid(middle + 300)},
        {"a restart marker where none belongs",
         baseline.left(middle) + "\xFF\xD3" + baseline.mid(middle)},
        {"only the header", baseline.left(scan)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool progressiveEnd = QByteArrayView(c.name).startsWith("all but the last scan, an");
        if (!progressiveEnd && QByteArrayView(c.name) != "only the header") {
            EXPECT_FALSE(QtReading(c.jpeg).isNull()) << "Qt's reader shows it";
        }
        QImage picture(5, 5, QImage::Format_RGB32);
        QByteArray bytes = c.jpeg;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        if (progressiveEnd) {
            // Scans missing before a well-placed end: the decoder sees no damage, so the
            // picture reads, coarser; nothing tells it from a file written that way.
            EXPECT_TRUE(platform::DecodeJpeg(buffer, picture));
            continue;
        }
        EXPECT_FALSE(platform::DecodeJpeg(buffer, picture));
        EXPECT_TRUE(picture.isNull());
    }
}

// A header claiming a picture over the limit is refused before memory is taken for it.
TEST(JpegReader, AHeaderClaimingTooManyPixelsIsRefused) {
    const QByteArray small = Jpeg(Scene(16, 16, 5), {});
    const qsizetype frame = small.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    for (const auto& [width, height] :
         {std::pair{2000, 2001}, {10001, 1}, {1, 10001}, {65535, 65535}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        QByteArray claim = small;
        claim[frame + 5] = char(height >> 8);
        claim[frame + 6] = char(height & 0xFF);
        claim[frame + 7] = char(width >> 8);
        claim[frame + 8] = char(width & 0xFF);
        QImage picture;
        QByteArray bytes = claim;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        EXPECT_FALSE(platform::DecodeJpeg(buffer, picture));
        EXPECT_TRUE(picture.isNull());
    }
}

} // namespace
