#pragma once

#include "bedienung/signalgeber.h"
#include "geometrie/stellen.h"
#include "signal/signalcode.h"
#include "uebung/uebungsart.h"

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
// answer is judged. The session orders the questions and keeps the progress; it knows the
// exercise only through this.
class Uebungsregel {
public:
    virtual ~Uebungsregel() = default;

    // Takes `frage`, a character or the word to send, puts the telegraph where the question
    // begins, and returns what the status line asks. The telegraph stands when this is called.
    virtual QString stelleFrage(const QString& frage, Signalgeber& telegraf) = 0;
    // The standing telegraph's next movement for the question, if there is one; true when a
    // character went, after which the next waits for the session's pace.
    virtual bool sendeWeiter(Signalgeber&) { return false; }

    // The learner's inputs; an exercise that takes none of a kind answers that it is no answer.
    virtual Urteil erkannt(char) { return {}; }
    virtual Urteil pruefe(const QString& /*gelesen*/, const Signalgeber&) { return {}; }
    virtual void gestellt() {}
    virtual void drehe(Balken, int /*schritte*/, Signalgeber&) {}

    // Whether a question is one character (kept in the learner's boxes and written beside the
    // mast with the verdict) rather than a word.
    virtual bool fragtZeichen() const = 0;

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
