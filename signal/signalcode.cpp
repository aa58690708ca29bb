#include "signal/signalcode.h"

#include <charconv>
#include <string_view>

namespace {

char grossbuchstabe(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool gleichOhneGrossKlein(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (grossbuchstabe(a[i]) != grossbuchstabe(b[i]))
            return false;
    }
    return true;
}

// The table is our own embedded data and always well formed; a damaged line reads as 0
// rather than throwing inside an event handler.
int winkelAus(std::string_view zeile)
{
    while (!zeile.empty() && (zeile.front() == ' ' || zeile.front() == '+'))
        zeile.remove_prefix(1);
    int wert = 0;
    std::from_chars(zeile.data(), zeile.data() + zeile.size(), wert);
    return wert;
}

} // namespace

Codezeilen codezeilenAus(std::string_view text)
{
    Codezeilen zeilen;
    while (!text.empty()) {
        const std::size_t ende = text.find('\n');
        std::string_view zeile = text.substr(0, ende);
        if (!zeile.empty() && zeile.back() == '\r')
            zeile.remove_suffix(1);
        zeilen.emplace_back(zeile);
        if (ende == std::string_view::npos)
            break;
        text.remove_prefix(ende + 1);
    }
    return zeilen;
}

Stellung winkelholen(const Codezeilen& zeilen, char zeichen)
{
    const std::string schluessel{'[', zeichen};
    for (std::size_t i = 0; i + 3 < zeilen.size(); ++i) {
        if (gleichOhneGrossKlein(zeilen[i], schluessel))
            return {winkelAus(zeilen[i + 1]), winkelAus(zeilen[i + 2]), winkelAus(zeilen[i + 3])};
    }
    return ruhestellung;
}
