#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace platform {

// A window timer as the original system ran them: an interval below the system tick
// (15.625 ms, 64 a second) runs at the tick, and a late tick is not made up for.
// The bubbles' speeds and the auto-hide's counts depend on that rate.
class SystemTimer : public QObject {
    Q_OBJECT
public:
    static constexpr double TickMilliseconds = 15.625;

    explicit SystemTimer(QObject* parent = nullptr);

    void SetInterval(int milliseconds);
    int Interval() const { return interval_; }
    // The period that the timer really runs at.
    double PeriodMilliseconds() const;

    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }

signals:
    void Timer();

private:
    void Arm();
    void Fire();

    QTimer timer_;
    QElapsedTimer clock_;
    double nextDue_ = 0;
    int interval_ = 0;
    bool enabled_ = false;
};

} // namespace platform
