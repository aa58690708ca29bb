#pragma once

#include "stellung.h"

#include <QImage>

class Canvas;

// The pictures the scene is made of: the background engraving, the parchment that fills the
// mast and the slab, and the wood that fills the beams.
struct Szenenbilder {
    QImage stich;
    QImage pergament;
    QImage holz;
};

// Draws the whole telegraph scene of the given size onto `ziel`: engraving, slab, mast, the
// beams in `winkel`, the pivot and `zeichen` in large type beside the mast. The scene is
// composed off screen and copied in one operation; nothing is kept between calls.
void zeichneSzene(Canvas& ziel, int breite, int hoehe, const Szenenbilder& bilder,
                  const Stellung& winkel, char zeichen);

// The large character's font and pixel height.
inline constexpr int zeichenSchriftHoehe = 85;
