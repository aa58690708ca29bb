#pragma once

#include "linie/linienplan.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// The record of a line's run for the teacher: which character each station set for each
// character of the message, where a character first went wrong, and when each station moved
// for it. Worked out once from the course, so that a table and a chart only look it up.
class Linienprotokoll {
public:
    using ms = std::chrono::milliseconds;

    // One station's part in one character: the picture it came to stand in, read as a character
    // ('?' for a picture that is no character's), and from when its first movement for the
    // character began until its last one ended.
    struct Eintrag {
        char gesetzt = '?';
        ms beginn{0};
        ms ende{0};
    };

    // One cell of the record, by the character's and the station's index, counted from 0.
    struct Zelle {
        int zeichen = 0;
        int station = 0;
        friend bool operator==(const Zelle&, const Zelle&) = default;
    };

    Linienprotokoll() = default;
    // `nachricht` is the text the course was worked out for, with `stationen` stations.
    Linienprotokoll(const std::string& nachricht, int stationen, const Linienplan& plan,
                    const Signalcode& code);

    int zeichen() const { return static_cast<int>(gesendet_.size()); }
    int stationen() const { return stationen_; }
    ms dauer() const { return dauer_; }

    char gesendet(int zeichen) const { return gesendet_[static_cast<std::size_t>(zeichen)]; }
    const Eintrag& eintrag(int zeichen, int station) const
    {
        return eintraege_[static_cast<std::size_t>(zeichen * stationen_ + station)];
    }
    // The first station whose picture differs from the sent character's; none while every
    // station showed it.
    std::optional<int> ersteFalsche(int zeichen) const
    {
        const int s = ersteFalsche_[static_cast<std::size_t>(zeichen)];
        return s < 0 ? std::nullopt : std::optional<int>(s);
    }
    // A cell is known once its station stands in it.
    bool bekannt(Zelle z, ms zeit) const { return eintrag(z.zeichen, z.station).ende <= zeit; }

    // The cells that became known after `von` up to and including `bis`, in the order they did.
    std::vector<Zelle> neuBekannt(ms von, ms bis) const;

private:
    std::string gesendet_;
    int stationen_ = 0;
    ms dauer_{0};
    std::vector<Eintrag> eintraege_; // by character, then station
    std::vector<int> ersteFalsche_;  // a station's index, or -1
    std::vector<Zelle> nachEnde_;    // every cell, in the order it became known
};
