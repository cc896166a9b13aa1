#pragma once

#include "BubbleRecord.h"
#include "DeviceContext.h"
#include "modHSL.h"

#include <QPoint>
#include <cstdint>
#include <functional>
#include <vector>

class cNDib;

// The arithmetic of the rising colour bubbles, of the function bar's auto-hide and of the
// picker's recolouring, apart from any window.
namespace BubbleMath {

// One step of sway and rise: the phase turns by 0.1 (back to 0 past 6.28), the sway is
// its sine times 0.2, and the bubble moves by its speed and its sway.
void Move(BubbleRecord& bubble);

// Where the bubble's picture goes: its top-left corner rounded to whole pixels (halves
// to even); never left of the panel, while a bubble partly above the top stays so.
QPoint DrawingPosition(const BubbleRecord& bubble);

// The bubble has left the top edge completely (at -Radius it has not yet).
bool HasLeftTop(const BubbleRecord& bubble);

// Puts the bubble back just below a panel of the given size with a new rise speed, from
// three draws of rnd in this order: height, place across, speed (divided by divisor).
void Respawn(BubbleRecord& bubble, int scaleWidth, int scaleHeight, float divisor,
             const std::function<float()>& rnd);

// One animation step of a palette: every bubble in turn moves, is drawn where it now is
// (draw with its index and drawing position) and, once it has left the top, pops (pop)
// and comes back below the panel with its speed divided by divisor.
void Step(std::vector<BubbleRecord>& bubbles, int scaleWidth, int scaleHeight, float divisor,
          const std::function<void(size_t, QPoint)>& draw, const std::function<void()>& pop,
          const std::function<float()>& rnd);

// Draws bubble i of n at `at` from the sprites (entry i its picture on black, entry n + i
// its mask): the mask clears the bubble's place, the picture fills it.
void DrawBubble(const std::vector<cNDib>& sprites, size_t n, size_t i, QPoint at, platform::HDC dc);

// The index of the bubble under (X, Y), -1 for none: a bubble is hit when the point lies
// within its radius, the rim included. topFirst searches from the last bubble (drawn on
// top) down, otherwise from bubble 0 up.
int HitTest(const std::vector<BubbleRecord>& bubbles, float X, float Y, bool topFirst);

// Auto-hide: the zone that calls the function bar back is the screen's top-left corner
// up to right and bottom (inclusive), in screen pixels.
bool InZone(const QPoint& pointer, long right, long bottom);
constexpr long ChecksToShow = 1500;
enum class BarChange { None, Show, Hide };
// One check: a pointer in the zone counts; the 1500th check in a row shows a hidden bar
// and starts the count again; a pointer outside restarts it and hides a visible bar.
BarChange AutoHideCheck(long& counter, bool inZone, bool barVisible);

// A mask from a bubble sprite on black, in place: black where the bubble is, white
// round it.
void MakeMask(cNDib& sprite);

// The colour picker's recolouring of one pixel (r, g, b) of picture `bubble`, to the hue
// of the current colour: pictures 0 to 9 keep their saturation (all grey when the
// current colour is a grey), pictures from 10 take the current saturation too and keep
// their grey pixels. Returns the colour value 0x00BBGGRR.
int32_t TintPixel(int bubble, uint8_t r, uint8_t g, uint8_t b, const HSLColor& current);

} // namespace BubbleMath
