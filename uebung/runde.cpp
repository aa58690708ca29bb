#include "uebung/runde.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

struct Stand {
    int richtig = 0;
    int von = 0;
    std::chrono::milliseconds zeit{0};
    int anzahl = 0;
};

} // namespace

Rundenergebnis rundenergebnis(const std::vector<Antwort>& antworten)
{
    Rundenergebnis ergebnis;
    std::map<QString, Stand> jeFrage;
    for (const Antwort& a : antworten) {
        ergebnis.richtig += a.richtig;
        ergebnis.von += a.von;
        Stand& s = jeFrage[a.gefragt];
        s.richtig += a.richtig;
        s.von += a.von;
        s.zeit += a.zeit;
        ++s.anzahl;
    }
    if (ergebnis.von > 0)
        ergebnis.prozent = static_cast<int>(std::lround(100.0 * ergebnis.richtig / ergebnis.von));

    std::vector<std::pair<QString, Stand>> falsch;
    for (const auto& [frage, s] : jeFrage) {
        if (s.richtig < s.von)
            falsch.emplace_back(frage, s);
    }
    // A smaller share right first (compared without division), then a longer time per answer.
    std::stable_sort(falsch.begin(), falsch.end(), [](const auto& a, const auto& b) {
        const long long links = static_cast<long long>(a.second.richtig) * b.second.von;
        const long long rechts = static_cast<long long>(b.second.richtig) * a.second.von;
        if (links != rechts)
            return links < rechts;
        return a.second.zeit.count() * b.second.anzahl > b.second.zeit.count() * a.second.anzahl;
    });
    for (std::size_t i = 0; i < falsch.size() && i < 3; ++i)
        ergebnis.schwerste.push_back(falsch[i].first);
    return ergebnis;
}
