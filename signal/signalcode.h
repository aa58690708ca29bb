#pragma once

#include "signal/alphabet.h"
#include "signal/stellung.h"

#include <array>
#include <cstdint>
#include <string_view>

// The signal code: the position that sends each of the 36 characters. It is read once from the
// code's text, where every character has four lines: a key "[" + the character, then the
// regulator angle and the two indicator angles, each on a line of its own. The program reads
// its embedded code into one of these and every window looks it up there.
class Signalcode {
public:
    // An empty code: every character gives the rest position.
    Signalcode() = default;
    // Reads `text`, lines broken by \n or \r\n. A key counts regardless of letter case, and the
    // first entry of a character wins; a key without three lines after it counts for nothing.
    explicit Signalcode(std::string_view text);

    // The position that sends `zeichen`, found regardless of letter case; a character without
    // an entry (J, the space, punctuation, ...) gives the rest position.
    Stellung stellung(char zeichen) const;

    // The character of the alphabet whose signal draws the picture `bild`, however its angles
    // are written (see gleichesBild), or '?' for none.
    char zeichenDesBildes(const Stellung& bild) const;

private:
    std::array<Stellung, alphabet.size()> signale_{}; // in the alphabet's order
    std::array<bool, alphabet.size()> bekannt_{};     // which of them the text gave
    // Each signal's picture as one number that pictures drawing alike share, so that a long
    // line's course names its pictures without comparing angles one by one.
    std::array<std::int64_t, alphabet.size()> bilder_{};
};

// The position that sends `zeichen`, looked up in `code`: the name the program gives to taking
// a character's signal.
inline Stellung winkelholen(const Signalcode& code, char zeichen)
{
    return code.stellung(zeichen);
}
