#pragma once

#include "bedienung/bewegung.h"
#include "linie/linienplan.h"

#include <optional>
#include <string_view>
#include <vector>

// Plays a line's course frame by frame at the movement's pace: frame g shows every station as
// it stands g times the pace after the first movement began, so each turning beam moves one
// degree a frame, as the telegraph's own movements do. What each station stands in, and what
// the last one receives, it takes from the course.
class Linienablauf {
public:
    Linienablauf(Linienplan plan, int stationen);

    // What changed at a station with a frame: the position it shows now, and, once a movement
    // has ended, the character it stands in (none after passing through the separating position)
    // ('?' for a picture that is no character's).
    struct Aenderung {
        int station = 0;
        Stellung bild;
        std::optional<char> steht;
    };

    // The next frame's changes; none once the course is over. While every station stands, the
    // frames that would show nothing new are left out.
    std::vector<Aenderung> naechstesBild();
    // The number of the frame `naechstesBild` gives next, counted from the first movement's
    // start at the pace: frame g shows the line g times the pace after it.
    long bildNummer() const { return static_cast<long>(zeit_ / bewegungsTakt); }
    bool fertig() const { return zeit_ > plan_.dauer; }
    // What the last station has shown so far, a character for each signal it stood in.
    std::string_view empfangen() const
    {
        return std::string_view(plan_.empfangen).substr(0, angekommen_);
    }
    // From the first movement until the last station stands in the last signal.
    std::chrono::milliseconds dauer() const { return plan_.dauer; }

private:
    void ueberspringeRuhe();

    // A station's movement under way and its frames.
    struct Laufend {
        std::size_t bewegung = 0;
        std::vector<Stellung> frames;
    };

    Linienplan plan_;
    std::size_t naechsteBewegung_ = 0; // the first of the plan's movements not yet begun
    std::vector<std::optional<Laufend>> laufend_;
    std::chrono::milliseconds zeit_{0};
    std::size_t angekommen_ = 0; // the characters the last station has stood in
};
