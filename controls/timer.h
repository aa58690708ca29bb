#pragma once

#include <QObject>
#include <QTimer>

// A periodic timer switched by `setEnabled`. The first tick comes one full interval after it
// is enabled, never at once; setting either property to the value it already has changes
// nothing, and a changed interval restarts the count while it runs.
class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(int intervalMs, QObject* parent = nullptr);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    int interval() const { return interval_; }
    void setInterval(int intervalMs);

    // Milliseconds until the next tick, or -1 while disabled.
    int remainingTime() const { return timer_.remainingTime(); }

signals:
    void tick();

private:
    QTimer timer_;
    bool enabled_ = false;
    int interval_;
};
