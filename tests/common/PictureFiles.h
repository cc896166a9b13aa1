#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QString>
#include <vector>

// Picture files written byte by byte, as other programs write them, so that tests can
// check how the loader reads what the program itself never writes.
namespace fixtures {

// A GIF of palette indices (row by row, width x height) with a 256-colour table made of
// `palette` (the rest black); `transparent` is the transparent index, or -1 for none.
QByteArray GifFile(int width, int height, const std::vector<uint8_t>& indices,
                   const std::vector<QRgb>& palette, int transparent);

// A 32-bit BMP of the image's pixels, bottom-up. With `alphaHeader` it carries a version 5
// header whose masks include alpha (0xFF000000) and the pixels' own alpha; without it a
// plain header (compression BI_RGB) and the fourth byte of every pixel is `fourthByte`.
QByteArray Bmp32File(const QImage& image, bool alphaHeader, uint8_t fourthByte = 0);

// The image as Qt's writer writes a BMP file of it.
QByteArray QtBmpFile(const QImage& image);

// The image as a JPEG file (Qt's writer, quality 90) of which the header and only the first
// third of the pixel data arrived, as an interrupted download leaves it: Qt's reader shows
// it, the lower part made up in flat grey.
QByteArray CutJpegFile(const QImage& image);

// Writes the bytes to a file; false when it cannot.
bool WriteFile(const QString& path, const QByteArray& bytes);

} // namespace fixtures
