#pragma once

#include "signal/stellung.h"

#include <string>
#include <vector>

// The signal code: four text lines per character, a key line "[" + character followed by
// the regulator angle and the two indicator angles, each on a line of its own.
using Codezeilen = std::vector<std::string>;

// Splits the embedded code text into its lines (line breaks \n or \r\n).
Codezeilen codezeilenAus(std::string_view text);

// The position that sends `zeichen`. The key is found regardless of letter case; a character
// without an entry (J, the space, punctuation, ...) gives the rest position.
Stellung winkelholen(const Codezeilen& zeilen, char zeichen);
