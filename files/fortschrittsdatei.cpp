#include "files/fortschrittsdatei.h"

#include "files/fortschrittsformat.h"
#include "files/ganzschreiben.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {

// How long a change waits for another trainer that is saving at the same moment.
constexpr int sperrZeit = 2000;

// A progress file is well under a kilobyte; anything much larger is not one, and is not read
// into memory whole.
constexpr qint64 hoechstensBytes = 64 * 1024;

struct Befund {
    bool vorhanden = false;
    GelesenerStand gelesen;
};

Befund pruefe(const QString& pfad)
{
    const QFileInfo info(pfad);
    if (!info.exists() && !info.isSymLink())
        return {};
    QFile datei(pfad);
    if (!info.isFile() || info.size() > hoechstensBytes || !datei.open(QIODevice::ReadOnly))
        return {true, {}};
    return {true, ausJson(datei.read(hoechstensBytes))};
}

// Renames an unreadable file beside itself, under the first of fortschritt.json.beschaedigt,
// ...-2, ... not taken yet; gives the new name, or an empty string if it cannot be renamed.
// Renaming never replaces a file already there.
QString legeBeiseite(const QString& pfad)
{
    constexpr int versuche = 1000;
    for (int n = 1; n <= versuche; ++n) {
        QString ziel = pfad + QStringLiteral(".beschaedigt");
        if (n > 1)
            ziel += QStringLiteral("-%1").arg(n);
        const QFileInfo info(ziel);
        if (info.exists() || info.isSymLink())
            continue;
        return QFile::rename(pfad, ziel) ? ziel : QString();
    }
    return {};
}

QString warumUnlesbar(const Befund& befund)
{
    return befund.gelesen.neuereVersion
               ? QStringLiteral("stammt von einer neueren Version des Programms")
               : QStringLiteral("ist beschädigt");
}

QString ordnerNichtAngelegt(const QString& ordner)
{
    return QStringLiteral("Der Fortschritt wurde nicht gespeichert: Der Ordner „%1“ ließ sich "
                          "nicht anlegen.")
        .arg(QDir::toNativeSeparators(ordner));
}

} // namespace

QString fortschrittsOrdner()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString fortschrittsDatei(const QString& ordner)
{
    return QDir(ordner).filePath(QStringLiteral("fortschritt.json"));
}

Fortschritt ladeFortschritt(const QString& ordner)
{
    if (ordner.isEmpty())
        return {};
    const QString pfad = fortschrittsDatei(ordner);
    const Befund befund = pruefe(pfad);
    if (!befund.vorhanden)
        return {};
    if (befund.gelesen.lernstand)
        return {*befund.gelesen.lernstand, {}};

    const QString grund = warumUnlesbar(befund);
    const QString kopie = legeBeiseite(pfad);
    if (kopie.isEmpty())
        return {{},
                QStringLiteral("Der gespeicherte Fortschritt „%1“ %2 und ließ sich nicht "
                               "umbenennen; er bleibt unverändert, das Üben beginnt von vorn.")
                    .arg(QDir::toNativeSeparators(pfad), grund)};
    return {
        {},
        QStringLiteral("Der gespeicherte Fortschritt %1; er wurde als „%2“ aufbewahrt, das Üben "
                       "beginnt von vorn.")
            .arg(grund, QDir::toNativeSeparators(kopie))};
}

QString speichereFortschritt(const QString& ordner, const Lernstand& stand)
{
    if (ordner.isEmpty() || !QDir().mkpath(ordner))
        return ordnerNichtAngelegt(ordner);
    const QString pfad = fortschrittsDatei(ordner);
    const Befund befund = pruefe(pfad);
    if (befund.vorhanden && !befund.gelesen.lernstand && legeBeiseite(pfad).isEmpty())
        return QStringLiteral("Der Fortschritt wurde nicht gespeichert: „%1“ ist nicht lesbar und "
                              "ließ sich nicht umbenennen, er würde sonst überschrieben.")
            .arg(QDir::toNativeSeparators(pfad));
    if (const QString grund = schreibeGanz(pfad, alsJson(stand)); !grund.isEmpty())
        return QStringLiteral("Der Fortschritt wurde nicht gespeichert. %1").arg(grund);
    return {};
}

Lernstandablage::Geaendert aendereFortschritt(const QString& ordner, const Lernstand& bisher,
                                              const std::function<void(Lernstand&)>& aenderung)
{
    // Taking the lock writes a small file too.
    const OhneGroessensignal ohneSignal;
    Lernstandablage::Geaendert ergebnis{bisher, {}, {}};
    const QString sperrDatei = fortschrittsDatei(ordner) + QStringLiteral(".lock");
    QLockFile sperre(sperrDatei);
    // A lock whose owner is known is cleared as soon as that owner is gone. One without an
    // owner, left empty by a trainer killed the instant it made it, counts as left over after a
    // second, not after Qt's half minute: a save takes milliseconds.
    sperre.setStaleLockTime(1000);
    if (ordner.isEmpty() || !QDir().mkpath(ordner)) {
        aenderung(ergebnis.stand);
        ergebnis.fehler = ordnerNichtAngelegt(ordner);
        return ergebnis;
    }
    errno = 0;
    if (!sperre.tryLock(sperrZeit)) {
        const int fehler = errno; // why the lock's file could not be made, as a full disk
        aenderung(ergebnis.stand);
        ergebnis.fehler =
            sperre.error() == QLockFile::LockFailedError
                ? QStringLiteral("Der Fortschritt wurde nicht gespeichert: Ein anderes Fenster "
                                 "hält ihn gesperrt.")
                : QStringLiteral("Der Fortschritt wurde nicht gespeichert: Im Ordner „%1“ ließ "
                                 "sich keine Sperre anlegen. %2")
                      .arg(QDir::toNativeSeparators(ordner), ortsGrund(sperrDatei, fehler));
        return ergebnis;
    }
    const Befund befund = pruefe(fortschrittsDatei(ordner));
    if (befund.gelesen.lernstand)
        ergebnis.stand = *befund.gelesen.lernstand;
    aenderung(ergebnis.stand);
    // Damaged since it was read: set aside, and the learner told, as at the start. Where it
    // cannot be renamed, saving refuses and says so.
    if (befund.vorhanden && !befund.gelesen.lernstand)
        if (const QString kopie = legeBeiseite(fortschrittsDatei(ordner)); !kopie.isEmpty())
            ergebnis.meldung = QStringLiteral("Der gespeicherte Fortschritt %1; er wurde als "
                                              "„%2“ aufbewahrt, das Üben geht mit dem Stand "
                                              "dieses Fensters weiter.")
                                   .arg(warumUnlesbar(befund), QDir::toNativeSeparators(kopie));
    ergebnis.fehler = speichereFortschritt(ordner, ergebnis.stand);
    return ergebnis;
}

QString loescheFortschritt(const QString& ordner)
{
    if (ordner.isEmpty() || !QFileInfo::exists(fortschrittsDatei(ordner)))
        return {};
    // Saved empty under the lock rather than removed: a trainer open beside then applies its
    // next answer to the fresh start instead of bringing back the progress it had read.
    QString fehler = aendereFortschritt(ordner, {}, [](Lernstand& stand) { stand = {}; }).fehler;
    return fehler.replace(QStringLiteral("wurde nicht gespeichert"),
                          QStringLiteral("wurde nicht gelöscht"));
}

Lernstand Fortschrittsdatei::lade(QString& meldung)
{
    Fortschritt gelesen = ladeFortschritt(ordner_);
    meldung = gelesen.meldung;
    return gelesen.lernstand;
}

Lernstandablage::Geaendert
Fortschrittsdatei::aendere(const Lernstand& bisher,
                           const std::function<void(Lernstand&)>& aenderung)
{
    return aendereFortschritt(ordner_, bisher, aenderung);
}

QString Fortschrittsdatei::loesche()
{
    return loescheFortschritt(ordner_);
}
