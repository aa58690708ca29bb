#include "uebung/erkennen.h"

#include "signal/gleichesbild.h"
#include "uebung/bewertung.h"

QString Erkennen::stelleFrage(const QString& frage, Signalgeber& telegraf)
{
    frage_ = frage;
    const Stellung ziel = winkelholen(code_, frage.at(0).toLatin1());
    // Where the telegraph shows the asked picture already ("E" after the rest position), it
    // turns to a picture that is no character's first, so that the question is seen to come;
    // the telegraph, standing now, takes the second movement up when the first has ended.
    if (gleichesBild(telegraf.endstellung(), ziel))
        telegraf.bewegen(trennstellung, ' ');
    telegraf.bewegen(ziel, ' ');
    return QStringLiteral("Welches Zeichen zeigt der Telegraf?");
}

Urteil Erkennen::erkannt(char zeichen)
{
    const QString antwort(QLatin1Char{zeichen});
    const bool richtig = richtigErkannt(frage_.at(0).toLatin1(), antwort);
    return {true, antwort, richtig ? 1 : 0, 1, zeichenurteil(frage_, antwort, richtig), {}};
}
