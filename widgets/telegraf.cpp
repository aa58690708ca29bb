#include "telegraf.h"

#include "bewegung.h"
#include "canvas.h"
#include "eingebettet.h"
#include "eventpump.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

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
    // The scene covers every pixel, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Telegraf"));
    beschreibe();
}

void Telegraf::stelle(const Stellung& stellung, char zeichen)
{
    winkel_ = stellung;
    altwinkel_ = stellung;
    zeichen_ = zeichen;
    beschreibe();
    update(szene_.aenderung(width(), height(), winkel_, zeichen_));
}

void Telegraf::schreibe(char zeichen)
{
    stelle(altwinkel_, zeichen);
}

void Telegraf::bewegen(const Stellung& ziel, char zeichen)
{
    zeichen_ = zeichen;
    beschreibe();
    const std::vector<Stellung> plan = bewegungsplan(altwinkel_, ziel);
    // Every frame has its own deadline from one start, so a late frame does not delay the rest.
    const auto beginn = std::chrono::steady_clock::now();
    bewegungLaeuft_ = true;
    abgebrochen_ = false;
    for (std::size_t k = 0; k < plan.size() && !abgebrochen_; ++k) {
        winkel_ = plan[k];
        zeigeBild();
        processEventsUntil(beginn + static_cast<int>(k + 1) * takt_);
    }
    winkel_ = ziel;
    zeigeBild();
    altwinkel_ = winkel_;
    bewegungLaeuft_ = false;
    beschreibe();
}

void Telegraf::abbrechen()
{
    abgebrochen_ = true;
}

void Telegraf::setStellbar(bool stellbar)
{
    stellbar_ = stellbar;
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
    if (stellbar_ && !bewegungLaeuft_ && event->button() == Qt::LeftButton)
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
