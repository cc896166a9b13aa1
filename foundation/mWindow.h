#pragma once

#include "DeviceContext.h"

class QWidget;

namespace mWindow {

// Draws the three-dimensional edge round the whole of a borderless window on its device
// context (pixels, origin at the window's top-left corner), wherever the window stands.
// Callers pass EDGE_RAISED and BF_RECT.
void DrawWindowEdge(const QWidget* hWnd, platform::HDC hdc, long eEdge, long grfFlags);

} // namespace mWindow
