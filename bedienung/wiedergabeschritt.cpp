#include "bedienung/wiedergabeschritt.h"

#include <cmath>

Wiedergabeschritt naechsterSchritt(std::string_view nachricht, int position)
{
    if (nachricht.empty())
        return {};
    int naechste = position + 1;
    if (naechste > static_cast<int>(nachricht.size()) || naechste < 1)
        naechste = 1;
    return {naechste, nachricht[static_cast<std::size_t>(naechste - 1)]};
}

int abstandMs(double sekunden)
{
    return static_cast<int>(std::lround(sekunden * 1000));
}
