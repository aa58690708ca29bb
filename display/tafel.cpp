#include "tafel.h"

#include "alphabet.h"
#include "geometrie.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>

namespace {

// The page, in tenths of a millimetre.
constexpr double rand = 100;
constexpr double titelGrundlinie = 190;
constexpr double trennlinieY = 225;
constexpr QPointF rasterUrsprung(100, 270);
constexpr QSizeF zelle(380, 290);
constexpr QPointF drehpunktInZelle(190, 116);
constexpr double massstab = 0.45; // page units per pixel of the scene
constexpr double zeichenOben = 206;
constexpr double zeichenHoehe = 64;
constexpr double ruheSpalteX = 2460;
constexpr double linienBreite = 2; // 0.2 mm

// How far below the pivot the stub of the mast reaches, in pixels of the scene.
constexpr int mastStumpf = 150;

// The colours of the scene without its textures: the wood's and the parchment's mean colour.
const QColor holz(210, 178, 94);
const QColor pergament(247, 227, 194);
const QColor maroon(128, 0, 0);
const QColor rasterGrau(190, 190, 190);

// The scene as the window draws it (800 x 694), with its pivot moved to the origin: the chart
// shows the same beams, only smaller.
Szenenmasse szeneAmUrsprung()
{
    Szenenmasse m = szenenmasse(800, 694, 0, 0);
    const auto verschieben = [&](Kasten& k) {
        k = {k.x1 - m.drehpunkt.px, k.y1 - m.drehpunkt.py, k.x2 - m.drehpunkt.px,
             k.y2 - m.drehpunkt.py};
    };
    verschieben(m.mast);
    verschieben(m.zapfen);
    m.mast.y2 = mastStumpf;
    m.drehpunkt.px = 0;
    m.drehpunkt.py = 0;
    return m;
}

QRectF alsRechteck(const Kasten& k)
{
    return QRectF(QPointF(std::min(k.x1, k.x2), std::min(k.y1, k.y2)),
                  QPointF(std::max(k.x1, k.x2), std::max(k.y1, k.y2)));
}

QFont schrift(double pixelHoehe, bool fett = false)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(static_cast<int>(pixelHoehe));
    f.setBold(fett);
    return f;
}

// One telegraph with its pivot at `drehpunkt` on the page.
void zeichneTelegraf(QPainter& p, QPointF drehpunkt, const Szenenmasse& m, const Stellung& s)
{
    p.save();
    p.translate(drehpunkt);
    p.scale(massstab, massstab);
    p.setPen(QPen(Qt::black, linienBreite / massstab, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));

    p.setBrush(pergament);
    p.drawRect(alsRechteck(m.mast));

    const Fluegelbild bild = fluegel(s, m.drehpunkt);
    p.setBrush(holz);
    for (const Balkenpolygon& balken : bild.balken) {
        QPolygon ecken;
        for (const Punkt& ecke : balken)
            ecken << QPoint(ecke.x, ecke.y);
        p.drawPolygon(ecken);
    }
    p.setBrush(maroon);
    for (const Kasten& gelenk : bild.gelenke)
        p.drawEllipse(alsRechteck(gelenk));
    p.drawEllipse(alsRechteck(m.zapfen));
    p.restore();
}

void zeichneBeschriftung(QPainter& p, QPointF zellenEcke, const QString& text, const QFont& f)
{
    p.setFont(f);
    p.drawText(QRectF(zellenEcke.x(), zellenEcke.y() + zeichenOben, zelle.width(), zeichenHoehe),
               Qt::AlignHCenter | Qt::AlignTop, text);
}

void zeichneTitel(QPainter& p)
{
    const double rechts = tafelSeite.width() - rand;
    p.setFont(schrift(100, true));
    p.drawText(QPointF(rand, titelGrundlinie), QStringLiteral("Signaltafel"));

    const QString name = QStringLiteral("Vellard-Telegraf");
    const QFont f = schrift(50);
    p.setFont(f);
    p.drawText(QPointF(rechts - QFontMetricsF(f).horizontalAdvance(name), titelGrundlinie), name);

    p.setPen(QPen(Qt::black, linienBreite));
    p.drawLine(QPointF(rand, trennlinieY), QPointF(rechts, trennlinieY));
}

} // namespace

void zeichneTafel(QPainter& p, const QRectF& flaeche, const Codezeilen& code)
{
    p.save();
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const double faktor =
        std::min(flaeche.width() / tafelSeite.width(), flaeche.height() / tafelSeite.height());
    p.translate(flaeche.center() - QPointF(tafelSeite.width(), tafelSeite.height()) * faktor / 2);
    p.scale(faktor, faktor);
    p.fillRect(QRectF(QPointF(0, 0), tafelSeite), Qt::white);

    zeichneTitel(p);

    const Szenenmasse m = szeneAmUrsprung();
    const QFont zeichenSchrift = schrift(zeichenHoehe);
    for (int i = 0; i < static_cast<int>(alphabet.size()); ++i) {
        const QPointF ecke =
            rasterUrsprung + QPointF(i % 6 * zelle.width(), i / 6 * zelle.height());
        p.setPen(QPen(rasterGrau, linienBreite));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(ecke, zelle));
        zeichneTelegraf(p, ecke + drehpunktInZelle, m, winkelholen(code, alphabet[i]));
        p.setPen(Qt::black);
        zeichneBeschriftung(p, ecke, QString(QChar::fromLatin1(alphabet[i])), zeichenSchrift);
    }

    const QPointF ruheEcke(ruheSpalteX, rasterUrsprung.y());
    zeichneTelegraf(p, ruheEcke + drehpunktInZelle, m, ruhestellung);
    p.setPen(Qt::black);
    zeichneBeschriftung(p, ruheEcke, QStringLiteral("Ruhestellung"), schrift(45));
    zeichneBeschriftung(p, ruheEcke + QPointF(0, 70), QStringLiteral("J wird als I gesendet."),
                        schrift(32));
    p.restore();
}
