#include "canvas.h"

#include "offscreenpicture.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace {

// The box between the smaller and the larger coordinate of each axis, exclusive of the far
// edges. Qt's outlined rectangle of width w covers w + 1 pixels, hence the one less.
QRect outlineBox(int x1, int y1, int x2, int y2)
{
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    return QRect(left, top, std::max(x1, x2) - left - 1, std::max(y1, y2) - top - 1);
}

} // namespace

Canvas::Canvas(QPainter& painter) : painter_(painter)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setPen(QPen(Qt::black, 0));
    painter_.setBrushOrigin(0, 0);
    setBrush(brush_);
}

void Canvas::setBrush(const Brush& brush)
{
    brush_ = brush;
    if (brush.isNone())
        painter_.setBrush(Qt::NoBrush);
    else if (brush.isSolid())
        painter_.setBrush(brush.colour());
    else
        painter_.setBrush(QBrush(brush.tile()));
}

void Canvas::setFont(const QString& family, int pixelHeight, bool bold)
{
    font_ = QFont(family);
    font_.setPixelSize(pixelHeight);
    font_.setBold(bold);
    painter_.setFont(font_);
}

void Canvas::rectangle(int x1, int y1, int x2, int y2)
{
    if (x1 == x2 || y1 == y2)
        return;
    painter_.drawRect(outlineBox(x1, y1, x2, y2));
}

void Canvas::ellipse(int x1, int y1, int x2, int y2)
{
    if (x1 == x2 || y1 == y2)
        return;
    painter_.drawEllipse(outlineBox(x1, y1, x2, y2));
}

void Canvas::polygon(std::span<const QPoint> points)
{
    painter_.drawPolygon(points.data(), static_cast<int>(points.size()));
}

void Canvas::textOut(int x, int y, const QString& text)
{
    const QFontMetrics metrics(font_);
    if (brush_.isSolid())
        painter_.fillRect(x, y, metrics.horizontalAdvance(text), metrics.height(), brush_.colour());
    painter_.drawText(QPoint(x, y + metrics.ascent()), text);
}

int Canvas::textWidth(const QString& text) const
{
    return QFontMetrics(font_).horizontalAdvance(text);
}

int Canvas::textHeight(const QString& /*text*/) const
{
    return QFontMetrics(font_).height();
}

void Canvas::draw(int x, int y, OffscreenPicture& picture)
{
    draw(x, y, picture.image());
}

void Canvas::draw(int x, int y, const QImage& image)
{
    const QPainter::CompositionMode previous = painter_.compositionMode();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.drawImage(x, y, image);
    painter_.setCompositionMode(previous);
}
