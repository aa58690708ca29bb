#include "drawing/offscreenpicture.h"

namespace {

QImage whiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

OffscreenPicture::OffscreenPicture(int width, int height) : image_(whiteImage(width, height)) {}

Canvas& OffscreenPicture::canvas()
{
    if (!painter_.isActive()) {
        canvas_.reset();
        painter_.begin(&image_);
        canvas_.emplace(painter_);
    }
    return *canvas_;
}

const QImage& OffscreenPicture::image()
{
    if (painter_.isActive())
        painter_.end();
    return image_;
}
