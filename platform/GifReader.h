#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QImage>
#include <cstdint>

namespace platform {

// Whether the bytes begin as a GIF file does ("GIF87a" or "GIF89a").
bool IsGif(QByteArrayView file);

// Decodes the first picture of a GIF file, through giflib, as a picture box shows it: an
// RGB32 image of the file's screen size, the transparent colour and whatever the picture
// leaves uncovered in the back colour (0x00BBGGRR). Interlaced pictures come out in row
// order.
//
// `picture`'s memory is used again when it already has that size and format and shares
// it with no other image, so a caller decoding many files keeps one buffer.
//
// A picture reaching past the screen is clipped to it. A file that ends after the last
// pixel, without its block terminator or trailer, is whole.
//
// False, and `picture` null, for a file that giflib finds damaged (truncated, a code size
// it does not allow, pixel data that ends before the picture is whole), a picture of no
// size, a picture or screen larger than the program's limits (refused before any memory
// is taken for it), or no picture at all.
bool DecodeGif(QByteArrayView file, uint32_t backColour, QImage& picture);

// The same from a file read from its current place: only as much as the first picture
// takes is read, whatever the file's length.
bool DecodeGif(QIODevice& file, uint32_t backColour, QImage& picture);

} // namespace platform
