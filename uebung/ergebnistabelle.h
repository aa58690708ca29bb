#pragma once

#include "uebung/runde.h"
#include "uebung/uebungsrunde.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

// A round's result as a table: on screen, and as a file for the teacher.

// An answer as the result's table shows it: what was asked, what was answered, the verdict
// ("richtig", "falsch", or "5 von 6" for a word) and the time in seconds with a decimal comma
// ("2,4 s").
struct Ergebniszeile {
    QString gefragt;
    QString geantwortet;
    QString wertung;
    QString zeit;
};

Ergebniszeile ergebniszeile(const Antwort& antwort);

// The answers of a round as CSV in UTF-8, as German spreadsheets read it: a byte-order mark
// first, without which Excel takes the file for Windows-1252 and garbles its umlauts, fields
// separated by semicolons, times with a decimal comma, one header row, then a row per question
// that names the round too (when it ended, the exercise, the set, the seed or nothing for
// practice), so that the rows of many learners' files can be put together; `satz` names the
// characters as the exercise does. A field that holds a semicolon, a quotation mark or a line
// break is quoted.
QByteArray ergebnisAlsCsv(const std::vector<Antwort>& antworten, const Rundenwahl& wahl,
                          const QString& satz, const QDateTime& ende);
