#include "Screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {
namespace {
std::function<ScreenMetrics()>& TestScreen() {
    static std::function<ScreenMetrics()> screen;
    return screen;
}
} // namespace

ScreenMetrics CurrentScreen() {
    if (TestScreen())
        return TestScreen()();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QSize size = screen->size();
    return {size.width(), size.height(), screen->depth()};
}

void SetScreenForTesting(std::function<ScreenMetrics()> screen) {
    TestScreen() = std::move(screen);
}

} // namespace platform
