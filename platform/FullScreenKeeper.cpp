#include "FullScreenKeeper.h"

#include "FullScreenMending.h"
#include "X11Window.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

namespace platform {
namespace {
constexpr int CheckInterval = 250; // ms
// How many checks in a row send their requests while the view stays the same. A window
// manager that does not grant one of them (a layer it keeps for itself, a place it insists
// on) is asked again only once the view has changed.
constexpr int SameViewRequests = 4;
constexpr uint32_t Remove = 0, Add = 1; // _NET_WM_STATE actions
constexpr uint32_t FromApplication = 1; // the source of a request, for the window manager

bool Holds(const std::vector<xcb_atom_t>& atoms, const char* name) {
    return std::find(atoms.begin(), atoms.end(), x11::Atom(name)) != atoms.end();
}

QRect NativeGeometry(const QScreen* screen) {
    if (!screen)
        return {};
    const QRect g = screen->geometry();
    const qreal ratio = screen->devicePixelRatio();
    return {QPoint(int(g.x() * ratio), int(g.y() * ratio)),
            QSize(int(g.width() * ratio), int(g.height() * ratio))};
}

// The program's windows that the window manager places on desktops.
bool OnADesktop(const QWindow* window) {
    return window->isVisible() && window->handle() && window->type() != Qt::Popup &&
           window->type() != Qt::ToolTip && window->type() != Qt::Desktop;
}
} // namespace

FullScreenKeeper::FullScreenKeeper(QObject* parent) : QObject(parent) {
    timer_.setInterval(CheckInterval);
    connect(&timer_, &QTimer::timeout, this, &FullScreenKeeper::Check);
}

FullScreenKeeper* FullScreenKeeper::Instance() {
    if (!qApp || !x11::Connection())
        return nullptr;
    static QPointer<FullScreenKeeper> keeper;
    if (!keeper)
        keeper = new FullScreenKeeper(qApp);
    return keeper;
}

void FullScreenKeeper::Keep(QWidget* window) {
    FullScreenKeeper* keeper = Instance();
    if (!keeper || !window)
        return;
    if (keeper->window_ && keeper->window_ != window)
        keeper->window_->removeEventFilter(keeper);
    keeper->window_ = window;
    keeper->monitor_ = window->screen();
    keeper->sameViewChecks_ = 0;
    window->installEventFilter(keeper);
    // The first check comes after the window manager has had time to answer the program's
    // own request.
    keeper->timer_.start();
}

void FullScreenKeeper::Release(QWidget* window) {
    FullScreenKeeper* keeper = Instance();
    if (!keeper || !window || keeper->window_ != window)
        return;
    window->removeEventFilter(keeper);
    keeper->window_ = nullptr;
    keeper->timer_.stop();
}

bool FullScreenKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
        case QEvent::Hide:
            CheckSoon();
            break;
        default:
            break;
        }
    }
    return false;
}

// Once the events of the moment have been handled, so that a burst of them is one check.
void FullScreenKeeper::CheckSoon() {
    if (checkPending_)
        return;
    checkPending_ = true;
    QTimer::singleShot(0, this, [this] {
        checkPending_ = false;
        Check();
    });
}

void FullScreenKeeper::Check() {
    if (!window_ || !window_->isVisible() || !window_->windowHandle())
        return;
    const xcb_window_t id = x11::IdOf(window_->windowHandle());
    const xcb_window_t root = x11::Root();
    if (!id || !root)
        return;
    FullScreenView view;
    view.WindowManager = x11::WindowManagerRuns();
    if (view.WindowManager) {
        const auto supported = x11::Atoms(root, x11::Atom("_NET_SUPPORTED"));
        view.CanShowDesktop = Holds(supported, "_NET_SHOWING_DESKTOP");
        view.CanFullScreen = Holds(supported, "_NET_WM_STATE_FULLSCREEN");
        view.CanAbove = Holds(supported, "_NET_WM_STATE_ABOVE");
        view.CanBelow = Holds(supported, "_NET_WM_STATE_BELOW");
        view.ShowingDesktop =
            x11::Cardinal(root, x11::Atom("_NET_SHOWING_DESKTOP")).value_or(0) == 1;
        view.CurrentDesktop = x11::Cardinal(root, x11::Atom("_NET_CURRENT_DESKTOP"));
        view.Desktop = x11::Cardinal(id, x11::Atom("_NET_WM_DESKTOP"));
        const auto state = x11::Atoms(id, x11::Atom("_NET_WM_STATE"));
        view.FullScreen = Holds(state, "_NET_WM_STATE_FULLSCREEN");
        view.Above = Holds(state, "_NET_WM_STATE_ABOVE");
        view.Below = Holds(state, "_NET_WM_STATE_BELOW");
    }
    view.KeepAbove = window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    view.Geometry = x11::Geometry(id);
    view.Monitor = NativeGeometry(monitor_ ? monitor_.data() : QGuiApplication::primaryScreen());
    std::vector<xcb_window_t> others;
    if (view.WindowManager)
        for (QWindow* window : QGuiApplication::topLevelWindows())
            if (window != window_->windowHandle() && OnADesktop(window)) {
                others.push_back(x11::IdOf(window));
                view.OtherDesktops.push_back(
                    x11::Cardinal(others.back(), x11::Atom("_NET_WM_DESKTOP")));
            }
    const FullScreenMending mending = MendingFor(view);
    sameViewChecks_ = view == lastView_ ? sameViewChecks_ + 1 : 1;
    lastView_ = view;
    if (!mending.Any() || sameViewChecks_ > SameViewRequests)
        return;
    const bool wasViewable = x11::Viewable(id);

    if (mending.StopShowingDesktop)
        x11::Ask(root, x11::Atom("_NET_SHOWING_DESKTOP"), 0);
    // The program's other windows go with it.
    if (mending.ToDesktop)
        x11::Ask(id, x11::Atom("_NET_WM_DESKTOP"), *mending.ToDesktop, FromApplication);
    for (size_t i = 0; i < others.size(); ++i)
        if (const auto to = mending.OthersToDesktop[i])
            x11::Ask(others[i], x11::Atom("_NET_WM_DESKTOP"), *to, FromApplication);
    if (mending.Place)
        x11::Place(id, view.Monitor);
    if (mending.AddFullScreen)
        x11::Ask(id, x11::Atom("_NET_WM_STATE"), Add, x11::Atom("_NET_WM_STATE_FULLSCREEN"), 0,
                 FromApplication);
    if (mending.AddAbove)
        x11::Ask(id, x11::Atom("_NET_WM_STATE"), Add, x11::Atom("_NET_WM_STATE_ABOVE"), 0,
                 FromApplication);
    if (mending.RemoveBelow)
        x11::Ask(id, x11::Atom("_NET_WM_STATE"), Remove, x11::Atom("_NET_WM_STATE_BELOW"), 0,
                 FromApplication);
    // Back in sight, the window in front takes the keyboard again, as after a minimising.
    if (mending.StopShowingDesktop || mending.MovesAnyToDesktop() || !wasViewable) {
        QWidget* modal = QApplication::activeModalWidget();
        (modal ? modal : window_.data())->activateWindow();
    }
}

} // namespace platform
