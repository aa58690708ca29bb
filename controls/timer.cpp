#include "controls/timer.h"

Timer::Timer(int intervalMs, QObject* parent) : QObject(parent), interval_(intervalMs)
{
    // A precise timer, so a tick never comes early.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Timer::tick);
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled_)
        timer_.start(interval_);
    else
        timer_.stop();
}

void Timer::setInterval(int intervalMs)
{
    if (intervalMs == interval_)
        return;
    interval_ = intervalMs;
    if (enabled_)
        timer_.start(interval_);
}
