#include "linie/linienplan.h"

#include "bedienung/bewegung.h"
#include "signal/gleichesbild.h"
#include "signal/zufall.h"

#include <algorithm>
#include <array>

namespace {

// What an operator sees of `gezeigt`: with the chance of a misread, one beam 45 degrees off.
Stellung abgelesen(const Stellung& gezeigt, int fehlerProzent, Zufall& zufall)
{
    if (static_cast<int>(zufall.unter(100)) >= fehlerProzent)
        return gezeigt;
    static constexpr std::array<int Stellung::*, 3> balken{
        &Stellung::regulator, &Stellung::indikator1, &Stellung::indikator2};
    // The direction is drawn before the beam: a seed gives the line it has always given.
    const int um = zufall.unter(2) == 0 ? 45 : -45;
    Stellung gesehen = gezeigt;
    gesehen.*balken[zufall.unter(balken.size())] += um;
    return gesehen;
}

} // namespace

Linienplan linienplan(const Linienwahl& wahl, const Signalcode& code)
{
    using std::chrono::milliseconds;
    Linienplan plan;
    const int n = std::clamp(wahl.stationen, wenigsteStationen, meisteStationen);
    Zufall zufall(wahl.startwert);
    std::vector<Stellung> steht(static_cast<std::size_t>(n), ruhestellung);
    // When each station stood in the character before, the one now on its way.
    std::vector<milliseconds> vorher(static_cast<std::size_t>(n), milliseconds(0));
    plan.bewegungen.reserve(wahl.nachricht.size() * static_cast<std::size_t>(n));
    for (int i = 0; i < static_cast<int>(wahl.nachricht.size()); ++i) {
        std::vector<milliseconds> jetzt(static_cast<std::size_t>(n));
        const char zeichen = wahl.nachricht[static_cast<std::size_t>(i)];
        Stellung gesehen = winkelholen(code, zeichen);
        for (int k = 0; k < n; ++k) {
            const auto s = static_cast<std::size_t>(k);
            milliseconds beginn = vorher[s];
            if (k > 0) {
                gesehen = abgelesen(gesehen, wahl.fehlerProzent, zufall);
                beginn = std::max(beginn, jetzt[s - 1] + wahl.ablesezeit);
            }
            // The station after it has repeated the character before.
            if (i > 0 && k + 1 < n)
                beginn = std::max(beginn, vorher[s + 1]);
            const milliseconds ende = beginn + bewegungsdauer(steht[s], gesehen);
            plan.bewegungen.push_back(
                {k, i, steht[s], gesehen, beginn, ende, code.zeichenDesBildes(gesehen)});
            steht[s] = gesehen;
            jetzt[s] = ende;
        }
        vorher = jetzt;
        plan.empfangen += plan.bewegungen.back().steht; // the last station's
        plan.dauer = std::max(plan.dauer, jetzt.back());
    }
    std::stable_sort(
        plan.bewegungen.begin(), plan.bewegungen.end(),
        [](const Linienbewegung& a, const Linienbewegung& b) { return a.beginn < b.beginn; });
    return plan;
}
