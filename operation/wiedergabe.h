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
