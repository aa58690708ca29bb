#include "signal/signalcode.h"

#include <charconv>
#include <utility>
#include <vector>

namespace {

char grossbuchstabe(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Where `zeichen` stands in the alphabet, regardless of letter case.
std::size_t stelleImAlphabet(char zeichen)
{
    return alphabet.find(grossbuchstabe(zeichen));
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

// The text's lines, without their line breaks.
std::vector<std::string_view> zeilenAus(std::string_view text)
{
    std::vector<std::string_view> zeilen;
    while (!text.empty()) {
        const std::size_t ende = text.find('\n');
        std::string_view zeile = text.substr(0, ende);
        if (!zeile.empty() && zeile.back() == '\r')
            zeile.remove_suffix(1);
        zeilen.push_back(zeile);
        if (ende == std::string_view::npos)
            break;
        text.remove_prefix(ende + 1);
    }
    return zeilen;
}

// The picture a position draws as one number: angles taken modulo a whole turn, and a regulator
// turned half round with its indicators swapped counted as the same, as gleichesBild has it.
std::int64_t bildnummer(const Stellung& s)
{
    const auto voll = [](int winkel) { return ((winkel % 360) + 360) % 360; };
    int regulator = voll(s.regulator), erster = voll(s.indikator1), zweiter = voll(s.indikator2);
    if (regulator >= 180) {
        regulator -= 180;
        std::swap(erster, zweiter);
    }
    return (std::int64_t{regulator} * 360 + erster) * 360 + zweiter;
}

} // namespace

Signalcode::Signalcode(std::string_view text)
{
    const std::vector<std::string_view> zeilen = zeilenAus(text);
    for (std::size_t i = 0; i + 3 < zeilen.size(); ++i) {
        if (zeilen[i].size() != 2 || zeilen[i][0] != '[')
            continue;
        const std::size_t stelle = stelleImAlphabet(zeilen[i][1]);
        if (stelle == std::string_view::npos || bekannt_[stelle])
            continue;
        signale_[stelle] = {winkelAus(zeilen[i + 1]), winkelAus(zeilen[i + 2]),
                            winkelAus(zeilen[i + 3])};
        bekannt_[stelle] = true;
        bilder_[stelle] = bildnummer(signale_[stelle]);
    }
}

Stellung Signalcode::stellung(char zeichen) const
{
    const std::size_t stelle = stelleImAlphabet(zeichen);
    if (stelle == std::string_view::npos || !bekannt_[stelle])
        return ruhestellung;
    return signale_[stelle];
}

char Signalcode::zeichenDesBildes(const Stellung& bild) const
{
    const std::int64_t nummer = bildnummer(bild);
    for (std::size_t i = 0; i < alphabet.size(); ++i) {
        if (bekannt_[i] && bilder_[i] == nummer)
            return alphabet[i];
    }
    return '?';
}
