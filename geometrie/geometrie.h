#pragma once

#include "signal/stellung.h"

#include <array>
#include <vector>

// Where everything of the telegraph scene lies, worked out from the drawing area's size and
// the engraving's size alone. Plain values, so that a frame can be checked to the pixel
// without drawing it.

// The scene's size in the windows that show it, in pixels at scale 1.
inline constexpr int szeneBreite = 800;
inline constexpr int szeneHoehe = 694;

struct Punkt {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Punkt&, const Punkt&) = default;
};

// A rectangle or ellipse by two corners; it covers x1 up to but not including x2 (and the same
// for y), whichever corner is the smaller.
struct Kasten {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    friend constexpr bool operator==(const Kasten&, const Kasten&) = default;
};

using Balkenpolygon = std::array<Punkt, 4>;

// How far a beam's bar reaches beyond each of its two end points, in pixels.
inline constexpr int balkenUeberstand = 20;

// The pivot on screen and the beam lengths the arms are built from.
struct Drehpunkt {
    int px = 0;
    int py = 0;
    int R = 0; // half the regulator's length
    int L = 0; // an indicator's length
};

struct Szenenmasse {
    Punkt stich;   // top-left of the engraving
    Kasten sockel; // the ground slab
    Kasten mast;
    Drehpunkt drehpunkt;
    Kasten zapfen;      // the central pivot
    Punkt zeichenZelle; // top-left of the large character's cell
};

Szenenmasse szenenmasse(int breite, int hoehe, int stichBreite, int stichHoehe);

// The three beams (regulator, first indicator, second indicator) and the two joints at the
// regulator's ends, in drawing order.
struct Fluegelbild {
    std::array<Balkenpolygon, 3> balken;
    std::array<Kasten, 2> gelenke;
};

Fluegelbild fluegel(const Stellung& stellung, const Drehpunkt& drehpunkt);

// The boxes that hold the three beams and the two joints, outlines included, in that order.
std::array<Kasten, 5> umrisse(const Fluegelbild& bild);

// The boxes of the beams and joints that differ between two pictures of the arms, each where it
// was and where it is, outlines included: everything outside them looks the same in both.
std::vector<Kasten> bewegteTeile(const Fluegelbild& vorher, const Fluegelbild& nachher);

// One beam from model point (x1, y1) to (x2, y2), in a frame centred on the pivot with y
// upward: a bar 20 pixels wide that reaches 20 pixels beyond either end.
Balkenpolygon balken(double x1, double y1, double x2, double y2, const Drehpunkt& drehpunkt);

// Nearest integer, ties to even (2.5 gives 2, 3.5 gives 4).
int rundeHalbGerade(long double wert);
