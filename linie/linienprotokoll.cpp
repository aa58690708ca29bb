#include "linie/linienprotokoll.h"

#include "signal/gleichesbild.h"

#include <algorithm>

Linienprotokoll::Linienprotokoll(const std::string& nachricht, int stationen,
                                 const Linienplan& plan, const Signalcode& code)
    : gesendet_(nachricht), stationen_(stationen), dauer_(plan.dauer),
      eintraege_(nachricht.size() * static_cast<std::size_t>(stationen)),
      ersteFalsche_(nachricht.size(), -1)
{
    // A station may move more than once for a character (through the separating position
    // first); the character's cell spans them all and shows where the last one stood.
    std::vector<Stellung> bild(eintraege_.size(), ruhestellung);
    std::vector<bool> bewegt(eintraege_.size(), false);
    for (const Linienbewegung& b : plan.bewegungen) {
        if (b.zeichen < 0 || b.zeichen >= zeichen() || b.station < 0 || b.station >= stationen)
            continue;
        const auto i = static_cast<std::size_t>(b.zeichen * stationen + b.station);
        Eintrag& e = eintraege_[i];
        e.beginn = bewegt[i] ? std::min(e.beginn, b.beginn) : b.beginn;
        if (!bewegt[i] || b.ende >= e.ende) {
            e.ende = b.ende;
            bild[i] = b.nach;
        }
        bewegt[i] = true;
    }
    for (int z = 0; z < zeichen(); ++z) {
        const Stellung gesandt = winkelholen(code, gesendet(z));
        for (int s = 0; s < stationen; ++s) {
            const auto i = static_cast<std::size_t>(z * stationen + s);
            eintraege_[i].gesetzt = code.zeichenDesBildes(bild[i]);
            if (ersteFalsche_[static_cast<std::size_t>(z)] < 0 && !gleichesBild(bild[i], gesandt))
                ersteFalsche_[static_cast<std::size_t>(z)] = s;
            nachEnde_.push_back({z, s});
        }
    }
    std::stable_sort(nachEnde_.begin(), nachEnde_.end(), [this](Zelle a, Zelle b) {
        return eintrag(a.zeichen, a.station).ende < eintrag(b.zeichen, b.station).ende;
    });
}

std::vector<Linienprotokoll::Zelle> Linienprotokoll::neuBekannt(ms von, ms bis) const
{
    const auto ende = [this](Zelle z) { return eintrag(z.zeichen, z.station).ende; };
    // Both ends found by halving: a long message's table asks at every standing station.
    const auto erste = std::partition_point(nachEnde_.begin(), nachEnde_.end(),
                                            [&](Zelle z) { return ende(z) <= von; });
    const auto letzte =
        std::partition_point(erste, nachEnde_.end(), [&](Zelle z) { return ende(z) <= bis; });
    return {erste, letzte};
}
