#include "OwnedWindows.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace platform {
namespace {

QWidget* ShownWidgetOf(QWindow* window, const QWidget* except) {
    if (!window || !window->isVisible())
        return nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != except && widget->windowHandle() == window && widget->isVisible())
            return widget;
    return nullptr;
}

} // namespace

void OwnedWindows::Install() {
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    qApp->installEventFilter(new OwnedWindows(qApp));
}

QWidget* OwnedWindows::OwnerFor(const QWidget* dialog) {
    if (QWidget* modal = ShownWidgetOf(QGuiApplication::modalWindow(), dialog))
        return modal;
    if (QWidget* focus = ShownWidgetOf(QGuiApplication::focusWindow(), dialog))
        return focus;
    QWidget* largest = nullptr;
    auto area = [](const QWidget* w) { return qint64(w->width()) * w->height(); };
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != dialog && widget->isVisible() && widget->windowType() != Qt::Popup &&
            widget->windowType() != Qt::ToolTip && (!largest || area(widget) > area(largest)))
            largest = widget;
    return largest;
}

bool OwnedWindows::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!widget->isWindow())
        return false;
    if (event->type() == QEvent::Show && widget->windowType() == Qt::Dialog) {
        // Sent before the window is mapped, so the window manager learns the owner in time.
        QWindow* window = widget->windowHandle();
        if (window && !window->transientParent())
            if (QWidget* owner = OwnerFor(widget))
                window->setTransientParent(owner->windowHandle());
    } else if (event->type() == QEvent::WindowStateChange &&
               widget->windowState().testFlag(Qt::WindowMinimized)) {
        QTimer::singleShot(0, widget, [widget] {
            if (!widget->isMinimized())
                return;
            widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
            // The keyboard goes back to it, unless a modal window in front must keep it.
            const QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == widget)
                widget->activateWindow();
        });
    }
    return false;
}

} // namespace platform
