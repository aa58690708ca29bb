#include "window/linienfenster.h"

#include "bedienung/bewegung.h"
#include "bedienung/normalisieren.h"
#include "bedienung/wiedergabeschritt.h"
#include "controls/accessibility.h"
#include "controls/fixedwindowsize.h"
#include "controls/gehaltenetasten.h"
#include "controls/spinbox.h"
#include "display/farben.h"
#include "drawing/schrift.h"
#include "linie/linienzeit.h"
#include "uebung/startwert.h"
#include "widgets/station.h"
#include "widgets/wegzeitansicht.h"
#include "widgets/werlaswas.h"
#include "window/aufbau.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>

namespace {

// The misreads' seed of a message sent without one.
std::uint64_t neuerZufallsStartwert()
{
    return QRandomGenerator::global()->generate64() % 1000000;
}

} // namespace

// Within 1024 x 720 with a window frame around it, as on a classroom's projector.
const QSize Linienfenster::groesse{
    meisteStationen * Station::groesse.width() + 2 * abstandZumRand + 10, 680};

Linienfenster::Linienfenster(const Signalcode& code, QWidget* parent)
    : QWidget(parent, festesFenster), code_(code), zufallsStartwert_(neuerZufallsStartwert()),
      takt_(bewegungsTakt, this)
{
    announceWindowsAsFrames();
    erkenneGehalteneTasten();
    setWindowTitle(QStringLiteral("Telegrafenlinie – Vellard-Telegraf"));
    setFont(verdana(12));
    const int breite = groesse.width();
    QWidget* inhalt = panel(this, "inhalt", QRect(QPoint(0, 0), groesse), farbe::hellgrau);
    new FixedWindowSize(this, inhalt);
    QWidget* oben =
        panel(inhalt, "linie", QRect(0, 0, breite, Station::groesse.height() + 2 * abstandZumRand),
              Qt::white);
    reihe_ = new QHBoxLayout(oben);
    reihe_->setContentsMargins(abstandZumRand, abstandZumRand, abstandZumRand, abstandZumRand);
    reihe_->setSpacing(0);
    baueEinstellungen(panel(inhalt, "einstellungen",
                            QRect(0, oben->height(), breite, groesse.height() - oben->height()),
                            farbe::hellgrau));
    connect(&takt_, &Bildtakt::bild, this, &Linienfenster::naechstesBild);
    setStationen(ueblicheStationen);
    nachricht_->setFocus();
    placeInScreenCentre(this);
}

Linienfenster::~Linienfenster() = default;

void Linienfenster::setStationen(int stationen)
{
    anzahl_->setValue(stationen);
}

// Another number of stations: a message under way stops, and the row is built anew.
void Linienfenster::stationenGeaendert()
{
    baueStationen();
    stelleZurueck();
}

Linienwahl Linienfenster::wahl() const
{
    return {normalisieren(nachricht_->text()), anzahl_->value(),
            std::chrono::milliseconds(abstandMs(ablesezeit_->value())), fehler_->value(),
            startwertAus(startwert_->text()).value_or(zufallsStartwert_)};
}

void Linienfenster::sendenOderAbbrechen()
{
    if (ablauf_) {
        stelleZurueck();
        return;
    }
    // Back to rest first: that works out the course once, for the message and the settings as
    // they stand, and shows its time as expected; the line then plays that same course.
    stelleZurueck();
    if (!gesendeterText_.empty())
        beginneLauf();
}

// The teacher's view starts empty for this run, and says which seed made it.
void Linienfenster::beginneLauf()
{
    laufWahl_ = wahl();
    werLasWas_->setProtokoll(Linienprotokoll(gesendeterText_, anzahl_->value(), kurs_, code_));
    wegZeit_->setProtokoll(werLasWas_->protokoll());
    laufStart_->setText(QStringLiteral("Startwert dieses Laufs: %1").arg(laufWahl_.startwert));
    speichern_->setEnabled(false);
    meldung_->clear();
    ablauf_.emplace(std::exchange(kurs_, {}), anzahl_->value());
    senden_->setText(textAbbruch);
    anhalten_->setText(textAnhalten);
    anhalten_->setEnabled(true);
    zeigeZeit(QStringLiteral("läuft …"));
    zeigeEmpfangen();
    takt_.starte();
}

void Linienfenster::anhaltenOderWeiter()
{
    if (!ablauf_)
        return;
    const bool anhalten = !takt_.angehalten();
    if (anhalten)
        takt_.anhalten();
    else
        takt_.fortsetzen();
    anhalten_->setText(anhalten ? textWeiter : textAnhalten);
    zeigeZeit(anhalten ? QStringLiteral("angehalten") : QStringLiteral("läuft …"));
}

// Frame g of the line shows g times the pace after the start; none is left out while anything
// moves, so every degree of every turning beam is shown. The table and the chart change only
// when a station comes to stand.
void Linienfenster::naechstesBild()
{
    const std::chrono::milliseconds jetzt = ablauf_->bildNummer() * bewegungsTakt;
    const std::size_t vorher = ablauf_->empfangen().size();
    bool gestanden = false;
    for (const Linienablauf::Aenderung& a : ablauf_->naechstesBild()) {
        Station* station = stationen_[static_cast<std::size_t>(a.station)];
        if (a.steht)
            station->steht(a.bild, *a.steht);
        else
            station->zeige(a.bild);
        gestanden = gestanden || a.steht;
    }
    if (gestanden) {
        werLasWas_->setZeit(jetzt);
        wegZeit_->setZeit(jetzt);
    }
    if (ablauf_->empfangen().size() != vorher) {
        zeigeEmpfangen();
        if (!ablauf_->fertig())
            meldeAngekommen();
    }
    if (ablauf_->fertig()) {
        beendeLauf();
        return;
    }
    takt_.weiterZu(ablauf_->bildNummer());
}

// The run has ended: its time and the whole text are told once; the table, the chart and what
// arrived stay, and the next course, with a seed of its own where none is given, is shown as
// expected.
void Linienfenster::beendeLauf()
{
    werLasWas_->setZeit(ablauf_->dauer());
    wegZeit_->setZeit(ablauf_->dauer());
    zeigeGebrauchteZeit();
    announceNotification(zeit_);
    announceNotification(empfangen_);
    ablauf_.reset();
    senden_->setText(textSenden);
    anhalten_->setText(textAnhalten);
    anhalten_->setEnabled(false);
    speichern_->setEnabled(true);
    zufallsStartwert_ = neuerZufallsStartwert();
    zeigeErwartet();
}

// Stops a message under way and puts every station back to rest, before anything is received.
// Every change of the message or a setting comes here, so that what the line shows always
// belongs to the message and the settings as they stand.
void Linienfenster::stelleZurueck()
{
    takt_.halte();
    // The next message gets misreads of its own, also after one that was broken off.
    if (ablauf_)
        zufallsStartwert_ = neuerZufallsStartwert();
    ablauf_.reset();
    senden_->setText(textSenden);
    anhalten_->setText(textAnhalten);
    anhalten_->setEnabled(false);
    for (Station* s : stationen_)
        s->steht(ruhestellung, ' ');
    empfangen_->clear();
    empfangen_->setAccessibleName({});
    zeigeZeit({});
    zeigeErwartet();
}

// Return or Enter presses the focused button; in a field of the form it sends while the line
// stands, and does nothing while it runs, so that it never breaks a run off. A key held down
// acts once. Escape stops the line wherever the focus is, as it stops the main window's message.
void Linienfenster::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && ablauf_) {
        stelleZurueck();
        return;
    }
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->isAutoRepeat())
        return;
    if (auto* knopf = qobject_cast<QPushButton*>(focusWidget()))
        knopf->click();
    else if (istFeld(focusWidget()) && !ablauf_ && senden_->isEnabled())
        sendenOderAbbrechen();
}

bool Linienfenster::istFeld(const QWidget* w) const
{
    return w && (w == nachricht_ || w == startwert_ || anzahl_->isAncestorOf(w) || w == anzahl_ ||
                 ablesezeit_->isAncestorOf(w) || w == ablesezeit_ || fehler_->isAncestorOf(w) ||
                 w == fehler_);
}

void Linienfenster::closeEvent(QCloseEvent* event)
{
    if (ablauf_)
        stelleZurueck();
    QWidget::closeEvent(event);
}
