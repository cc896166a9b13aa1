#pragma once

#include "Form.h"
#include "WaitLimit.h"

#include <QTimer>
#include <functional>

// Shows the form modally and runs `actions` inside its modal loop, as a user would act
// on the open window. A watchdog unloads a window that the actions left open, so that a
// fault cannot hang the tests. True when the window closed by itself.
inline bool ShowModalWith(platform::Form& form, const std::function<void()>& actions) {
    bool watchdogFired = false;
    QTimer::singleShot(0, actions);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        watchdogFired = true;
        form.Unload();
    });
    watchdog.start(WaitLimitMs);
    form.Show(true);
    return !watchdogFired;
}
