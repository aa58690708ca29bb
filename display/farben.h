#pragma once

#include <QColor>

// The program's colours, each named for what it paints.
namespace farbe {

inline const QColor maroon{128, 0, 0};         // the joints and the pivot
inline const QColor hellgrau{240, 240, 240};   // the side panel and the grid's cells
inline const QColor navy{0, 0, 128};           // the "Alphabet" heading
inline const QColor fokusblau{0, 102, 204};    // the frame of the grid's current cell
inline const QColor markergelb{255, 221, 0};   // the reading mark under the sent character
inline const QColor holz{210, 178, 94};        // the wood's mean colour, for untextured beams
inline const QColor pergament{247, 227, 194};  // the parchment's mean colour
inline const QColor rastergrau{190, 190, 190}; // the lines between the chart's cells

} // namespace farbe
