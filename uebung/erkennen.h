#pragma once

#include "uebung/uebungsregel.h"

// Naming: the telegraph turns to a character's signal, and the learner names it.
class Erkennen : public Uebungsregel {
public:
    explicit Erkennen(const Signalcode& code) : code_(code) {}

    QString stelleFrage(const QString& frage, Signalgeber& telegraf) override;
    Urteil erkannt(char zeichen) override;
    Eingabe eingabe() const override { return Eingabe::Zeichenwahl; }
    bool fragtZeichen() const override { return true; }

private:
    const Signalcode& code_;
    QString frage_;
};
