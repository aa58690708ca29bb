#pragma once

// The engraving of a telegraph station: ink on white paper, as an 8-bit palette picture.

#include <QImage>

QImage engravingPicture();
