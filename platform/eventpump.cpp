#include "eventpump.h"

#include <QCoreApplication>

void processPendingEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
