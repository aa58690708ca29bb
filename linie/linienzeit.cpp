#include "linie/linienzeit.h"

#include <algorithm>
#include <cstdio>

std::string dauerAlsText(std::chrono::milliseconds dauer)
{
    const long long ms = std::max<long long>(dauer.count(), 0);
    char text[48];
    // Rounded first, so that 59,97 s reads "1 min 00 s" and not "60,0 s".
    if (const long long zehntel = (ms + 50) / 100; zehntel < 600) {
        std::snprintf(text, sizeof text, "%lld,%lld s", zehntel / 10, zehntel % 10);
    } else if (const long long sekunden = (ms + 500) / 1000; sekunden < 3600) {
        std::snprintf(text, sizeof text, "%lld min %02lld s", sekunden / 60, sekunden % 60);
    } else {
        const long long minuten = (ms + 30000) / 60000;
        std::snprintf(text, sizeof text, "%lld h %02lld min", minuten / 60, minuten % 60);
    }
    return text;
}
