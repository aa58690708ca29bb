#include "offscreenpicture.h"

namespace {

QImage whiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

OffscreenPicture::OffscreenPicture(int width, int height)
    : image_(whiteImage(width, height)), painter_(&image_), canvas_(painter_)
{}

const QImage& OffscreenPicture::image()
{
    if (painter_.isActive())
        painter_.end();
    return image_;
}
