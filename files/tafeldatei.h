#pragma once

#include "signal/signalcode.h"

#include <QPageLayout>
#include <QString>

// Writes the code chart to a file whose type follows its extension: .pdf gives one A4
// landscape page of vector shapes and real text, .png a picture of 3508 x 2480 pixels
// (A4 at 300 dots per inch). The file appears whole or not at all; a file already there is
// replaced only by a complete chart.
struct Tafelausgabe {
    enum class Ergebnis { Geschrieben, UnbekanntesFormat, Schreibfehler };
    Ergebnis ergebnis = Ergebnis::Geschrieben;
    QString meldung; // German, naming the path and the reason; empty when written
};

Tafelausgabe schreibeTafel(const QString& pfad, const Signalcode& code);

// Writes the chart as a PDF of one page laid out as `seite`, whatever the file's extension,
// with the same care: for a print into a file, which Qt's printer would write straight into
// the target, so that a full disk left a broken file and a file size limit ended the program.
Tafelausgabe schreibeTafelAlsPdf(const QString& pfad, const QPageLayout& seite, int aufloesung,
                                 const Signalcode& code);

// While one exists, Qt's debug, info and warning lines (English, from Qt, libpng and the
// like) are dropped, so that a chart written from the command line prints nothing but its own
// message; critical and fatal ones still go out. May be nested.
class QtHinweiseStumm {
public:
    QtHinweiseStumm();
    ~QtHinweiseStumm();
    Q_DISABLE_COPY_MOVE(QtHinweiseStumm)
};

// The PNG's size in pixels.
inline constexpr int tafelBildBreite = 3508;
inline constexpr int tafelBildHoehe = 2480;
