#pragma once

#include "signal/zufall.h"
#include "uebung/lernstand.h"
#include "uebung/naechstefrage.h"
#include "uebung/runde.h"
#include "uebung/uebungsart.h"
#include "uebung/uebungssatz.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a round asks: the exercise, the set of characters, how many questions, and the seed of
// an examination; without a seed the round is practice.
struct Rundenwahl {
    Uebungsart art = Uebungsart::Erkennen;
    Uebungssatz satz = Uebungssatz::Buchstaben;
    int anzahl = 10;
    std::optional<std::uint64_t> startwert;
};

// One round of the trainer, its questions one after the other and their answers. An
// examination's questions follow from its seed alone; practice draws them from the learner's
// boxes as they stand at each question, and brings a missed character back after two to five
// others.
class Uebungsrunde {
public:
    // `woerter` are the words a round of words sends, none for a round of characters;
    // `zufallsstart` seeds the draws of practice.
    // `stand` is read at every question of practice, so it must outlive the round.
    Uebungsrunde(const Rundenwahl& wahl, const Lernstand& stand, std::vector<QString> woerter,
                 std::uint64_t zufallsstart);

    const Rundenwahl& wahl() const { return wahl_; }
    bool fertig() const;
    // The question asked last: a character, or the word sent.
    const QString& frage() const { return frage_; }

    // The next question; empty when the round is over or has nothing to ask.
    QString naechsteFrage();

    // Records the answer to the question asked last: `richtig` of `von` characters right.
    void beantworte(const QString& geantwortet, int richtig, int von,
                    std::chrono::milliseconds zeit);

    const std::vector<Antwort>& antworten() const { return antworten_; }

private:
    Rundenwahl wahl_;
    const Lernstand& stand_;
    std::vector<QString> woerter_;
    Zufall zufall_;
    std::vector<QString> festeFragen_; // an examination's, or a practice round's words
    Uebungsverlauf verlauf_;
    QString frage_;
    std::vector<Antwort> antworten_;
};
