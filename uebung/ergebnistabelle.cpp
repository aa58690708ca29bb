#include "uebung/ergebnistabelle.h"

#include <QLocale>
#include <QStringList>

namespace {

// With a decimal comma and without a thousands point, which a spreadsheet or a script could
// take for a decimal one.
QString sekunden(std::chrono::milliseconds zeit)
{
    QLocale deutsch(QLocale::German);
    deutsch.setNumberOptions(QLocale::OmitGroupSeparator);
    // Rounded half up in whole tenths; as a binary fraction 0.15 s lies just below and would
    // round down.
    const auto zehntel = (zeit.count() + 50) / 100;
    return deutsch.toString(static_cast<double>(zehntel) / 10.0, 'f', 1);
}

QString feld(QString text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

} // namespace

Ergebniszeile ergebniszeile(const Antwort& a)
{
    const QString wertung = a.von == 1
                                ? (a.richtig ? QStringLiteral("richtig") : QStringLiteral("falsch"))
                                : QStringLiteral("%1 von %2").arg(a.richtig).arg(a.von);
    return {a.gefragt, a.geantwortet, wertung, sekunden(a.zeit) + QStringLiteral(" s")};
}

QByteArray ergebnisAlsCsv(const std::vector<Antwort>& antworten, const Rundenwahl& wahl,
                          const QString& satz, const QDateTime& ende)
{
    QStringList zeilen{QStringLiteral("Datum;Übung;Zeichen;Startwert;Frage;Gefragt;Geantwortet;"
                                      "Richtig;Von;Zeit in s")};
    const QString runde =
        QStringList{ende.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                    QString::fromLatin1(uebungsarten[static_cast<std::size_t>(wahl.art)].anzeige),
                    feld(satz), wahl.startwert ? QString::number(*wahl.startwert) : QString()}
            .join(QLatin1Char(';'));
    int nummer = 0;
    for (const Antwort& a : antworten)
        zeilen << QStringList{runde,
                              QString::number(++nummer),
                              feld(a.gefragt),
                              feld(a.geantwortet),
                              QString::number(a.richtig),
                              QString::number(a.von),
                              sekunden(a.zeit)}
                      .join(QLatin1Char(';'));
    return "\xEF\xBB\xBF" + zeilen.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}
