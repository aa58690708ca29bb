#include "uebung/naechstefrage.h"

#include "signal/zufall.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// How often a character of each box is drawn, relative to the others.
constexpr std::array<int, letzterKasten> gewichte{16, 8, 4, 2, 1};

bool wartet(const Uebungsverlauf& verlauf, char zeichen)
{
    return std::any_of(verlauf.wiederholungen.begin(), verlauf.wiederholungen.end(),
                       [zeichen](const auto& w) { return w.zeichen == zeichen; });
}

char gewichtetGezogen(const std::string& zeichen, const Lernstand& stand, Zufall& zufall)
{
    const auto gewicht = [&stand](char c) {
        const auto kasten = stand.kaesten.find(c);
        const int k = kasten == stand.kaesten.end() ? ersterKasten : kasten->second;
        return gewichte[static_cast<std::size_t>(std::clamp(k, ersterKasten, letzterKasten) - 1)];
    };
    std::uint64_t summe = 0;
    for (const char c : zeichen)
        summe += static_cast<std::uint64_t>(gewicht(c));
    auto los = static_cast<std::int64_t>(zufall.unter(summe));
    for (const char c : zeichen) {
        los -= gewicht(c);
        if (los < 0)
            return c;
    }
    return zeichen.back();
}

} // namespace

char naechsteFrage(const Lernstand& stand, Uebungssatz satz, Uebungsverlauf& verlauf,
                   Zufall& zufall)
{
    const std::string moegliche = gefragteZeichen(stand, satz);
    const int nummer = verlauf.gestellt + 1;
    auto& wiederholungen = verlauf.wiederholungen;
    const auto faellig =
        std::min_element(wiederholungen.begin(), wiederholungen.end(),
                         [](const auto& a, const auto& b) { return a.frage < b.frage; });

    char frage = '\0';
    if (faellig != wiederholungen.end() && faellig->frage <= nummer &&
        faellig->zeichen != verlauf.zuletzt) {
        frage = faellig->zeichen;
    } else if (!moegliche.empty()) {
        // Widen the choice step by step only where nothing else is left: waiting characters
        // (but not one missed the question before last, which would come back after only one
        // other), then the last one.
        std::string auswahl;
        for (const char c : moegliche) {
            if (c != verlauf.zuletzt && !wartet(verlauf, c))
                auswahl += c;
        }
        if (auswahl.empty())
            std::copy_if(
                moegliche.begin(), moegliche.end(), std::back_inserter(auswahl),
                [&verlauf](char c) { return c != verlauf.zuletzt && c != verlauf.vorletzt; });
        if (auswahl.empty())
            std::copy_if(moegliche.begin(), moegliche.end(), std::back_inserter(auswahl),
                         [&verlauf](char c) { return c != verlauf.zuletzt; });
        if (auswahl.empty())
            auswahl = moegliche;
        frage = gewichtetGezogen(auswahl, stand, zufall);
    }

    // A character asked earlier than planned has come back already.
    std::erase_if(wiederholungen, [frage](const auto& w) { return w.zeichen == frage; });
    verlauf.gestellt = nummer;
    verlauf.vorletzt = std::exchange(verlauf.zuletzt, frage);
    return frage;
}

void vermerkeFehler(Uebungsverlauf& verlauf, Zufall& zufall)
{
    if (verlauf.zuletzt == '\0' || wartet(verlauf, verlauf.zuletzt))
        return;
    // Only misses of the three questions before can wait for one of these four places, so
    // normally one is free.
    std::vector<int> frei;
    for (int andere = 2; andere <= 5; ++andere) {
        const int frage = verlauf.gestellt + andere + 1;
        if (std::none_of(verlauf.wiederholungen.begin(), verlauf.wiederholungen.end(),
                         [frage](const auto& w) { return w.frage == frage; }))
            frei.push_back(frage);
    }
    if (frei.empty())
        frei.push_back(verlauf.gestellt + 6);
    verlauf.wiederholungen.push_back(
        {verlauf.zuletzt, frei[static_cast<std::size_t>(zufall.unter(frei.size()))]});
}
