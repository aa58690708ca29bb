#pragma once

#include <QString>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// Turns free text into the characters the telegraph can send: umlauts and ß are spelled out
// (Ä as AE, ß as SS), J becomes I, letters become capitals, and everything else (spaces, line
// breaks, punctuation, other accented letters, anything beyond Latin-1) is dropped. Text is
// taken in its composed form: umlauts written as a letter plus a combining diaeresis count as
// umlauts, and a sign that Unicode takes as a letter itself (the Kelvin sign as K) as that letter.
std::string normalisieren(const QString& text);

// Where a sent character comes from: the UTF-16 units from `anfang` up to but not including
// `ende` of the text. That is the whole written character, combining marks included. Text
// positions in a memo are int.
struct Quelle {
    int anfang = 0;
    int ende = 0;
    friend bool operator==(const Quelle&, const Quelle&) = default;
};

// The sent characters of a text and the sources of those that were asked for, by their 0-based
// index among the sent characters. Both characters of a spelled-out umlaut or ß have the same
// source.
struct Gesendet {
    std::string zeichen;
    std::map<std::size_t, Quelle> quellen;
};

// normalisieren, keeping for the sent characters at the indices in `gesucht` (in any order) the
// part of `text` they come from; an index beyond the sent characters gets no source. Finding a
// source costs about as much as normalising a few hundred characters, so the playback asks only
// for the character it shows next and the first one, not for every character of a long text.
Gesendet normalisierenMitQuellen(const QString& text, std::vector<std::size_t> gesucht);
