#pragma once

#include <string_view>

// One step of the message playback: the 1-based position of the character to show next and
// the character itself.
struct Wiedergabeschritt {
    int position = 0;
    char zeichen = ' ';
};

// The step after `position` in `nachricht`, starting again from the first character after
// the last. An empty message has nothing to show: it gives position 0 and the space, so that
// the telegraph rests and a message typed afterwards starts from its beginning.
Wiedergabeschritt naechsterSchritt(std::string_view nachricht, int position);

// The time between two sent characters, in seconds: from 1.0 to 4.0 in steps of a tenth, 1.5
// at start.
namespace abstand {
inline constexpr double kleinster = 1.0;
inline constexpr double groesster = 4.0;
inline constexpr double schritt = 0.1;
inline constexpr double anfang = 1.5;
} // namespace abstand

// The timer's interval for `sekunden`, in whole milliseconds, rounded.
int abstandMs(double sekunden);
