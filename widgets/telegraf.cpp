#include "widgets/telegraf.h"

#include "assets/eingebettet.h"
#include "bedienung/bewegung.h"
#include "controls/accessibility.h"
#include "drawing/canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

bool schreibtEtwas(char zeichen)
{
    return zeichen != ' ' && zeichen != '\0';
}

} // namespace

const Szenenbilder& telegrafbilder()
{
    static const Szenenbilder geladen{eingebettetesBild(QStringLiteral("engraving")),
                                      eingebettetesBild(QStringLiteral("parchment")),
                                      eingebettetesBild(QStringLiteral("wood"))};
    return geladen;
}

Telegraf::Telegraf(QWidget* parent)
    : QWidget(parent), szene_(telegrafbilder()), takt_(bewegungsTakt)
{
    connect(&takt_, &Bildtakt::bild, this, &Telegraf::naechsterFrame);
    // The scene covers every pixel, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    announceAsPicture(this);
    setAccessibleName(QStringLiteral("Telegraf"));
    beschreibe();
}

void Telegraf::stelle(const Stellung& stellung, char zeichen)
{
    takt_.halte();
    bewegung_.reset();
    folgt_.reset();
    winkel_ = stellung;
    altwinkel_ = stellung;
    zeichen_ = zeichen;
    beschreibe();
    update(szene_.aenderung(width(), height(), winkel_, zeichen_));
}

void Telegraf::schreibe(char zeichen)
{
    zeichen_ = zeichen;
    beschreibe();
    update(szene_.aenderung(width(), height(), winkel_, zeichen_));
}

void Telegraf::bewegen(const Stellung& ziel, char zeichen)
{
    if (bewegung_) {
        folgt_ = {ziel, zeichen};
        return;
    }
    zeichen_ = zeichen;
    beschreibe();
    bewegung_ = Bewegung{bewegungsplan(altwinkel_, ziel), ziel, 0, ++bewegungen_};
    takt_.starte();
}

// Draws the frame that is due, or the final drawing, and asks the clock for the next one.
void Telegraf::naechsterFrame()
{
    const bool letztes = bewegung_->naechstes == bewegung_->plan.size();
    const std::uint64_t diese = bewegung_->nummer;
    winkel_ = letztes ? bewegung_->ziel : bewegung_->plan[bewegung_->naechstes++];
    // Whoever watches the drawing may stop the telegraph from there, or start another movement.
    zeigeBild();
    if (!bewegung_ || bewegung_->nummer != diese)
        return;
    if (!letztes) {
        takt_.weiter();
        return;
    }
    altwinkel_ = winkel_;
    bewegung_.reset();
    beschreibe();
    if (folgt_) {
        const auto [ziel, zeichen] = *std::exchange(folgt_, std::nullopt);
        bewegen(ziel, zeichen);
        return;
    }
    emit steht();
}

Stellung Telegraf::endstellung() const
{
    if (folgt_)
        return folgt_->first;
    return bewegung_ ? bewegung_->ziel : altwinkel_;
}

void Telegraf::anhalten()
{
    if (bewegung_)
        stelle(bewegung_->ziel, zeichen_);
}

void Telegraf::setStellbar(bool stellbar)
{
    stellbar_ = stellbar;
    // A beam still held with the mouse is let go, so that a drag cannot stop a movement that
    // follows, such as the trainer's turn to the right signal.
    if (!stellbar)
        griff_.reset();
    setMouseTracking(stellbar);
    setFocusPolicy(stellbar ? Qt::StrongFocus : Qt::NoFocus);
    unsetCursor();
}

Drehpunkt Telegraf::drehpunkt() const
{
    const Szenenbilder& b = telegrafbilder();
    return szenenmasse(width(), height(), b.stich.width(), b.stich.height()).drehpunkt;
}

void Telegraf::mousePressEvent(QMouseEvent* event)
{
    if (stellbar_ && !bewegung_ && event->button() == Qt::LeftButton)
        griff_ = griffAn(winkel_, drehpunkt(), event->position().x(), event->position().y());
    if (!griff_) {
        QWidget::mousePressEvent(event);
        return;
    }
    setCursor(Qt::ClosedHandCursor);
}

void Telegraf::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF wo = event->position();
    if (!griff_) {
        // Over a handle the pointer shows that the beam can be taken hold of.
        const bool ueberGriff = stellbar_ && griffAn(winkel_, drehpunkt(), wo.x(), wo.y());
        setCursor(ueberGriff ? Qt::OpenHandCursor : Qt::ArrowCursor);
        return;
    }
    const Stellung neu = rasteEin(winkel_, drehpunkt(), *griff_, wo.x(), wo.y());
    if (neu != winkel_) {
        stelle(neu, zeichen_);
        emit gestellt(neu);
    }
}

void Telegraf::mouseReleaseEvent(QMouseEvent* event)
{
    griff_.reset();
    setCursor(stellbar_ ? Qt::OpenHandCursor : Qt::ArrowCursor);
    QWidget::mouseReleaseEvent(event);
}

void Telegraf::setHinweis(const QString& hinweis)
{
    hinweis_ = hinweis;
    beschreibe();
}

void Telegraf::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        Canvas canvas(painter);
        szene_.zeichne(canvas, event->region(), width(), height(), winkel_, zeichen_);
    }
    emit gezeichnet();
}

// Draws and shows at once only what changed since the last frame: one beam turned, and the
// character at a movement's start.
void Telegraf::zeigeBild()
{
    const QRegion neu = szene_.aenderung(width(), height(), winkel_, zeichen_);
    // Qt paints nothing for an empty area, so there is no drawing to report afterwards.
    if (neu.isEmpty())
        emit gezeichnet();
    else
        repaint(neu);
}

// A screen reader cannot see the beams; it is told which character they show.
void Telegraf::beschreibe()
{
    QString stand = QStringLiteral("Der Telegraf zeigt ein Signal.");
    if (schreibtEtwas(zeichen_))
        stand =
            QStringLiteral("Der Telegraf zeigt das Zeichen %1.").arg(QChar::fromLatin1(zeichen_));
    else if (altwinkel_ == ruhestellung)
        stand = QStringLiteral("Der Telegraf steht in Ruhestellung.");
    setAccessibleDescription(hinweis_.isEmpty() ? stand : stand + QLatin1Char(' ') + hinweis_);
}
