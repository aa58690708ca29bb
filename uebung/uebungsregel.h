#pragma once

#include "bedienung/signalgeber.h"
#include "geometrie/stellen.h"
#include "signal/signalcode.h"
#include "uebung/uebungsart.h"
#include "uebung/uebungssatz.h"

#include <QString>

#include <memory>
#include <optional>

// What the trainer makes of the learner's input to a question.
struct Urteil {
    bool gilt = false; // false: no answer yet; `text`, if any, tells what is missing
    QString antwort;   // as the result table lists it
    int richtig = 0;   // characters right
    int von = 1;       // of so many
    QString text;      // the verdict or the hint, for the status line
    std::optional<Stellung> berichtigung; // the right signal, shown after a wrong one
};

// The rule of one exercise: what a question asks, what the telegraph shows for it, and how an
// answer is judged. The trainer orders the questions and keeps the progress; it knows the
// exercise only through this.
class Uebungsregel {
public:
    virtual ~Uebungsregel() = default;

    // Takes `frage`, a character or the word to send, puts the telegraph where the question
    // begins, and returns what the status line asks. The telegraph stands when this is called.
    virtual QString stelleFrage(const QString& frage, Signalgeber& telegraf) = 0;
    // The standing telegraph's next movement for the question, if there is one; true when a
    // character went, which then stands for the trainer's interval before this is asked again.
    virtual bool sendeWeiter(Signalgeber&) { return false; }

    // The learner's inputs; an exercise that takes none of a kind answers that it is no answer.
    virtual Urteil erkannt(char) { return {}; }
    virtual Urteil pruefe(const QString& /*gelesen*/, const Signalgeber&) { return {}; }
    virtual void gestellt() {}
    virtual void drehe(Balken, int /*schritte*/, Signalgeber&) {}

    // How the learner answers: by choosing a character in the grid, by setting the telegraph's
    // beams, or by typing into a line and checking it.
    enum class Eingabe { Zeichenwahl, Telegraf, Textzeile };
    virtual Eingabe eingabe() const = 0;
    // Whether a question is one character of the chosen set (kept in the learner's boxes, asked
    // again soon when missed, and written beside the mast with the verdict) rather than a word.
    virtual bool fragtZeichen() const = 0;
    // Whether a question goes out character by character at the chosen interval.
    virtual bool sendetImAbstand() const { return false; }
    // What the result names as the round's characters.
    virtual QString satzname(Uebungssatz satz) const
    {
        return QString::fromLatin1(::satzname(satz));
    }

protected:
    Uebungsregel() = default;
    Uebungsregel(const Uebungsregel&) = default;
    Uebungsregel& operator=(const Uebungsregel&) = default;
};

// The rule of `art`; the one place that tells the exercises apart.
std::unique_ptr<Uebungsregel> uebungsregel(Uebungsart art, const Signalcode& code);

// A text or a character in German quotation marks.
QString zitiert(const QString& text);
QString zitiert(char zeichen);
// The verdict on a character answered for `gefragt`.
QString zeichenurteil(const QString& gefragt, const QString& antwort, bool richtig);
