#include "bedienung/zurueckgestellt.h"

#include <utility>

void Zurueckgestellt::gewaehlt(char zeichen)
{
    zeichen_ = zeichen;
    tick_ = false;
}

void Zurueckgestellt::vergiss()
{
    zeichen_.reset();
    tick_ = false;
    befehl_ = nullptr;
}

std::optional<char> Zurueckgestellt::nimmZeichen()
{
    return std::exchange(zeichen_, std::nullopt);
}

bool Zurueckgestellt::nimmTick()
{
    return std::exchange(tick_, false);
}

std::function<void()> Zurueckgestellt::nimmBefehl()
{
    return std::exchange(befehl_, nullptr);
}
