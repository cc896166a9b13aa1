#pragma once

#include "DeviceContext.h"

#include <cstdint>

// Our stand-ins for the device-independent bitmap transfers, pixel access and flood
// fill that the drawing code calls, with the contracts of the calls they replace.
namespace platform::gdi {

#pragma pack(push, 1)
struct BITMAPINFOHEADER {
    int32_t biSize = 0;
    int32_t biWidth = 0;
    int32_t biHeight = 0; // negative: rows top-down
    int16_t biPlanes = 0;
    int16_t biBitCount = 0;
    int32_t biCompression = 0;
    int32_t biSizeImage = 0;
    int32_t biXPelsPerMeter = 0;
    int32_t biYPelsPerMeter = 0;
    int32_t biClrUsed = 0;
    int32_t biClrImportant = 0;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPINFOHEADER) == 40);

constexpr uint32_t SRCCOPY = 0x00CC0020;
constexpr uint32_t SRCAND = 0x008800C6;
constexpr uint32_t SRCPAINT = 0x00EE0086;
constexpr unsigned DIB_RGB_COLORS = 0;
constexpr int BLACKONWHITE = 1;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;
constexpr unsigned FLOODFILLBORDER = 0;
constexpr unsigned FLOODFILLSURFACE = 1;
constexpr uint32_t CLR_INVALID = 0xFFFFFFFF;

int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);

// Source rectangles are given as the original calls take them for a 32-bit DIB:
// ySrc is the distance of the rectangle's lowest row from the bitmap's bottom row.
// Both return the number of scan lines drawn, 0 on failure.
int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFOHEADER& header,
                  unsigned usage, uint32_t rop);
int SetDIBitsToDevice(HDC dc, int xDest, int yDest, int width, int height, int xSrc, int ySrc,
                      int startScan, int lines, const void* bits, const BITMAPINFOHEADER& header,
                      unsigned usage);

// Pixels as colour values 0x00BBGGRR; GetPixel gives CLR_INVALID outside the surface.
uint32_t GetPixel(HDC dc, int x, int y);
bool SetPixelV(HDC dc, int x, int y, uint32_t colour);

// FLOODFILLSURFACE: every pixel of the given colour connected 4-way to (x, y) takes the
// device context's brush colour; fails (false) when the start pixel has another colour.
// FLOODFILLBORDER: fills up to pixels of the given colour.
bool ExtFloodFill(HDC dc, int x, int y, uint32_t colour, unsigned type);

// Moves the pen's current point.
void MoveToEx(HDC dc, int x, int y);

} // namespace platform::gdi
