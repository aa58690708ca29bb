#include "widgets/station.h"

#include "controls/accessibility.h"
#include "display/kleinertelegraf.h"
#include "drawing/schrift.h"
#include "geometrie/geometrie.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

// The telegraph reaches 292 pixels of the scene from its pivot each way (half the regulator,
// an indicator and its bar's overhang); the station leaves a little room around that.
constexpr double reichweite = 292;
constexpr double massstab = Station::groesse.width() / (2 * reichweite + 30);
const QPointF drehpunkt(Station::groesse.width() / 2.0, reichweite* massstab + 8);
constexpr int nummerOben = static_cast<int>(2 * reichweite * massstab) + 16;
// The mast stands on a ground line a little above the number.
constexpr int boden = nummerOben - 6;
constexpr int zeichenOben = nummerOben + 16;
constexpr int zeichenHoehe = 40;

// Where the beams and joints that differ between two pictures of the arms lie in the station,
// with room for rounding.
QRegion bewegt(const Fluegelbild& vorher, const Fluegelbild& nachher)
{
    QRegion region;
    for (const Kasten& k : bewegteTeile(vorher, nachher)) {
        const QRectF r(QPointF(k.x1, k.y1) * massstab + drehpunkt,
                       QPointF(k.x2, k.y2) * massstab + drehpunkt);
        region += r.normalized().toAlignedRect().adjusted(-2, -2, 2, 2);
    }
    return region;
}

QString zitiert(char zeichen)
{
    return QStringLiteral("„%1“").arg(QLatin1Char(zeichen));
}

} // namespace

Station::Station(int nummer, QWidget* parent)
    : QWidget(parent), nummer_(nummer), arme_(kleineFluegel(ruhestellung))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(groesse);
    // A picture for a screen reader, named by its number.
    announceAsPicture(this);
    setAccessibleName(QStringLiteral("Station %1").arg(nummer_));
    beschreibe();
}

// A station scrolled out of sight, as most of a long line are, only notes its position: its
// arms are worked out again when it is painted.
void Station::zeige(const Stellung& stellung)
{
    if (stellung == stellung_)
        return;
    stellung_ = stellung;
    if (visibleRegion().isEmpty()) {
        armeVeraltet_ = true;
        return;
    }
    Fluegelbild arme = kleineFluegel(stellung);
    const QRegion region = armeVeraltet_ ? QRegion(rect()) : bewegt(arme_, arme);
    arme_ = std::move(arme);
    armeVeraltet_ = false;
    update(region);
}

void Station::steht(const Stellung& stellung, char zeichen)
{
    zeige(stellung);
    if (zeichen == zeichen_)
        return;
    zeichen_ = zeichen;
    update(0, zeichenOben, width(), zeichenHoehe);
    beschreibe();
}

// Draws only what lies in the area to repaint: a frame of a movement is a small part of it.
void Station::paintEvent(QPaintEvent* event)
{
    const QRect bereich = event->rect();
    if (armeVeraltet_) {
        arme_ = kleineFluegel(stellung_);
        armeVeraltet_ = false;
    }
    QPainter p(this);
    p.fillRect(bereich, Qt::white);
    // Crisp pixels, as the scene's.
    zeichneKleinenTelegraf(p, drehpunkt, massstab, 0, arme_,
                           static_cast<int>((boden - drehpunkt.y()) / massstab), bereich);
    if (bereich.bottom() < boden)
        return;
    p.setPen(Qt::black);
    p.drawLine(20, boden, width() - 21, boden);
    p.setFont(verdana(12));
    p.drawText(QRect(0, nummerOben, width(), 16), Qt::AlignHCenter,
               QStringLiteral("Station %1").arg(nummer_));
    p.setFont(verdana(32));
    p.drawText(QRect(0, zeichenOben, width(), zeichenHoehe), Qt::AlignHCenter,
               QString(QLatin1Char(zeichen_)));
}

void Station::beschreibe()
{
    setAccessibleDescription(zeichen_ == ' ' ? QStringLiteral("Steht in Ruhestellung.")
                             : zeichen_ == '?'
                                 ? QStringLiteral("Zeigt kein Zeichen.")
                                 : QStringLiteral("Zeigt %1.").arg(zitiert(zeichen_)));
}
