#pragma once

// The program's icon: the telegraph on a parchment tile, drawn anew for each size so that its
// lines sit on whole pixels.

#include <QImage>

#include <array>

inline constexpr std::array iconSizes = {16, 32, 48, 64, 128, 256};

// The telegraph in a clear signal pose: the regulator level on its mast, the left indicator
// raised straight up and the right one lowered straight down. Every beam is axis-aligned, so
// it can sit exactly on the pixel grid at every size.
QImage iconPicture(int size);
