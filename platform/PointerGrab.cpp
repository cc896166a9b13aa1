#include "PointerGrab.h"

#include "X11Window.h"

#include <QWindow>
#include <cstdlib>
#include <xcb/xcb.h>

namespace platform::user32 {
// Qt's own connection: the grab must belong to the client that owns the program's windows,
// so that their events are still reported to them.
using x11::Connection;

bool GrabPointer(QWindow* confineTo) {
    xcb_connection_t* connection = Connection();
    if (!connection || !confineTo || !confineTo->isVisible() || !confineTo->handle())
        return false;
    const xcb_window_t window = xcb_window_t(confineTo->winId());
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    if (!geometry)
        return false;
    const xcb_window_t root = geometry->root;
    std::free(geometry);
    // Held on the root window with the owner's events: events over the program's windows
    // go to them as usual, with their own cursors, and no other window gets any.
    xcb_grab_pointer_reply_t* reply = xcb_grab_pointer_reply(
        connection,
        xcb_grab_pointer(connection, 1, root, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, window,
                         XCB_CURSOR_NONE, XCB_CURRENT_TIME),
        nullptr);
    const bool held = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(reply);
    return held;
}

void UngrabPointer() {
    if (xcb_connection_t* connection = Connection()) {
        xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
        xcb_flush(connection);
    }
}

} // namespace platform::user32
