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
#include "uebung/startwert.h"
#include "widgets/station.h"
#include "window/aufbau.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>

namespace {

// The misreads' seed of a message sent without one.
std::uint64_t neuerZufallsStartwert()
{
    return QRandomGenerator::global()->generate64() % 1000000;
}

QString sekunden(std::chrono::milliseconds zeit)
{
    return QLocale(QLocale::German).toString(zeit.count() / 1000.0, 'f', 1);
}

// How the line's time reads: the seconds, and the characters a minute it comes to.
QString zeitUndTempo(std::chrono::milliseconds zeit, std::size_t zeichen)
{
    const double proMinute = zeit.count() > 0 ? 60000.0 * static_cast<double>(zeichen) /
                                                    static_cast<double>(zeit.count())
                                              : 0.0;
    return QStringLiteral("%1 s, %2 Zeichen je Minute")
        .arg(sekunden(zeit), QLocale(QLocale::German).toString(proMinute, 'f', 1));
}

} // namespace

const QSize Linienfenster::groesse{meisteStationen * Station::groesse.width() + 2 * abstandZumRand,
                                   500};

Linienfenster::Linienfenster(const Signalcode& code, QWidget* parent)
    : QWidget(parent, festesFenster), code_(code), zufallsStartwert_(neuerZufallsStartwert()),
      takt_(bewegungsTakt)
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
                            QRect(0, oben->height(), breite, 500 - oben->height()),
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

// The line as it would run now: its course, the message as sent and the time it would take.
void Linienfenster::zeigeErwartet()
{
    Linienwahl w = wahl();
    kurs_ = linienplan(w, code_);
    gesendeterText_ = std::move(w.nachricht);
    gesendet_->setText(QStringLiteral("„%1“").arg(QString::fromStdString(gesendeterText_)));
    zeigeZeit(QStringLiteral("erwartet %1").arg(zeitUndTempo(kurs_.dauer, gesendeterText_.size())));
}

// The time line, for a screen reader as on the screen.
void Linienfenster::zeigeZeit(const QString& zeit)
{
    zeit_->setText(zeit);
    zeit_->setAccessibleName(zeit);
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
    if (gesendeterText_.empty())
        return;
    ablauf_.emplace(std::exchange(kurs_, {}), anzahl_->value());
    senden_->setText(textAbbruch);
    zeigeZeit(QStringLiteral("läuft …"));
    zeigeEmpfangen();
    takt_.starte();
}

// Frame g of the line shows g times the pace after the start; none is left out, so every degree
// of every turning beam is shown.
void Linienfenster::naechstesBild()
{
    const std::size_t vorher = ablauf_->empfangen().size();
    for (const Linienablauf::Aenderung& a : ablauf_->naechstesBild()) {
        Station* station = stationen_[static_cast<std::size_t>(a.station)];
        if (a.steht)
            station->steht(a.bild, *a.steht);
        else
            station->zeige(a.bild);
    }
    if (ablauf_->empfangen().size() != vorher)
        zeigeEmpfangen();
    if (ablauf_->fertig()) {
        zeigeZeit(zeitUndTempo(ablauf_->dauer(), gesendeterText_.size()));
        announceNotification(zeit_);
        ablauf_.reset();
        senden_->setText(textSenden);
        zufallsStartwert_ = neuerZufallsStartwert();
        return;
    }
    takt_.weiter();
}

// What the last station has shown so far, each character that is not what was sent marked.
void Linienfenster::zeigeEmpfangen()
{
    const std::string_view empfangen = ablauf_->empfangen();
    QString text;
    QStringList falscheStellen;
    for (std::size_t i = 0; i < empfangen.size(); ++i) {
        const QString zeichen(QLatin1Char(empfangen[i]));
        const bool falsch = i >= gesendeterText_.size() || empfangen[i] != gesendeterText_[i];
        text +=
            falsch
                ? QStringLiteral("<u style=\"color:#b00000\">%1</u>").arg(zeichen.toHtmlEscaped())
                : zeichen.toHtmlEscaped();
        if (falsch)
            falscheStellen << QString::number(i + 1);
    }
    empfangen_->setText(QStringLiteral("„%1“").arg(text));
    // A screen reader hears the text as it grows, and which characters came wrong, which the
    // screen shows underlined in red.
    QString name =
        QStringLiteral("Empfangen: %1")
            .arg(QLatin1String(empfangen.data(), static_cast<qsizetype>(empfangen.size())));
    if (!falscheStellen.isEmpty())
        name += QStringLiteral(". Falsch angekommen: Zeichen %1").arg(falscheStellen.join(u", "));
    empfangen_->setAccessibleName(name);
    announceNotification(empfangen_);
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
    for (Station* s : stationen_)
        s->steht(ruhestellung, ' ');
    empfangen_->clear();
    empfangen_->setAccessibleName({});
    zeigeErwartet();
}

// Return in the message field sends it, once: the keyboard's repeats of a key still held would
// send it again each time it has arrived. Escape stops the line wherever the focus is, as it
// stops the main window's message.
void Linienfenster::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && ablauf_) {
        stelleZurueck();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        focusWidget() == nachricht_) {
        if (!event->isAutoRepeat() && !ablauf_)
            sendenOderAbbrechen();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Linienfenster::closeEvent(QCloseEvent* event)
{
    if (ablauf_)
        stelleZurueck();
    QWidget::closeEvent(event);
}
