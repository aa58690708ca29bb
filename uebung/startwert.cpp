#include "uebung/startwert.h"

std::optional<std::uint64_t> startwertAus(const QString& text)
{
    if (text.isEmpty() || text.size() > startwertStellen)
        return std::nullopt;
    std::uint64_t wert = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        wert = wert * 10 + static_cast<std::uint64_t>(c.unicode() - u'0');
    }
    return wert;
}
