#include "tools/bildgenerator/icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

const QColor iconOutline(58, 38, 22);
const QColor iconMaroon(128, 0, 0);
const QColor woodLight(234, 201, 116);
const QColor woodMid(214, 168, 82);
const QColor woodDark(192, 134, 52);
const QColor tileLight(254, 243, 214);
const QColor tileDark(241, 216, 176);
const QColor tileEdge(168, 124, 72);

int scaled(int size, double fraction)
{
    return static_cast<int>(std::lround(size * fraction));
}

// A beam as an axis-aligned block: a dark outline around a wood-coloured core, shaded across
// its thickness so that it reads as a rounded piece of timber.
void drawBeam(QPainter& painter, const QRect& beam, int outlineWidth, bool upright)
{
    painter.fillRect(beam, iconOutline);
    const QRect core = beam.adjusted(outlineWidth, outlineWidth, -outlineWidth, -outlineWidth);
    if (core.width() <= 0 || core.height() <= 0)
        return;
    if (std::min(core.width(), core.height()) < 4) {
        painter.fillRect(core, woodMid);
        return;
    }
    const QRectF area(core);
    QLinearGradient shade(area.topLeft(), upright ? area.topRight() : area.bottomLeft());
    shade.setColorAt(0.0, woodLight);
    shade.setColorAt(0.6, woodMid);
    shade.setColorAt(1.0, woodDark);
    painter.fillRect(core, shade);

    // Where there is room, two faint lines of grain run along the timber.
    const int across = upright ? core.width() : core.height();
    if (across < 10)
        return;
    painter.save();
    painter.setClipRect(core);
    painter.setPen(QPen(QColor(150, 100, 40, 110), std::max(1.0, across / 14.0)));
    const auto grain = [&](double offset, double from, double to) {
        const double length = upright ? area.height() : area.width();
        if (upright) {
            const double x = area.left() + offset * area.width();
            painter.drawLine(QPointF(x, area.top() + from * length),
                             QPointF(x, area.top() + to * length));
        } else {
            const double y = area.top() + offset * area.height();
            painter.drawLine(QPointF(area.left() + from * length, y),
                             QPointF(area.left() + to * length, y));
        }
    };
    grain(0.38, 0.08, 0.62);
    grain(0.7, 0.3, 0.94);
    painter.restore();
}

// A joint: a maroon pin with a dark rim.
void drawJoint(QPainter& painter, QPointF centre, double radius, int outlineWidth)
{
    painter.setPen(radius < 1.5 ? QPen(Qt::NoPen) : QPen(iconOutline, outlineWidth * 0.75));
    painter.setBrush(iconMaroon);
    painter.drawEllipse(centre, radius, radius);
}

// The centre of a block of `thickness` pixels starting at `start`.
double middle(int start, int thickness)
{
    return start + thickness / 2.0;
}

} // namespace

QImage iconPicture(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);

    const int outlineWidth = std::max(1, scaled(size, 1.0 / 40.0));

    // A rounded parchment tile; the smallest sizes use all of their few pixels for it.
    const int margin = size >= 48 ? scaled(size, 1.0 / 32.0) : 0;
    const QRectF tile(margin, margin, size - 2 * margin, size - 2 * margin);
    QLinearGradient paper(tile.topLeft(), tile.bottomRight());
    paper.setColorAt(0.0, tileLight);
    paper.setColorAt(1.0, tileDark);
    const double edge = size >= 48 ? std::max(1.0, size / 96.0) : 0.0;
    painter.setPen(edge > 0.0 ? QPen(tileEdge, edge) : QPen(Qt::NoPen));
    painter.setBrush(paper);
    const double inset = edge / 2.0;
    painter.drawRoundedRect(tile.adjusted(inset, inset, -inset, -inset), size * 0.17, size * 0.17);

    const int regulatorThickness = std::max(3, scaled(size, 0.15));
    const int indicatorThickness = std::max(3, scaled(size, 0.12));
    const int mastThickness = std::max(3, scaled(size, 0.12));
    const int baseThickness = std::max(3, scaled(size, 0.09));

    const int regulatorTop = scaled(size, 0.34) - regulatorThickness / 2;
    const int regulatorLeft = scaled(size, 0.07);
    const int regulatorRight = size - regulatorLeft;
    const int mastLeft = (size - mastThickness + 1) / 2;
    const int baseTop = size - scaled(size, 0.1) - baseThickness;
    const int baseHalf = scaled(size, 0.21);
    // The hinges sit a little in from the regulator's ends, the way the arms are mounted.
    const int hingeInset = scaled(size, 0.035);
    const int leftArm = regulatorLeft + hingeInset;
    const int rightArm = regulatorRight - hingeInset - indicatorThickness;
    // Each arm runs a short way past its hinge, as its counterweighted tail, and reaches as far
    // below the regulator as the other one rises above it.
    const int tail = std::max(1, scaled(size, 0.06));
    const int armTip = scaled(size, 0.06);
    const int regulatorBottom = regulatorTop + regulatorThickness - 1;
    const int armReach = regulatorTop - armTip;

    drawBeam(painter,
             QRect(QPoint(size / 2 - baseHalf, baseTop),
                   QPoint(size / 2 + baseHalf - 1, baseTop + baseThickness - 1)),
             outlineWidth, false);
    drawBeam(painter,
             QRect(QPoint(mastLeft, regulatorTop),
                   QPoint(mastLeft + mastThickness - 1, baseTop + outlineWidth - 1)),
             outlineWidth, true);
    drawBeam(painter,
             QRect(QPoint(regulatorLeft, regulatorTop),
                   QPoint(regulatorRight - 1, regulatorTop + regulatorThickness - 1)),
             outlineWidth, false);
    drawBeam(painter,
             QRect(QPoint(leftArm, armTip),
                   QPoint(leftArm + indicatorThickness - 1, regulatorBottom + tail)),
             outlineWidth, true);
    drawBeam(painter,
             QRect(QPoint(rightArm, regulatorTop - tail),
                   QPoint(rightArm + indicatorThickness - 1, regulatorBottom + armReach)),
             outlineWidth, true);

    const double pivotY = middle(regulatorTop, regulatorThickness);
    if (size < 48) {
        // Too small for round pins: a square of one or two maroon pixels marks each joint.
        const int pin = size < 32 ? 1 : 2;
        const auto square = [&](double centreX) {
            painter.fillRect(QRect(static_cast<int>(std::floor(centreX - pin / 2.0)),
                                   static_cast<int>(std::floor(pivotY - pin / 2.0)), pin, pin),
                             iconMaroon);
        };
        square(middle(leftArm, indicatorThickness));
        square(middle(mastLeft, mastThickness));
        square(middle(rightArm, indicatorThickness));
    } else {
        const double radius = std::max(1.5, regulatorThickness * 0.3);
        drawJoint(painter, {middle(leftArm, indicatorThickness), pivotY}, radius * 0.85,
                  outlineWidth);
        drawJoint(painter, {middle(rightArm, indicatorThickness), pivotY}, radius * 0.85,
                  outlineWidth);
        drawJoint(painter, {middle(mastLeft, mastThickness), pivotY}, radius, outlineWidth);
    }
    painter.end();
    return icon;
}
