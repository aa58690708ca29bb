#pragma once

#include "signal/signalcode.h"

#include <QIcon>
#include <QImage>
#include <QString>

// What the program carries inside its binary: the pictures, the signal code lines and the
// memo's default text. Nothing is read from files at run time.

// One of the scene's pictures ("wood", "parchment", "engraving"), in 32 bits, in which drawing
// with it as a pattern is quicker than with the palette of its PNG file. A null image for a
// name that is not embedded.
QImage eingebettetesBild(const QString& name);

// The signal code, read from its embedded text the first time it is asked for; every window
// shares this one.
const Signalcode& eingebetteterCode();

// A file as it is embedded ("woerter.txt").
QByteArray eingebetteteDatei(const QString& name);

// A text file, UTF-8 ("memo.txt").
QString eingebetteterText(const QString& name);

// The program's icon in all its sizes, for its windows.
QIcon programmsymbol();
