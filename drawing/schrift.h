#pragma once

#include <QFont>

// The program's typeface at a height in pixels: "Verdana", or fontconfig's substitute where it
// is missing.
QFont verdana(int pixelHoehe, bool fett = false);
