#include "uebungsfenster.h"

#include "alphabetfeld.h"
#include "bewertung.h"
#include "fortschrittsdatei.h"
#include "gleichesbild.h"
#include "normalisieren.h"
#include "spinbox.h"
#include "stellen.h"
#include "telegraf.h"
#include "timer.h"
#include "wiedergabeschritt.h"
#include "woerter.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>

namespace {

// How long the answer stands before the next question comes by itself.
constexpr int pauseMs = 1500;

QString zitiert(const QString& text)
{
    return QStringLiteral("„%1“").arg(text);
}

// The character whose signal `stellung` draws, or '\0' where none does.
char zeichenFuer(const Codezeilen& code, const Stellung& stellung)
{
    for (const char c : zeichenVon(Uebungssatz::Alle)) {
        if (gleichesBild(winkelholen(code, c), stellung))
            return c;
    }
    return '\0';
}

const QString balkenNamen[] = {QStringLiteral("Regulator"), QStringLiteral("erster Flügel"),
                               QStringLiteral("zweiter Flügel")};

} // namespace

Uebungsfenster::~Uebungsfenster() = default;

void Uebungsfenster::waehle(Uebungsart art, std::optional<std::uint64_t> startwert)
{
    uebung_->setCurrentIndex(static_cast<int>(art));
    startwert_->setText(startwert ? QString::number(*startwert) : QString());
}

void Uebungsfenster::beginnen()
{
    static const Wortliste woerter = eingebauteWoerter();
    const QList<int> anzahlen{10, 20, 36};
    bool mitStartwert = false;
    const std::uint64_t startwert = startwert_->text().toULongLong(&mitStartwert);
    const Rundenwahl wahl{static_cast<Uebungsart>(uebung_->currentIndex()),
                          static_cast<Uebungssatz>(satz_->currentIndex()),
                          anzahlen.value(anzahl_->currentIndex(), 10),
                          mitStartwert ? std::optional(startwert) : std::nullopt};
    runde_ = std::make_unique<Uebungsrunde>(wahl, stand_, woerter.woerter,
                                            QRandomGenerator::global()->generate64());
    links_->setCurrentWidget(telegraf_);
    stelleFrage();
}

void Uebungsfenster::stelleFrage()
{
    const QString frage = runde_ && !runde_->fertig() ? runde_->naechsteFrage() : QString();
    if (frage.isEmpty()) {
        beenden();
        return;
    }
    zustand_ = Zustand::Frage;
    zeigeEingabe();
    const Uebungsart art = runde_->wahl().art;
    const QString nummer = QStringLiteral(" (Frage %1 von %2)")
                               .arg(runde_->antworten().size() + 1)
                               .arg(runde_->wahl().anzahl);
    if (art == Uebungsart::Stellen) {
        telegraf_->stelle(ruhestellung, ' ');
        zeigeStatus(QStringLiteral("Stelle das Signal für %1.").arg(zitiert(frage)) + nummer);
        uhr_.start();
        return;
    }
    if (art == Uebungsart::Mitlesen) {
        telegraf_->stelle(ruhestellung, ' ');
        gesendet_ = QString::fromStdString(normalisieren(frage));
        gesendetBis_ = 0;
        zeigeStatus(QStringLiteral("Lies mit, was der Telegraf sendet, und drücke dann die "
                                   "Eingabetaste.") +
                    nummer);
        uhr_.start();
        senden_->setInterval(abstandMs(abstand_->value()));
        senden_->setEnabled(true);
        sendeNaechstes();
        return;
    }
    zeigeStatus(QStringLiteral("Welches Zeichen zeigt der Telegraf?") + nummer);
    uhr_.invalidate();
    bewege(winkelholen(code_, frage.at(0).toLatin1()), ' ');
    if (!uhr_.isValid())
        uhr_.start();
}

// Records an answer, tells whether it was right and shows the character beside the mast.
void Uebungsfenster::beantworte(const QString& geantwortet, int richtig, int von,
                                const QString& text)
{
    const auto zeit = std::chrono::milliseconds(uhr_.isValid() ? uhr_.elapsed() : 0);
    const std::optional<char> neu = runde_->beantworte(geantwortet, richtig, von, zeit);
    zustand_ = Zustand::Beantwortet;
    senden_->setEnabled(false);
    QString meldung = text;
    if (neu)
        meldung += QStringLiteral(" Neu zum Üben: %1.").arg(zitiert(QString(QLatin1Char(*neu))));
    if (runde_->wahl().art != Uebungsart::Mitlesen) {
        if (const QString fehler = speichereFortschritt(ordner_, stand_); !fehler.isEmpty())
            meldung += QLatin1Char(' ') + fehler;
        telegraf_->schreibe(runde_->frage().at(0).toLatin1());
    }
    zeigeStatus(meldung);
    zeigeEingabe();
    weiter_->setFocus();
    pause_->start(pauseMs);
}

void Uebungsfenster::erkannt(char zeichen)
{
    if (zustand_ != Zustand::Frage || runde_->wahl().art != Uebungsart::Erkennen || zeichen == ' ')
        return;
    const QString gefragt = runde_->frage();
    const QString antwort = QString(QLatin1Char(zeichen));
    beantworte(antwort, richtigErkannt(gefragt.at(0).toLatin1(), antwort), 1,
               antwort == gefragt ? QStringLiteral("Richtig: %1.").arg(zitiert(gefragt))
                                  : QStringLiteral("Falsch: Das Signal war %1, nicht %2.")
                                        .arg(zitiert(gefragt), zitiert(antwort)));
}

void Uebungsfenster::pruefeStellung()
{
    const QString gefragt = runde_->frage();
    const Stellung ziel = winkelholen(code_, gefragt.at(0).toLatin1());
    const Stellung gestellt = telegraf_->winkel();
    const char gezeigt = zeichenFuer(code_, gestellt);
    const bool richtig = gleichesBild(gestellt, ziel);
    const QString antwort = gezeigt ? QString(QLatin1Char(gezeigt)) : QStringLiteral("–");
    beantworte(antwort, richtig ? 1 : 0, 1,
               richtig ? QStringLiteral("Richtig: %1.").arg(zitiert(gefragt))
               : gezeigt
                   ? QStringLiteral("Falsch: Das Signal war %1, nicht %2.")
                         .arg(zitiert(gefragt), zitiert(antwort))
                   : QStringLiteral("Falsch: Das Signal war %1; das gestellte Signal ist kein "
                                    "Zeichen.")
                         .arg(zitiert(gefragt)));
    if (!richtig) {
        bewege(ziel, gefragt.at(0).toLatin1());
        pause_->start(pauseMs); // the right signal stands a while once it is shown
    }
}

void Uebungsfenster::pruefeGelesenes()
{
    const Lesewertung wertung = bewertung(runde_->frage(), gelesen_->text());
    const QString gelesen = QString::fromStdString(normalisieren(gelesen_->text()));
    beantworte(gelesen, wertung.richtig, wertung.gesendet,
               QStringLiteral("Gesendet: %1. Gelesen: %2. %3 von %4 Zeichen richtig.")
                   .arg(zitiert(gesendet_), zitiert(gelesen))
                   .arg(wertung.richtig)
                   .arg(wertung.gesendet));
}

void Uebungsfenster::weiter()
{
    if (zustand_ != Zustand::Beantwortet)
        return;
    pause_->stop();
    if (telegraf_->bewegungLaeuft()) {
        weiterWartet_ = true;
        return;
    }
    stelleFrage();
}

void Uebungsfenster::beenden()
{
    zustand_ = Zustand::Ende;
    senden_->setEnabled(false);
    zeigeEingabe();
    const std::vector<Antwort>& antworten = runde_ ? runde_->antworten() : std::vector<Antwort>{};
    const Rundenergebnis ergebnis = rundenergebnis(antworten);
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
    ergebnis_->setRowCount(static_cast<int>(antworten.size()));
    for (int zeile = 0; zeile < ergebnis_->rowCount(); ++zeile) {
        const Antwort& a = antworten[static_cast<std::size_t>(zeile)];
        const QString wertung =
            a.von == 1 ? (a.richtig ? QStringLiteral("richtig") : QStringLiteral("falsch"))
                       : QStringLiteral("%1 von %2").arg(a.richtig).arg(a.von);
        const QStringList spalten{
            a.gefragt, a.geantwortet, wertung,
            QLocale(QLocale::German).toString(a.zeit.count() / 1000.0, 'f', 1) +
                QStringLiteral(" s")};
        for (int spalte = 0; spalte < spalten.size(); ++spalte)
            ergebnis_->setItem(zeile, spalte, new QTableWidgetItem(spalten[spalte]));
    }
    links_->setCurrentWidget(ergebnis_);
    zeigeStatus(text);
    beginnen_->setFocus();
}

// The next character of a reading question, one per tick, once; a tick that comes while the
// telegraph still turns waits for it.
void Uebungsfenster::sendeNaechstes()
{
    if (zustand_ != Zustand::Frage || gesendetBis_ >= gesendet_.size()) {
        senden_->setEnabled(false);
        return;
    }
    if (telegraf_->bewegungLaeuft()) {
        wartenderTick_ = true;
        return;
    }
    const char zeichen = gesendet_.at(gesendetBis_++).toLatin1();
    bewege(winkelholen(code_, zeichen), ' ');
}

// The telegraph turns to `ziel`; what was asked for meanwhile (the next character of a word,
// the next question) follows when it stands still, so that no movement starts inside another.
void Uebungsfenster::bewege(const Stellung& ziel, char zeichen)
{
    if (telegraf_->bewegungLaeuft() || geschlossen_)
        return;
    telegraf_->bewegen(ziel, zeichen);
    if (!uhr_.isValid() && zustand_ == Zustand::Frage)
        uhr_.start();
    if (std::exchange(wartenderTick_, false))
        sendeNaechstes();
    if (std::exchange(weiterWartet_, false))
        weiter();
}

void Uebungsfenster::zeigeStatus(const QString& text)
{
    // The label's name is its text: a screen reader is told of every new line.
    status_->setText(text);
}

// What the learner answers with in the current exercise, and where the keyboard goes.
void Uebungsfenster::zeigeEingabe()
{
    const Uebungsart art = static_cast<Uebungsart>(uebung_->currentIndex());
    const bool offen = zustand_ == Zustand::Frage;
    feld_->setVisible(art == Uebungsart::Erkennen);
    balkenHilfe_->setVisible(art == Uebungsart::Stellen);
    gelesen_->setVisible(art == Uebungsart::Mitlesen);
    pruefen_->setVisible(art != Uebungsart::Erkennen);
    pruefen_->setEnabled(offen);
    gelesen_->setReadOnly(!offen);
    satz_->setEnabled(art != Uebungsart::Mitlesen);
    abstand_->setEnabled(art == Uebungsart::Mitlesen);
    telegraf_->setStellbar(offen && art == Uebungsart::Stellen);
    // The focus goes first, so that it does not fall on another control when "Weiter" is
    // switched off under it.
    if (offen && art == Uebungsart::Erkennen) {
        feld_->setFocus();
    } else if (offen && art == Uebungsart::Stellen) {
        telegraf_->setFocus();
    } else if (offen) {
        gelesen_->clear();
        gelesen_->setFocus();
    }
    weiter_->setEnabled(zustand_ == Zustand::Beantwortet);
}

void Uebungsfenster::waehleBalken(int balken)
{
    balken_ = balken;
    balkenHilfe_->setText(QStringLiteral("Balken wählen mit 1, 2 und 3, drehen mit ← und →, "
                                         "prüfen mit der Eingabetaste. Gewählt: %1.")
                              .arg(balkenNamen[balken]));
}

void Uebungsfenster::keyPressEvent(QKeyEvent* event)
{
    // Keys no control took: Return answers a question of setting or reading (the input line
    // passes it on), presses the focused button, or goes on after an answer; 1, 2, 3 and the
    // arrows set the beams. A held key acts once.
    const int taste = event->key();
    const bool offen = zustand_ == Zustand::Frage && !event->isAutoRepeat();
    const Uebungsart art = runde_ ? runde_->wahl().art : Uebungsart::Erkennen;
    auto* knopf = qobject_cast<QPushButton*>(focusWidget());
    if ((taste == Qt::Key_Return || taste == Qt::Key_Enter) && !event->isAutoRepeat()) {
        if (offen && art == Uebungsart::Stellen)
            pruefeStellung();
        else if (offen && art == Uebungsart::Mitlesen)
            pruefeGelesenes();
        else if (knopf)
            knopf->click();
        else if (zustand_ == Zustand::Beantwortet)
            weiter();
    } else if (offen && art == Uebungsart::Stellen && taste >= Qt::Key_1 && taste <= Qt::Key_3) {
        waehleBalken(taste - Qt::Key_1);
    } else if (offen && art == Uebungsart::Stellen &&
               (taste == Qt::Key_Left || taste == Qt::Key_Right)) {
        const Stellung neu = drehe(telegraf_->winkel(), static_cast<Balken>(balken_),
                                   taste == Qt::Key_Right ? 1 : -1);
        telegraf_->stelle(neu, ' ');
    } else {
        QWidget::keyPressEvent(event);
    }
}

void Uebungsfenster::closeEvent(QCloseEvent* event)
{
    geschlossen_ = true;
    telegraf_->abbrechen();
    senden_->setEnabled(false);
    pause_->stop();
    QWidget::closeEvent(event);
}
