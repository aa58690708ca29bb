#pragma once

#include "uebung/uebungssatz.h"

#include <deque>
#include <map>
#include <optional>
#include <string>

// What the trainer knows of a learner, kept between runs: a box from 1 to 5 for every
// character met so far (1: not known yet, 5: known well), the results of the latest answers,
// and whether all characters of a set are asked at once instead of step by step.
struct Lernstand {
    std::map<char, int> kaesten;      // only characters already met have a box
    std::deque<bool> letzteAntworten; // right or wrong, oldest first, at most fensterLaenge
    bool alleZeichen = false;

    friend bool operator==(const Lernstand&, const Lernstand&) = default;
};

inline constexpr int ersterKasten = 1;
inline constexpr int letzterKasten = 5;
// Step by step, a new character is added once at least 9 of the latest 10 answers were right.
inline constexpr std::size_t fensterLaenge = 10;
inline constexpr int richtigFuerNeuesZeichen = 9;
inline constexpr std::size_t anfangsZeichen = 4;

// The characters a practice round of `satz` asks: all of the set with "alle Zeichen", else
// those of the set already met, in the order of the set.
std::string gefragteZeichen(const Lernstand& stand, Uebungssatz satz);

// Before a practice round: a set of which fewer than four characters have been met gets its
// first ones in the order of introduction, in box 1, until four are met.
void bereiteVor(Lernstand& stand, Uebungssatz satz);

// Records an answer about `zeichen` in a practice round of `satz`. Wrong puts the character back
// into box 1, right moves it one box up (at most to 5); a character not met before counts as
// coming from box 1. Step by step, once at least 9 of the latest 10 answers were right, the next
// character of the set is added in box 1 and the count starts afresh; it is returned. A character
// the telegraph cannot send changes nothing.
std::optional<char> werteAus(Lernstand& stand, Uebungssatz satz, char zeichen, bool richtig);
