#pragma once

#include "signal/signalcode.h"
#include "signal/stellung.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// A line of optical telegraphs: stations in a row, each within sight of the one before. An
// operator reads the signal of the station before him through a telescope and sets it on his
// own telegraph, so a message travels from station to station, and a misread travels on to the
// end. The line's whole course, when every station turns to what and for how long, follows in
// advance from its settings; the window only plays it.

inline constexpr int wenigsteStationen = 2;
inline constexpr int ueblicheStationen = 5; // where the window and the command line begin
inline constexpr int meisteStationen = 8;
// A line across machines, each pupil a station of his own, is longer.
inline constexpr int meisteStationenImNetz = 30;
inline constexpr int meisteFehlerProzent = 30;

// What a line is asked to do.
struct Linienwahl {
    std::string nachricht; // the characters sent, as normalisieren gives them
    int stationen = ueblicheStationen;
    std::chrono::milliseconds ablesezeit{2000}; // how long an operator looks before repeating
    int fehlerProzent = 0;       // the chance, per station and character, of misreading one beam
    std::uint64_t startwert = 0; // where the misreads are drawn from
};

// One movement of one station: from the position it stood in to the one it shows next, for
// the character at `zeichen` in the message. It starts at `beginn` after the first movement of
// the line and stands at `ende`, its frames shown one degree each at the movement's pace; then
// the station stands in the character `steht` ('?' for a picture that is no character's; '\0'
// while it passes through the separating position on its way to the character). `mensch`
// tells that a person set it, not the simulated operator.
struct Linienbewegung {
    int station = 0; // counted from 0
    int zeichen = 0;
    Stellung von;
    Stellung nach;
    std::chrono::milliseconds beginn{0};
    std::chrono::milliseconds ende{0};
    char steht = ' ';
    bool mensch = false;
    friend bool operator==(const Linienbewegung&, const Linienbewegung&) = default;
};

struct Linienplan {
    std::vector<Linienbewegung> bewegungen; // in the order they start
    std::chrono::milliseconds dauer{0};     // until the last station stands in the last signal
    std::string empfangen; // what the last station shows, character by character; '?' for a
                           // picture that is no character's
};

// The course of the line. Every station starts in the rest position. Station 1 sets the first
// character at once. A station whose neighbour before it stands in a signal reads it for the
// reading time and then turns to what it saw: with the chance of a misread, one beam, drawn at
// random, 45 degrees off, which the stations after it repeat as they see it. A station takes up
// the next character only once the station after it has repeated the current one (that repeat
// is its acknowledgement), so several characters are on the line at once. The same settings
// give the same course, misreads included.
Linienplan linienplan(const Linienwahl& wahl, const Signalcode& code);
