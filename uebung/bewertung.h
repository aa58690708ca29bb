#pragma once

#include <QString>

// How well a learner read what the telegraph sent. Both texts count as the telegraph sends
// them (normalisieren: umlauts spelled out, J as I, capitals, spaces and punctuation dropped).

// Reading a word or phrase: of `gesendet` sent characters, `richtig` were read right, which is
// the number sent less the fewest single-character edits (insert, delete, replace) that turn
// the sent text into the read one, and no fewer than none.
struct Lesewertung {
    int gesendet = 0;
    int richtig = 0;
    friend bool operator==(const Lesewertung&, const Lesewertung&) = default;
};

Lesewertung bewertung(const QString& gesendet, const QString& gelesen);

// Naming a shown character: right when what was typed sends exactly that character, so "j"
// names I and "ä" names nothing.
bool richtigErkannt(char gezeigt, const QString& eingabe);
