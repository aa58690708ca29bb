#include "signal/gleichesbild.h"

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
