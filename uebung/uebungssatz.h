#pragma once

#include "signal/alphabet.h"

#include <string_view>

// Which characters a round of the trainer asks: the 25 letters, the ten digits, or all 36.
enum class Uebungssatz { Buchstaben, Ziffern, Alle };

// The characters of a set, in the order of the alphabet grid: the letters come first in it,
// then "&", then the digits.
constexpr std::string_view zeichenVon(Uebungssatz satz)
{
    switch (satz) {
    case Uebungssatz::Buchstaben:
        return alphabet.substr(0, alphabet.find('&'));
    case Uebungssatz::Ziffern:
        return alphabet.substr(alphabet.find('&') + 1);
    case Uebungssatz::Alle:
        break;
    }
    return alphabet;
}

// A set's name as the trainer shows it.
constexpr std::string_view satzname(Uebungssatz satz)
{
    switch (satz) {
    case Uebungssatz::Buchstaben:
        return "Buchstaben";
    case Uebungssatz::Ziffern:
        return "Ziffern";
    case Uebungssatz::Alle:
        break;
    }
    return "Alle 36";
}

// The order in which a learner meets the characters step by step: first four with the regulator
// level, told apart by the indicators alone, then the letters roughly by how often German uses
// them, the digits and "&".
inline constexpr std::string_view einfuehrungsfolge = "AEINSRTDHULCGMOBWFKZPVYXQ1234567890&";
