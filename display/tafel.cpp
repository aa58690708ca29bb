#include "display/tafel.h"

#include "display/farben.h"
#include "display/kleinertelegraf.h"
#include "drawing/schrift.h"
#include "geometrie/geometrie.h"
#include "signal/alphabet.h"

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
constexpr int zeichenHoehe = 64;
constexpr double ruheSpalteX = 2460;
constexpr double linienBreite = 2; // 0.2 mm

void zeichneBeschriftung(QPainter& p, QPointF zellenEcke, const QString& text, const QFont& f)
{
    p.setFont(f);
    p.drawText(QRectF(zellenEcke.x(), zellenEcke.y() + zeichenOben, zelle.width(), zeichenHoehe),
               Qt::AlignHCenter | Qt::AlignTop, text);
}

void zeichneTitel(QPainter& p)
{
    const double rechts = tafelSeite.width() - rand;
    p.setFont(verdana(100, true));
    p.drawText(QPointF(rand, titelGrundlinie), QStringLiteral("Signaltafel"));

    const QString name = QStringLiteral("Vellard-Telegraf");
    const QFont f = verdana(50);
    p.setFont(f);
    p.drawText(QPointF(rechts - QFontMetricsF(f).horizontalAdvance(name), titelGrundlinie), name);

    p.setPen(QPen(Qt::black, linienBreite));
    p.drawLine(QPointF(rand, trennlinieY), QPointF(rechts, trennlinieY));
}

} // namespace

void zeichneTafel(QPainter& p, const QRectF& flaeche, const Signalcode& code)
{
    p.save();
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const double faktor =
        std::min(flaeche.width() / tafelSeite.width(), flaeche.height() / tafelSeite.height());
    p.translate(flaeche.center() - QPointF(tafelSeite.width(), tafelSeite.height()) * faktor / 2);
    p.scale(faktor, faktor);
    p.fillRect(QRectF(QPointF(0, 0), tafelSeite), Qt::white);

    zeichneTitel(p);

    const QFont zeichenSchrift = verdana(zeichenHoehe);
    for (int i = 0; i < static_cast<int>(alphabet.size()); ++i) {
        const QPointF ecke =
            rasterUrsprung + QPointF(i % 6 * zelle.width(), i / 6 * zelle.height());
        p.setPen(QPen(farbe::rastergrau, linienBreite));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(ecke, zelle));
        zeichneKleinenTelegraf(p, ecke + drehpunktInZelle, massstab, linienBreite,
                               kleineFluegel(winkelholen(code, alphabet[i])));
        p.setPen(Qt::black);
        zeichneBeschriftung(p, ecke, QString(QChar::fromLatin1(alphabet[i])), zeichenSchrift);
    }

    const QPointF ruheEcke(ruheSpalteX, rasterUrsprung.y());
    zeichneKleinenTelegraf(p, ruheEcke + drehpunktInZelle, massstab, linienBreite,
                           kleineFluegel(ruhestellung));
    p.setPen(Qt::black);
    zeichneBeschriftung(p, ruheEcke, QStringLiteral("Ruhestellung"), verdana(45));
    zeichneBeschriftung(p, ruheEcke + QPointF(0, 70), QStringLiteral("J wird als I gesendet."),
                        verdana(32));
    p.restore();
}
