#include "linie/linienablauf.h"

#include "bedienung/bewegung.h"

Linienablauf::Linienablauf(Linienplan plan, int stationen)
    : plan_(std::move(plan)), laufend_(static_cast<std::size_t>(stationen))
{}

std::vector<Linienablauf::Aenderung> Linienablauf::naechstesBild()
{
    std::vector<Aenderung> aenderungen;
    if (fertig())
        return aenderungen;
    const auto& bewegungen = plan_.bewegungen;
    // A station's frame now, or the signal it has come to stand in.
    const auto zeige = [&](std::optional<Laufend>& l) {
        const Linienbewegung& b = bewegungen[l->bewegung];
        const auto frame = static_cast<std::size_t>((zeit_ - b.beginn) / bewegungsTakt);
        if (frame < l->frames.size()) {
            aenderungen.push_back({b.station, l->frames[frame], std::nullopt});
            return;
        }
        // On its way through the separating position a station stands in no character.
        const bool zeichen = b.steht != '\0';
        aenderungen.push_back({b.station, b.nach, zeichen ? std::optional(b.steht) : std::nullopt});
        if (zeichen && b.station + 1 == static_cast<int>(laufend_.size()))
            ++angekommen_;
        l.reset();
    };
    // A station whose next movement begins the moment the last one ends stands first.
    while (naechsteBewegung_ < bewegungen.size() && bewegungen[naechsteBewegung_].beginn <= zeit_) {
        const Linienbewegung& b = bewegungen[naechsteBewegung_];
        std::optional<Laufend>& l = laufend_[static_cast<std::size_t>(b.station)];
        if (l)
            zeige(l);
        l = Laufend{naechsteBewegung_, bewegungsplan(b.von, b.nach)};
        ++naechsteBewegung_;
    }
    for (std::optional<Laufend>& l : laufend_) {
        if (l)
            zeige(l);
    }
    zeit_ += bewegungsTakt;
    ueberspringeRuhe();
    return aenderungen;
}

// While every station stands (an operator reading), no frame would show anything new: the next
// frame is the first one at or after the next movement's start, or the one that ends the course.
void Linienablauf::ueberspringeRuhe()
{
    for (const std::optional<Laufend>& l : laufend_) {
        if (l)
            return;
    }
    const std::chrono::milliseconds naechste = naechsteBewegung_ < plan_.bewegungen.size()
                                                   ? plan_.bewegungen[naechsteBewegung_].beginn
                                                   : plan_.dauer + bewegungsTakt;
    if (naechste <= zeit_)
        return;
    // Frames keep their places on the pace's grid, as if every frame between had been shown.
    zeit_ =
        (naechste + bewegungsTakt - std::chrono::milliseconds(1)) / bewegungsTakt * bewegungsTakt;
}
