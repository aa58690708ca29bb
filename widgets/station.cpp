#include "station.h"

#include "geometrie.h"
#include "kleinertelegraf.h"
#include "schrift.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

// The telegraph reaches 292 pixels of the scene from its pivot each way (half the regulator,
// an indicator and its bar's overhang); the station leaves a little room around that.
constexpr double reichweite = 292;
constexpr double massstab = Station::groesse.width() / (2 * reichweite + 30);
const QPointF drehpunkt(Station::groesse.width() / 2.0, reichweite* massstab + 8);
constexpr int nummerOben = 162;
// The mast stands on a ground line a little above the number.
constexpr int boden = nummerOben - 6;
constexpr int zeichenOben = 180;
constexpr int zeichenHoehe = 40;

// Where the beams and joints that differ between two positions lie in the station, with a
// pixel of room for the smoothed edges.
QRegion bewegt(const Stellung& vorher, const Stellung& nachher)
{
    static const Drehpunkt ursprung = telegrafAmUrsprung().drehpunkt;
    QRegion region;
    for (const Kasten& k : bewegteTeile(fluegel(vorher, ursprung), fluegel(nachher, ursprung))) {
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

Station::Station(int nummer, QWidget* parent) : QWidget(parent), nummer_(nummer)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(groesse);
    setAccessibleName(QStringLiteral("Station %1").arg(nummer_));
    beschreibe();
}

void Station::zeige(const Stellung& stellung)
{
    if (stellung == stellung_)
        return;
    const QRegion region = bewegt(stellung_, stellung);
    stellung_ = stellung;
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

void Station::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    zeichneKleinenTelegraf(p, drehpunkt, massstab, 1.0, stellung_,
                           static_cast<int>((boden - drehpunkt.y()) / massstab));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::black);
    p.drawLine(25, boden, width() - 26, boden);
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
