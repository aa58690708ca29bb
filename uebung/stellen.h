#pragma once

#include "uebung/uebungsregel.h"

// Setting: the learner sets the beams to a named character's signal, by keys or with the mouse;
// a wrong signal is followed by the right one.
class Stellen : public Uebungsregel {
public:
    explicit Stellen(const Signalcode& code) : code_(code) {}

    QString stelleFrage(const QString& frage, Signalgeber& telegraf) override;
    Urteil pruefe(const QString& gelesen, const Signalgeber& telegraf) override;
    void gestellt() override { beruehrt_ = true; }
    void drehe(Balken balken, int schritte, Signalgeber& telegraf) override;
    Eingabe eingabe() const override { return Eingabe::Telegraf; }
    bool fragtZeichen() const override { return true; }

private:
    Stellung ziel() const { return winkelholen(code_, frage_.at(0).toLatin1()); }

    const Signalcode& code_;
    QString frage_;
    bool beruehrt_ = false; // whether the learner moved a beam yet
};
