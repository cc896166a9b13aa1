#include "PictureFiles.h"

#include <QBuffer>
#include <QFile>

namespace fixtures {
namespace {

void Put16(QByteArray& out, int value) {
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void Put32(QByteArray& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

// LSB-first bit packing of the 9-bit codes of an 8-bit LZW stream.
class CodeWriter {
public:
    void Put(int code) {
        bits_ |= uint32_t(code) << count_;
        count_ += 9;
        while (count_ >= 8) {
            bytes.append(char(bits_ & 0xFF));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    void Flush() {
        if (count_ > 0)
            bytes.append(char(bits_ & 0xFF));
        bits_ = 0;
        count_ = 0;
    }
    QByteArray bytes;

private:
    uint32_t bits_ = 0;
    int count_ = 0;
};

} // namespace

QByteArray GifFile(int width, int height, const std::vector<uint8_t>& indices,
                   const std::vector<QRgb>& palette, int transparent) {
    QByteArray out("GIF89a");
    Put16(out, width);
    Put16(out, height);
    out.append(char(0xF7)); // a global table of 256 colours, 8 bits each
    out.append(char(0));
    out.append(char(0));
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < int(palette.size()) ? palette[size_t(i)] : qRgb(0, 0, 0);
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    if (transparent >= 0) {
        out.append("\x21\xF9\x04\x01", 4);
        Put16(out, 0);
        out.append(char(transparent));
        out.append(char(0));
    }
    out.append(char(0x2C));
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, width);
    Put16(out, height);
    out.append(char(0));

    // Every pixel a literal code, with a clear code often enough that the code width
    // stays at 9 bits.
    constexpr int Clear = 256, End = 257;
    CodeWriter codes;
    int sinceClear = 0;
    codes.Put(Clear);
    for (uint8_t index : indices) {
        if (sinceClear == 250) {
            codes.Put(Clear);
            sinceClear = 0;
        }
        codes.Put(index);
        ++sinceClear;
    }
    codes.Put(End);
    codes.Flush();
    out.append(char(8));
    for (qsizetype at = 0; at < codes.bytes.size(); at += 255) {
        const QByteArray block = codes.bytes.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    out.append(char(0x3B));
    return out;
}

QByteArray Bmp32File(const QImage& image, bool alphaHeader, uint8_t fourthByte) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    const uint32_t headerSize = alphaHeader ? 124 : 40;
    const uint32_t imageSize = uint32_t(pixels.width()) * uint32_t(pixels.height()) * 4;
    QByteArray out("BM");
    Put32(out, 14 + headerSize + imageSize);
    Put32(out, 0);
    Put32(out, 14 + headerSize);
    Put32(out, headerSize);
    Put32(out, uint32_t(pixels.width()));
    Put32(out, uint32_t(pixels.height()));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, alphaHeader ? 3 : 0); // BI_BITFIELDS or BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    if (alphaHeader) {
        Put32(out, 0x00FF0000);
        Put32(out, 0x0000FF00);
        Put32(out, 0x000000FF);
        Put32(out, 0xFF000000);
        Put32(out, 0x73524742); // sRGB
        out.append(QByteArray(36 + 12, '\0'));
        Put32(out, 4); // for images
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, 0);
    }
    for (int y = pixels.height() - 1; y >= 0; --y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb p = pixels.pixel(x, y);
            out.append(char(qBlue(p)));
            out.append(char(qGreen(p)));
            out.append(char(qRed(p)));
            out.append(char(alphaHeader ? qAlpha(p) : fourthByte));
        }
    }
    return out;
}

QByteArray QtBmpFile(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray CutJpegFile(const QImage& image) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    const qsizetype data = scan + 2 + (uchar(jpeg[scan + 2]) << 8 | uchar(jpeg[scan + 3]));
    return jpeg.left(data + (jpeg.size() - data) / 3);
}

} // namespace fixtures
