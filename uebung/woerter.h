#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The words and short phrases the telegraph sends for the learner to read along ("Mitlesen"),
// one per line, as German writes them (umlauts included).
struct Wortliste {
    std::vector<QString> woerter;
    QString fehler; // German, naming the line; empty when the list is sound
};

// No entry sends more characters than this, so that a learner can take a word in at once.
inline constexpr std::size_t laengstesWort = 12;

// Reads a list in UTF-8, one entry per line (line breaks \n or \r\n, the last one optional).
// The whole list is refused if it is not valid UTF-8, or an entry sends no character, more than
// 12 characters, or appears twice.
Wortliste woerterAus(const QByteArray& text);
