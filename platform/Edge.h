#pragma once

#include "DeviceContext.h"

#include <cstdint>

class QWidget;

// A window's place on the screen and the classic three-dimensional edge drawn round a
// rectangle, in the system colours of the application palette.
namespace platform::user32 {

struct RECT {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;

// The window's rectangle in screen pixels, its frame included; false for no window.
bool GetWindowRect(const QWidget* hWnd, RECT& rect);

// Draws the outer and the inner ring of the edge along the rectangle's sides named by
// the flags. Raised: light top and left, dark bottom and right; sunken the other way
// round. The right and bottom coordinates lie just outside the edge.
bool DrawEdge(HDC hdc, const RECT& rect, unsigned edge, unsigned flags);

// The colours of the edge: the outer ring's light and dark, the inner ring's light and
// dark, as colour values (0x00BBGGRR).
struct EdgeColours {
    uint32_t outerLight, outerDark, innerLight, innerDark;
};
EdgeColours SystemEdgeColours();

} // namespace platform::user32
