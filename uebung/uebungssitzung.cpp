#include "uebung/uebungssitzung.h"

#include "uebung/ergebnistabelle.h"
#include "uebung/lernstandablage.h"

#include <QRandomGenerator>

namespace {

// How long a verdict stands before the next question comes by itself.
constexpr std::chrono::milliseconds standardPause{1500};
constexpr std::chrono::milliseconds standardAbstand{1500};

const QString bereit = QStringLiteral("Wähle eine Übung und beginne eine Runde.");

} // namespace

Uebungssitzung::Uebungssitzung(const Signalcode& code, Lernstandablage& ablage,
                               std::vector<QString> woerter, Signalgeber& telegraf, QObject* parent)
    : QObject(parent), code_(code), ablage_(ablage), woerter_(std::move(woerter)),
      telegraf_(telegraf), uhr_(&std::chrono::steady_clock::now),
      regel_(uebungsregel(wahl_.art, code)), abstand_(standardAbstand)
{
    senden_.setSingleShot(true);
    senden_.setTimerType(Qt::PreciseTimer);
    connect(&senden_, &QTimer::timeout, this, &Uebungssitzung::wecke);
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
    regel_ = uebungsregel(art, code_);
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
    return QStringList{geaendert.fehler, geaendert.meldung}.join(QLatin1Char(' ')).trimmed();
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
    if (laeuft()) {
        unterbrechen();
        return;
    }
    emit geaendert();
}

void Uebungssitzung::unterbrechen()
{
    halteSenden();
    pause_.stop();
    weiterGewuenscht_ = false;
    telegraf_.anhalten();
    if (laeuft()) {
        runde_.reset();
        zustand_ = Zustand::Bereit;
        zeige(bereit);
        // No question is left standing without its round, also in a trainer opened again.
        telegraf_.stelle(ruhestellung, ' ');
    }
}

void Uebungssitzung::beginnen()
{
    unterbrechen();
    QString fehler;
    // Practice follows the progress as it is kept now, which another trainer may have changed.
    if (!wahl_.startwert && regel_->fragtZeichen()) {
        const Uebungssatz satz = wahl_.satz;
        fehler = aendereStand([satz](Lernstand& s) { bereiteVor(s, satz); });
    }
    runde_ = std::make_unique<Uebungsrunde>(
        wahl_, stand_, regel_->fragtZeichen() ? std::vector<QString>{} : woerter_,
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
    const QString gefragt = regel_->stelleFrage(frage, telegraf_);
    zeige(gefragt +
          QStringLiteral(" (Frage %1 von %2)")
              .arg(runde_->antworten().size() + 1)
              .arg(runde_->wahl().anzahl) +
          (meldung.isEmpty() ? QString() : QLatin1Char(' ') + meldung));
    sendeWeiter();
}

// The question's next movement, once the telegraph stands and the character before has stood
// its time.
void Uebungssitzung::sendeWeiter()
{
    if (zustand_ != Zustand::Frage || telegraf_.bewegungLaeuft() || stehtBis_)
        return;
    zeichenUnterwegs_ = regel_->sendeWeiter(telegraf_);
}

void Uebungssitzung::halteSenden()
{
    senden_.stop();
    stehtBis_.reset();
    zeichenUnterwegs_ = false;
}

// A timer may wake a little early; the character stands until its time is over.
void Uebungssitzung::wecke()
{
    if (!stehtBis_)
        return;
    const auto rest = std::chrono::ceil<std::chrono::milliseconds>(*stehtBis_ - uhr_());
    if (rest > rest.zero()) {
        senden_.start(rest);
        return;
    }
    stehtBis_.reset();
    sendeWeiter();
}

// A character stands from now for the interval, counted from here rather than from its
// movement's start, so that one whose movement is long is seen as long as any other.
void Uebungssitzung::telegrafSteht()
{
    if (zustand_ == Zustand::Frage && std::exchange(zeichenUnterwegs_, false)) {
        stehtBis_ = uhr_() + abstand_;
        wecke();
    } else if (zustand_ == Zustand::Frage)
        sendeWeiter();
    else if (zustand_ == Zustand::Beantwortet && std::exchange(weiterGewuenscht_, false))
        stelleFrage();
    else if (zustand_ == Zustand::Beantwortet)
        pause_.start();
}

// Records an answer and tells whether it was right; a question of one character writes it
// beside the mast, and after a wrong one the telegraph turns to the right signal. The verdict
// stands for the pause, counted from when the telegraph stands.
void Uebungssitzung::nimm(const Urteil& urteil)
{
    if (!urteil.gilt) {
        if (!urteil.text.isEmpty())
            zeige(urteil.text);
        return;
    }
    const auto zeit = std::chrono::duration_cast<std::chrono::milliseconds>(uhr_() - frageSeit_);
    runde_->beantworte(urteil.antwort, urteil.richtig, urteil.von, zeit);
    zustand_ = Zustand::Beantwortet;
    halteSenden();
    QString meldung = urteil.text;
    if (regel_->fragtZeichen()) {
        meldung += vermerke(urteil.richtig == urteil.von);
        const char gefragt = runde_->frage().at(0).toLatin1();
        telegraf_.schreibe(gefragt);
        if (urteil.berichtigung)
            telegraf_.bewegen(*urteil.berichtigung, gefragt);
    }
    if (!telegraf_.bewegungLaeuft())
        pause_.start();
    zeige(meldung);
}

// Practice moves the learner's boxes; an examination leaves them alone. Returns what the
// verdict adds: a character new to practise, or that the progress could not be kept.
QString Uebungssitzung::vermerke(bool richtig)
{
    const Rundenwahl& wahl = runde_->wahl();
    if (wahl.startwert)
        return {};
    const char gefragt = runde_->frage().at(0).toLatin1();
    std::optional<char> neu;
    const QString fehler =
        aendereStand([&](Lernstand& s) { neu = werteAus(s, wahl.satz, gefragt, richtig); });
    QString zusatz;
    if (neu)
        zusatz += QStringLiteral(" Neu zum Üben: %1.").arg(zitiert(*neu));
    if (!fehler.isEmpty())
        zusatz += QLatin1Char(' ') + fehler;
    return zusatz;
}

void Uebungssitzung::erkannt(char zeichen)
{
    if (zustand_ == Zustand::Frage && zeichen != ' ')
        nimm(regel_->erkannt(zeichen));
}

void Uebungssitzung::gestellt()
{
    if (zustand_ == Zustand::Frage)
        regel_->gestellt();
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
    if (zustand_ == Zustand::Frage)
        regel_->drehe(static_cast<Balken>(balken_), schritte, telegraf_);
}

void Uebungssitzung::pruefen(const QString& gelesen)
{
    if (zustand_ == Zustand::Frage)
        nimm(regel_->pruefe(gelesen, telegraf_));
}

void Uebungssitzung::weiter()
{
    if (zustand_ != Zustand::Beantwortet)
        return;
    pause_.stop();
    if (telegraf_.bewegungLaeuft()) {
        weiterGewuenscht_ = true;
        return;
    }
    stelleFrage();
}

QByteArray Uebungssitzung::ergebnisCsv() const
{
    if (!runde_)
        return {};
    // Named by the round's own exercise, which the choice may have left since.
    const Rundenwahl& wahl = runde_->wahl();
    return ergebnisAlsCsv(antworten(), wahl, uebungsregel(wahl.art, code_)->satzname(wahl.satz),
                          rundenEnde_);
}

void Uebungssitzung::beenden()
{
    zustand_ = Zustand::Ende;
    rundenEnde_ = QDateTime::currentDateTime();
    halteSenden();
    const Rundenergebnis ergebnis = rundenergebnis(antworten());
    const bool woerter = !regel_->fragtZeichen();
    QString text = QStringLiteral("Ergebnis: %1 von %2 %3richtig (%4 %).")
                       .arg(ergebnis.richtig)
                       .arg(ergebnis.von)
                       .arg(woerter ? QStringLiteral("Zeichen ") : QString())
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
