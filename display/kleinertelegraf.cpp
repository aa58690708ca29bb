#include "display/kleinertelegraf.h"

#include "display/farben.h"
#include "display/szene.h"
#include "drawing/canvas.h"

#include <QPainter>

Szenenmasse telegrafAmUrsprung()
{
    Szenenmasse m = szenenmasse(szeneBreite, szeneHoehe, 0, 0);
    const auto verschieben = [&](Kasten& k) {
        k = {k.x1 - m.drehpunkt.px, k.y1 - m.drehpunkt.py, k.x2 - m.drehpunkt.px,
             k.y2 - m.drehpunkt.py};
    };
    verschieben(m.mast);
    verschieben(m.zapfen);
    m.drehpunkt.px = 0;
    m.drehpunkt.py = 0;
    return m;
}

Fluegelbild kleineFluegel(const Stellung& stellung)
{
    static const Drehpunkt ursprung = telegrafAmUrsprung().drehpunkt;
    return fluegel(stellung, ursprung);
}

void zeichneKleinenTelegraf(QPainter& p, QPointF drehpunkt, double massstab, double linienBreite,
                            const Fluegelbild& arme, int mast, const QRectF& bereich)
{
    static const Szenenmasse am = telegrafAmUrsprung();
    Szenenmasse m = am;
    m.mast.y2 = mast;
    p.save();
    p.translate(drehpunkt);
    p.scale(massstab, massstab);
    Canvas c(p, linienBreite > 0 ? Outline{linienBreite / massstab, true} : Outline{});
    // The area asked for, in pixels of the scene around the pivot.
    const QRect imBild = bereich.isEmpty() ? QRect(-1000, -1000, 2000, 2000)
                                           : QRectF((bereich.topLeft() - drehpunkt) / massstab,
                                                    bereich.size() / massstab)
                                                 .toAlignedRect()
                                                 .adjusted(-2, -2, 2, 2);
    if (imBild.intersects(QRect(QPoint(m.mast.x1, m.mast.y1), QPoint(m.mast.x2, m.mast.y2)))) {
        c.setBrush(Brush::solid(farbe::pergament));
        c.rectangle(m.mast.x1, m.mast.y1, m.mast.x2, m.mast.y2);
    }
    zeichneTelegraf(c, m, arme, Brush::solid(farbe::holz), imBild);
    p.restore();
}
