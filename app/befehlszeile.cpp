#include "app/befehlszeile.h"

#include "files/ganzschreiben.h"
#include "files/tafeldatei.h"
#include "linie/linienplan.h"
#include "uebung/startwert.h"
#include "window/stationsfenster.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#ifndef TELEGRAF_VERSION
#define TELEGRAF_VERSION "unbekannt"
#endif

namespace {

const char* const aufrufZeile =
    "Aufruf: pvellard [--tafel DATEI | --ueben [ÜBUNG] [--startwert N] | "
    "--linie [--stationen N] [--netz [--port N]] | --station ADRESSE --name NAME | --help | "
    "--version]\n";

// At most 80 columns a line, the width of a terminal.
const char* const hilfe =
    "Aufruf: pvellard [Optionen]\n"
    "Zeigt Nachrichten mit einem optischen Flügeltelegrafen. Ohne Optionen öffnet\n"
    "sich das Fenster.\n"
    "\n"
    "Optionen:\n"
    "  --tafel DATEI   Schreibt die Signaltafel, alle 36 Signale auf einer Seite,\n"
    "                  nach DATEI und endet, ohne ein Fenster zu öffnen. Der\n"
    "                  Dateityp folgt der Endung: .pdf ergibt eine A4-Seite im\n"
    "                  Querformat, .png ein Bild mit 300 dpi.\n"
    "  --ueben [ÜBUNG] Öffnet statt des Fensters die Übung „Signale üben“:\n"
    "                  erkennen (so ohne Angabe), stellen oder mitlesen.\n"
    "  --startwert N   Macht die Runden der Übung zu Prüfungen: Die Zahl N (1 bis\n"
    "                  18 Ziffern) legt ihre Fragen fest, gleich auf jedem Rechner.\n"
    "  --linie         Öffnet statt des Fensters die „Telegrafenlinie“: Eine\n"
    "                  Nachricht läuft von Station zu Station.\n"
    "  --stationen N   Die Zahl der Stationen der Linie, 2 bis 8 (so ohne Angabe 5),\n"
    "                  im Netz 2 bis 30.\n"
    "  --netz          Öffnet die Linie als Leitstelle im Netz: Schüler treten ihr an\n"
    "                  ihren Rechnern als Stationen bei.\n"
    "  --port N        Der Port der Leitstelle (so ohne Angabe 47300).\n"
    "  --station ADRESSE[:PORT]\n"
    "                  Öffnet statt des Fensters eine Station einer Linie im Netz\n"
    "                  und verbindet sie mit der Leitstelle an ADRESSE; das Wort\n"
    "                  zum Beitreten fragt das Fenster.\n"
    "  --name NAME     Der Name an der Station, 1 bis 20 Zeichen.\n"
    "  -h, --help      Zeigt diese Hilfe.\n"
    "  -v, --version   Zeigt die Versionsnummer.\n"
    "Dazu gelten Qts eigene Optionen wie -platform, -style und -reverse.\n";

// The options every Qt program takes, as QGuiApplication, QApplication and Qt's X11 platform
// read them from argv in Qt 6: with one dash or two, most with their value in the next
// argument, three also with it joined by "=".
const QStringList qtOptionenMitWert =
    QStringLiteral("platform platformpluginpath platformtheme plugin qwindowgeometry qwindowicon "
                   "qwindowtitle session style stylesheet qmljsdebugger display geometry title "
                   "icon name visual")
        .split(QLatin1Char(' '));
const QStringList qtOptionenMitGleich =
    QStringLiteral("style stylesheet qmljsdebugger").split(QLatin1Char(' '));
const QStringList qtSchalter =
    QStringLiteral("reverse widgetcount testability nograb dograb").split(QLatin1Char(' '));

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

// Writes `text` to standard output. Output that cannot be written, as on a full disk, is a
// failure: `was` is named in the message, and the status is 1, as for a chart not written.
int gibAus(const char* text, const char* was)
{
    if (std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0)
        return 0;
    ausgeben(stderr, QStringLiteral("pvellard: %1 ließ sich nicht ausgeben. %2\n")
                         .arg(QLatin1String(was), systemGrund(errno)));
    return 1;
}

// An option's name without its dashes: "platform" for -platform and --platform.
QString optionsname(const QString& argument)
{
    if (argument.startsWith(QLatin1String("--")))
        return argument.mid(2);
    return argument.startsWith(QLatin1Char('-')) ? argument.mid(1) : QString();
}

// QCommandLineParser's own messages are English; it tells only the unknown names apart, so
// the other mistakes it reports, a missing value or a value where none belongs, are recognised
// from the arguments.
QString parserFehler(const QCommandLineParser& parser, const QStringList& argumente)
{
    const QStringList unbekannt = parser.unknownOptionNames();
    if (!unbekannt.isEmpty()) {
        // Named as it was written, with its dashes.
        QString geschrieben = QStringLiteral("--") + unbekannt.first();
        for (const QString& argument : argumente.mid(1)) {
            if (optionsname(argument).section(QLatin1Char('='), 0, 0) == unbekannt.first()) {
                geschrieben = argument.section(QLatin1Char('='), 0, 0);
                break;
            }
        }
        return QStringLiteral("Unbekannte Option „%1“.").arg(geschrieben);
    }
    const QString letztes = argumente.isEmpty() ? QString() : optionsname(argumente.last());
    if (letztes == QLatin1String("tafel"))
        return QStringLiteral("Nach --tafel fehlt der Dateiname.");
    if (QStringList{QStringLiteral("startwert"), QStringLiteral("stationen"),
                    QStringLiteral("port"), QStringLiteral("station"), QStringLiteral("name")}
            .contains(letztes))
        return QStringLiteral("Nach --%1 fehlt der Wert.").arg(letztes);
    for (const QString& argument : argumente.mid(1)) {
        if (argument.startsWith(QLatin1String("--")) && argument.contains(QLatin1Char('=')))
            return QStringLiteral("Ungültiger Aufruf: „%1“.").arg(argument);
    }
    return QStringLiteral("Ungültiger Aufruf.");
}

// Takes Qt's options out of `argumente`, so that the parser sees only the program's own; Qt
// still finds them in argv. Notes in `aufruf` the two the program heeds before Qt starts.
// Splits "--ueben=ÜBUNG", the usual way to give an optional value, in the two arguments the
// parser takes. Returns the option whose value is missing, or nothing.
std::optional<QString> qtOptionenHeraus(QStringList& argumente, Aufruf& aufruf)
{
    QStringList eigene = argumente.mid(0, 1);
    for (qsizetype i = 1; i < argumente.size(); ++i) {
        const QString& argument = argumente.at(i);
        const QString name = optionsname(argument);
        if (argument == QLatin1String("--")) {
            eigene += argumente.mid(i);
            break;
        }
        if (name == QLatin1String("tafel")) {
            // Its file name is not read as an option, whatever it looks like.
            eigene += argumente.mid(i, 2);
            ++i;
            continue;
        }
        const bool mitGleich = name.contains(QLatin1Char('=')) &&
                               qtOptionenMitGleich.contains(name.section(QLatin1Char('='), 0, 0));
        if (mitGleich || qtSchalter.contains(name))
            continue;
        // Qt's X11 platform takes -name as the window's instance name; with two dashes it is
        // the name of a pupil's station.
        if (argument == QLatin1String("--name")) {
            eigene << argument;
            continue;
        }
        if (name.startsWith(QLatin1String("ueben="))) {
            eigene << QStringLiteral("--ueben") << argument.section(QLatin1Char('='), 1);
            continue;
        }
        if (!qtOptionenMitWert.contains(name)) {
            eigene << argument;
            continue;
        }
        if (++i == argumente.size())
            return argument;
        if (name == QLatin1String("platform"))
            aufruf.qtPlattform = argumente.at(i);
        else if (name == QLatin1String("display"))
            aufruf.x11Anzeige = argumente.at(i);
    }
    argumente = eigene;
    return {};
}

// A call with an argument where none belongs.
Aufruf unerwartet(const QString& argument)
{
    return {.ende = fehler(QStringLiteral("Unerwartetes Argument „%1“.").arg(argument))};
}

// --ueben with its exercise and seed, checked.
Aufruf uebung(bool ueben, const QStringList& positionen, const QString& startwert, bool tafel,
              Aufruf aufruf)
{
    if (!ueben)
        return {.ende = fehler(QStringLiteral("--startwert gilt nur mit --ueben."))};
    if (tafel)
        return {.ende = fehler(QStringLiteral("--tafel und --ueben gehen nicht zusammen."))};
    if (positionen.size() > 1)
        return unerwartet(positionen.at(1));
    const std::optional<Uebungsart> art =
        positionen.isEmpty() ? Uebungsart::Erkennen : uebungsartNamens(positionen[0].toStdString());
    if (!art) {
        QStringList namen;
        for (const Uebungsname& u : uebungsarten)
            namen << QString::fromLatin1(u.befehl);
        return {.ende = fehler(QStringLiteral("Unbekannte Übung „%1“; es gibt %2 und %3.")
                                   .arg(positionen.first(),
                                        namen.mid(0, namen.size() - 1).join(QStringLiteral(", ")),
                                        namen.last()))};
    }
    aufruf.uebung = *art;
    if (startwert.isNull())
        return aufruf;
    aufruf.startwert = startwertAus(startwert);
    if (!aufruf.startwert)
        return {.ende = fehler(QStringLiteral("Der Startwert „%1“ ist keine Zahl aus 1 bis %2 "
                                              "Ziffern.")
                                   .arg(startwert, QString::number(startwertStellen)))};
    return aufruf;
}

// A whole number from `von` to `bis` written in decimal digits alone, or nothing.
std::optional<int> ganzeZahl(const QString& text, int von, int bis)
{
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const int zahl = text.toInt();
    if (zahl < von || zahl > bis)
        return std::nullopt;
    return zahl;
}

// What the line's options say: the number of stations and, for a Leitstelle, its port.
struct Linienangaben {
    bool linie = false;
    QString stationen; // null when not given
    bool netz = false;
    QString port;   // null when not given
    QString zuerst; // the first of these options given, as written
};

// --linie with its number of stations and its network, checked. `fremd` is the first option
// given beside it that belongs elsewhere, `positionen` the arguments that are no option.
Aufruf linie(const Linienangaben& l, const QString& fremd, const QStringList& positionen,
             Aufruf aufruf)
{
    if (!l.linie)
        return {.ende = fehler(QStringLiteral("%1 gilt nur mit --linie.").arg(l.zuerst))};
    if (!fremd.isEmpty())
        return {.ende = fehler(QStringLiteral("--linie geht nicht mit %1 zusammen.").arg(fremd))};
    if (!positionen.isEmpty())
        return unerwartet(positionen.first());
    if (!l.port.isNull() && !l.netz)
        return {.ende = fehler(QStringLiteral("--port gilt nur mit --netz."))};
    aufruf.netz = l.netz;
    aufruf.linie = ueblicheStationen;
    const int meiste = l.netz ? meisteStationenImNetz : meisteStationen;
    if (!l.stationen.isNull()) {
        aufruf.linie = ganzeZahl(l.stationen, wenigsteStationen, meiste);
        if (!aufruf.linie)
            return {.ende =
                        fehler(QStringLiteral("Für --stationen ist „%1“ keine Zahl von %2 bis %3.")
                                   .arg(l.stationen, QString::number(wenigsteStationen),
                                        QString::number(meiste)))};
    }
    if (!l.port.isNull()) {
        const std::optional<int> port = ganzeZahl(l.port, 1, 65535);
        if (!port)
            return {
                .ende = fehler(
                    QStringLiteral("Für --port ist „%1“ keine Zahl von 1 bis 65535.").arg(l.port))};
        aufruf.port = static_cast<quint16>(*port);
    }
    return aufruf;
}

// --station with the Leitstelle's address and the pupil's name, checked; the join word is asked
// in the window, so that it stands in no process list.
Aufruf station(const QString& adresse, const QString& name, bool allein, Aufruf aufruf)
{
    if (adresse.isNull())
        return {.ende = fehler(QStringLiteral("--name gilt nur mit --station."))};
    if (!allein)
        return {.ende = fehler(QStringLiteral("--station geht mit keiner anderen Option zusammen "
                                              "als --name."))};
    if (!leseAdresse(adresse))
        return {.ende = fehler(QStringLiteral("„%1“ ist keine Adresse einer Leitstelle "
                                              "(ADRESSE oder ADRESSE:PORT).")
                                   .arg(adresse))};
    const QString ohneRand = name.trimmed();
    const bool druckbar =
        std::all_of(ohneRand.begin(), ohneRand.end(), [](QChar c) { return c.isPrint(); });
    if (ohneRand.isEmpty() || ohneRand.size() > 20 || !druckbar)
        return {.ende = fehler(QStringLiteral("Nach --station gehört ein Name aus 1 bis 20 "
                                              "druckbaren Zeichen hinter --name."))};
    aufruf.station = adresse;
    aufruf.name = ohneRand;
    return aufruf;
}

// The program's own options, as the parser takes them.
struct Optionen {
    QCommandLineOption hilfe{{QStringLiteral("h"), QStringLiteral("help")}, QString()};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}, QString()};
    QCommandLineOption tafel{QStringLiteral("tafel"), QString(), QStringLiteral("DATEI")};
    QCommandLineOption ueben{QStringLiteral("ueben"), QString()};
    QCommandLineOption startwert{QStringLiteral("startwert"), QString(), QStringLiteral("N")};
    QCommandLineOption linie{QStringLiteral("linie"), QString()};
    QCommandLineOption stationen{QStringLiteral("stationen"), QString(), QStringLiteral("N")};
    QCommandLineOption netz{QStringLiteral("netz"), QString()};
    QCommandLineOption port{QStringLiteral("port"), QString(), QStringLiteral("N")};
    QCommandLineOption station{QStringLiteral("station"), QString(), QStringLiteral("ADRESSE")};
    QCommandLineOption name{QStringLiteral("name"), QString(), QStringLiteral("NAME")};
};

// The value of `option`, or a null string when it was not given.
QString wert(const QCommandLineParser& parser, const QCommandLineOption& option)
{
    return parser.isSet(option) ? parser.value(option) : QString();
}

// The first of `optionen` that was given, written as on the command line, or an empty string.
QString ersteGegebene(const QCommandLineParser& parser,
                      std::initializer_list<const QCommandLineOption*> optionen)
{
    for (const QCommandLineOption* option : optionen) {
        if (parser.isSet(*option))
            return QStringLiteral("--") + option->names().last();
    }
    return {};
}

// What the parsed options ask for, checked.
Aufruf auswerten(const QCommandLineParser& parser, const Optionen& o, Aufruf aufruf)
{
    const QStringList positionen = parser.positionalArguments();
    if (parser.isSet(o.station) || parser.isSet(o.name)) {
        const QString andere = ersteGegebene(
            parser, {&o.tafel, &o.ueben, &o.startwert, &o.linie, &o.stationen, &o.netz, &o.port});
        if (!positionen.isEmpty())
            return unerwartet(positionen.first());
        return station(wert(parser, o.station), wert(parser, o.name), andere.isEmpty(), aufruf);
    }
    if (parser.isSet(o.linie) || parser.isSet(o.stationen) || parser.isSet(o.netz) ||
        parser.isSet(o.port)) {
        const QString fremd = ersteGegebene(parser, {&o.tafel, &o.ueben, &o.startwert});
        const Linienangaben l{parser.isSet(o.linie), wert(parser, o.stationen),
                              parser.isSet(o.netz), wert(parser, o.port),
                              ersteGegebene(parser, {&o.stationen, &o.netz, &o.port})};
        return linie(l, fremd, positionen, aufruf);
    }
    if (parser.isSet(o.ueben) || parser.isSet(o.startwert))
        return uebung(parser.isSet(o.ueben), positionen, wert(parser, o.startwert),
                      parser.isSet(o.tafel), aufruf);
    if (!positionen.isEmpty())
        return unerwartet(positionen.first());
    if (parser.isSet(o.tafel)) {
        const QString pfad = parser.value(o.tafel);
        if (pfad.isEmpty())
            return {.ende = fehler(QStringLiteral("Nach --tafel fehlt der Dateiname."))};
        aufruf.tafel = pfad;
    }
    return aufruf;
}

// The arguments as text; nothing when one of them is no UTF-8, which has then been told.
std::optional<QStringList> alsText(int argc, char* argv[])
{
    QStringList argumente;
    for (int i = 0; i < argc; ++i) {
        // Bytes that are no UTF-8 would be read as other characters, a file name as another file.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        argumente << utf8(argv[i]);
        if (i > 0 && utf8.hasError()) {
            fehler(QStringLiteral("„%1“ ist kein gültiger UTF-8-Text.").arg(argumente.back()));
            return std::nullopt;
        }
    }
    return argumente;
}

} // namespace

Aufruf befehlszeileLesen(int argc, char* argv[])
{
    Aufruf aufruf;
    std::optional<QStringList> argumente = alsText(argc, argv);
    if (!argumente)
        return {.ende = 2};
    if (const auto ohneWert = qtOptionenHeraus(*argumente, aufruf))
        return {.ende = fehler(QStringLiteral("Nach %1 fehlt der Wert.").arg(*ohneWert))};

    QCommandLineParser parser;
    // The program's options, as Qt's, with one dash or two.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const Optionen o;
    parser.addOptions({o.hilfe, o.version, o.tafel, o.ueben, o.startwert, o.linie, o.stationen,
                       o.netz, o.port, o.station, o.name});
    if (!parser.parse(*argumente))
        return {.ende = fehler(parserFehler(parser, *argumente))};
    if (parser.isSet(o.hilfe))
        return {.ende = gibAus(hilfe, "Die Hilfe")};
    if (parser.isSet(o.version))
        return {.ende = gibAus("Vellard-Telegraf " TELEGRAF_VERSION "\n", "Die Versionsnummer")};
    return auswerten(parser, o, aufruf);
}

int tafelSchreiben(char* programm, const QString& pfad, const Signalcode& code)
{
    // The chart is drawn off screen; it must work where there is no display at all.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char* argv[] = {programm, nullptr};
    // Qt's remarks on the environment would stand beside the program's one line.
    const QtHinweiseStumm stumm;
    const QGuiApplication anwendung(argc, argv);
    const Tafelausgabe ausgabe = schreibeTafel(pfad, code);
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
