#pragma once

#include <QImage>
#include <QString>
#include <cstdint>

namespace platform {

// The largest picture the program loads: a line drawing fills a screen, so a file whose
// header claims more is damaged or hostile, and is refused before memory is taken for it.
// The workspace keeps about 55 bytes per pixel of its picture at its peak (13 to 14 buffers
// of the picture's size: canvas, outline layer, region map, three undo steps of both
// layers, the picture boxes' images and the JPEG section while storing): 4 million pixels
// (2000 x 2000) peak at about 275 MB with the rest of the program, under 300 MB.
inline constexpr int MaxPictureSide = 10000;
inline constexpr qint64 MaxPicturePixels = 4'000'000;

// Loads a BMP, GIF or JPEG file (the format read from its content, not its name) as a
// picture box shows it: drawn over the box's back colour (0x00BBGGRR), so transparent
// pixels take that colour. A null image when the file is missing, damaged, empty,
// truncated or too large; a JPEG whose data is cut short or corrupt is damaged.
QImage LoadPicture(const QString& path, uint32_t backColour = 0xFFFFFF);

// The same into `picture`, whose memory is used again when it has the picture's size, is
// RGB32 and is shared with no other image: for callers that load many pictures in a row.
// False, and `picture` holding nothing of use, when the picture cannot be loaded.
bool LoadPicture(const QString& path, uint32_t backColour, QImage& picture);

// The same for a picture already decoded: an RGB32 image with its transparency laid over
// the back colour.
QImage OverBackColour(const QImage& picture, uint32_t backColour);

} // namespace platform
