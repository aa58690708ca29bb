#include "kleinertelegraf.h"

#include "canvas.h"
#include "farben.h"
#include "szene.h"

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

void zeichneKleinenTelegraf(QPainter& p, QPointF drehpunkt, double massstab, double linienBreite,
                            const Stellung& stellung, int mast)
{
    static const Szenenmasse am = telegrafAmUrsprung();
    Szenenmasse m = am;
    m.mast.y2 = mast;
    p.save();
    p.translate(drehpunkt);
    p.scale(massstab, massstab);
    Canvas c(p, {linienBreite / massstab, true});
    c.setBrush(Brush::solid(farbe::pergament));
    c.rectangle(m.mast.x1, m.mast.y1, m.mast.x2, m.mast.y2);
    const QRect alles(-1000, -1000, 2000, 2000);
    zeichneTelegraf(c, m, fluegel(stellung, m.drehpunkt), Brush::solid(farbe::holz), alles);
    p.restore();
}
