#include "netz/protokoll.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cmath>

namespace netz {

namespace {

bool druckbar(char32_t zeichen)
{
    // Line and paragraph separators count as printable to Qt but break a line like a newline.
    const QChar::Category art = QChar::category(zeichen);
    return QChar::isPrint(zeichen) && art != QChar::Separator_Line &&
           art != QChar::Separator_Paragraph;
}

bool druckbarerText(const QString& text, int hoechstens)
{
    const QList<uint> zeichen = text.toUcs4();
    if (zeichen.size() > hoechstens)
        return false;
    return std::all_of(zeichen.begin(), zeichen.end(), [](uint z) { return druckbar(z); });
}

bool gueltigerGrund(const QString& grund)
{
    return druckbarerText(grund, laengsterText);
}

// The characters of a message as the line sends it, with '?' for a picture that is no character.
bool gueltigeZeichenfolge(const QString& zeichen)
{
    if (zeichen.size() > laengsteZeile)
        return false;
    return std::all_of(zeichen.begin(), zeichen.end(), [](QChar z) {
        return (z >= u'A' && z <= u'Z') || (z >= u'0' && z <= u'9') || z == u'&' || z == u'?';
    });
}

// The words of `Warte` on the wire, in its order; `Nicht` is said by leaving the field out.
constexpr std::array<QLatin1StringView, 6> wartenWoerter = {
    QLatin1StringView(""),         QLatin1StringView("nachricht"),  QLatin1StringView("vorgaenger"),
    QLatin1StringView("bewegung"), QLatin1StringView("nachfolger"), QLatin1StringView("fertig")};

bool gueltigesWarten(const QString& wort)
{
    return !wort.isEmpty() &&
           std::find(wartenWoerter.begin(), wartenWoerter.end(), wort) != wartenWoerter.end();
}

// An empty word, a field left out, is `Nicht`.
Warte wartenAus(const QString& wort)
{
    const auto gefunden = std::find(wartenWoerter.begin(), wartenWoerter.end(), wort);
    return gefunden == wartenWoerter.end()
               ? Warte::Nicht
               : static_cast<Warte>(std::distance(wartenWoerter.begin(), gefunden));
}

bool gueltigerVorName(const QString& name)
{
    return name.isEmpty() || gueltigerName(name);
}

bool gueltigerWinkel(qint64 winkel)
{
    return winkel % 45 == 0 && winkel >= -360 && winkel <= 360;
}

// Reads the fields of one message in turn; the first that does not fit ends the reading with
// its reason, and fields nobody asked for are refused at the end.
class Leser {
public:
    explicit Leser(const QJsonObject& objekt) : objekt(objekt) {}

    qint64 zahl(QLatin1StringView feld, qint64 von, qint64 bis)
    {
        const QJsonValue wert = holen(feld);
        const double d = wert.toDouble();
        if (fehler.isEmpty() && (!wert.isDouble() || !std::isfinite(d) || d != std::floor(d) ||
                                 d < double(von) || d > double(bis)))
            fehler = QStringLiteral("„%1“ ist keine ganze Zahl von %2 bis %3")
                         .arg(feld)
                         .arg(von)
                         .arg(bis);
        return fehler.isEmpty() ? static_cast<qint64>(d) : 0;
    }

    QString text(QLatin1StringView feld, bool (*gueltig)(const QString&))
    {
        const QJsonValue wert = holen(feld);
        if (fehler.isEmpty() && (!wert.isString() || !gueltig(wert.toString())))
            fehler = QStringLiteral("„%1“ ist kein gültiger Text").arg(feld);
        return fehler.isEmpty() ? wert.toString() : QString();
    }

    // A field that may be left out; an empty text stands for a missing one.
    QString freiwilligerText(QLatin1StringView feld, bool (*gueltig)(const QString&))
    {
        return objekt.contains(feld) ? text(feld, gueltig) : QString();
    }

    Stellung stellung(QLatin1StringView feld)
    {
        const QJsonValue wert = holen(feld);
        const QJsonArray winkel = wert.toArray();
        const auto passt = [](const QJsonValue& w) {
            const double d = w.toDouble(0.5);
            return w.isDouble() && d == std::floor(d) && d >= -360 && d <= 360 &&
                   gueltigerWinkel(qint64(d));
        };
        if (fehler.isEmpty() && (!wert.isArray() || winkel.size() != 3 ||
                                 !std::all_of(winkel.begin(), winkel.end(), passt)))
            fehler = QStringLiteral("„%1“ ist keine Stellung aus drei Winkeln in 45°-Schritten "
                                    "von −360 bis 360")
                         .arg(feld);
        if (!fehler.isEmpty())
            return {};
        return {winkel[0].toInt(), winkel[1].toInt(), winkel[2].toInt()};
    }

    // The reason the message is refused, or an empty text when every field fit.
    QString ergebnis()
    {
        if (fehler.isEmpty() && gelesen != objekt.size())
            fehler = QStringLiteral("Die Nachricht enthält unbekannte Felder");
        return fehler;
    }

private:
    QJsonValue holen(QLatin1StringView feld)
    {
        if (!fehler.isEmpty())
            return {};
        if (!objekt.contains(feld)) {
            fehler = QStringLiteral("Das Feld „%1“ fehlt").arg(feld);
            return {};
        }
        ++gelesen;
        return objekt.value(feld);
    }

    QJsonObject objekt;
    qsizetype gelesen = 2; // "v" and "typ"
    QString fehler;
};

Nachricht beitreten(Leser& l)
{
    Beitreten b;
    b.wort = l.text(QLatin1StringView("wort"), gueltigesWort);
    b.name = l.text(QLatin1StringView("name"), gueltigerName);
    b.token = l.freiwilligerText(QLatin1StringView("token"), gueltigerToken);
    return b;
}

Nachricht willkommen(Leser& l)
{
    Willkommen w;
    w.token = l.text(QLatin1StringView("token"), gueltigerToken);
    w.station = int(l.zahl(QLatin1StringView("station"), 1, meisteStationen));
    w.stationen =
        int(l.zahl(QLatin1StringView("stationen"), w.station < 2 ? 2 : w.station, meisteStationen));
    w.vorName = l.text(QLatin1StringView("vorName"), gueltigerVorName);
    return w;
}

Nachricht bewegung(Leser& l)
{
    Bewegung b;
    b.station = int(l.zahl(QLatin1StringView("station"), 1, meisteStationen));
    b.von = l.stellung(QLatin1StringView("von"));
    b.nach = l.stellung(QLatin1StringView("nach"));
    b.beginn = l.zahl(QLatin1StringView("beginn"), 0, spaetesterBeginn);
    return b;
}

Nachricht ende(Leser& l)
{
    Ende e;
    e.nachricht = l.text(QLatin1StringView("nachricht"), gueltigeZeichenfolge);
    e.empfangen = l.text(QLatin1StringView("empfangen"), gueltigeZeichenfolge);
    e.zeile = l.text(QLatin1StringView("zeile"), gueltigeZeichenfolge);
    return e;
}

std::optional<Nachricht> nachTyp(const QString& typ, Leser& l)
{
    if (typ == u"beitreten")
        return beitreten(l);
    if (typ == u"gestellt")
        return Gestellt{l.stellung(QLatin1StringView("stellung"))};
    if (typ == u"puls")
        return Puls{};
    if (typ == u"willkommen")
        return willkommen(l);
    if (typ == u"bewegung")
        return bewegung(l);
    if (typ == u"darf")
        return Darf{wartenAus(l.freiwilligerText(QLatin1StringView("warte"), gueltigesWarten))};
    if (typ == u"ende")
        return ende(l);
    if (typ == u"abschied")
        return Abschied{l.text(QLatin1StringView("grund"), gueltigerGrund)};
    return std::nullopt;
}

Gelesen abgelehnt(const QString& grund)
{
    return {std::nullopt, grund, false};
}

std::optional<QJsonObject> alsObjekt(const QByteArray& text, QString& grund)
{
    // Qt's JSON reader would let some broken UTF-8 through as replacement characters.
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString entschluesselt = utf8(text);
    if (utf8.hasError()) {
        grund = QStringLiteral("Die Nachricht ist kein gültiges UTF-8");
        return std::nullopt;
    }
    QJsonParseError fehler;
    const QJsonDocument dokument = QJsonDocument::fromJson(text, &fehler);
    if (fehler.error != QJsonParseError::NoError || !dokument.isObject()) {
        grund = QStringLiteral("Die Nachricht ist kein JSON-Objekt");
        return std::nullopt;
    }
    return dokument.object();
}

} // namespace

bool gueltigesWort(const QString& wort)
{
    return wort.size() == 4 &&
           std::all_of(wort.begin(), wort.end(), [](QChar z) { return z >= u'A' && z <= u'Z'; });
}

bool gueltigerToken(const QString& token)
{
    return token.size() == 32 && std::all_of(token.begin(), token.end(), [](QChar z) {
               return (z >= u'0' && z <= u'9') || (z >= u'a' && z <= u'f');
           });
}

bool gueltigerName(const QString& name)
{
    return !name.trimmed().isEmpty() && druckbarerText(name, laengsterName);
}

Gelesen lies(const QByteArray& text)
{
    if (text.size() > groessteNachricht)
        return abgelehnt(QStringLiteral("Die Nachricht ist größer als 4 KB"));
    QString grund;
    const std::optional<QJsonObject> objekt = alsObjekt(text, grund);
    if (!objekt)
        return abgelehnt(grund);
    const QJsonValue version = objekt->value(QLatin1StringView("v"));
    if (!version.isDouble())
        return abgelehnt(QStringLiteral("Die Nachricht nennt keine Protokollversion"));
    if (version.toDouble() != protokollVersion)
        return {std::nullopt,
                QStringLiteral("Andere Protokollversion: Bitte dieselbe Programmversion "
                               "wie die Leitstelle verwenden"),
                true};
    const QString typ = objekt->value(QLatin1StringView("typ")).toString();
    Leser leser(*objekt);
    std::optional<Nachricht> nachricht = nachTyp(typ, leser);
    if (!nachricht)
        return abgelehnt(QStringLiteral("Unbekannte Art von Nachricht"));
    grund = leser.ergebnis();
    if (!grund.isEmpty())
        return abgelehnt(grund);
    return {std::move(nachricht), QString(), false};
}

namespace {

QJsonArray alsFeld(const Stellung& s)
{
    return {s.regulator, s.indikator1, s.indikator2};
}

// The fields of each message beside "v" and "typ".
struct Felder {
    QJsonObject& o;
    QString operator()(const Beitreten& b) const
    {
        o[u"wort"] = b.wort;
        o[u"name"] = b.name;
        if (!b.token.isEmpty())
            o[u"token"] = b.token;
        return QStringLiteral("beitreten");
    }
    QString operator()(const Gestellt& g) const
    {
        o[u"stellung"] = alsFeld(g.stellung);
        return QStringLiteral("gestellt");
    }
    QString operator()(const Puls&) const { return QStringLiteral("puls"); }
    QString operator()(const Willkommen& w) const
    {
        o[u"token"] = w.token;
        o[u"station"] = w.station;
        o[u"stationen"] = w.stationen;
        o[u"vorName"] = w.vorName;
        return QStringLiteral("willkommen");
    }
    QString operator()(const Bewegung& b) const
    {
        o[u"station"] = b.station;
        o[u"von"] = alsFeld(b.von);
        o[u"nach"] = alsFeld(b.nach);
        o[u"beginn"] = b.beginn;
        return QStringLiteral("bewegung");
    }
    QString operator()(const Darf& d) const
    {
        if (!d.ja())
            o[u"warte"] = wartenWoerter[static_cast<std::size_t>(d.warte)];
        return QStringLiteral("darf");
    }
    QString operator()(const Ende& e) const
    {
        o[u"nachricht"] = e.nachricht;
        o[u"empfangen"] = e.empfangen;
        o[u"zeile"] = e.zeile;
        return QStringLiteral("ende");
    }
    QString operator()(const Abschied& a) const
    {
        o[u"grund"] = a.grund;
        return QStringLiteral("abschied");
    }
};

} // namespace

QByteArray schreibe(const Nachricht& nachricht)
{
    QJsonObject objekt;
    objekt[u"typ"] = std::visit(Felder{objekt}, nachricht);
    objekt[u"v"] = protokollVersion;
    return QJsonDocument(objekt).toJson(QJsonDocument::Compact);
}

bool vonStation(const Nachricht& nachricht)
{
    return std::holds_alternative<Beitreten>(nachricht) ||
           std::holds_alternative<Gestellt>(nachricht) || std::holds_alternative<Puls>(nachricht);
}

} // namespace netz
