#include "geometrie/stellen.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>

namespace {

constexpr double gradJeBogen = 180 / std::numbers::pi;
constexpr int schritt = 45;

// The nearest multiple of 45 degrees, brought into -135 ... 180.
int gerastert(double grad)
{
    const int winkel =
        static_cast<int>(std::lround(std::remainder(grad, 360.0) / schritt)) * schritt;
    return winkel <= -180 ? winkel + 360 : winkel;
}

struct Ort {
    double x = 0;
    double y = 0;
};

double abstand(Ort a, Ort b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

double abstandZurStrecke(Ort p, Ort a, Ort b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double laenge2 = dx * dx + dy * dy;
    const double t =
        laenge2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / laenge2, 0.0, 1.0) : 0.0;
    return abstand(p, {a.x + t * dx, a.y + t * dy});
}

// A regulator end on screen: E1, where the first indicator hangs, or the opposite end E2.
Ort reglerEnde(const Stellung& s, const Drehpunkt& d, bool e1)
{
    const double w = s.regulator / gradJeBogen;
    const double seite = e1 ? 1 : -1;
    return {d.px + seite * std::cos(w) * d.R, d.py - seite * std::sin(w) * d.R};
}

// The point `weite` along an indicator from its hinge; on screen, where y grows downward, its
// angle turns clockwise.
Ort entlang(Ort gelenk, int grad, double weite)
{
    const double w = grad / gradJeBogen;
    return {gelenk.x + std::cos(w) * weite, gelenk.y + std::sin(w) * weite};
}

struct Kandidat {
    Griff griff;
    double abstand;
};

std::optional<Griff> naechsterInReichweite(std::initializer_list<Kandidat> kandidaten)
{
    std::optional<Kandidat> bester;
    for (const Kandidat& k : kandidaten) {
        if (k.abstand <= griffRadius && (!bester || k.abstand < bester->abstand))
            bester = k;
    }
    return bester ? std::optional<Griff>(bester->griff) : std::nullopt;
}

} // namespace

Stellung drehe(const Stellung& stellung, Balken balken, int schritte)
{
    Stellung neu = stellung;
    const double weg = static_cast<double>(schritte) * schritt;
    // The regulator's angle counts counter-clockwise on screen, an indicator's clockwise.
    switch (balken) {
    case Balken::Regulator:
        neu.regulator = gerastert(stellung.regulator - weg);
        break;
    case Balken::Indikator1:
        neu.indikator1 = gerastert(stellung.indikator1 + weg);
        break;
    case Balken::Indikator2:
        neu.indikator2 = gerastert(stellung.indikator2 + weg);
        break;
    }
    return neu;
}

std::optional<Griff> griffAn(const Stellung& s, const Drehpunkt& d, double x, double y)
{
    const Ort zeiger{x, y};
    const Ort e1 = reglerEnde(s, d, true);
    const Ort e2 = reglerEnde(s, d, false);
    const auto spitze = [&](Ort gelenk, int grad) {
        return abstandZurStrecke(zeiger, entlang(gelenk, grad, d.L),
                                 entlang(gelenk, grad, d.L + balkenUeberstand));
    };
    if (const auto griff = naechsterInReichweite({{Griff::Spitze1, spitze(e1, s.indikator1)},
                                                  {Griff::Spitze2, spitze(e2, s.indikator2)}}))
        return griff;
    return naechsterInReichweite(
        {{Griff::ReglerE1, abstand(zeiger, e1)}, {Griff::ReglerE2, abstand(zeiger, e2)}});
}

Stellung rasteEin(const Stellung& s, const Drehpunkt& d, Griff griff, double x, double y)
{
    const bool amRegler = griff == Griff::ReglerE1 || griff == Griff::ReglerE2;
    const Ort gelenk = amRegler ? Ort{static_cast<double>(d.px), static_cast<double>(d.py)}
                                : reglerEnde(s, d, griff == Griff::Spitze1);
    if (x == gelenk.x && y == gelenk.y)
        return s;
    // On screen y grows downward: the regulator's angle, counted the other way round, is taken
    // with y upward, an indicator's as it is.
    const double aufwaerts = std::atan2(gelenk.y - y, x - gelenk.x) * gradJeBogen;
    Stellung neu = s;
    switch (griff) {
    case Griff::ReglerE1:
        neu.regulator = gerastert(aufwaerts);
        break;
    case Griff::ReglerE2:
        neu.regulator = gerastert(aufwaerts + 180);
        break;
    case Griff::Spitze1:
        neu.indikator1 = gerastert(-aufwaerts);
        break;
    case Griff::Spitze2:
        neu.indikator2 = gerastert(-aufwaerts);
        break;
    }
    return neu;
}
