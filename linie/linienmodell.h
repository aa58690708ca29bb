#pragma once

#include "linie/linienplan.h"
#include "signal/signalcode.h"
#include "signal/zufall.h"

#include <chrono>
#include <optional>
#include <utility>
#include <vector>

// The line as its stations decide it, one event after another. A station sets the next
// character once the station before it stands in that character, its own last movement has
// ended, and the station after it has repeated the character before (that repeat is its
// acknowledgement). A simulated operator then reads for the reading time and turns to what he
// saw, misread now and then; a person turns when he passes his signal on. A station whose next
// picture draws like the one it shows goes through the separating position first, so that
// every character is seen to come. The first station sends the message and is never a person.
//
// Every misread is drawn for its character and station in the same order whoever decides
// first, so a line of simulated operators gives the same course for the same seed however it
// is worked out, and a person who leaves is replaced by an operator who misreads as the one
// who stood there from the start would have.
class Linienmodell {
public:
    using ms = std::chrono::milliseconds;

    Linienmodell(Linienwahl wahl, const Signalcode& code);

    int stationen() const { return static_cast<int>(stationen_.size()); }

    // Puts a person at `station` (1 to the last): his station waits for him from now on.
    void setMensch(int station);
    bool mensch(int station) const;

    // Decides every movement the simulated operators can decide now; on a line without a
    // person, the whole course. Returns the movements decided by this call, in the order they
    // start.
    std::vector<Linienbewegung> entscheide();

    // Why the person at `station` may not pass a signal on at `jetzt`, or Darf.
    enum class Warten { Darf, KeinMensch, Fertig, AufVorgaenger, AufBewegung, AufNachfolger };
    Warten warten(int station, ms jetzt) const;

    // The person at `station` passes `stellung` on at `jetzt`. Returns his movements (two when
    // he goes through the separating position) and those of the operators that this lets
    // decide; none when he may not pass on now.
    std::vector<Linienbewegung> weitergeben(int station, const Stellung& stellung, ms jetzt);

    // The person at `station` left at `jetzt`: a simulated operator takes his place from the
    // position his telegraph showed, starting no earlier than `jetzt`.
    // Returns the movements that this lets the operators decide.
    std::vector<Linienbewegung> ersetze(int station, ms jetzt);

    // Everything decided so far, the movements in the order they start.
    const Linienplan& plan() const { return plan_; }
    // The same, handed over without a copy; the model keeps an empty course.
    Linienplan gibPlanAb() { return std::exchange(plan_, {}); }
    // Whether every station has set every character.
    bool fertig() const;

private:
    struct Stationsstand {
        bool mensch = false;
        Stellung steht = ruhestellung; // the picture of its last movement decided
        int naechstes = 0;             // the character it sets next
        ms frei{0};                    // no movement of its own starts before this
        std::vector<ms> ende;          // when it came to stand in each character set
        std::vector<Stellung> gezeigt; // and in which picture
    };
    struct Fehlgriff {
        int balken = 0;
        int um = 0;
    };

    // When station `k`'s next character may start by the rules, if all it waits for is known.
    std::optional<ms> fruehesterBeginn(int k) const;
    bool entscheideNaechstes(int k, std::vector<Linienbewegung>& neu);
    void nimmAuf(std::vector<Linienbewegung>& neu);
    void setze(int k, const Stellung& bild, ms beginn, std::vector<Linienbewegung>& neu);
    std::optional<Fehlgriff> fehlgriff(int zeichen, int station);
    const Stationsstand& stand(int k) const { return stationen_[static_cast<std::size_t>(k)]; }

    Linienwahl wahl_;
    const Signalcode& code_;
    std::vector<Stationsstand> stationen_;
    Zufall zufall_;
    std::vector<std::optional<Fehlgriff>> fehlgriffe_; // drawn so far, character by character
    Linienplan plan_;
};
