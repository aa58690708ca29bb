#include "umix2.h"

#include "alphabet.h"
#include "alphabetfeld.h"
#include "eventpump.h"
#include "fixedwindowsize.h"
#include "lesemarke.h"
#include "normalisieren.h"
#include "paintbox.h"
#include "spinbox.h"
#include "szene.h"
#include "tafelmenue.h"
#include "timer.h"
#include "wiedergabe.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace {

const QString textStart = QStringLiteral("Nachricht anzeigen");
const QString textAbbruch = QStringLiteral("Abbruch");

QByteArray ressource(const QString& name)
{
    QFile datei(QStringLiteral(":/assets/") + name);
    datei.open(QIODevice::ReadOnly);
    return datei.readAll();
}

// The pictures are stored with a palette; drawing patterns from them is quicker in 32 bits.
QImage bild(const QString& name)
{
    return QImage::fromData(ressource(name)).convertToFormat(QImage::Format_RGB32);
}

QWidget* panel(QWidget* parent, const QRect& lage, const QColor& farbe)
{
    auto* p = new QWidget(parent);
    p->setGeometry(lage);
    p->setAutoFillBackground(true);
    QPalette palette = p->palette();
    palette.setColor(QPalette::Window, farbe);
    p->setPalette(palette);
    return p;
}

QLabel* label(QWidget* parent, const QRect& lage, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(lage);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QFont verdana(int pixelHoehe, bool fett = false)
{
    QFont schrift(QStringLiteral("Verdana"));
    schrift.setPixelSize(pixelHoehe);
    schrift.setBold(fett);
    return schrift;
}

} // namespace

Tpformx11::Tpformx11(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      Image3(bild(QStringLiteral("wood.png"))), I4(bild(QStringLiteral("parchment.png"))),
      I5(bild(QStringLiteral("engraving.png"))),
      ListBox1(codezeilenAus(ressource(QStringLiteral("signalcode.txt")).toStdString())),
      szene_({I5, I4, Image3})
{
    setWindowTitle(QStringLiteral("Vellard-Telegraf"));
    setFixedSize(1008, 694);
    setFont(verdana(12));

    const QRect ganz(0, 0, 1008, 694);
    P8 = panel(this, ganz, Qt::white);
    new FixedWindowSize(this, P8);
    P15 = panel(P8, ganz, Qt::white);
    telegraf = panel(P15, ganz, Qt::white);

    PB13 = new PaintBox(telegraf);
    PB13->setGeometry(0, 0, 800, 694);
    PB13->setAccessibleName(QStringLiteral("Telegraf"));
    connect(PB13, &PaintBox::paint, this, &Tpformx11::PB13P);
    PB13->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PB13, &QWidget::customContextMenuRequested, this, &Tpformx11::PB13Menue);
    tafelmenue_ = new Tafelmenue(*this, ListBox1);
    connect(tafelmenue_, &Tafelmenue::angefragt, this, &Tpformx11::tafelbefehl);

    P49 = panel(telegraf, QRect(800, 0, 208, 694), QColor(240, 240, 240));
    bauePanel();

    Timer1 = new Timer(1500, this);
    connect(Timer1, &Timer::tick, this, &Tpformx11::T1Timer);

    if (const QScreen* bildschirm = QGuiApplication::primaryScreen())
        move(bildschirm->availableGeometry().center() - rect().center());
}

void Tpformx11::bauePanel()
{
    L114 = label(P49, QRect(16, 16, 65, 16), QStringLiteral("Alphabet"));
    L114->setFont(verdana(13, true));
    QPalette navy = L114->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    L114->setPalette(navy);

    PBz = new PaintBox(P49);
    PBz->setGeometry(14, 40, feldGroesse, feldGroesse);
    PBz->setCursor(Qt::PointingHandCursor);
    PBz->setFocusPolicy(Qt::StrongFocus);
    PBz->setAccessibleName(QStringLiteral("Alphabet"));
    setzeFeldzelle(feldzelle_);
    connect(PBz, &PaintBox::paint, this, &Tpformx11::PBzP);
    connect(PBz, &PaintBox::mouseDown, this, &Tpformx11::PBzMD);
    connect(PBz, &PaintBox::keyDown, this, &Tpformx11::PBzKD);

    L113 = label(P49, QRect(84, 230, 111, 14), QStringLiteral("Zeichen anklicken"));

    Me8 = new QPlainTextEdit(P49);
    Me8->setGeometry(14, 264, 182, 241);
    Me8->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Me8->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Me8->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Me8->setTabChangesFocus(true);
    Me8->setPlainText(QString::fromUtf8(ressource(QStringLiteral("memo.txt"))));
    Me8->setAccessibleName(QStringLiteral("Nachricht"));
    Me8->setAccessibleDescription(
        QStringLiteral("Text, den der Telegraf Zeichen für Zeichen sendet."));
    lesemarke_ = new Lesemarke(*Me8);

    B13 = new QPushButton(textStart, P49);
    B13->setGeometry(24, 516, 161, 25);
    B13->setAccessibleDescription(QStringLiteral("Startet oder beendet das Senden der Nachricht."));
    connect(B13, &QPushButton::clicked, this, &Tpformx11::B13C);

    L103 = label(P49, QRect(32, 556, 78, 14), QStringLiteral("Abstand in s"));

    Rx11 = new SpinBox(P49);
    Rx11->setGeometry(120, 552, 57, 22);
    Rx11->setAccessibleName(QStringLiteral("Abstand in Sekunden"));
    Rx11->setAccessibleDescription(
        QStringLiteral("Zeit zwischen zwei gesendeten Zeichen, von 1,0 bis 4,0 Sekunden."));
    L103->setBuddy(Rx11);
    connect(Rx11, &SpinBox::valueChanged, this, &Tpformx11::Rx11C);

    setTabOrder(Me8, B13);
    setTabOrder(B13, Rx11);
    setTabOrder(Rx11, PBz);
}

void Tpformx11::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!gezeigt_) {
        gezeigt_ = true;
        FormShow();
    }
}

void Tpformx11::keyPressEvent(QKeyEvent* event)
{
    // Keys that no control took: Return and Enter press the focused button, as Space does, and
    // Escape stops a running playback as "Abbruch" does. A held key acts once: its repeats
    // would start and stop the playback in turn.
    const bool eingabe = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool knopf = eingabe && focusWidget() == B13;
    const bool abbruch = event->key() == Qt::Key_Escape && Timer1->enabled();
    // Shift+F10 asks the focused control for its menu, as the menu key does.
    const bool menue = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (knopf && event->isAutoRepeat())
        event->accept();
    else if (knopf || abbruch)
        B13->click();
    else if (menue && !event->isAutoRepeat())
        menueVon(focusWidget() ? focusWidget() : this);
    else
        QWidget::keyPressEvent(event);
}

void Tpformx11::closeEvent(QCloseEvent* event)
{
    // A movement that runs now stops at its next frame, and nothing new starts.
    geschlossen_ = true;
    Timer1->setEnabled(false);
    wartenderDruck_.reset();
    wartenderTick_ = false;
    QWidget::closeEvent(event);
}

void Tpformx11::FormShow()
{
    altwinkel = ruhestellung;
    winkel = ruhestellung;
    setzeZeichen(' ');
    Me8->setFocus();
}

void Tpformx11::setzeZeichen(char neues)
{
    zeichen = neues;
    // A screen reader cannot see the beams; it is told which character they show, and what the
    // scene's menu offers.
    const QString stand =
        zeichen == ' '
            ? QStringLiteral("Der Telegraf steht in Ruhestellung.")
            : QStringLiteral("Der Telegraf zeigt das Zeichen %1.").arg(QChar::fromLatin1(zeichen));
    PB13->setAccessibleDescription(
        stand +
        QStringLiteral(" Ein Rechtsklick, die Menütaste oder Umschalt+F10 öffnet ein Menü, das die "
                       "Signaltafel speichert (Strg+S) oder druckt (Strg+P)."));
}

void Tpformx11::PB13P(Canvas& canvas, const QRegion& bereich)
{
    szene_.zeichne(canvas, bereich, PB13->width(), PB13->height(), winkel, zeichen);
}

void Tpformx11::PBzP(Canvas& canvas)
{
    zeichneAlphabetfeld(canvas, PBz->hasFocus() ? std::optional(feldzelle_) : std::nullopt);
}

void Tpformx11::PBzMD(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)
{
    const char gewaehlt = zeichenAn(x, y);
    if (const int zelle = zelleVon(gewaehlt); zelle >= 0)
        setzeFeldzelle(zelle);
    waehle(gewaehlt);
}

void Tpformx11::PBzKD(QKeyEvent* taste)
{
    const std::optional<Feldtaste> wirkung =
        feldtaste(feldzelle_, taste->key(), taste->modifiers(), taste->text());
    if (!wirkung)
        return;
    taste->accept();
    // Arrows repeat while held; a held key that sends sends once.
    if (wirkung->senden && taste->isAutoRepeat())
        return;
    setzeFeldzelle(wirkung->zelle);
    if (wirkung->senden)
        waehle(alphabet[static_cast<std::size_t>(feldzelle_)]);
}

void Tpformx11::setzeFeldzelle(int zelle)
{
    const bool neu = zelle != feldzelle_;
    feldzelle_ = zelle;
    PBz->setAccessibleDescription(QStringLiteral("Zeichen %1, Zeile %2, Spalte %3")
                                      .arg(QChar::fromLatin1(alphabet[feldzelle_]))
                                      .arg(feldzelle_ / feldSpalten + 1)
                                      .arg(feldzelle_ % feldSpalten + 1));
    if (neu && PBz->hasFocus()) {
        // The grid keeps the focus while its current cell moves; a screen reader hears of the
        // move as a new focus on the grid and reads the new cell.
        QAccessibleEvent fokus(PBz, QAccessible::Focus);
        QAccessible::updateAccessibility(&fokus);
        PBz->update();
    }
}

// A character chosen on the grid, by mouse or key: stops the playback and shows it, or, while
// the telegraph turns, remembers it for the end of the movement.
void Tpformx11::waehle(char gewaehlt)
{
    wiedergabeAus();
    if (bewegungLaeuft_) {
        // The latest press wins; a tick remembered before it is dropped.
        wartenderDruck_ = gewaehlt;
        wartenderTick_ = false;
        return;
    }
    sende(gewaehlt);
}

void Tpformx11::B13C()
{
    // Starting or stopping forgets a tick that came during a movement: a new playback shows its
    // first character one full interval after the start, never at once.
    wartenderTick_ = false;
    position = 0;
    lesemarke_->entferne();
    Timer1->setEnabled(!Timer1->enabled());
    B13->setText(Timer1->enabled() ? textAbbruch : textStart);
}

void Tpformx11::T1Timer()
{
    if (bewegungLaeuft_) {
        // At most one tick waits; it is handled when the movement ends.
        wartenderTick_ = true;
        return;
    }
    sende(naechstesNachrichtenzeichen());
}

void Tpformx11::Rx11C(double wert)
{
    Timer1->setInterval(static_cast<int>(std::lround(wert * 1000)));
}

void Tpformx11::PB13Menue(const QPoint& wo)
{
    if (bewegungLaeuft_) {
        nachDerBewegung_ = [this, wo] { PB13Menue(wo); };
        return;
    }
    tafelmenue_->zeige(PB13->mapToGlobal(wo));
}

void Tpformx11::tafelbefehl(Tafelmenue::Befehl befehl)
{
    if (bewegungLaeuft_) {
        nachDerBewegung_ = [this, befehl] { tafelbefehl(befehl); };
        return;
    }
    tafelmenue_->fuehreAus(befehl);
}

void Tpformx11::contextMenuEvent(QContextMenuEvent* event)
{
    // The menu key or Shift+F10 on a control without a menu of its own comes here.
    if (event->reason() == QContextMenuEvent::Keyboard)
        PB13Menue(PB13->rect().center());
}

void Tpformx11::menueVon(QWidget* bauteil)
{
    const QPoint wo = bauteil->rect().center();
    QContextMenuEvent anfrage(QContextMenuEvent::Keyboard, wo, bauteil->mapToGlobal(wo));
    QCoreApplication::sendEvent(bauteil, &anfrage);
}

void Tpformx11::wiedergabeAus()
{
    lesemarke_->entferne();
    Timer1->setEnabled(false);
    B13->setText(textStart);
}

// The next character of the message, marked in the memo where it was written.
char Tpformx11::naechstesNachrichtenzeichen()
{
    // The next character is the one after `position`, or the first one when the message has
    // come to its end: only their sources are needed.
    const Gesendet nachricht =
        normalisierenMitQuellen(Me8->toPlainText(), {static_cast<std::size_t>(position), 0});
    const Wiedergabeschritt schritt = naechsterSchritt(nachricht.zeichen, position);
    position = schritt.position;
    const auto quelle = nachricht.quellen.find(static_cast<std::size_t>(position - 1));
    if (position > 0 && quelle != nachricht.quellen.end())
        lesemarke_->setze(quelle->second.anfang, quelle->second.ende);
    else
        lesemarke_->entferne();
    return schritt.zeichen;
}

// Shows a character, then whatever was asked for while the telegraph turned, one movement
// after the other: a movement never starts inside another.
void Tpformx11::sende(char gewaehlt)
{
    std::optional<char> naechstes = gewaehlt;
    while (naechstes && !geschlossen_) {
        setzeZeichen(*naechstes);
        winkel = winkelholen(ListBox1, zeichen);
        bewegen();
        naechstes = wartendesZeichen();
    }
    if (const auto danach = std::exchange(nachDerBewegung_, nullptr); danach && !geschlossen_)
        danach();
}

std::optional<char> Tpformx11::wartendesZeichen()
{
    if (wartenderDruck_)
        return std::exchange(wartenderDruck_, std::nullopt);
    if (std::exchange(wartenderTick_, false) && Timer1->enabled())
        return naechstesNachrichtenzeichen();
    return std::nullopt;
}

void Tpformx11::bewegen()
{
    const Stellung ziel = winkel;
    const std::vector<Stellung> plan = bewegungsplan(altwinkel, ziel);
    // Every frame has its own deadline from one start, so a late frame does not delay the rest.
    const auto beginn = std::chrono::steady_clock::now();
    bewegungLaeuft_ = true;
    for (std::size_t k = 0; k < plan.size() && !geschlossen_; ++k) {
        winkel = plan[k];
        zeigeBild();
        processEventsUntil(beginn + static_cast<int>(k + 1) * takt);
    }
    winkel = ziel;
    zeigeBild();
    altwinkel = winkel;
    bewegungLaeuft_ = false;
}

// Draws and shows only what changed since the last frame: one beam turned, and the character
// at a movement's start.
void Tpformx11::zeigeBild()
{
    PB13->drawNow(szene_.aenderung(PB13->width(), PB13->height(), winkel, zeichen));
}
