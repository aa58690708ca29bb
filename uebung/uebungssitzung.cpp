#include "uebung/uebungssitzung.h"

#include "bedienung/normalisieren.h"
#include "geometrie/stellen.h"
#include "signal/gleichesbild.h"
#include "uebung/bewertung.h"
#include "uebung/ergebnistabelle.h"
#include "uebung/lernstandablage.h"

#include <QRandomGenerator>

namespace {

// How long a verdict stands before the next question comes by itself.
constexpr std::chrono::milliseconds standardPause{1500};
constexpr std::chrono::milliseconds standardAbstand{1500};

const QString bereit = QStringLiteral("Wähle eine Übung und beginne eine Runde.");

QString zitiert(const QString& text)
{
    return QStringLiteral("„%1“").arg(text);
}

QString zitiert(char zeichen)
{
    return zitiert(QString(QLatin1Char(zeichen)));
}

} // namespace

Uebungssitzung::Uebungssitzung(const Signalcode& code, Lernstandablage& ablage,
                               std::vector<QString> woerter, QObject* parent)
    : QObject(parent), code_(code), ablage_(ablage), woerter_(std::move(woerter)),
      uhr_(&std::chrono::steady_clock::now)
{
    senden_.setTimerType(Qt::PreciseTimer);
    senden_.setInterval(standardAbstand);
    connect(&senden_, &QTimer::timeout, this, &Uebungssitzung::sendeNaechstes);
    pause_.setSingleShot(true);
    pause_.setInterval(standardPause);
    connect(&pause_, &QTimer::timeout, this, &Uebungssitzung::weiter);

    QString meldung;
    stand_ = ablage_.lade(meldung);
    status_ = meldung.isEmpty() ? bereit : meldung;
}

Uebungssitzung::~Uebungssitzung() = default;

void Uebungssitzung::setArt(Uebungsart art)
{
    if (art == wahl_.art)
        return;
    wahl_.art = art;
    abbrechen();
}

void Uebungssitzung::setSatz(Uebungssatz satz)
{
    if (satz == wahl_.satz)
        return;
    wahl_.satz = satz;
    abbrechen();
}

void Uebungssitzung::setAnzahl(int anzahl)
{
    if (anzahl == wahl_.anzahl)
        return;
    wahl_.anzahl = anzahl;
    abbrechen();
}

void Uebungssitzung::setStartwert(std::optional<std::uint64_t> startwert)
{
    // Counts from the next round: the questions of a running one are set already.
    wahl_.startwert = startwert;
}

void Uebungssitzung::setAbstand(std::chrono::milliseconds abstand)
{
    senden_.setInterval(abstand);
}

void Uebungssitzung::setPause(std::chrono::milliseconds pause)
{
    pause_.setInterval(pause);
}

void Uebungssitzung::setAlleZeichen(bool alle)
{
    if (stand_.alleZeichen == alle)
        return;
    if (const QString fehler = aendereStand([alle](Lernstand& s) { s.alleZeichen = alle; });
        !fehler.isEmpty())
        zeige(fehler);
}

void Uebungssitzung::melde(const QString& meldung)
{
    zeige(zustand_ == Zustand::Ende ? ergebnisText_ + QLatin1Char(' ') + meldung : meldung);
}

QString Uebungssitzung::aendereStand(const std::function<void(Lernstand&)>& aenderung)
{
    Lernstandablage::Geaendert geaendert = ablage_.aendere(stand_, aenderung);
    stand_ = std::move(geaendert.stand);
    return geaendert.fehler;
}

void Uebungssitzung::loescheFortschritt()
{
    if (const QString fehler = ablage_.loesche(); !fehler.isEmpty()) {
        zeige(fehler);
        return;
    }
    stand_ = {};
    unterbrechen();
    zeige(QStringLiteral("Der Lernstand ist gelöscht; das Üben beginnt von vorn."));
}

const std::vector<Antwort>& Uebungssitzung::antworten() const
{
    static const std::vector<Antwort> keine;
    return runde_ ? runde_->antworten() : keine;
}

QString Uebungssitzung::balkenHilfe() const
{
    static const QString namen[] = {QStringLiteral("Regulator"), QStringLiteral("erster Flügel"),
                                    QStringLiteral("zweiter Flügel")};
    return QStringLiteral("Balken wählen mit 1, 2 und 3, drehen mit ← und →, prüfen mit der "
                          "Eingabetaste. Gewählt: %1.")
        .arg(namen[balken_]);
}

void Uebungssitzung::zeige(const QString& status)
{
    status_ = status;
    emit geaendert();
}

// A round that runs ends without a result; the choice it was made with has changed.
void Uebungssitzung::abbrechen()
{
    if (zustand_ == Zustand::Frage || zustand_ == Zustand::Beantwortet) {
        unterbrechen();
        return;
    }
    emit geaendert();
}

void Uebungssitzung::unterbrechen()
{
    senden_.stop();
    pause_.stop();
    danach_ = Danach::Nichts;
    if (telegrafBewegt_) {
        telegrafBewegt_ = false;
        emit telegrafAnhalten();
    }
    if (zustand_ == Zustand::Frage || zustand_ == Zustand::Beantwortet) {
        runde_.reset();
        zustand_ = Zustand::Bereit;
        zeige(bereit);
        // No question is left standing without its round, also in a trainer opened again.
        stelleTelegraf(ruhestellung);
    }
}

void Uebungssitzung::beginnen()
{
    unterbrechen();
    QString fehler;
    // Practice follows the progress as it is kept now, which another trainer may have changed.
    if (!wahl_.startwert && wahl_.art != Uebungsart::Mitlesen) {
        const Uebungssatz satz = wahl_.satz;
        fehler = aendereStand([satz](Lernstand& s) { bereiteVor(s, satz); });
    }
    runde_ = std::make_unique<Uebungsrunde>(wahl_, stand_, woerter_,
                                            QRandomGenerator::global()->generate64());
    stelleFrage(fehler);
}

void Uebungssitzung::stelleFrage(const QString& meldung)
{
    const QString frage = runde_ && !runde_->fertig() ? runde_->naechsteFrage() : QString();
    if (frage.isEmpty()) {
        beenden();
        return;
    }
    zustand_ = Zustand::Frage;
    frageSeit_ = uhr_();
    const QString nummer = QStringLiteral(" (Frage %1 von %2)")
                               .arg(runde_->antworten().size() + 1)
                               .arg(runde_->wahl().anzahl) +
                           (meldung.isEmpty() ? QString() : QLatin1Char(' ') + meldung);
    switch (runde_->wahl().art) {
    case Uebungsart::Stellen:
        // The rest position draws like "E": asked for E, the learner starts from a picture that
        // is no character's.
        stelleTelegraf(gleichesBild(ruhestellung, winkelholen(code_, frage.at(0).toLatin1()))
                           ? trennstellung
                           : ruhestellung);
        beruehrt_ = false;
        zeige(QStringLiteral("Stelle das Signal für %1.").arg(zitiert(frage)) + nummer);
        break;
    case Uebungsart::Mitlesen:
        stelleTelegraf(ruhestellung);
        gesendet_ = QString::fromStdString(normalisieren(frage));
        gesendetBis_ = 0;
        zeige(QStringLiteral("Lies mit, was der Telegraf sendet, und drücke dann die "
                             "Eingabetaste.") +
              nummer);
        senden_.start();
        sendeNaechstes();
        break;
    case Uebungsart::Erkennen: {
        zeige(QStringLiteral("Welches Zeichen zeigt der Telegraf?") + nummer);
        const Stellung ziel = winkelholen(code_, frage.at(0).toLatin1());
        // Where the telegraph shows the asked picture already ("E" after the rest position), it
        // turns to a picture that is no character's first, so that the question is seen to
        // come; the telegraph takes the second movement up when the first has ended.
        if (gleichesBild(gezeigt_, ziel))
            dreheTelegraf(trennstellung, ' ');
        dreheTelegraf(ziel, ' ');
        break;
    }
    }
}

// The next character of a reading question, one per tick, once; a tick that comes while the
// telegraph still turns waits for it. Where the telegraph shows the character's picture
// already (the second of two equal characters, or "E" after the rest position), it turns to a
// picture that is no character's first, so that every character sent is seen to come.
void Uebungssitzung::sendeNaechstes()
{
    if (zustand_ != Zustand::Frage || gesendetBis_ >= gesendet_.size()) {
        senden_.stop();
        return;
    }
    if (telegrafBewegt_) {
        danach_ = Danach::Senden;
        return;
    }
    const Stellung ziel = winkelholen(code_, gesendet_.at(gesendetBis_).toLatin1());
    if (gleichesBild(gezeigt_, ziel)) {
        dreheTelegraf(trennstellung, ' ');
        danach_ = Danach::Senden;
        return;
    }
    ++gesendetBis_;
    dreheTelegraf(ziel, ' ');
}

void Uebungssitzung::telegrafSteht()
{
    telegrafBewegt_ = false;
    switch (std::exchange(danach_, Danach::Nichts)) {
    case Danach::Senden:
        sendeNaechstes();
        break;
    case Danach::Weiter:
        weiter();
        break;
    case Danach::Pause:
        pause_.start();
        break;
    case Danach::Nichts:
        break;
    }
}

// Records an answer, tells whether it was right and shows the character beside the mast; after
// a wrong one the telegraph turns to `berichtigung`, the right signal. Practice moves the
// learner's boxes; an examination leaves them alone. The verdict stands for the pause, counted
// from when the telegraph stands.
void Uebungssitzung::beantworte(const QString& geantwortet, int richtig, int von,
                                const QString& text, std::optional<Stellung> berichtigung)
{
    const auto zeit = std::chrono::duration_cast<std::chrono::milliseconds>(uhr_() - frageSeit_);
    runde_->beantworte(geantwortet, richtig, von, zeit);
    zustand_ = Zustand::Beantwortet;
    senden_.stop();
    QString meldung = text;
    const Rundenwahl& wahl = runde_->wahl();
    const char gefragt = runde_->frage().at(0).toLatin1();
    if (wahl.art != Uebungsart::Mitlesen && !wahl.startwert) {
        std::optional<char> neu;
        const QString fehler = aendereStand(
            [&](Lernstand& s) { neu = werteAus(s, wahl.satz, gefragt, richtig == von); });
        if (neu)
            meldung += QStringLiteral(" Neu zum Üben: %1.").arg(zitiert(*neu));
        if (!fehler.isEmpty())
            meldung += QLatin1Char(' ') + fehler;
    }
    if (wahl.art != Uebungsart::Mitlesen)
        emit telegrafSchreiben(gefragt);
    if (berichtigung)
        dreheTelegraf(*berichtigung, gefragt);
    danach_ = Danach::Nichts;
    if (telegrafBewegt_)
        danach_ = Danach::Pause;
    else
        pause_.start();
    zeige(meldung);
}

void Uebungssitzung::erkannt(char zeichen)
{
    if (zustand_ != Zustand::Frage || runde_->wahl().art != Uebungsart::Erkennen || zeichen == ' ')
        return;
    const QString gefragt = runde_->frage();
    const QString antwort = QString(QLatin1Char(zeichen));
    const bool richtig = richtigErkannt(gefragt.at(0).toLatin1(), antwort);
    beantworte(antwort, richtig, 1,
               richtig ? QStringLiteral("Richtig: %1.").arg(zitiert(gefragt))
                       : QStringLiteral("Falsch: Das Signal war %1, nicht %2.")
                             .arg(zitiert(gefragt), zitiert(antwort)));
}

void Uebungssitzung::gestellt(const Stellung& stellung)
{
    if (zustand_ != Zustand::Frage || runde_->wahl().art != Uebungsart::Stellen)
        return;
    gezeigt_ = stellung;
    beruehrt_ = true;
}

void Uebungssitzung::waehleBalken(int balken)
{
    if (balken < 0 || balken > 2)
        return;
    balken_ = balken;
    emit geaendert();
}

void Uebungssitzung::drehe(int schritte)
{
    if (zustand_ != Zustand::Frage || runde_->wahl().art != Uebungsart::Stellen)
        return;
    stelleTelegraf(::drehe(gezeigt_, static_cast<Balken>(balken_), schritte));
    beruehrt_ = true;
}

void Uebungssitzung::pruefen(const QString& gelesen)
{
    if (zustand_ != Zustand::Frage)
        return;
    if (runde_->wahl().art == Uebungsart::Stellen)
        pruefeStellung();
    else if (runde_->wahl().art == Uebungsart::Mitlesen)
        pruefeGelesenes(gelesen);
}

void Uebungssitzung::pruefeStellung()
{
    const QString gefragt = runde_->frage();
    if (!beruehrt_) {
        zeige(QStringLiteral("Stelle zuerst das Signal für %1: Wähle mit 1, 2 und 3 einen Balken "
                             "und drehe ihn mit ← und →, oder ziehe ihn mit der Maus.")
                  .arg(zitiert(gefragt)));
        return;
    }
    const Stellung ziel = winkelholen(code_, gefragt.at(0).toLatin1());
    const char gezeigt = code_.zeichenDesBildes(gezeigt_);
    const bool richtig = gleichesBild(gezeigt_, ziel);
    const QString antwort = gezeigt != '?' ? QString(QLatin1Char(gezeigt)) : QStringLiteral("–");
    beantworte(antwort, richtig ? 1 : 0, 1,
               richtig ? QStringLiteral("Richtig: %1.").arg(zitiert(gefragt))
               : gezeigt != '?'
                   ? QStringLiteral("Falsch: Das Signal war %1, nicht %2.")
                         .arg(zitiert(gefragt), zitiert(antwort))
                   : QStringLiteral("Falsch: Das Signal war %1; das gestellte Signal ist kein "
                                    "Zeichen.")
                         .arg(zitiert(gefragt)),
               richtig ? std::nullopt : std::optional(ziel));
}

void Uebungssitzung::pruefeGelesenes(const QString& gelesen)
{
    const QString normalisiert = QString::fromStdString(normalisieren(gelesen));
    // Nothing read while the word is still being sent is no answer: most likely the key was
    // meant for the question before. Once the word has been sent, it is the answer.
    if (normalisiert.isEmpty() && (gesendetBis_ < gesendet_.size() || telegrafBewegt_)) {
        zeige(QStringLiteral("Noch nichts gelesen: Tippe mit, was der Telegraf sendet, und "
                             "drücke dann die Eingabetaste."));
        return;
    }
    const Lesewertung wertung = bewertung(runde_->frage(), gelesen);
    beantworte(normalisiert, wertung.richtig, wertung.gesendet,
               QStringLiteral("Gesendet: %1. Gelesen: %2. %3 von %4 Zeichen richtig.")
                   .arg(zitiert(gesendet_), zitiert(normalisiert))
                   .arg(wertung.richtig)
                   .arg(wertung.gesendet));
}

void Uebungssitzung::weiter()
{
    if (zustand_ != Zustand::Beantwortet)
        return;
    pause_.stop();
    if (telegrafBewegt_) {
        danach_ = Danach::Weiter;
        return;
    }
    stelleFrage();
}

QByteArray Uebungssitzung::ergebnisCsv() const
{
    return runde_ ? ergebnisAlsCsv(antworten(), runde_->wahl(), rundenEnde_) : QByteArray();
}

void Uebungssitzung::beenden()
{
    zustand_ = Zustand::Ende;
    rundenEnde_ = QDateTime::currentDateTime();
    senden_.stop();
    const Rundenergebnis ergebnis = rundenergebnis(antworten());
    const bool lesen = runde_ && runde_->wahl().art == Uebungsart::Mitlesen;
    QString text = QStringLiteral("Ergebnis: %1 von %2 %3richtig (%4 %).")
                       .arg(ergebnis.richtig)
                       .arg(ergebnis.von)
                       .arg(lesen ? QStringLiteral("Zeichen ") : QString())
                       .arg(ergebnis.prozent);
    if (!ergebnis.schwerste.empty()) {
        QStringList schwerste;
        for (const QString& s : ergebnis.schwerste)
            schwerste << zitiert(s);
        text += QStringLiteral(" Am schwersten: %1.").arg(schwerste.join(QStringLiteral(", ")));
    }
    ergebnisText_ = text;
    zeige(text);
}

void Uebungssitzung::dreheTelegraf(const Stellung& ziel, char zeichen)
{
    telegrafBewegt_ = true;
    gezeigt_ = ziel;
    emit telegrafBewegen(ziel, zeichen);
}

void Uebungssitzung::stelleTelegraf(const Stellung& stellung)
{
    // Taking a position at once ends a running movement without its telling.
    telegrafBewegt_ = false;
    if (danach_ == Danach::Senden)
        danach_ = Danach::Nichts;
    gezeigt_ = stellung;
    emit telegrafStellen(stellung, ' ');
}
