#pragma once

#include "geometrie.h"
#include "stellung.h"

#include <QPointF>

class QPainter;

// The telegraph alone and small: the stub of its mast, the beams with their joints and the
// pivot, drawn by the scene's own telegraph drawing, scaled and smoothed, in the mean colours
// of the wood and the parchment. The code chart and the line's stations draw it.

// The scene's measures with the pivot at the origin.
Szenenmasse telegrafAmUrsprung();

// Draws the telegraph in `stellung` with its pivot at `drehpunkt` (in the painter's units), one
// pixel of the scene `massstab` units long; outlines are `linienBreite` units wide. The mast
// reaches `mast` pixels of the scene below the pivot.
void zeichneKleinenTelegraf(QPainter& p, QPointF drehpunkt, double massstab, double linienBreite,
                            const Stellung& stellung, int mast = 150);
