#pragma once

#include "Hooks.h"

#include <QObject>

namespace platform::user32 {

// An application-wide event filter that puts every key event through a hook procedure
// and swallows the events for which it returns non-zero. Key events are judged where
// they reach a window, before the focus widget gets them; a key press is judged first
// at its shortcut check, so a swallowed press triggers no keyboard shortcut either.
// Before each call the thread's key state holds the modifier keys as they were when the
// event came in.
class KeyboardHookFilter : public QObject {
    Q_OBJECT
public:
    explicit KeyboardHookFilter(HOOKPROC proc, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HOOKPROC proc_;
};

} // namespace platform::user32
