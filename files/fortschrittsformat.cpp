#include "files/fortschrittsformat.h"

#include "signal/alphabet.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

const QString formatName = QStringLiteral("vellard-telegraf-fortschritt");
constexpr int formatVersion = 1;

namespace schluessel {
const QString format = QStringLiteral("format");
const QString version = QStringLiteral("version");
const QString kaesten = QStringLiteral("kaesten");
const QString letzteAntworten = QStringLiteral("letzteAntworten");
const QString alleZeichen = QStringLiteral("alleZeichen");
} // namespace schluessel

// A JSON number that is a whole number; anything else gives nothing.
std::optional<int> ganzeZahl(const QJsonValue& wert)
{
    if (!wert.isDouble())
        return std::nullopt;
    const double zahl = wert.toDouble();
    if (zahl != std::trunc(zahl) || std::fabs(zahl) > 1e9)
        return std::nullopt;
    return static_cast<int>(zahl);
}

std::optional<std::map<char, int>> kaestenAus(const QJsonValue& wert)
{
    if (!wert.isObject())
        return std::nullopt;
    std::map<char, int> kaesten;
    const QJsonObject objekt = wert.toObject();
    for (auto it = objekt.begin(); it != objekt.end(); ++it) {
        const QString& name = it.key();
        const std::optional<int> kasten = ganzeZahl(it.value());
        if (name.size() != 1 || name.at(0).unicode() > 127 ||
            alphabet.find(name.at(0).toLatin1()) == std::string_view::npos || !kasten ||
            *kasten < ersterKasten || *kasten > letzterKasten)
            return std::nullopt;
        kaesten[name.at(0).toLatin1()] = *kasten;
    }
    return kaesten;
}

std::optional<std::deque<bool>> antwortenAus(const QJsonValue& wert)
{
    if (!wert.isArray() || wert.toArray().size() > static_cast<qsizetype>(fensterLaenge))
        return std::nullopt;
    std::deque<bool> antworten;
    for (const QJsonValue eintrag : wert.toArray()) {
        if (!eintrag.isBool())
            return std::nullopt;
        antworten.push_back(eintrag.toBool());
    }
    return antworten;
}

} // namespace

QByteArray alsJson(const Lernstand& stand)
{
    QJsonObject kaesten;
    for (const auto& [zeichen, kasten] : stand.kaesten)
        kaesten.insert(QString(QLatin1Char(zeichen)), kasten);
    QJsonArray antworten;
    for (const bool richtig : stand.letzteAntworten)
        antworten.append(richtig);
    return QJsonDocument(QJsonObject{{schluessel::format, formatName},
                                     {schluessel::version, formatVersion},
                                     {schluessel::kaesten, kaesten},
                                     {schluessel::letzteAntworten, antworten},
                                     {schluessel::alleZeichen, stand.alleZeichen}})
        .toJson(QJsonDocument::Indented);
}

GelesenerStand ausJson(const QByteArray& inhalt)
{
    QJsonParseError fehler;
    const QJsonDocument dokument = QJsonDocument::fromJson(inhalt, &fehler);
    if (fehler.error != QJsonParseError::NoError || !dokument.isObject())
        return {};
    const QJsonObject objekt = dokument.object();
    const std::optional<int> version = ganzeZahl(objekt.value(schluessel::version));
    if (objekt.value(schluessel::format) != formatName || !version || *version < 1)
        return {};
    if (*version > formatVersion)
        return {.lernstand = std::nullopt, .neuereVersion = true};

    const auto kaesten = kaestenAus(objekt.value(schluessel::kaesten));
    const auto antworten = antwortenAus(objekt.value(schluessel::letzteAntworten));
    const QJsonValue alleZeichen = objekt.value(schluessel::alleZeichen);
    if (objekt.size() != 5 || !kaesten || !antworten || !alleZeichen.isBool())
        return {};
    return {.lernstand = Lernstand{*kaesten, *antworten, alleZeichen.toBool()},
            .neuereVersion = false};
}
