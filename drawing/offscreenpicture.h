#pragma once

#include "drawing/canvas.h"

#include <QImage>
#include <QPainter>

#include <optional>

// A 32-bit picture, white when created, with its own drawing surface. A scene is composed in
// one and then copied in a single operation, so the screen never shows a half-drawn frame.
class OffscreenPicture {
public:
    OffscreenPicture(int width, int height);

    // Begins drawing, or goes on with it; the surface starts with the default pen and brush.
    Canvas& canvas();

    // Finishes drawing and gives the result. A later canvas() draws on the same pixels.
    const QImage& image();

    QSize size() const { return image_.size(); }

private:
    QImage image_;
    QPainter painter_;
    std::optional<Canvas> canvas_;
};
