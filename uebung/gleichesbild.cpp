#include "uebung/gleichesbild.h"

namespace {

int vollerKreis(int winkel)
{
    const int rest = winkel % 360;
    return rest < 0 ? rest + 360 : rest;
}

bool gleicherWinkel(int a, int b)
{
    return vollerKreis(a) == vollerKreis(b);
}

} // namespace

bool gleichesBild(const Stellung& a, const Stellung& b)
{
    if (gleicherWinkel(a.regulator, b.regulator))
        return gleicherWinkel(a.indikator1, b.indikator1) &&
               gleicherWinkel(a.indikator2, b.indikator2);
    return gleicherWinkel(vollerKreis(a.regulator) + 180, b.regulator) &&
           gleicherWinkel(a.indikator1, b.indikator2) && gleicherWinkel(a.indikator2, b.indikator1);
}

Alphabetsignale alphabetsignale(const Codezeilen& code)
{
    Alphabetsignale signale;
    for (std::size_t i = 0; i < alphabet.size(); ++i)
        signale[i] = winkelholen(code, alphabet[i]);
    return signale;
}

char zeichenDesBildes(const Stellung& stellung, const Alphabetsignale& signale)
{
    for (std::size_t i = 0; i < alphabet.size(); ++i) {
        if (gleichesBild(signale[i], stellung))
            return alphabet[i];
    }
    return '?';
}

char zeichenDesBildes(const Stellung& stellung, const Codezeilen& code)
{
    return zeichenDesBildes(stellung, alphabetsignale(code));
}
