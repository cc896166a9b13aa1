#pragma once

#include <QRect>
#include <cstdint>
#include <optional>
#include <vector>
#include <xcb/xcb.h>

class QWindow;

// Plain requests to the X server and the window manager (EWMH) for the program's own
// windows, on Qt's connection. Every call does nothing, or reports nothing, where the
// program runs without an X connection.
namespace platform::x11 {

xcb_connection_t* Connection();
xcb_window_t Root();
// The window's X id; 0 when it has none.
xcb_window_t IdOf(QWindow* window);

xcb_atom_t Atom(const char* name);
// A CARDINAL property's first value; nullopt when the window has none.
std::optional<uint32_t> Cardinal(xcb_window_t window, xcb_atom_t property);
// The atoms of an ATOM property (a window's _NET_WM_STATE, the root's _NET_SUPPORTED).
std::vector<xcb_atom_t> Atoms(xcb_window_t window, xcb_atom_t property);
// Whether a window manager that follows EWMH runs.
bool WindowManagerRuns();
// The window's place on the screen and its size; an empty rectangle when it is gone.
QRect Geometry(xcb_window_t window);
// Whether the window is mapped and all its ancestors are.
bool Viewable(xcb_window_t window);

// A request to the window manager about `window` (the root for requests about the
// desktop), as EWMH sends them: a client message to the root window.
void Ask(xcb_window_t window, xcb_atom_t type, uint32_t d0, uint32_t d1 = 0, uint32_t d2 = 0,
         uint32_t d3 = 0);
// Asks to move and resize the window (a configure request the window manager may grant).
void Place(xcb_window_t window, const QRect& geometry);

} // namespace platform::x11
