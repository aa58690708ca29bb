#include "window/umix2.h"

#include "assets/eingebettet.h"
#include "bedienung/wiedergabeschritt.h"
#include "controls/accessibility.h"
#include "controls/fixedwindowsize.h"
#include "controls/gehaltenetasten.h"
#include "controls/spinbox.h"
#include "display/farben.h"
#include "drawing/schrift.h"
#include "files/fortschrittsdatei.h"
#include "geometrie/geometrie.h"
#include "widgets/alphabetfeld.h"
#include "widgets/telegraf.h"
#include "widgets/wiedergabe.h"
#include "window/aufbau.h"
#include "window/linienfenster.h"
#include "window/stationsfenster.h"
#include "window/uebungsfenster.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

const QSize Tpformx11::groesse{szeneBreite + 208, szeneHoehe};

Tpformx11::Tpformx11(const Signalcode& code, QWidget* parent)
    : QWidget(parent, festesFenster), code_(code)
{
    announceWindowsAsFrames();
    erkenneGehalteneTasten();
    setWindowTitle(QStringLiteral("Vellard-Telegraf"));
    setFont(verdana(12));

    // The side panel stands right of the scene, as high as it.
    const int seitenBreite = groesse.width() - szeneBreite;
    const QRect ganz(QPoint(0, 0), groesse);
    QWidget* P8 = panel(this, "P8", ganz, Qt::white);
    new FixedWindowSize(this, P8);
    QWidget* telegraf = panel(panel(P8, "P15", ganz, Qt::white), "telegraf", ganz, Qt::white);

    PB13 = benannt(new Telegraf(telegraf), "PB13", QRect(0, 0, szeneBreite, szeneHoehe));
    PB13->setHinweis(QStringLiteral("Ein Rechtsklick, die Menütaste oder Umschalt+F10 öffnet ein "
                                    "Menü, das die Signaltafel speichert (Strg+S) oder druckt "
                                    "(Strg+P), Signale üben lässt (Strg+U), die Telegrafenlinie "
                                    "zeigt (Strg+L) und als Station einer Linie beitreten lässt "
                                    "(Strg+T)."));
    PB13->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PB13, &QWidget::customContextMenuRequested, this, &Tpformx11::PB13Menue);
    connect(PB13, &Telegraf::steht, this, &Tpformx11::PB13Steht);
    szenenmenue_ = new Szenenmenue(*this, code_);
    connect(szenenmenue_, &Szenenmenue::angefragt, this, &Tpformx11::szenenbefehl);

    baueSeitenleiste(
        panel(telegraf, "P49", QRect(szeneBreite, 0, seitenBreite, szeneHoehe), farbe::hellgrau));

    placeInScreenCentre(this);
}

void Tpformx11::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!std::exchange(gezeigt_, true))
        FormShow();
}

void Tpformx11::keyPressEvent(QKeyEvent* event)
{
    // Keys that no control took: Return and Enter press the focused button, as Space does, and
    // Escape stops a running playback as "Abbruch" does. A held key acts once: its repeats
    // would start and stop the playback in turn. Shift+F10 asks the focused control for its
    // menu, as the menu key does.
    const bool eingabe = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool knopf = eingabe && focusWidget() == B13;
    const bool abbruch = event->key() == Qt::Key_Escape && wiedergabe_->laeuft();
    const bool menue = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (knopf && event->isAutoRepeat()) {
        event->accept();
    } else if (knopf || abbruch) {
        B13->click();
    } else if (menue && !event->isAutoRepeat()) {
        QWidget* bauteil = focusWidget() ? focusWidget() : this;
        const QPoint mitte = bauteil->rect().center();
        QContextMenuEvent anfrage(QContextMenuEvent::Keyboard, mitte, bauteil->mapToGlobal(mitte));
        QCoreApplication::sendEvent(bauteil, &anfrage);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void Tpformx11::contextMenuEvent(QContextMenuEvent* event)
{
    // The menu key or Shift+F10 on a control without a menu of its own comes here.
    if (event->reason() == QContextMenuEvent::Keyboard)
        PB13Menue(PB13->rect().center());
}

void Tpformx11::closeEvent(QCloseEvent* event)
{
    // The telegraph stops where it was going, and nothing that waited for it follows.
    zurueckgestellt_.vergiss();
    PB13->anhalten();
    wiedergabe_->anhalten();
    QWidget::closeEvent(event);
}

void Tpformx11::FormShow()
{
    PB13->stelle(ruhestellung, ' ');
    Me8->setFocus();
}

// A character chosen on the grid: stops the playback and shows it, or, while the telegraph
// turns, once it stands; the latest choice wins over a tick.
void Tpformx11::PBzMD(char zeichen)
{
    wiedergabe_->anhalten();
    B13->setText(textStart);
    if (PB13->bewegungLaeuft())
        zurueckgestellt_.gewaehlt(zeichen);
    else
        sende(zeichen);
}

void Tpformx11::PBzKD(char zeichen)
{
    PBzMD(zeichen);
}

void Tpformx11::B13C()
{
    // Starting or stopping forgets a tick that came during a movement: a new playback shows its
    // first character one full interval after the start, never at once.
    zurueckgestellt_.umgeschaltet();
    wiedergabe_->umschalten();
    B13->setText(wiedergabe_->laeuft() ? textAbbruch : textStart);
}

void Tpformx11::T1Timer()
{
    if (PB13->bewegungLaeuft())
        zurueckgestellt_.getickt();
    else
        sende(wiedergabe_->naechstesZeichen());
}

void Tpformx11::Rx11C(double sekunden)
{
    wiedergabe_->setAbstand(sekunden);
}

void Tpformx11::PB13Menue(const QPoint& wo)
{
    if (!spaeter([this, wo] { PB13Menue(wo); }))
        szenenmenue_->zeige(PB13->mapToGlobal(wo));
}

void Tpformx11::PB13Steht()
{
    if (const std::optional<char> gewaehlt = zurueckgestellt_.nimmZeichen()) {
        sende(*gewaehlt);
    } else if (const std::function<void()> befehl = zurueckgestellt_.nimmBefehl()) {
        // The playback's next character comes with its next tick, one interval after.
        zurueckgestellt_.umgeschaltet();
        befehl();
    } else if (zurueckgestellt_.nimmTick() && wiedergabe_->laeuft()) {
        sende(wiedergabe_->naechstesZeichen());
    }
}

void Tpformx11::szenenbefehl(Szenenmenue::Befehl befehl)
{
    if (spaeter([this, befehl] { szenenbefehl(befehl); }))
        return;
    if (befehl == Szenenmenue::Befehl::Ueben)
        uebe();
    else if (befehl == Szenenmenue::Befehl::Linie)
        zeigeLinie();
    else if (befehl == Szenenmenue::Befehl::Station)
        zeigeStation();
    else
        szenenmenue_->fuehreAus(befehl);
}

// The trainer and the line are windows of their own beside this one, which waits while one is
// open. Each is made when first asked for and kept, with what it shows, until this one goes.
void Tpformx11::uebe()
{
    if (!uebung_)
        uebung_ = new Uebungsfenster(code_, fortschrittsOrdner(), this);
    oeffne(uebung_);
}

void Tpformx11::zeigeLinie()
{
    if (!linie_)
        linie_ = new Linienfenster(code_, this);
    oeffne(linie_);
}

void Tpformx11::zeigeStation()
{
    if (!station_)
        station_ = new Stationsfenster(code_, this);
    oeffne(station_);
}

void Tpformx11::oeffne(QWidget* fenster)
{
    // One telegraph turns at a time: the trainer and the line stop the playback.
    wiedergabe_->anhalten();
    B13->setText(textStart);
    fenster->setWindowModality(Qt::WindowModal);
    fenster->show();
    fenster->activateWindow();
}

// The chart's menu and its dialogs wait for the end of a running movement; the latest wins.
bool Tpformx11::spaeter(std::function<void()> befehl)
{
    if (!PB13->bewegungLaeuft())
        return false;
    zurueckgestellt_.danach(std::move(befehl));
    return true;
}

void Tpformx11::sende(char zeichen)
{
    PB13->bewegen(winkelholen(code_, zeichen), zeichen);
}
