#pragma once

#include "linie/linienprotokoll.h"

#include <QSize>

#include <chrono>

class QPainter;

// "Weg-Zeit-Bild": the line's run as a time-distance chart. The stations stand across
// ("Station 1", ...), time runs downward in seconds. Each character is one line: at each
// station a stretch straight down while the station moves for it, and from one station to the
// next a slanting stretch while the next operator reads. From the station where a character
// went wrong on, its line lies on a band in the marking colour. The sent character stands at
// the line's start, the received one at its end.
//
// The chart is laid out in pixels from (0, 0) at its own size; a painter scaled to a page or
// a picture draws it the same there. Until the whole run fits the highest chart drawn, a second
// takes 12 pixels; a longer run is squeezed to fit.

inline constexpr int wegZeitHoechstens = 16000; // the tallest chart, in pixels

QSize wegZeitGroesse(const Linienprotokoll& protokoll);

// Where in the chart a station's line stands, across.
int wegZeitX(int station);

// Where in the chart the time `zeit` lies, downward.
double wegZeitY(const Linienprotokoll& protokoll, std::chrono::milliseconds zeit);

// Draws the chart as it stands at `bis`: lines and labels only as far as the run has come. A
// cell that begins at the end of time is not decided yet (a line across machines decides its
// course as it runs): its character's line ends at the station before it.
// Characters wholly outside the painter's clip are skipped, so that a screen shows a long run
// quickly.
void zeichneWegZeitBild(QPainter& p, const Linienprotokoll& protokoll,
                        std::chrono::milliseconds bis);
