#include "uebung/mitlesen.h"

#include "bedienung/normalisieren.h"
#include "signal/gleichesbild.h"
#include "uebung/bewertung.h"

QString Mitlesen::stelleFrage(const QString& frage, Signalgeber& telegraf)
{
    frage_ = frage;
    gesendet_ = QString::fromStdString(normalisieren(frage));
    gesendetBis_ = 0;
    fertig_ = false;
    telegraf.stelle(ruhestellung, ' ');
    return QStringLiteral("Lies mit, was der Telegraf sendet, und drücke dann die "
                          "Eingabetaste.");
}

// Where the telegraph shows the next character's picture already (the second of two equal
// characters, or "E" after the rest position), it turns to a picture that is no character's
// first, so that every character sent is seen to come.
bool Mitlesen::sendeWeiter(Signalgeber& telegraf)
{
    if (gesendetBis_ >= gesendet_.size()) {
        fertig_ = true;
        return false;
    }
    const Stellung ziel = winkelholen(code_, gesendet_.at(gesendetBis_).toLatin1());
    if (gleichesBild(telegraf.endstellung(), ziel)) {
        telegraf.bewegen(trennstellung, ' ');
        return false;
    }
    ++gesendetBis_;
    telegraf.bewegen(ziel, ' ');
    return true;
}

Urteil Mitlesen::pruefe(const QString& gelesen, const Signalgeber&)
{
    const QString normalisiert = QString::fromStdString(normalisieren(gelesen));
    // Nothing read while the word is still being sent is no answer: most likely the key was
    // meant for the question before. Once the word has been sent and its last character has
    // stood its time, it is the answer.
    if (normalisiert.isEmpty() && !fertig_)
        return {false,
                {},
                0,
                1,
                QStringLiteral("Noch nichts gelesen: Tippe mit, was der Telegraf sendet, und "
                               "drücke dann die Eingabetaste."),
                {}};
    const Lesewertung wertung = bewertung(frage_, gelesen);
    return {true,
            normalisiert,
            wertung.richtig,
            wertung.gesendet,
            QStringLiteral("Gesendet: %1. Gelesen: %2. %3 von %4 Zeichen richtig.")
                .arg(zitiert(gesendet_), zitiert(normalisiert))
                .arg(wertung.richtig)
                .arg(wertung.gesendet),
            {}};
}
