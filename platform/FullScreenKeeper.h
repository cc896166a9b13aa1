#pragma once

#include "FullScreenMending.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class QScreen;
class QWidget;

namespace platform {

// Keeps the window that the program showed full-screen as it was shown, whatever other
// programs ask of the window manager (a pager, a panel's "show desktop", a script): shown,
// on the current desktop with the program's other windows, full-screen, above the other
// programs' windows and never below them, filling the monitor it was shown on from that
// monitor's origin. The window manager's and the X server's view of it is checked a few
// times a second and whenever the window is moved, resized, changes state or is hidden,
// and whatever differs is asked back; the child lock's grabs come back with the window.
// One window at a time; nothing happens without an X connection.
class FullScreenKeeper : public QObject {
    Q_OBJECT
public:
    // From now on the window is kept full-screen on the monitor it is on.
    static void Keep(QWidget* window);
    // The program places or hides the window itself: it is no longer kept.
    static void Release(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FullScreenKeeper(QObject* parent);
    static FullScreenKeeper* Instance();
    void CheckSoon();
    void Check();

    QPointer<QWidget> window_;
    QPointer<QScreen> monitor_;
    QTimer timer_;
    bool checkPending_ = false;
    FullScreenView lastView_;
    int sameViewChecks_ = 0; // in a row, this one included
};

} // namespace platform
