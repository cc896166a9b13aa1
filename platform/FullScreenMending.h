#pragma once

#include <QRect>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

// What the X server and the window manager tell of a window kept full-screen.
struct FullScreenView {
    bool WindowManager = false; // an EWMH window manager runs
    bool CanShowDesktop = false, CanFullScreen = false, CanAbove = false, CanBelow = false;
    bool ShowingDesktop = false; // the window manager hides every window for the desktop
    std::optional<uint32_t> CurrentDesktop;
    std::optional<uint32_t> Desktop; // the window's
    bool FullScreen = false, Above = false, Below = false;
    bool KeepAbove = false; // the window asks to be kept above the others
    QRect Geometry;         // where the window is
    QRect Monitor;          // the monitor it fills
    // The desktops of the program's other shown windows (a question, a dialog).
    std::vector<std::optional<uint32_t>> OtherDesktops;
    bool operator==(const FullScreenView&) const = default;
};

// The requests that put the window back.
struct FullScreenMending {
    bool StopShowingDesktop = false;
    std::optional<uint32_t> ToDesktop;
    bool Place = false; // moved and sized to fill its monitor
    bool AddFullScreen = false, AddAbove = false, RemoveBelow = false;
    // For each of the other windows, in the view's order: the desktop it is moved to.
    std::vector<std::optional<uint32_t>> OthersToDesktop;
    bool MovesAnyToDesktop() const;
    bool Any() const;
};

// What puts a kept window back: shown, on the current desktop with the program's other
// windows, full-screen, above and not below, filling its monitor. A window that the window manager
// shows full-screen is left where the window manager puts it (its full-screen place is its own);
// one that is not is first placed on its monitor, so that it becomes full-screen there. A window on
// every desktop (0xFFFFFFFF) is on the current one. Without a window manager, or one without
// full-screen windows, only the place is mended.
FullScreenMending MendingFor(const FullScreenView& view);

} // namespace platform
