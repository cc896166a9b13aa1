#include "FullScreenMending.h"

#include <gtest/gtest.h>
#include <string>

using namespace platform;

namespace {
constexpr uint32_t EveryDesktop = 0xFFFFFFFF;
const QRect Monitor(0, 0, 1024, 768);

// The window as the program showed it, under a window manager that can do everything.
FullScreenView Kept() {
    FullScreenView view;
    view.WindowManager = true;
    view.CanShowDesktop = view.CanFullScreen = view.CanAbove = view.CanBelow = true;
    view.CurrentDesktop = 0;
    view.Desktop = 0;
    view.FullScreen = view.Above = true;
    view.KeepAbove = true;
    view.Geometry = view.Monitor = Monitor;
    return view;
}

// The requests, in the order the keeper sends them.
std::string Requests(const FullScreenMending& m) {
    std::string text;
    auto add = [&text](bool asked, const std::string& request) {
        if (!asked)
            return;
        if (!text.empty())
            text.append(", ");
        text.append(request);
    };
    add(m.StopShowingDesktop, "stop showing the desktop");
    add(m.ToDesktop.has_value(), "to desktop " + std::to_string(m.ToDesktop.value_or(0)));
    std::string others;
    for (const auto& to : m.OthersToDesktop) {
        if (!others.empty())
            others.append(" ");
        others.append(to ? std::to_string(*to) : "-");
    }
    add(m.MovesAnyToDesktop() && !m.OthersToDesktop.empty(), "the others to " + others);
    add(m.Place, "place");
    add(m.AddFullScreen, "add full-screen");
    add(m.AddAbove, "add above");
    add(m.RemoveBelow, "remove below");
    return text;
}

struct Case {
    const char* name;
    void (*change)(FullScreenView&);
    const char* requests;
};

const Case cases[] = {
    {"as shown", [](FullScreenView&) {}, ""},
    // Desktops.
    {"sent to another desktop", [](FullScreenView& v) { v.Desktop = 2; }, "to desktop 0"},
    {"the user switched desktops", [](FullScreenView& v) { v.CurrentDesktop = 2; }, "to desktop 2"},
    {"on every desktop", [](FullScreenView& v) { v.Desktop = EveryDesktop; }, ""},
    {"a window manager without desktops",
     [](FullScreenView& v) { v.Desktop = v.CurrentDesktop = std::nullopt; }, ""},
    {"no desktop told for the window", [](FullScreenView& v) { v.Desktop = std::nullopt; }, ""},
    // The program's other windows, each where the view tells.
    {"the others on the current desktop and on every desktop",
     [](FullScreenView& v) {
         v.OtherDesktops = {0, EveryDesktop, std::nullopt};
     },
     ""},
    {"one of the others sent to another desktop",
     [](FullScreenView& v) {
         v.OtherDesktops = {0, 3};
     },
     "the others to - 0"},
    {"the user switched desktops, with two other windows",
     [](FullScreenView& v) {
         v.CurrentDesktop = 1;
         v.OtherDesktops = {0, 0};
     },
     "to desktop 1, the others to 1 1"},
    {"showing the desktop", [](FullScreenView& v) { v.ShowingDesktop = true; },
     "stop showing the desktop"},
    {"showing the desktop, which the window manager does not tell it can",
     [](FullScreenView& v) {
         v.ShowingDesktop = true;
         v.CanShowDesktop = false;
     },
     ""},
    // Full-screen and place.
    {"full-screen removed", [](FullScreenView& v) { v.FullScreen = false; }, "add full-screen"},
    {"full-screen removed, then moved and resized",
     [](FullScreenView& v) {
         v.FullScreen = false;
         v.Geometry = QRect(100, 100, 500, 400);
     },
     "place, add full-screen"},
    {"full-screen removed, moved by one pixel",
     [](FullScreenView& v) {
         v.FullScreen = false;
         v.Geometry = QRect(1, 0, 1024, 768);
     },
     "place, add full-screen"},
    {"full-screen where the window manager puts it",
     [](FullScreenView& v) { v.Geometry = QRect(0, 0, 1024, 740); }, ""},
    // Above and below.
    {"above removed", [](FullScreenView& v) { v.Above = false; }, "add above"},
    {"below added", [](FullScreenView& v) { v.Below = true; }, "remove below"},
    {"below added in place of above",
     [](FullScreenView& v) {
         v.Below = true;
         v.Above = false;
     },
     "add above, remove below"},
    {"not above, for a window that does not ask to be",
     [](FullScreenView& v) {
         v.Above = false;
         v.KeepAbove = false;
     },
     ""},
    {"above removed, under a window manager without that state",
     [](FullScreenView& v) {
         v.Above = false;
         v.CanAbove = false;
     },
     ""},
    {"below, under a window manager without that state",
     [](FullScreenView& v) {
         v.Below = true;
         v.CanBelow = false;
     },
     ""},
    // Everything at once.
    {"everything undone",
     [](FullScreenView& v) {
         v.ShowingDesktop = true;
         v.CurrentDesktop = 1;
         v.Desktop = 3;
         v.FullScreen = v.Above = false;
         v.Below = true;
         v.Geometry = QRect(100, 100, 500, 400);
     },
     "stop showing the desktop, to desktop 1, place, add full-screen, add above, remove below"},
    // Window managers that cannot make it full-screen, and none at all: the place only.
    {"a window manager without full-screen windows, moved",
     [](FullScreenView& v) {
         v.CanFullScreen = false;
         v.FullScreen = false;
         v.Geometry = QRect(100, 100, 500, 400);
     },
     "place"},
    {"a window manager without full-screen windows, in place",
     [](FullScreenView& v) {
         v.CanFullScreen = false;
         v.FullScreen = false;
     },
     ""},
    {"no window manager, moved",
     [](FullScreenView& v) {
         v = FullScreenView{};
         v.Monitor = Monitor;
         v.Geometry = QRect(100, 100, 500, 400);
         v.KeepAbove = true;
     },
     "place"},
    {"no window manager, in place",
     [](FullScreenView& v) {
         v = FullScreenView{};
         v.Monitor = v.Geometry = Monitor;
         v.KeepAbove = true;
     },
     ""},
    {"a second monitor beside the first, in place",
     [](FullScreenView& v) { v.Monitor = v.Geometry = QRect(1024, 0, 1280, 1024); }, ""},
    {"a second monitor beside the first, full-screen removed and left on the first",
     [](FullScreenView& v) {
         v.Monitor = QRect(1024, 0, 1280, 1024);
         v.FullScreen = false;
     },
     "place, add full-screen"},
};

TEST(FullScreenMendingTest, EachOutsideChangeIsAskedBackAndNothingElse) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FullScreenView view = Kept();
        c.change(view);
        const FullScreenMending mending = MendingFor(view);
        EXPECT_EQ(Requests(mending), c.requests);
        EXPECT_EQ(mending.Any(), *c.requests != '\0');
    }
}

} // namespace
