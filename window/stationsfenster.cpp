#include "window/stationsfenster.h"

#include "controls/accessibility.h"
#include "controls/fixedwindowsize.h"
#include "display/farben.h"
#include "drawing/schrift.h"
#include "geometrie/geometrie.h"
#include "netz/stationsverbindung.h"
#include "widgets/fernrohr.h"
#include "widgets/telegraf.h"
#include "window/aufbau.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

const QSize Stationsfenster::groesse{szeneBreite + 320, szeneHoehe};

namespace {

// However many movements of the own telegraph arrive at once, it never falls further behind.
constexpr std::size_t meisteEigene = 64;

// What the pupil at `station` waits for, in his words.
QString warteText(netz::Warte warte, int station)
{
    using netz::Warte;
    switch (warte) {
    case Warte::Nicht:
        return QStringLiteral("Du darfst weitergeben.");
    case Warte::Nachricht:
        return QStringLiteral("Warte auf die Nachricht.");
    case Warte::Vorgaenger:
        return QStringLiteral("Warte: Station %1 hat das nächste Zeichen noch nicht gestellt")
            .arg(station - 1);
    case Warte::Bewegung:
        return QStringLiteral("Warte: dein Telegraf dreht sich noch");
    case Warte::Nachfolger:
        return QStringLiteral("Warte: Station %1 hat noch nicht wiederholt").arg(station + 1);
    case Warte::Fertig:
        break;
    }
    return QStringLiteral("Du hast alle Zeichen weitergegeben");
}

// Who stands before the pupil at `station`: a pupil by name, the Leitstelle's own sender
// before station 2, or a simulated operator.
QString vorDir(int station, const QString& vorName)
{
    if (station == 1)
        return QStringLiteral("die Leitstelle");
    const QString wer = !vorName.isEmpty() ? vorName
                        : station == 2     ? QStringLiteral("Leitstelle")
                                           : QString();
    return wer.isEmpty() ? QStringLiteral("Station %1").arg(station - 1)
                         : QStringLiteral("Station %1 (%2)").arg(station - 1).arg(wer);
}

} // namespace

Stationsfenster::Stationsfenster(const Signalcode& code, QWidget* parent)
    : QWidget(parent, festesFenster), code_(code), verbindung_(new Stationsverbindung(this))
{
    announceWindowsAsFrames();
    setWindowTitle(QStringLiteral("Station einer Linie – Vellard-Telegraf"));
    setFont(verdana(12));
    QWidget* inhalt = panel(this, "inhalt", QRect(QPoint(0, 0), groesse), Qt::white);
    new FixedWindowSize(this, inhalt);
    baueLinks(inhalt);
    baueSeitenleiste(panel(inhalt, "seite",
                           QRect(szeneBreite, 0, groesse.width() - szeneBreite, szeneHoehe),
                           farbe::hellgrau));
    verbindeNetz();
    telegraf_->stelle(ruhestellung, ' ');
    zeigeBalken();
    zeigeBedienung();
    adresse_->setFocus();
    placeInScreenCentre(this);
}

Stationsfenster::~Stationsfenster() = default;

void Stationsfenster::setTakt(std::chrono::milliseconds takt)
{
    telegraf_->setTakt(takt);
    fernrohr_->setTakt(takt);
}

void Stationsfenster::beitreten()
{
    const std::optional<Leitstellenadresse> adresse = leseAdresse(adresse_->text());
    if (!adresse)
        return melde(meldung_, QStringLiteral("Die Adresse der Leitstelle ist ungültig: ein "
                                              "Rechnername oder eine IP-Adresse, wahlweise mit "
                                              ":Port dahinter."));
    // A token belongs to one line: a line with another address or word never sees it.
    const QString fuer = QStringLiteral("%1 %2 %3")
                             .arg(adresse->host)
                             .arg(adresse->port)
                             .arg(wort_->text().toUpper());
    if (std::exchange(tokenFuer_, fuer) != fuer)
        verbindung_->setToken({});
    verbindet_ = true;
    melde(meldung_, QStringLiteral("Verbinde mit der Leitstelle …"));
    zeigeBedienung();
    verbindung_->verbinden(adresse->host, adresse->port, wort_->text(), name_->text());
}

void Stationsfenster::weitergeben()
{
    if (!weitergeben_->isEnabled())
        return;
    verbindung_->stellen(telegraf_->endstellung());
    // Until the Leitstelle allows the next one: meanwhile the pupil waits for the station
    // before, which the Leitstelle does not repeat.
    darfWeitergeben_ = false;
    const char zeichen = code_.zeichenDesBildes(telegraf_->endstellung());
    melde(darf_, zeichen == '?' ? QStringLiteral("Weitergegeben: ein Bild, das kein Zeichen ist.")
                                : QStringLiteral("Weitergegeben: „%1“.").arg(QLatin1Char(zeichen)));
    zeigeBedienung();
}

void Stationsfenster::willkommen(const netz::Willkommen& w)
{
    if (station_ == 0) {
        melde(meldung_, QString());
        ende_->clear();
        melde(darf_, QStringLiteral("Warte auf die Nachricht."));
        linie_->show();
        telegraf_->setFocus();
    }
    if (w.station != station_ && w.station > 1)
        fernrohr_->setNummer(w.station - 1);
    station_ = w.station;
    fernrohr_->setVisible(station_ > 1);
    melde(kopf_, QStringLiteral("Station %1 von %2 · vor dir: %3")
                     .arg(station_)
                     .arg(w.stationen)
                     .arg(vorDir(station_, w.vorName)));
    zeigeBedienung();
}

// The station before is seen through the telescope; the own telegraph turns as the Leitstelle
// confirms what was passed on. Movements of other stations are not this window's.
void Stationsfenster::bewegung(const netz::Bewegung& b)
{
    if (station_ > 1 && b.station == station_ - 1)
        fernrohr_->bewege(b.von, b.nach);
    if (b.station != station_)
        return;
    eigene_.push_back(b);
    if (eigene_.size() > meisteEigene)
        eigene_.pop_front();
    spieleEigene();
}

void Stationsfenster::darf(const netz::Darf& d)
{
    darfWeitergeben_ = d.ja();
    melde(darf_, warteText(d.warte, station_));
    zeigeBedienung();
}

void Stationsfenster::ende(const netz::Ende& e)
{
    darfWeitergeben_ = false;
    melde(darf_, QStringLiteral("Die Nachricht ist durch die Linie gelaufen."));
    melde(ende_, QStringLiteral("Nachricht: %1\nAngekommen: %2\nDu hast gestellt: %3")
                     .arg(e.nachricht, e.empfangen, e.zeile));
    zeigeBedienung();
}

// However the line ended for this station, the form is there again to join anew.
void Stationsfenster::beendet(const QString& grund)
{
    // A token that did not take the place again is of no use for the next try.
    if (station_ == 0)
        verbindung_->setToken({});
    station_ = 0;
    verbindet_ = false;
    darfWeitergeben_ = false;
    eigene_.clear();
    melde(meldung_, grund);
    if (linie_->isVisible())
        melde(darf_, QStringLiteral("Nicht mehr mit der Leitstelle verbunden."));
    zeigeBedienung();
    // The word typed next replaces the old one: a new line has a new word.
    wort_->setFocus();
    wort_->selectAll();
}

void Stationsfenster::spieleEigene()
{
    if (!telegraf_->bewegungLaeuft() && !eigene_.empty()) {
        const netz::Bewegung b = eigene_.front();
        eigene_.pop_front();
        const char zeichen = code_.zeichenDesBildes(b.nach);
        telegraf_->stelle(b.von, ' ');
        telegraf_->bewegen(b.nach, zeichen == '?' ? ' ' : zeichen);
    }
    zeigeBedienung();
}

// The form while not joined; the own telegraph can be set while it stands, and the signal
// passed on while the Leitstelle allows it.
void Stationsfenster::zeigeBedienung()
{
    formular_->setVisible(station_ == 0);
    formular_->setEnabled(!verbindet_);
    telegraf_->setStellbar(stellbar());
    balkenHilfe_->setVisible(station_ != 0);
    weitergeben_->setEnabled(stellbar() && darfWeitergeben_);
}

bool Stationsfenster::stellbar() const
{
    return station_ != 0 && !telegraf_->bewegungLaeuft() && eigene_.empty();
}

void Stationsfenster::zeigeBalken()
{
    static const QString namen[] = {QStringLiteral("Regulator"), QStringLiteral("erster Flügel"),
                                    QStringLiteral("zweiter Flügel")};
    melde(balkenHilfe_, QStringLiteral("Balken wählen mit 1, 2 und 3, drehen mit ← und →, "
                                       "weitergeben mit der Eingabetaste. Gewählt: %1.")
                            .arg(namen[static_cast<int>(balken_)]));
}

void Stationsfenster::melde(QLabel* zeile, const QString& text)
{
    if (zeile->text() == text)
        return;
    zeile->setText(text);
    announceNotification(zeile);
}

void Stationsfenster::keyPressEvent(QKeyEvent* event)
{
    // Keys no control took: Return presses the focused button, else passes the signal on or
    // joins; 1, 2, 3 and the arrows set the own telegraph while it may be set. A held key acts
    // once.
    const int taste = event->key();
    const bool stellen = stellbar() && !event->isAutoRepeat();
    auto* knopf = qobject_cast<QPushButton*>(focusWidget());
    if ((taste == Qt::Key_Return || taste == Qt::Key_Enter) && !event->isAutoRepeat()) {
        if (knopf)
            knopf->click();
        else if (station_ != 0)
            weitergeben();
        else if (!verbindet_)
            beitreten();
    } else if (stellen && taste >= Qt::Key_1 && taste <= Qt::Key_3) {
        balken_ = static_cast<Balken>(taste - Qt::Key_1);
        zeigeBalken();
    } else if (stellen && (taste == Qt::Key_Left || taste == Qt::Key_Right)) {
        telegraf_->stelle(drehe(telegraf_->endstellung(), balken_, taste == Qt::Key_Right ? 1 : -1),
                          ' ');
    } else {
        QWidget::keyPressEvent(event);
    }
}

void Stationsfenster::closeEvent(QCloseEvent* event)
{
    verbindung_->trennen();
    station_ = 0;
    verbindet_ = false;
    darfWeitergeben_ = false;
    eigene_.clear();
    zeigeBedienung();
    QWidget::closeEvent(event);
}
