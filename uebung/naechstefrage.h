#pragma once

#include "uebung/lernstand.h"

#include <vector>

class Zufall;

// What a practice round remembers between its questions: how many were asked, the last
// character, and the missed characters that are to come back.
struct Uebungsverlauf {
    struct Wiederholung {
        char zeichen = '\0';
        int frage = 0; // the number of the question (from 1) at which it comes back
    };
    int gestellt = 0;
    char zuletzt = '\0';
    char vorletzt = '\0';
    std::vector<Wiederholung> wiederholungen;
};

// The next question of a practice round. A missed character comes back when it is due;
// otherwise the characters the round asks (gefragteZeichen) are drawn, low boxes more often
// (box 1 sixteen times as often as box 5), never the last one again while there is another,
// and none that is waiting to come back. '\0' when the round has no character to ask.
char naechsteFrage(const Lernstand& stand, Uebungssatz satz, Uebungsverlauf& verlauf,
                   Zufall& zufall);

// After a wrong answer to the last question: its character comes back after two to five other
// questions, at a place no other missed character has taken.
void vermerkeFehler(Uebungsverlauf& verlauf, Zufall& zufall);
