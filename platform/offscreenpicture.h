#pragma once

#include "canvas.h"

#include <QImage>
#include <QPainter>

// A 32-bit picture, white when created, with its own drawing surface. A scene is composed in
// one and then copied in a single operation, so the screen never shows a half-drawn frame.
class OffscreenPicture {
public:
    OffscreenPicture(int width, int height);

    Canvas& canvas() { return canvas_; }

    // Finishes drawing and gives the result; the canvas must not be used afterwards.
    const QImage& image();

private:
    QImage image_;
    QPainter painter_;
    Canvas canvas_;
};
