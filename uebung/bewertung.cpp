#include "uebung/bewertung.h"

#include "bedienung/normalisieren.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace {

// Levenshtein distance, one row of the table at a time.
std::size_t bearbeitungen(const std::string& von, const std::string& nach)
{
    std::vector<std::size_t> zeile(nach.size() + 1);
    std::iota(zeile.begin(), zeile.end(), std::size_t{0});
    for (std::size_t i = 1; i <= von.size(); ++i) {
        std::size_t diagonal = zeile[0];
        zeile[0] = i;
        for (std::size_t j = 1; j <= nach.size(); ++j) {
            const std::size_t oben = zeile[j];
            zeile[j] = std::min(
                {oben + 1, zeile[j - 1] + 1, diagonal + (von[i - 1] == nach[j - 1] ? 0 : 1)});
            diagonal = oben;
        }
    }
    return zeile.back();
}

} // namespace

Lesewertung bewertung(const QString& gesendet, const QString& gelesen)
{
    const std::string soll = normalisieren(gesendet);
    const std::string ist = normalisieren(gelesen);
    // The distance is the same either way; the table's row runs over the short sent text, so
    // a pasted page costs no more memory than a word.
    const std::size_t fehler = bearbeitungen(ist, soll);
    const std::size_t richtig = soll.size() > fehler ? soll.size() - fehler : 0;
    return {static_cast<int>(soll.size()), static_cast<int>(richtig)};
}

bool richtigErkannt(char gezeigt, const QString& eingabe)
{
    return normalisieren(eingabe) == std::string(1, gezeigt);
}
