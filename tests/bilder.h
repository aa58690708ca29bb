#pragma once

// The embedded pictures, as the window loads them.
#include "szene.h"

#include <QFile>
#include <QImage>

inline QImage eingebettetesBild(const QString& name)
{
    return QImage(QStringLiteral(":/assets/") + name).convertToFormat(QImage::Format_RGB32);
}

inline Szenenbilder eingebetteteSzenenbilder()
{
    return {eingebettetesBild(QStringLiteral("engraving.png")),
            eingebettetesBild(QStringLiteral("parchment.png")),
            eingebettetesBild(QStringLiteral("wood.png"))};
}
