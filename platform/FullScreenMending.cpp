#include "FullScreenMending.h"

#include <algorithm>

namespace platform {
namespace {
constexpr uint32_t EveryDesktop = 0xFFFFFFFF;

// The desktop a window is moved to: the current one, when it is on another.
std::optional<uint32_t> DesktopToMoveTo(std::optional<uint32_t> desktop,
                                        std::optional<uint32_t> current) {
    if (!desktop || !current || *desktop == *current || *desktop == EveryDesktop)
        return std::nullopt;
    return current;
}
} // namespace

bool FullScreenMending::MovesAnyToDesktop() const {
    return ToDesktop || std::any_of(OthersToDesktop.begin(), OthersToDesktop.end(),
                                    [](const auto& to) { return to.has_value(); });
}

bool FullScreenMending::Any() const {
    return StopShowingDesktop || MovesAnyToDesktop() || Place || AddFullScreen || AddAbove ||
           RemoveBelow;
}

FullScreenMending MendingFor(const FullScreenView& view) {
    FullScreenMending mending;
    const bool fullScreen = view.WindowManager && view.CanFullScreen;
    if (!view.WindowManager) {
        mending.Place = view.Geometry != view.Monitor;
        return mending;
    }
    mending.StopShowingDesktop = view.CanShowDesktop && view.ShowingDesktop;
    mending.ToDesktop = DesktopToMoveTo(view.Desktop, view.CurrentDesktop);
    for (const auto& desktop : view.OtherDesktops)
        mending.OthersToDesktop.push_back(DesktopToMoveTo(desktop, view.CurrentDesktop));
    mending.AddFullScreen = fullScreen && !view.FullScreen;
    mending.Place = view.Geometry != view.Monitor && (!fullScreen || !view.FullScreen);
    mending.AddAbove = view.CanAbove && view.KeepAbove && !view.Above;
    mending.RemoveBelow = view.CanBelow && view.Below;
    return mending;
}

} // namespace platform
