#include "drawing/schrift.h"

QFont verdana(int pixelHoehe, bool fett)
{
    QFont schrift(QStringLiteral("Verdana"));
    schrift.setPixelSize(pixelHoehe);
    schrift.setBold(fett);
    return schrift;
}
