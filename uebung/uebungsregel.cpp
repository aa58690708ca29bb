#include "uebung/uebungsregel.h"

#include "uebung/erkennen.h"
#include "uebung/mitlesen.h"
#include "uebung/stellen.h"

std::unique_ptr<Uebungsregel> uebungsregel(Uebungsart art, const Signalcode& code)
{
    switch (art) {
    case Uebungsart::Stellen:
        return std::make_unique<Stellen>(code);
    case Uebungsart::Mitlesen:
        return std::make_unique<Mitlesen>(code);
    case Uebungsart::Erkennen:
        break;
    }
    return std::make_unique<Erkennen>(code);
}

QString zitiert(const QString& text)
{
    return QStringLiteral("„%1“").arg(text);
}

QString zitiert(char zeichen)
{
    return zitiert(QString(QLatin1Char(zeichen)));
}

QString zeichenurteil(const QString& gefragt, const QString& antwort, bool richtig)
{
    return richtig ? QStringLiteral("Richtig: %1.").arg(zitiert(gefragt))
                   : QStringLiteral("Falsch: Das Signal war %1, nicht %2.")
                         .arg(zitiert(gefragt), zitiert(antwort));
}
