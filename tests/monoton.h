#pragma once

#include <QElapsedTimer>

// Now on the machine's monotonic clock, in ms: the scripted Leitstelle and stations, each a
// process of its own, read the same clock, so a movement's delay can be measured across them.
inline qint64 jetztMonoton()
{
    QElapsedTimer uhr;
    uhr.start();
    return uhr.msecsSinceReference();
}
