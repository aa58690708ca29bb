#pragma once

// Where in a picture something was drawn.
#include <QImage>
#include <QRect>

// The smallest rectangle holding every pixel for which `gezeichnet(x, y)` is true.
template <typename Bedingung> QRect umfassendesRechteck(const QImage& bild, Bedingung gezeichnet)
{
    QRect r;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if (gezeichnet(x, y))
                r |= QRect(x, y, 1, 1);
    return r;
}
