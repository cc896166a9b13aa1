#pragma once

class QWindow;

// The X pointer held by the program, for the child lock. While it is held, no button or
// wheel event reaches the window manager (its mouse bindings: Alt+wheel, Alt+button, the
// desktop's menus) or another program, while the program's own windows get theirs as
// usual; and the pointer cannot leave the confining window (the main window, which
// fills its monitor). The X server gives the pointer back when the program ends.
namespace platform::user32 {

// Takes the pointer, or confirms it; false when the platform has no X connection, the
// window is not shown, or another program holds the pointer.
bool GrabPointer(QWindow* confineTo);
void UngrabPointer();

} // namespace platform::user32
