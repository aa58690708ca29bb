#pragma once

#include "signal/stellung.h"

#include <chrono>
#include <vector>

// The frames of a movement from the position the telegraph stands in to a new one. The beams
// turn one after the other (regulator, first indicator, second indicator), one degree per
// frame, each the short way round; a beam's last step of up to two degrees is not shown as a
// frame of its own, it is taken when the next beam starts or in the final drawing.
std::vector<Stellung> bewegungsplan(const Stellung& von, const Stellung& nach);

// A difference of angles brought into -180 ... 180; exactly +180 and -180 stay as they are,
// so they turn the positive and the negative way.
int kurzerWeg(int differenz);

// The movement's pace: frame k of a movement is shown k times this after the movement starts.
// Drawing a frame takes a fraction of a millisecond, so without a pace a movement would be over
// before the eye could follow it, and its speed would depend on how busy the machine is. At this
// pace rest to "A" takes about 1.4 s and the longest change of signal about 2.1 s.
inline constexpr std::chrono::milliseconds bewegungsTakt{4};

// How long that movement takes at the pace, counted without making its frames: a line's course
// over a long message holds a quarter of a million movements.
std::chrono::milliseconds bewegungsdauer(const Stellung& von, const Stellung& nach);
