#pragma once

#include "signal/stellung.h"

// Whether two positions draw the same picture, so that a signal set by hand counts however its
// angles are written: angles that differ by whole turns are the same (225 and -135), and turning
// the regulator half round while the indicators swap ends changes nothing either, since the
// indicators keep their directions on screen: (0, a, b) draws like (180, b, a).
bool gleichesBild(const Stellung& a, const Stellung& b);
