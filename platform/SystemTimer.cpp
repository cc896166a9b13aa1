#include "SystemTimer.h"

#include <algorithm>
#include <cmath>

namespace platform {

SystemTimer::SystemTimer(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SystemTimer::Fire);
    clock_.start();
}

void SystemTimer::SetInterval(int milliseconds) {
    interval_ = std::max(0, milliseconds);
    if (enabled_) {
        nextDue_ = clock_.nsecsElapsed() / 1e6 + PeriodMilliseconds();
        Arm();
    }
}

double SystemTimer::PeriodMilliseconds() const {
    return std::max(double(interval_), TickMilliseconds);
}

void SystemTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled && interval_ > 0;
    if (enabled_) {
        nextDue_ = clock_.nsecsElapsed() / 1e6 + PeriodMilliseconds();
        Arm();
    } else {
        timer_.stop();
    }
}

void SystemTimer::Arm() {
    const double now = clock_.nsecsElapsed() / 1e6;
    timer_.start(std::max(0, int(std::lround(nextDue_ - now))));
}

void SystemTimer::Fire() {
    if (!enabled_)
        return;
    const double now = clock_.nsecsElapsed() / 1e6;
    nextDue_ += PeriodMilliseconds();
    if (nextDue_ < now)
        nextDue_ = now + PeriodMilliseconds(); // fell behind: the missed ticks are lost
    Arm();
    emit Timer();
}

} // namespace platform
