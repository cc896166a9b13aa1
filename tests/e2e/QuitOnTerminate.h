// Lets a probe end through its event loop when the test stops it with SIGTERM, so that
// it leaves main() and runs the exit checks of the sanitizer build (the leak check)
// instead of dying where it stands.
#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <csignal>

namespace {
volatile std::sig_atomic_t terminateRequested = 0;

inline void QuitOnTerminate(QCoreApplication& app) {
    std::signal(SIGTERM, [](int) { terminateRequested = 1; });
    auto* poll = new QTimer(&app);
    QObject::connect(poll, &QTimer::timeout, &app, [] {
        if (terminateRequested)
            QCoreApplication::quit();
    });
    poll->start(50);
}
} // namespace
