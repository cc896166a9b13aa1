#include "mWindow.h"

#include "Edge.h"

namespace mWindow {

void DrawWindowEdge(const QWidget* hWnd, platform::HDC hdc, long eEdge, long grfFlags) {
    namespace user32 = platform::user32;
    user32::RECT rect;
    if (!user32::GetWindowRect(hWnd, rect))
        return;
    rect.right -= rect.left;
    rect.bottom -= rect.top;
    rect.left = 0;
    rect.top = 0;
    user32::DrawEdge(hdc, rect, unsigned(eEdge), unsigned(grfFlags));
}

} // namespace mWindow
