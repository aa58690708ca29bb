#pragma once

#include <QByteArray>
#include <QString>

// Writes `daten` to the file `pfad` whole or not at all: into a new file beside it, each
// system write checked and the data synced to the disk, then put in the place of the old one,
// and the folder synced so that the new name lasts. A write beyond the file size limit
// (ulimit -f) fails instead of ending the program. Returns an empty string when written, else
// one German sentence with the reason; an older file at `pfad` is then left as it was.
QString schreibeGanz(const QString& pfad, const QByteArray& daten);

// The system's error number `fehler` (or 0) in one German sentence; Qt's texts for them are
// English.
QString systemGrund(int fehler);

// Why the file `pfad` could not be created or put in its place, in one German sentence: what is
// plainly wrong there, else what the system's error number `fehler` (or 0) says.
QString ortsGrund(const QString& pfad, int fehler);

// While one exists, the system's signal for a file grown beyond the size limit (ulimit -f) is
// ignored, so that the write fails instead of ending the program. May be nested.
class OhneGroessensignal {
public:
    OhneGroessensignal();
    ~OhneGroessensignal();
    Q_DISABLE_COPY_MOVE(OhneGroessensignal)
};
