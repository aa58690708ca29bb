#include "uebung/lernstand.h"

#include "signal/alphabet.h"

#include <algorithm>

namespace {

bool imSatz(Uebungssatz satz, char zeichen)
{
    return zeichenVon(satz).find(zeichen) != std::string_view::npos;
}

// The next character of `satz` not met yet, in the order of introduction.
std::optional<char> naechstesNeues(const Lernstand& stand, Uebungssatz satz)
{
    for (const char c : einfuehrungsfolge) {
        if (imSatz(satz, c) && !stand.kaesten.contains(c))
            return c;
    }
    return std::nullopt;
}

std::size_t getroffene(const Lernstand& stand, Uebungssatz satz)
{
    return static_cast<std::size_t>(
        std::count_if(stand.kaesten.begin(), stand.kaesten.end(),
                      [satz](const auto& eintrag) { return imSatz(satz, eintrag.first); }));
}

} // namespace

std::string gefragteZeichen(const Lernstand& stand, Uebungssatz satz)
{
    std::string zeichen;
    for (const char c : zeichenVon(satz)) {
        if (stand.alleZeichen || stand.kaesten.contains(c))
            zeichen += c;
    }
    return zeichen;
}

void bereiteVor(Lernstand& stand, Uebungssatz satz)
{
    while (getroffene(stand, satz) < anfangsZeichen) {
        const std::optional<char> neu = naechstesNeues(stand, satz);
        if (!neu)
            return;
        stand.kaesten[*neu] = ersterKasten;
    }
}

std::optional<char> werteAus(Lernstand& stand, Uebungssatz satz, char zeichen, bool richtig)
{
    // Anything else would make the progress a file the program cannot read back.
    if (alphabet.find(zeichen) == std::string_view::npos)
        return std::nullopt;
    int& kasten = stand.kaesten.try_emplace(zeichen, ersterKasten).first->second;
    kasten = richtig ? std::min(kasten + 1, letzterKasten) : ersterKasten;

    stand.letzteAntworten.push_back(richtig);
    while (stand.letzteAntworten.size() > fensterLaenge)
        stand.letzteAntworten.pop_front();
    const auto richtige =
        std::count(stand.letzteAntworten.begin(), stand.letzteAntworten.end(), true);
    if (stand.alleZeichen || stand.letzteAntworten.size() < fensterLaenge ||
        richtige < richtigFuerNeuesZeichen)
        return std::nullopt;

    const std::optional<char> neu = naechstesNeues(stand, satz);
    if (neu) {
        stand.kaesten[*neu] = ersterKasten;
        stand.letzteAntworten.clear();
    }
    return neu;
}
