#pragma once

#include <array>
#include <optional>
#include <string_view>

// The three exercises of the trainer: naming a shown signal, setting a named one, and reading
// a word as it is sent.
enum class Uebungsart { Erkennen, Stellen, Mitlesen };

// Each exercise with the name the window shows and the one the command line takes, in the
// order of the enum.
struct Uebungsname {
    Uebungsart art;
    std::string_view anzeige;
    std::string_view befehl;
};

inline constexpr std::array<Uebungsname, 3> uebungsarten{{
    {Uebungsart::Erkennen, "Erkennen", "erkennen"},
    {Uebungsart::Stellen, "Stellen", "stellen"},
    {Uebungsart::Mitlesen, "Mitlesen", "mitlesen"},
}};

// The exercise the command line names, if any.
constexpr std::optional<Uebungsart> uebungsartNamens(std::string_view befehl)
{
    for (const Uebungsname& u : uebungsarten) {
        if (u.befehl == befehl)
            return u.art;
    }
    return std::nullopt;
}
