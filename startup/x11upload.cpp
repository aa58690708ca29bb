#include "startup/x11upload.h"

#include <QByteArray>
#include <QtGlobal>

void sendFramesThroughConnection()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}
