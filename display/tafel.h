#pragma once

#include "signal/signalcode.h"

#include <QRectF>

class QPainter;

// The code chart: the 36 signals in the alphabet grid's order and the rest position, each as
// a small drawing of the telegraph, on one landscape page to print and hand out.
//
// The page is laid out in tenths of a millimetre on A4 landscape (2970 x 2100) and is scaled
// to whatever it is drawn on, keeping its proportions and centred. The title line holds
// "Signaltafel" and the program's name. The grid starts at (100, 270); a cell is 380 wide and
// 290 high, with the pivot at (190, 116) inside it; one pixel of the scene is 0.45 of a unit
// there. The character stands centred beneath, its text cell 64 high from 206. The rest
// position is a seventh column's first cell, at x 2460, labelled "Ruhestellung".

inline constexpr QSizeF tafelSeite{2970, 2100};

// Draws the chart onto `painter`, filling as much of `flaeche` (device coordinates) as the
// page's proportions allow. Vector shapes and real text, so it stays sharp in a PDF.
void zeichneTafel(QPainter& painter, const QRectF& flaeche, const Signalcode& code);
