#pragma once

#include <functional>
#include <optional>

// What the main window holds back while its telegraph turns, to be done once it stands: the
// character chosen last on the grid, one tick of the playback, and the scene's menu or one of
// its commands. A choice on the grid wins over a tick, starting or stopping the playback
// forgets the tick, and the menu waits for a chosen character but not for the playback, whose
// characters may follow one another closer than the telegraph turns.
class Zurueckgestellt {
public:
    // A character chosen on the grid; a choice made earlier and a tick are forgotten.
    void gewaehlt(char zeichen);
    // A tick of the playback; more than one count as one.
    void getickt() { tick_ = true; }
    // The playback started or stopped: its next character comes with its own next tick.
    void umgeschaltet() { tick_ = false; }
    // The menu or a command asked for; the latest wins.
    void danach(std::function<void()> befehl) { befehl_ = std::move(befehl); }
    // The window closed: nothing of it is done.
    void vergiss();

    // Taken out one at a time once the telegraph stands, in this order: the chosen character,
    // then the command, then whether a tick came.
    std::optional<char> nimmZeichen();
    bool nimmTick();
    std::function<void()> nimmBefehl();

private:
    std::optional<char> zeichen_;
    bool tick_ = false;
    std::function<void()> befehl_;
};
