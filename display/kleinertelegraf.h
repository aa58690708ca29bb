#pragma once

#include "geometrie/geometrie.h"
#include "signal/stellung.h"

#include <QPointF>
#include <QRectF>

class QPainter;

// The telegraph alone and small: the stub of its mast, the beams with their joints and the
// pivot, drawn by the scene's own telegraph drawing, scaled and smoothed, in the mean colours
// of the wood and the parchment. The code chart and the line's stations draw it.

// The scene's measures with the pivot at the origin.
Szenenmasse telegrafAmUrsprung();

// The arms in `stellung` as the small telegraph draws them, around the pivot at the origin.
Fluegelbild kleineFluegel(const Stellung& stellung);

// Draws the telegraph with the arms `arme` and its pivot at `drehpunkt` (in the painter's units),
// one pixel of the scene `massstab` units long; outlines are `linienBreite` units wide and smoothed
// with the shapes, or, for a `linienBreite` of 0, one crisp pixel as on screen. The mast
// reaches `mast` pixels of the scene below the pivot. Parts wholly outside `bereich` (in the
// painter's units; empty for everywhere) are left out.
void zeichneKleinenTelegraf(QPainter& p, QPointF drehpunkt, double massstab, double linienBreite,
                            const Fluegelbild& arme, int mast = 150, const QRectF& bereich = {});
