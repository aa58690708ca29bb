#pragma once

#include "stellung.h"

#include <vector>

// The frames of a movement from the position the telegraph stands in to a new one. The beams
// turn one after the other (regulator, first indicator, second indicator), one degree per
// frame, each the short way round; a beam's last step of up to two degrees is not shown as a
// frame of its own, it is taken when the next beam starts or in the final drawing.
std::vector<Stellung> bewegungsplan(const Stellung& von, const Stellung& nach);

// A difference of angles brought into -180 ... 180; exactly +180 and -180 stay as they are,
// so they turn the positive and the negative way.
int kurzerWeg(int differenz);
