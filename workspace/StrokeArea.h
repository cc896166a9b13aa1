#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>

// The area a stroke may paint, judged from the pixel where the stroke begins: the pixels
// connected to it whose colour is close to the colour there. Colours are compared by
// their largest channel difference. The image is RGB32; pixels are 0xAARRGGBB.
namespace StrokeArea {

// How far a pixel's colour may lie from the area's to belong to it: halfway between the
// grain of a scan on greyish paper, which breaks a flood of less than 25, and a pale pink
// outline (about 100 from white), which a flood of 50 crosses.
constexpr int Tolerance = 35;
// Darker than this on every channel is the ink of a line, however the drawing was made.
constexpr int InkLevel = 64;
// A start pixel with a pixel within two of it lighter than itself by more than this lies
// on a line.
constexpr int LineContrast = 80;
// The anti-aliased seam along a line is taken up to this many pixels from the flooded
// area, while its pixels lie within two fifths of the way from the area's colour to the
// line's.
constexpr int SeamWidth = 3;
// Specks enclosed by the area of at most this many pixels, none further than
// LineContrast from the area's colour, are noise and belong to the area.
constexpr int SpeckSize = 16;

// True when (x, y) lies on a line of the drawing: a stroke begun there paints nothing.
bool OnLine(const QImage& image, int x, int y);

// Marks the area of a stroke begun at (x, y) with `key`, a pixel colour that no pixel of
// the image holds. Returns the rectangle changed: empty when the point lies on a line.
QRect Flood(QImage& image, int x, int y, uint32_t key);

// A key for the drawing: red when the drawing holds no red pixel, otherwise the first
// colour from there on that it does not hold (never black or white).
uint32_t KeyFor(const QImage& drawing);

} // namespace StrokeArea
