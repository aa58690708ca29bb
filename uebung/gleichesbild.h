#pragma once

#include "signal/alphabet.h"
#include "signal/signalcode.h"
#include "signal/stellung.h"

#include <array>

// Whether two positions draw the same picture, so that a signal set by hand counts however its
// angles are written: angles that differ by whole turns are the same (225 and -135), and turning
// the regulator half round while the indicators swap ends changes nothing either, since the
// indicators keep their directions on screen: (0, a, b) draws like (180, b, a).
bool gleichesBild(const Stellung& a, const Stellung& b);

// The signals of the alphabet's characters as the code gives them, in the alphabet's order:
// read once where many pictures are to be named.
using Alphabetsignale = std::array<Stellung, alphabet.size()>;
Alphabetsignale alphabetsignale(const Codezeilen& code);

// The character whose signal `stellung` draws, or '?' for none.
char zeichenDesBildes(const Stellung& stellung, const Alphabetsignale& signale);
char zeichenDesBildes(const Stellung& stellung, const Codezeilen& code);
