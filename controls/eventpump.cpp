#include "eventpump.h"

#include <QCoreApplication>
#include <QTimer>

void processPendingEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void processEventsUntil(std::chrono::steady_clock::time_point deadline)
{
    using namespace std::chrono;
    auto rest = deadline - steady_clock::now();
    if (rest <= rest.zero()) {
        processPendingEvents();
        return;
    }
    // The alarm only wakes the wait below; whatever is waiting or arrives before it is handled
    // at once.
    QTimer alarm;
    alarm.setSingleShot(true);
    alarm.setTimerType(Qt::PreciseTimer);
    do {
        // Rounded up, so that the alarm never wakes the wait before the deadline for nothing.
        alarm.start(ceil<milliseconds>(rest));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        rest = deadline - steady_clock::now();
    } while (rest > rest.zero());
}
