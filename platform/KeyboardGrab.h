#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace platform::user32 {

// Holds the X keyboard grab for the program while it is active: all key events of the
// X session then come to the program, none to the window manager or other programs.
// The grab sits on the program's focus window (key events go there anyway) or else on
// a visible window of the program. The pointer is held with the keyboard, confined to
// the program's largest window (the main window), and given back with it. X drops a
// grab when its window is hidden and Qt drops both when a popup closes, so the grabs
// are taken again whenever a window of the program is shown, hidden, activated or
// exposed, and checked a few times a second.
class KeyboardGrab : public QObject {
    Q_OBJECT
public:
    explicit KeyboardGrab(QObject* parent = nullptr);
    ~KeyboardGrab() override;

    // Whether this platform can grab the keyboard at all (X, not offscreen).
    static bool Supported();

    void Start();
    void Stop();
    // The window that holds the grab, if any.
    QWindow* Holder() const { return holder_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Take();

    QTimer timer_;
    QPointer<QWindow> holder_;
    bool pointerHeld_ = false;
    bool active_ = false;
};

} // namespace platform::user32
