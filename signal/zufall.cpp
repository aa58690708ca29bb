#include "signal/zufall.h"

std::uint64_t Zufall::naechste()
{
    zustand += 0x9E3779B97F4A7C15u;
    std::uint64_t z = zustand;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

std::uint64_t Zufall::unter(std::uint64_t grenze)
{
    if (grenze == 0)
        return 0;
    // Numbers below 2^64 mod grenze would make the low results a little more likely than the
    // others; they are drawn again.
    const std::uint64_t zuWenig = (0 - grenze) % grenze;
    std::uint64_t zahl = naechste();
    while (zahl < zuWenig)
        zahl = naechste();
    return zahl % grenze;
}
