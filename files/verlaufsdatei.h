#pragma once

#include "linie/linienplan.h"
#include "linie/linienprotokoll.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

// "Verlauf speichern": a line's run for the teacher, as its time-distance chart and as a table.

// What the table tells of a run beside its record: the simulated operators' reading time and
// misread chance, the seed that plays the run again (none where people set signals, whose
// choices no seed repeats), and who set each cell, by character and then station (empty, or
// no names at all: the simulated operator).
struct Laufangaben {
    std::chrono::milliseconds ablesezeit{0};
    int fehlerProzent = 0;
    std::optional<std::uint64_t> startwert;
    std::vector<QString> wer;
};

// A line of simulated operators, all its settings in `wahl`.
Laufangaben laufangaben(const Linienwahl& wahl);

// Who set what as CSV, as German spreadsheets read it and as the trainer's result is written:
// a byte-order mark, fields separated by semicolons, seconds with a decimal comma, lines ended
// by CR LF. One header row, then a row per character and station with who set it; each row
// names the run too (when it was saved, the stations, the reading time, the misread chance and
// the seed), so that the rows of several runs can be put together. A field that a spreadsheet
// would take for a formula is written as text.
QByteArray verlaufAlsCsv(const Linienprotokoll& protokoll, const Laufangaben& angaben,
                         const QDateTime& datum);

// Writes the chart to `pfad`, as PDF or PNG by its extension, and the table as CSV beside it
// under the same name ending in .csv. Both are made in memory first and written by the
// program's whole-or-nothing writer; when the second fails, the first is taken back (an older
// file at its place put back as it was). Returns an empty string when both were written, else
// one German sentence with the reason.
QString schreibeVerlauf(const QString& pfad, const Linienprotokoll& protokoll,
                        const Laufangaben& angaben, const QDateTime& datum);

// The CSV's path beside the chart at `pfad`.
QString verlaufsTabellenPfad(const QString& pfad);
