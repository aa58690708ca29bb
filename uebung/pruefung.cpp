#include "uebung/pruefung.h"

#include "signal/zufall.h"

#include <numeric>
#include <utility>

std::vector<std::size_t> mischfolge(Zufall& zufall, std::size_t n, int anzahl)
{
    std::vector<std::size_t> folge;
    if (n == 0 || anzahl <= 0)
        return folge;
    folge.reserve(static_cast<std::size_t>(anzahl));
    std::vector<std::size_t> runde(n);
    while (folge.size() < static_cast<std::size_t>(anzahl)) {
        std::iota(runde.begin(), runde.end(), std::size_t{0});
        // Fisher-Yates from the back, with our own mapping to a range.
        for (std::size_t i = n - 1; i > 0; --i)
            std::swap(runde[i], runde[zufall.unter(i + 1)]);
        if (n > 1 && !folge.empty() && runde.front() == folge.back())
            std::swap(runde[0], runde[1]);
        for (std::size_t i = 0; i < n && folge.size() < static_cast<std::size_t>(anzahl); ++i)
            folge.push_back(runde[i]);
    }
    return folge;
}

std::string pruefungsfolge(std::uint64_t startwert, Uebungssatz satz, int anzahl)
{
    Zufall zufall(startwert);
    const std::string_view zeichen = zeichenVon(satz);
    std::string folge;
    for (const std::size_t i : mischfolge(zufall, zeichen.size(), anzahl))
        folge += zeichen[i];
    return folge;
}

std::vector<std::size_t> pruefungsWoerter(std::uint64_t startwert, std::size_t woerter, int anzahl)
{
    Zufall zufall(startwert);
    return mischfolge(zufall, woerter, anzahl);
}
