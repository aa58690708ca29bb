#include "bedienung/bewegung.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

// The beams in the order they turn.
constexpr std::array<int Stellung::*, 3> balken{&Stellung::regulator, &Stellung::indikator1,
                                                &Stellung::indikator2};

} // namespace

int kurzerWeg(int d)
{
    // Table angles differ by at most 450 degrees, but any difference may arrive here.
    d %= 360;
    if (d < -180)
        d += 360;
    if (d > 180)
        d -= 360;
    return d;
}

std::vector<Stellung> bewegungsplan(const Stellung& von, const Stellung& nach)
{
    std::vector<Stellung> frames;
    Stellung gezeigt = von;
    for (int Stellung::*winkel : balken) {
        const int d = kurzerWeg(nach.*winkel - von.*winkel);
        if (d != 0) {
            const int richtung = d > 0 ? 1 : -1;
            int n = richtung;
            do {
                gezeigt.*winkel = von.*winkel + n;
                frames.push_back(gezeigt);
                n += richtung;
            } while (std::abs(n - d) >= 2);
        }
        gezeigt.*winkel = nach.*winkel;
    }
    return frames;
}

std::chrono::milliseconds bewegungsdauer(const Stellung& von, const Stellung& nach)
{
    int frames = 0;
    for (int Stellung::*winkel : balken) {
        // One frame a degree, less the last step of up to two; always one for a turning beam.
        if (const int d = std::abs(kurzerWeg(nach.*winkel - von.*winkel)); d != 0)
            frames += std::max(1, d - 2);
    }
    return frames * bewegungsTakt;
}
