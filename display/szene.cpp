#include "szene.h"

#include "canvas.h"
#include "geometrie.h"
#include "offscreenpicture.h"

#include <QColor>
#include <QPoint>

namespace {

const QColor maroon(128, 0, 0);

void rechteck(Canvas& c, const Kasten& k)
{
    c.rectangle(k.x1, k.y1, k.x2, k.y2);
}

void ellipse(Canvas& c, const Kasten& k)
{
    c.ellipse(k.x1, k.y1, k.x2, k.y2);
}

void zeichneFluegel(Canvas& c, const Fluegelbild& bild, const QImage& holz)
{
    c.setBrush(Brush::pattern(holz));
    for (const Balkenpolygon& balken : bild.balken) {
        const std::array<QPoint, 4> ecken{
            QPoint(balken[0].x, balken[0].y), QPoint(balken[1].x, balken[1].y),
            QPoint(balken[2].x, balken[2].y), QPoint(balken[3].x, balken[3].y)};
        c.polygon(ecken);
    }
    c.setBrush(Brush::solid(maroon));
    for (const Kasten& gelenk : bild.gelenke)
        ellipse(c, gelenk);
}

QString alsText(char zeichen)
{
    return zeichen == '\0' ? QString() : QString(QChar::fromLatin1(zeichen));
}

} // namespace

void zeichneSzene(Canvas& ziel, int breite, int hoehe, const Szenenbilder& bilder,
                  const Stellung& winkel, char zeichen)
{
    const Szenenmasse m = szenenmasse(breite, hoehe, bilder.stich.width(), bilder.stich.height());

    OffscreenPicture bild(breite, hoehe);
    Canvas& c = bild.canvas();
    c.draw(m.stich.x, m.stich.y, bilder.stich);

    c.setFont(QStringLiteral("Verdana"), zeichenSchriftHoehe);
    c.setBrush(Brush::pattern(bilder.pergament));
    rechteck(c, m.sockel);
    rechteck(c, m.mast);

    zeichneFluegel(c, fluegel(winkel, m.drehpunkt), bilder.holz);

    c.setBrush(Brush::solid(maroon));
    ellipse(c, m.zapfen);

    c.setBrush(Brush::none());
    c.textOut(m.zeichenZelle.x, m.zeichenZelle.y, alsText(zeichen));

    ziel.draw(0, 0, bild);
}
