#include "uebung/stellen.h"

#include "signal/gleichesbild.h"

QString Stellen::stelleFrage(const QString& frage, Signalgeber& telegraf)
{
    frage_ = frage;
    beruehrt_ = false;
    // The rest position draws like "E": asked for E, the learner starts from a picture that is
    // no character's.
    telegraf.stelle(gleichesBild(ruhestellung, ziel()) ? trennstellung : ruhestellung, ' ');
    return QStringLiteral("Stelle das Signal für %1.").arg(zitiert(frage));
}

void Stellen::drehe(Balken balken, int schritte, Signalgeber& telegraf)
{
    telegraf.stelle(::drehe(telegraf.endstellung(), balken, schritte), ' ');
    beruehrt_ = true;
}

// What the learner has set is what the telegraph shows.
Urteil Stellen::pruefe(const QString&, const Signalgeber& telegraf)
{
    if (!beruehrt_)
        return {false,
                {},
                0,
                1,
                QStringLiteral("Stelle zuerst das Signal für %1: Wähle mit 1, 2 und 3 einen "
                               "Balken und drehe ihn mit ← und →, oder ziehe ihn mit der Maus.")
                    .arg(zitiert(frage_)),
                {}};
    const Stellung gestellt = telegraf.endstellung();
    const char gezeigt = code_.zeichenDesBildes(gestellt);
    const bool richtig = gleichesBild(gestellt, ziel());
    const QString antwort = gezeigt != '?' ? QString(QLatin1Char(gezeigt)) : QStringLiteral("–");
    Urteil urteil{true, antwort, richtig ? 1 : 0, 1, zeichenurteil(frage_, antwort, richtig), {}};
    if (!richtig && gezeigt == '?')
        urteil.text = QStringLiteral("Falsch: Das Signal war %1; das gestellte Signal ist kein "
                                     "Zeichen.")
                          .arg(zitiert(frage_));
    if (!richtig)
        urteil.berichtigung = ziel();
    return urteil;
}
