#pragma once

#include "Hooks.h"

#include <QObject>
#include <Qt>

class QKeyEvent;

namespace platform::user32 {

// An application-wide event filter that puts every key event once through a hook
// procedure and swallows the events for which it returns non-zero. A key press is
// judged at its shortcut check, which comes first (so a swallowed press triggers no
// keyboard shortcut either), and that judgement holds when the press reaches its window;
// a release is judged where it reaches its window. Either way that is before the focus
// widget gets the event. The context menu that the Menu key opens is judged as that
// key's press. Before each call the thread's key state holds the modifier
// keys as they were when the event came in.
class KeyboardHookFilter : public QObject {
    Q_OBJECT
public:
    explicit KeyboardHookFilter(HOOKPROC proc, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The key press judged last, until it reaches its window.
    struct Judged {
        bool valid = false;
        int key = 0;
        quint32 scanCode = 0;
        quint32 keysym = 0;
        Qt::KeyboardModifiers modifiers;
        quint64 timestamp = 0;
        intptr_t result = 0;
    };

    intptr_t Judge(const QKeyEvent& event);
    static bool SameEvent(const Judged& judged, const QKeyEvent& event);

    HOOKPROC proc_;
    Judged lastPress_;
};

} // namespace platform::user32
