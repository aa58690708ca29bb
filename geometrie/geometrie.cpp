#include "geometrie/geometrie.h"

#include <algorithm>
#include <cmath>

namespace {

// Degrees to radians; the factor is a double on purpose, as the angles are converted with it.
constexpr double k = 0.017453292519943295;

constexpr int balkenHalbeBreite = 10;

// The smallest box holding the beam and its outline, which runs through the corner pixels.
Kasten umriss(const Balkenpolygon& b)
{
    const auto [links, rechts] =
        std::minmax_element(b.begin(), b.end(), [](Punkt p, Punkt q) { return p.x < q.x; });
    const auto [oben, unten] =
        std::minmax_element(b.begin(), b.end(), [](Punkt p, Punkt q) { return p.y < q.y; });
    return {links->x, oben->y, rechts->x + 1, unten->y + 1};
}

// The same box with its corners in order.
Kasten geordnet(const Kasten& k)
{
    return {std::min(k.x1, k.x2), std::min(k.y1, k.y2), std::max(k.x1, k.x2), std::max(k.y1, k.y2)};
}

} // namespace

int rundeHalbGerade(long double wert)
{
    // The default floating-point rounding mode is to nearest, ties to even.
    return static_cast<int>(std::llrint(wert));
}

Szenenmasse szenenmasse(int W, int H, int pw, int ph)
{
    const int gy = H * 11 / 12;
    const int mx = pw + (W - pw) / 2;
    const int py = H / 3 + 20;
    return {
        .stich = {0, gy - ph},
        .sockel = {mx / 2, gy - 20, mx + mx / 2, gy},
        .mast = {mx - 10, H / 3, mx + 11, gy - 19},
        .drehpunkt = {mx, py, H / 4, H / 7},
        .zapfen = {mx - 4, py + 4, mx + 5, py - 5},
        .zeichenZelle = {mx + 25, H * 10 / 12 - 60},
    };
}

Balkenpolygon balken(double x1, double y1, double x2, double y2, const Drehpunkt& d)
{
    const double a = std::atan2(y1 - y2, x2 - x1);
    const double D = std::sqrt(std::fabs((y1 - y2) * (y1 - y2) + (x2 - x1) * (x2 - x1)));
    const long double sinA = std::sin(static_cast<long double>(a));
    const long double cosA = std::cos(static_cast<long double>(a));

    const auto ecke = [&](long double u, long double v) {
        return Punkt{rundeHalbGerade(d.px + x1 + cosA * u + sinA * v),
                     rundeHalbGerade(d.py - y1 + sinA * u - cosA * v)};
    };
    const long double ende = D + balkenUeberstand;
    return {ecke(-balkenUeberstand, -balkenHalbeBreite), ecke(-balkenUeberstand, balkenHalbeBreite),
            ecke(ende, balkenHalbeBreite), ecke(ende, -balkenHalbeBreite)};
}

Fluegelbild fluegel(const Stellung& s, const Drehpunkt& d)
{
    // Angles become double-precision radians; the trigonometry runs in extended precision and
    // the end points are held as doubles.
    const auto cosinus = [](int grad) { return std::cos(static_cast<long double>(grad * k)); };
    const auto sinus = [](int grad) { return std::sin(static_cast<long double>(grad * k)); };
    const auto gelenk = [&](long double x, long double y) {
        return Kasten{rundeHalbGerade(d.px + x - 4), rundeHalbGerade(d.py - y + 4),
                      rundeHalbGerade(d.px + x + 5), rundeHalbGerade(d.py - y - 5)};
    };

    const double ex = static_cast<double>(cosinus(s.regulator) * d.R);
    const double ey = static_cast<double>(sinus(s.regulator) * d.R);
    const auto indikatorEnde = [&](double hx, double hy, int grad) {
        return std::array<double, 2>{static_cast<double>(hx + cosinus(grad) * d.L),
                                     static_cast<double>(hy - sinus(grad) * d.L)};
    };
    const auto [x2, y2] = indikatorEnde(ex, ey, s.indikator1);
    const auto [x3, y3] = indikatorEnde(-ex, -ey, s.indikator2);

    return {
        .balken = {balken(ex, ey, -ex, -ey, d), balken(ex, ey, x2, y2, d),
                   balken(-ex, -ey, x3, y3, d)},
        .gelenke = {gelenk(ex, ey), gelenk(-ex, -ey)},
    };
}

std::array<Kasten, 5> umrisse(const Fluegelbild& bild)
{
    return {umriss(bild.balken[0]), umriss(bild.balken[1]), umriss(bild.balken[2]),
            geordnet(bild.gelenke[0]), geordnet(bild.gelenke[1])};
}

std::vector<Kasten> bewegteTeile(const Fluegelbild& vorher, const Fluegelbild& nachher)
{
    const std::array<bool, 5> bewegt{
        vorher.balken[0] != nachher.balken[0], vorher.balken[1] != nachher.balken[1],
        vorher.balken[2] != nachher.balken[2], vorher.gelenke[0] != nachher.gelenke[0],
        vorher.gelenke[1] != nachher.gelenke[1]};
    const std::array<Kasten, 5> alt = umrisse(vorher);
    const std::array<Kasten, 5> neu = umrisse(nachher);
    std::vector<Kasten> teile;
    for (std::size_t i = 0; i < bewegt.size(); ++i) {
        if (bewegt[i]) {
            teile.push_back(alt[i]);
            teile.push_back(neu[i]);
        }
    }
    return teile;
}
