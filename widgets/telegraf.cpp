#include "telegraf.h"

#include "bewegung.h"
#include "canvas.h"
#include "eingebettet.h"
#include "eventpump.h"

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
    static const Szenenbilder geladen{eingebettetesBild(QStringLiteral("engraving.png")),
                                      eingebettetesBild(QStringLiteral("parchment.png")),
                                      eingebettetesBild(QStringLiteral("wood.png"))};
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
