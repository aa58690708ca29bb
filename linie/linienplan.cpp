#include "linie/linienplan.h"

#include "linie/linienmodell.h"

#include <algorithm>

Linienplan linienplan(const Linienwahl& wahl, const Signalcode& code)
{
    Linienwahl hier = wahl;
    hier.stationen = std::clamp(wahl.stationen, wenigsteStationen, meisteStationen);
    Linienmodell modell(std::move(hier), code);
    modell.entscheide();
    return modell.gibPlanAb();
}
