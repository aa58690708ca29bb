#pragma once

// The two tiling textures: the wood grain that fills the telegraph beams and the parchment
// behind the message sheets.

#include <QImage>

QImage woodPicture();
QImage parchmentPicture();
