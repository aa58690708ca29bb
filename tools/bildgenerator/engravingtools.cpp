#include "tools/bildgenerator/engravingtools.h"

#include "tools/bildgenerator/texturetools.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

void setInk(QPainter& painter, double width)
{
    painter.setPen(QPen(ink, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
}

void hatch(QPainter& painter, const QPainterPath& area, double angleDegrees, double spacing,
           double width)
{
    painter.save();
    painter.setClipPath(area, Qt::IntersectClip);
    setInk(painter, width);
    const QRectF box = area.boundingRect();
    const double reach = std::hypot(box.width(), box.height()) / 2.0 + spacing;
    painter.translate(box.center());
    painter.rotate(angleDegrees);
    for (double d = -reach; d <= reach; d += spacing)
        painter.drawLine(QPointF(-reach, d), QPointF(reach, d));
    painter.restore();
}

void outlineShape(QPainter& painter, const QPainterPath& shape, double width)
{
    painter.fillPath(shape, Qt::white);
    setInk(painter, width);
    painter.drawPath(shape);
}

QPainterPath rectPath(const QRectF& rect)
{
    QPainterPath path;
    path.addRect(rect);
    return path;
}

QPainterPath polygonPath(const QList<QPointF>& points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

QPainterPath barPath(QPointF from, QPointF to, double thickness)
{
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    const QPointF across(-along.y() / length * thickness / 2.0,
                         along.x() / length * thickness / 2.0);
    return polygonPath({from + across, to + across, to - across, from - across});
}

QImage toInkPalette(const QImage& drawing)
{
    const QRgb paper = qRgb(255, 255, 255);
    QList<QRgb> colours;
    for (int i = 0; i < paletteSize; ++i) {
        const double f = i / 255.0;
        colours.append(qRgb(static_cast<int>(std::lround(std::lerp(ink.red(), 255, f))),
                            static_cast<int>(std::lround(std::lerp(ink.green(), 255, f))),
                            static_cast<int>(std::lround(std::lerp(ink.blue(), 255, f)))));
    }
    colours.back() = paper;

    QImage image(drawing.size(), QImage::Format_Indexed8);
    image.setColorTable(colours);
    const double inkRange = 255.0 - ink.green();
    for (int y = 0; y < drawing.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(drawing.constScanLine(y));
        uchar* target = image.scanLine(y);
        for (int x = 0; x < drawing.width(); ++x) {
            const double paperShare = (qGreen(source[x]) - ink.green()) / inkRange;
            target[x] = static_cast<uchar>(std::lround(std::clamp(paperShare, 0.0, 1.0) * 255.0));
        }
    }
    return image;
}
