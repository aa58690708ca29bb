#include "befehlszeile.h"

#include "tafeldatei.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

#ifndef TELEGRAF_VERSION
#define TELEGRAF_VERSION "unbekannt"
#endif

namespace {

const char* const aufrufZeile = "Aufruf: pvellard [--tafel DATEI | --help | --version]\n";

const char* const hilfe =
    "Aufruf: pvellard [Optionen]\n"
    "Zeigt Nachrichten mit einem optischen Flügeltelegrafen. Ohne Optionen öffnet sich das\n"
    "Fenster.\n"
    "\n"
    "Optionen:\n"
    "  --tafel DATEI   Schreibt die Signaltafel, alle 36 Signale auf einer Seite, nach DATEI\n"
    "                  und endet, ohne ein Fenster zu öffnen. Der Dateityp folgt der Endung:\n"
    "                  .pdf ergibt eine A4-Seite im Querformat, .png ein Bild mit 300 dpi.\n"
    "  -h, --help      Zeigt diese Hilfe.\n"
    "  -v, --version   Zeigt die Versionsnummer.\n";

void ausgeben(std::FILE* wohin, const QString& text)
{
    std::fputs(text.toUtf8().constData(), wohin);
}

int fehler(const QString& meldung)
{
    ausgeben(stderr, QStringLiteral("pvellard: ") + meldung + QLatin1Char('\n'));
    std::fputs(aufrufZeile, stderr);
    return 2;
}

// QCommandLineParser's own messages are English; it tells only the unknown names apart, so
// the other mistake it reports here, a missing value, is recognised from the arguments.
QString parserFehler(const QCommandLineParser& parser, const QStringList& argumente)
{
    const QStringList unbekannt = parser.unknownOptionNames();
    if (!unbekannt.isEmpty()) {
        const QString& name = unbekannt.first();
        return QStringLiteral("Unbekannte Option „%1%2“.")
            .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name);
    }
    if (!argumente.isEmpty() && argumente.last() == QLatin1String("--tafel"))
        return QStringLiteral("Nach --tafel fehlt der Dateiname.");
    return QStringLiteral("Ungültiger Aufruf (%1).").arg(parser.errorText());
}

Codezeilen eingebetteterCode()
{
    QFile datei(QStringLiteral(":/assets/signalcode.txt"));
    datei.open(QIODevice::ReadOnly);
    return codezeilenAus(datei.readAll().toStdString());
}

} // namespace

Aufruf befehlszeileLesen(const QStringList& argumente)
{
    QCommandLineParser parser;
    const QCommandLineOption hilfeOption({QStringLiteral("h"), QStringLiteral("help")},
                                         QStringLiteral("Zeigt diese Hilfe."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Zeigt die Versionsnummer."));
    const QCommandLineOption tafelOption(QStringLiteral("tafel"),
                                         QStringLiteral("Schreibt die Signaltafel nach DATEI."),
                                         QStringLiteral("DATEI"));
    parser.addOptions({hilfeOption, versionOption, tafelOption});

    if (!parser.parse(argumente))
        return {.ende = fehler(parserFehler(parser, argumente))};
    if (parser.isSet(hilfeOption)) {
        std::fputs(hilfe, stdout);
        return {.ende = 0};
    }
    if (parser.isSet(versionOption)) {
        std::fputs("Vellard-Telegraf " TELEGRAF_VERSION "\n", stdout);
        return {.ende = 0};
    }
    if (!parser.positionalArguments().isEmpty())
        return {.ende = fehler(QStringLiteral("Unerwartetes Argument „%1“.")
                                   .arg(parser.positionalArguments().first()))};
    if (parser.isSet(tafelOption)) {
        const QString pfad = parser.value(tafelOption);
        if (pfad.isEmpty())
            return {.ende = fehler(QStringLiteral("Nach --tafel fehlt der Dateiname."))};
        return {.tafel = pfad};
    }
    return {};
}

int tafelSchreiben(int& argc, char* argv[], const QString& pfad)
{
    // The chart is drawn off screen; it must work where there is no display at all.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication anwendung(argc, argv);
    const Tafelausgabe ausgabe = schreibeTafel(pfad, eingebetteterCode());
    switch (ausgabe.ergebnis) {
    case Tafelausgabe::Ergebnis::Geschrieben:
        return 0;
    case Tafelausgabe::Ergebnis::UnbekanntesFormat:
        return fehler(ausgabe.meldung);
    case Tafelausgabe::Ergebnis::Schreibfehler:
        break;
    }
    ausgeben(stderr, QStringLiteral("pvellard: ") + ausgabe.meldung + QLatin1Char('\n'));
    return 1;
}
