#pragma once

// Lets Qt Test carry signal positions in data rows and print them when a comparison fails.
#include "signal/stellung.h"

#include <QMetaType>
#include <QTest>

Q_DECLARE_METATYPE(Stellung)

inline char* toString(const Stellung& s)
{
    return QTest::toString(
        QStringLiteral("(%1, %2, %3)").arg(s.regulator).arg(s.indikator1).arg(s.indikator2));
}
