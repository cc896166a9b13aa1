#include "KeyboardGrab.h"

#include "PointerGrab.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

namespace platform::user32 {
namespace {
constexpr int CheckInterval = 200; // ms

// A tooltip never has the focus, so key events sent to it would be lost.
bool CanHold(const QWindow* window) {
    return window && window->isVisible() && window->isExposed() && window->handle() &&
           window->type() != Qt::ToolTip;
}

// The program's biggest shown window: the main window, which fills its monitor.
QWindow* LargestWindow() {
    QWindow* largest = nullptr;
    auto area = [](const QWindow* w) { return qint64(w->width()) * w->height(); };
    for (QWindow* window : QGuiApplication::topLevelWindows())
        if (CanHold(window) && window->type() != Qt::Popup &&
            (!largest || area(window) > area(largest)))
            largest = window;
    return largest;
}
} // namespace

KeyboardGrab::KeyboardGrab(QObject* parent) : QObject(parent) {
    timer_.setInterval(CheckInterval);
    connect(&timer_, &QTimer::timeout, this, &KeyboardGrab::Take);
}

KeyboardGrab::~KeyboardGrab() {
    Stop();
}

bool KeyboardGrab::Supported() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

void KeyboardGrab::Start() {
    if (active_ || !Supported())
        return;
    active_ = true;
    qApp->installEventFilter(this);
    timer_.start();
    Take();
}

void KeyboardGrab::Stop() {
    if (!active_)
        return;
    active_ = false;
    timer_.stop();
    if (qApp)
        qApp->removeEventFilter(this);
    // Any of the program's windows releases the program's grab.
    if (holder_ && holder_->handle())
        holder_->setKeyboardGrabEnabled(false);
    holder_ = nullptr;
    if (pointerHeld_)
        UngrabPointer();
    pointerHeld_ = false;
}

void KeyboardGrab::Take() {
    if (!active_ || QApplication::activePopupWidget())
        return; // Qt holds the grab for its popup and gives it up when the popup closes
    QWindow* target = QGuiApplication::focusWindow();
    if (!CanHold(target)) {
        target = nullptr;
        for (QWindow* window : QGuiApplication::topLevelWindows())
            if (CanHold(window)) {
                target = window;
                break;
            }
    }
    if (target && target->setKeyboardGrabEnabled(true))
        holder_ = target;
    else
        holder_ = nullptr;
    // While a button is held, the window it went down in has the pointer anyway.
    if (QGuiApplication::mouseButtons() == Qt::NoButton)
        pointerHeld_ = GrabPointer(LargestWindow());
}

bool KeyboardGrab::eventFilter(QObject* watched, QEvent* event) {
    if (watched->isWindowType()) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::Expose:
        case QEvent::FocusIn:
        case QEvent::WindowActivate:
            // Right away, so that no key slips past while a window comes or goes.
            Take();
            break;
        default:
            break;
        }
    }
    return false;
}

} // namespace platform::user32
