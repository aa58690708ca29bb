#pragma once

#include "uebung/uebungsregel.h"

// Reading along: the telegraph sends a word character by character, and the learner types what
// was read.
class Mitlesen : public Uebungsregel {
public:
    explicit Mitlesen(const Signalcode& code) : code_(code) {}

    QString stelleFrage(const QString& frage, Signalgeber& telegraf) override;
    bool sendeWeiter(Signalgeber& telegraf) override;
    Urteil pruefe(const QString& gelesen, const Signalgeber& telegraf) override;
    Eingabe eingabe() const override { return Eingabe::Textzeile; }
    bool fragtZeichen() const override { return false; }
    bool sendetImAbstand() const override { return true; }
    // Words are sent, whatever set is chosen.
    QString satzname(Uebungssatz) const override { return QStringLiteral("Wörter"); }

private:
    const Signalcode& code_;
    QString frage_;
    QString gesendet_;    // the word's characters as the telegraph sends them
    int gesendetBis_ = 0; // how many of them were sent
    bool fertig_ = false; // the last one has stood its time
};
