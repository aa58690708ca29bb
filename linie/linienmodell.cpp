#include "linie/linienmodell.h"

#include "bedienung/bewegung.h"
#include "signal/gleichesbild.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace {

// The order in which movements start; of two that start together, the earlier character's
// first, then the earlier station's, and a station's way through the separating position
// before its turn to the character.
struct Frueher {
    bool operator()(const Linienbewegung& a, const Linienbewegung& b) const
    {
        return std::tuple(a.beginn, a.zeichen, a.station, a.steht != '\0') <
               std::tuple(b.beginn, b.zeichen, b.station, b.steht != '\0');
    }
};

} // namespace

Linienmodell::Linienmodell(Linienwahl wahl, const Signalcode& code)
    : wahl_(std::move(wahl)), code_(code), zufall_(wahl_.startwert)
{
    const int n = std::clamp(wahl_.stationen, wenigsteStationen, meisteStationenImNetz);
    stationen_.resize(static_cast<std::size_t>(n));
    for (Stationsstand& s : stationen_) {
        s.ende.reserve(wahl_.nachricht.size());
        s.gezeigt.reserve(wahl_.nachricht.size());
    }
    plan_.bewegungen.reserve(wahl_.nachricht.size() * static_cast<std::size_t>(n));
    fehlgriffe_.reserve(wahl_.nachricht.size() * static_cast<std::size_t>(n - 1));
}

void Linienmodell::setMensch(int station)
{
    if (station > 0 && station < stationen())
        stationen_[static_cast<std::size_t>(station)].mensch = true;
}

bool Linienmodell::mensch(int station) const
{
    return station >= 0 && station < stationen() && stand(station).mensch;
}

bool Linienmodell::fertig() const
{
    return std::all_of(stationen_.begin(), stationen_.end(), [&](const Stationsstand& s) {
        return s.naechstes == static_cast<int>(wahl_.nachricht.size());
    });
}

// The misreads are drawn character by character, station by station, each reading the same
// number of draws: none is left out because a person read in its place.
std::optional<Linienmodell::Fehlgriff> Linienmodell::fehlgriff(int zeichen, int station)
{
    const auto stelle =
        static_cast<std::size_t>(zeichen) * static_cast<std::size_t>(stationen() - 1) +
        static_cast<std::size_t>(station - 1);
    while (fehlgriffe_.size() <= stelle) {
        std::optional<Fehlgriff> f;
        if (static_cast<int>(zufall_.unter(100)) < wahl_.fehlerProzent) {
            // The direction is drawn before the beam: a seed gives the line it has always given.
            const int um = zufall_.unter(2) == 0 ? 45 : -45;
            f = Fehlgriff{static_cast<int>(zufall_.unter(3)), um};
        }
        fehlgriffe_.push_back(f);
    }
    return fehlgriffe_[stelle];
}

std::optional<Linienmodell::ms> Linienmodell::fruehesterBeginn(int k) const
{
    const Stationsstand& s = stand(k);
    const int i = s.naechstes;
    ms beginn = s.frei;
    if (k > 0) {
        const Stationsstand& vor = stand(k - 1);
        if (vor.naechstes <= i)
            return std::nullopt;
        const auto zeichen = static_cast<std::size_t>(i);
        beginn = std::max(beginn, vor.ende[zeichen] + (s.mensch ? ms(0) : wahl_.ablesezeit));
    }
    if (i > 0 && k + 1 < stationen()) {
        const Stationsstand& nach = stand(k + 1);
        if (nach.naechstes < i)
            return std::nullopt;
        beginn = std::max(beginn, nach.ende[static_cast<std::size_t>(i - 1)]);
    }
    return beginn;
}

bool Linienmodell::entscheideNaechstes(int k, std::vector<Linienbewegung>& neu)
{
    const Stationsstand& s = stand(k);
    const int i = s.naechstes;
    if (s.mensch || i >= static_cast<int>(wahl_.nachricht.size()))
        return false;
    const std::optional<ms> beginn = fruehesterBeginn(k);
    if (!beginn)
        return false;
    Stellung bild = winkelholen(code_, wahl_.nachricht[static_cast<std::size_t>(i)]);
    if (k > 0) {
        bild = stand(k - 1).gezeigt[static_cast<std::size_t>(i)];
        if (const std::optional<Fehlgriff> f = fehlgriff(i, k)) {
            static constexpr std::array<int Stellung::*, 3> balken{
                &Stellung::regulator, &Stellung::indikator1, &Stellung::indikator2};
            bild.*balken[static_cast<std::size_t>(f->balken)] += f->um;
        }
    }
    setze(k, bild, *beginn, neu);
    return true;
}

// Station `k` turns to `bild` for its next character from `beginn`, through the separating
// position where `bild` draws like the picture it shows.
void Linienmodell::setze(int k, const Stellung& bild, ms beginn, std::vector<Linienbewegung>& neu)
{
    Stationsstand& s = stationen_[static_cast<std::size_t>(k)];
    const int i = s.naechstes;
    if (gleichesBild(s.steht, bild) && !gleichesBild(bild, trennstellung)) {
        const ms ende = beginn + bewegungsdauer(s.steht, trennstellung);
        neu.push_back({k, i, s.steht, trennstellung, beginn, ende, '\0', s.mensch});
        s.steht = trennstellung;
        beginn = ende;
    }
    const ms ende = beginn + bewegungsdauer(s.steht, bild);
    const char zeichen = code_.zeichenDesBildes(bild);
    neu.push_back({k, i, s.steht, bild, beginn, ende, zeichen, s.mensch});
    s.steht = bild;
    s.frei = ende;
    s.ende.push_back(ende);
    s.gezeigt.push_back(bild);
    ++s.naechstes;
    if (k + 1 == stationen())
        plan_.empfangen += zeichen;
    plan_.dauer = std::max(plan_.dauer, ende);
}

std::vector<Linienbewegung> Linienmodell::entscheide()
{
    std::vector<Linienbewegung> neu;
    if (plan_.bewegungen.empty())
        neu.reserve(wahl_.nachricht.size() * stationen_.size());
    // Each pass lets every station go on as far as the others allow; a station's character
    // waits at most for its two neighbours, so the passes end.
    for (bool weiter = true; weiter;) {
        weiter = false;
        for (int k = 0; k < stationen(); ++k) {
            while (entscheideNaechstes(k, neu))
                weiter = true;
        }
    }
    nimmAuf(neu);
    return neu;
}

// Sorts newly decided movements and adds them to the course, which stays in the order of start.
void Linienmodell::nimmAuf(std::vector<Linienbewegung>& neu)
{
    std::sort(neu.begin(), neu.end(), Frueher());
    auto& alle = plan_.bewegungen;
    if (alle.empty()) {
        alle = neu;
        return;
    }
    const auto mitte = alle.insert(alle.end(), neu.begin(), neu.end());
    std::inplace_merge(alle.begin(), mitte, alle.end(), Frueher());
}

Linienmodell::Warten Linienmodell::warten(int station, ms jetzt) const
{
    if (!mensch(station))
        return Warten::KeinMensch;
    const Stationsstand& s = stand(station);
    const auto i = static_cast<std::size_t>(s.naechstes);
    if (i >= wahl_.nachricht.size())
        return Warten::Fertig;
    const Stationsstand& vor = stand(station - 1);
    if (vor.ende.size() <= i || vor.ende[i] > jetzt)
        return Warten::AufVorgaenger;
    if (s.frei > jetzt)
        return Warten::AufBewegung;
    if (i > 0 && station + 1 < stationen()) {
        const Stationsstand& nach = stand(station + 1);
        if (nach.ende.size() < i || nach.ende[i - 1] > jetzt)
            return Warten::AufNachfolger;
    }
    return Warten::Darf;
}

std::vector<Linienbewegung> Linienmodell::weitergeben(int station, const Stellung& stellung,
                                                      ms jetzt)
{
    if (warten(station, jetzt) != Warten::Darf)
        return {};
    std::vector<Linienbewegung> eigene;
    setze(station, stellung, jetzt, eigene);
    nimmAuf(eigene);
    std::vector<Linienbewegung> folgen = entscheide();
    eigene.insert(eigene.end(), folgen.begin(), folgen.end());
    return eigene;
}

std::vector<Linienbewegung> Linienmodell::ersetze(int station, ms jetzt)
{
    if (!mensch(station))
        return {};
    Stationsstand& s = stationen_[static_cast<std::size_t>(station)];
    s.mensch = false;
    s.frei = std::max(s.frei, jetzt);
    return entscheide();
}
