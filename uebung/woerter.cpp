#include "uebung/woerter.h"

#include "bedienung/normalisieren.h"

#include <QStringDecoder>
#include <QStringList>

#include <set>

Wortliste woerterAus(const QByteArray& text)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString ganz = utf8.decode(text);
    if (utf8.hasError())
        return {{}, QStringLiteral("Die Wortliste ist kein gültiger UTF-8-Text.")};
    if (ganz.endsWith(u'\n'))
        ganz.chop(1);

    Wortliste liste;
    std::set<std::string> gesendet;
    int nummer = 0;
    for (QString zeile : ganz.split(u'\n')) {
        ++nummer;
        if (zeile.endsWith(u'\r'))
            zeile.chop(1);
        const std::string zeichen = normalisieren(zeile);
        QString fehler;
        if (zeichen.empty())
            fehler = QStringLiteral("sendet kein Zeichen");
        else if (zeichen.size() > laengstesWort)
            fehler = QStringLiteral("sendet mehr als %1 Zeichen").arg(laengstesWort);
        else if (!gesendet.insert(zeichen).second)
            fehler = QStringLiteral("sendet dasselbe wie eine Zeile davor");
        if (!fehler.isEmpty())
            return {
                {},
                QStringLiteral("Wortliste, Zeile %1 („%2“) %3.").arg(nummer).arg(zeile, fehler)};
        liste.woerter.push_back(zeile);
    }
    return liste;
}
