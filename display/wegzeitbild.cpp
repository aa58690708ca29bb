#include "display/wegzeitbild.h"

#include "display/farben.h"
#include "drawing/schrift.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>

namespace {

using ms = std::chrono::milliseconds;

constexpr int oben = 48;    // room for the stations' names
constexpr int links = 72;   // room for the times
constexpr int spalte = 104; // from station to station
constexpr int rechts = 56;  // room for the received characters
constexpr int unten = 24;
constexpr double pixelJeSekunde = 12;

double pixelJeMs(const Linienprotokoll& p)
{
    const double hoehe = static_cast<double>(p.dauer().count()) * pixelJeSekunde / 1000;
    const double platz = wegZeitHoechstens - oben - unten;
    return pixelJeSekunde / 1000 * std::min(1.0, hoehe > 0 ? platz / hoehe : 1.0);
}

// A step between two time marks of at least 48 pixels, in whole seconds.
int zeitSchritt(double pixelJeS)
{
    static constexpr std::array schritte{1, 2, 5, 10, 20, 30, 60, 120, 300, 600, 1200, 3600};
    for (const int s : schritte)
        if (s * pixelJeS >= 48)
            return s;
    return schritte.back() * 4;
}

void zeichneRaster(QPainter& p, const Linienprotokoll& prot, const QSize& groesse)
{
    p.setFont(verdana(12));
    const int unterkante = groesse.height() - unten;
    for (int s = 0; s < prot.stationen(); ++s) {
        p.setPen(QPen(farbe::rastergrau, 1));
        p.drawLine(QPointF(wegZeitX(s) + 0.5, oben), QPointF(wegZeitX(s) + 0.5, unterkante));
        p.setPen(Qt::black);
        p.drawText(QRectF(wegZeitX(s) - spalte / 2.0, 0, spalte, oben - 8),
                   Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("Station %1").arg(s + 1));
    }
    const int schritt = zeitSchritt(pixelJeMs(prot) * 1000);
    const auto bisSekunde = prot.dauer().count() / 1000;
    for (long long sek = 0; sek <= bisSekunde; sek += schritt) {
        const double y = std::round(wegZeitY(prot, ms(sek * 1000))) + 0.5;
        p.setPen(QPen(farbe::rastergrau, 1));
        p.drawLine(QPointF(links, y), QPointF(groesse.width() - rechts / 2.0, y));
        p.setPen(Qt::black);
        p.drawText(QRectF(0, y - 10, links - 8, 20), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("%1 s").arg(sek));
    }
}

// A character's course: where each station began and ended its movements for it. A line whose
// course is decided as it runs knows it only up to the first station not yet decided.
QPolygonF verlauf(const Linienprotokoll& prot, int z)
{
    QPolygonF punkte;
    for (int s = 0; s < prot.stationen(); ++s) {
        const Linienprotokoll::Eintrag& e = prot.eintrag(z, s);
        if (e.beginn == ms::max())
            break;
        punkte << QPointF(wegZeitX(s), wegZeitY(prot, e.beginn))
               << QPointF(wegZeitX(s), wegZeitY(prot, e.ende));
    }
    return punkte;
}

void zeichneLinie(QPainter& p, const Linienprotokoll& prot, int z)
{
    const QPolygonF punkte = verlauf(prot, z);
    if (const std::optional<int> falsch = prot.ersteFalsche(z)) {
        // From the station that misread on to the end.
        const QPolygonF ab = punkte.mid(2 * *falsch);
        p.setPen(QPen(farbe::markergelb, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(ab);
    }
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPolyline(punkte);
}

// The sent character once it starts, the received one once it has arrived.
void zeichneBeschriftung(QPainter& p, const Linienprotokoll& prot, int z, ms bis)
{
    const int letzte = prot.stationen() - 1;
    p.setPen(Qt::black);
    p.setFont(verdana(12, true));
    if (const auto& e = prot.eintrag(z, 0); e.beginn <= bis)
        p.drawText(QRectF(wegZeitX(0) - 28, wegZeitY(prot, e.beginn) - 8, 22, 16),
                   Qt::AlignRight | Qt::AlignVCenter, QString(QLatin1Char(prot.gesendet(z))));
    if (const auto& e = prot.eintrag(z, letzte); e.ende <= bis)
        p.drawText(QRectF(wegZeitX(letzte) + 6, wegZeitY(prot, e.ende) - 8, 22, 16),
                   Qt::AlignLeft | Qt::AlignVCenter, QString(QLatin1Char(e.gesetzt)));
}

} // namespace

QSize wegZeitGroesse(const Linienprotokoll& prot)
{
    const double hoehe = static_cast<double>(prot.dauer().count()) * pixelJeMs(prot);
    return {links + std::max(prot.stationen(), 1) * spalte + rechts,
            oben + static_cast<int>(std::ceil(hoehe)) + unten};
}

int wegZeitX(int station)
{
    return links + spalte / 2 + station * spalte;
}

double wegZeitY(const Linienprotokoll& prot, ms zeit)
{
    return oben + static_cast<double>(zeit.count()) * pixelJeMs(prot);
}

void zeichneWegZeitBild(QPainter& p, const Linienprotokoll& prot, ms bis)
{
    p.save();
    const QSize groesse = wegZeitGroesse(prot);
    const QRectF ganz(QPointF(0, 0), groesse);
    const QRectF sichtbar = p.hasClipping() ? p.clipBoundingRect() & ganz : ganz;
    p.fillRect(sichtbar, Qt::white);
    p.setRenderHint(QPainter::TextAntialiasing);
    zeichneRaster(p, prot, groesse);
    // Slanting lines smoothed; the upright ones lie on whole pixels and stay crisp.
    p.setRenderHint(QPainter::Antialiasing);
    const double grenze = wegZeitY(prot, bis);
    // The lines only as far as the run has come; the labels follow their own times.
    const QRectF gelaufen(0, 0, groesse.width(), std::min<double>(grenze, groesse.height()));
    for (int z = 0; z < prot.zeichen(); ++z) {
        const double anfang = wegZeitY(prot, prot.eintrag(z, 0).beginn);
        const double ende = wegZeitY(prot, prot.eintrag(z, prot.stationen() - 1).ende);
        if (anfang > std::min(grenze, sichtbar.bottom()) + 10 || ende < sichtbar.top() - 10)
            continue;
        p.save();
        p.setClipRect(gelaufen, Qt::IntersectClip);
        zeichneLinie(p, prot, z);
        p.restore();
        zeichneBeschriftung(p, prot, z, bis);
    }
    p.restore();
}
