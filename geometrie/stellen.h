#pragma once

#include "geometrie/geometrie.h"
#include "signal/stellung.h"

#include <optional>

// Setting a signal by hand, as the trainer asks it: turning a beam by keys, dragging a beam
// with the mouse, and finding the part of a beam under a press. Every beam moves in steps of
// 45 degrees; an angle set here lies from -135 to 180.

enum class Balken { Regulator, Indikator1, Indikator2 };

// Where a beam can be taken hold of: the regulator by either end (E1, where the first
// indicator hangs, or E2), an indicator by its tip.
enum class Griff { ReglerE1, ReglerE2, Spitze1, Spitze2 };

// How far from a handle a press still takes hold of it, in pixels.
inline constexpr double griffRadius = 14;

// `stellung` with `balken` turned by `schritte` steps of 45 degrees, clockwise on screen for
// positive steps (the Right key), counter-clockwise for negative ones (the Left key).
Stellung drehe(const Stellung& stellung, Balken balken, int schritte);

// The handle under a press at (x, y) in scene pixels, if any: an indicator's tip is the last
// stretch of its bar, from the beam's end point to the bar's end; a regulator end is its joint.
// A press near both an indicator's tip and a regulator end takes the tip.
std::optional<Griff> griffAn(const Stellung& stellung, const Drehpunkt& drehpunkt, double x,
                             double y);

// `stellung` while `griff` is dragged to (x, y) in scene pixels: the beam turns about its hinge
// (the pivot, or the regulator end an indicator hangs on) to point at the pointer, at the
// nearest multiple of 45 degrees. The other beams keep their angles; a pointer right on the
// hinge changes nothing.
Stellung rasteEin(const Stellung& stellung, const Drehpunkt& drehpunkt, Griff griff, double x,
                  double y);
