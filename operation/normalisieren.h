#pragma once

#include <QString>

#include <string>
#include <vector>

// Turns free text into the characters the telegraph can send: umlauts and ß are spelled out
// (Ä as AE, ß as SS), J becomes I, letters become capitals, and everything else (spaces, line
// breaks, punctuation, other accented letters, anything beyond Latin-1) is dropped. Umlauts
// written as a letter plus a combining diaeresis count as umlauts.
std::string normalisieren(const QString& text);

// Where a sent character comes from: the UTF-16 units from `anfang` up to but not including
// `ende` of the text. That is the whole written character, combining marks included. Text
// positions in a memo are int, and the smaller type halves the memory a long text's sources
// take at every tick.
struct Quelle {
    int anfang = 0;
    int ende = 0;
    friend bool operator==(const Quelle&, const Quelle&) = default;
};

// The sent characters of a text and, for each of them, its source. Both characters of a
// spelled-out umlaut or ß have the same source.
struct Gesendet {
    std::string zeichen;
    std::vector<Quelle> quellen;
};

// normalisieren, keeping for each sent character the part of `text` it comes from.
Gesendet normalisierenMitQuellen(const QString& text);
