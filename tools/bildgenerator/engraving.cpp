#include "tools/bildgenerator/engraving.h"

#include "tools/bildgenerator/engravingtools.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int engravingWidth = 225;
constexpr int engravingHeight = 316;

// Building layout, bottom up: the arcade stands on the picture's bottom edge.
constexpr double wallLeft = 30.0;
constexpr double wallRight = 195.0;
constexpr double groundLine = engravingHeight;
constexpr double arcadeTop = 256.0;
constexpr double corniceY = 196.0;
constexpr double eavesLeft = 22.0;
constexpr double eavesRight = 203.0;
constexpr double ridgeY = 144.0;
constexpr double ridgeLeft = 66.0;
constexpr double ridgeRight = 159.0;
constexpr double mastX = 112.5;
constexpr int bays = 5;

double bayCentre(int bay)
{
    const double bayWidth = (wallRight - wallLeft) / bays;
    return wallLeft + bayWidth * (bay + 0.5);
}

void drawGroundStrokes(QPainter& painter)
{
    setInk(painter, fineLine);
    for (int row = 0; row < 3; ++row) {
        const double y = groundLine - 1.5 - row * 3.0;
        painter.drawLine(QPointF(2.0 + row * 5.0, y), QPointF(wallLeft - 3.0, y));
        painter.drawLine(QPointF(wallRight + 3.0, y), QPointF(engravingWidth - 2.0 - row * 5.0, y));
    }
}

QPainterPath archOpening(double centre, double halfWidth, double springY)
{
    QPainterPath path;
    path.moveTo(centre - halfWidth, groundLine + 1.0);
    path.lineTo(centre - halfWidth, springY);
    path.arcTo(QRectF(centre - halfWidth, springY - halfWidth, 2 * halfWidth, 2 * halfWidth), 180.0,
               -180.0);
    path.lineTo(centre + halfWidth, groundLine + 1.0);
    path.closeSubpath();
    return path;
}

// The ground floor: an open arcade of round arches, the openings in deep shadow.
void drawArcade(QPainter& painter)
{
    const QRectF wall(wallLeft, arcadeTop, wallRight - wallLeft, groundLine - arcadeTop + 1.0);
    outlineShape(painter, rectPath(wall));
    hatch(painter, rectPath(wall), 0.0, 4.0, 0.45);

    const double halfWidth = 11.5;
    const double springY = 283.0;
    for (int bay = 0; bay < bays; ++bay) {
        const QPainterPath opening = archOpening(bayCentre(bay), halfWidth, springY);
        painter.fillPath(opening, Qt::white);
        hatch(painter, opening, 0.0, 1.3, 1.0);
        hatch(painter, opening, 60.0, 2.0, 0.7);
        setInk(painter, outline);
        painter.drawPath(opening);
        // Voussoir ring around each arch.
        setInk(painter, fineLine);
        painter.drawArc(QRectF(bayCentre(bay) - halfWidth - 3.0, springY - halfWidth - 3.0,
                               2 * halfWidth + 6.0, 2 * halfWidth + 6.0),
                        0, 180 * 16);
    }
    // String course between the arcade and the upper floor.
    outlineShape(painter, rectPath(QRectF(wallLeft - 3.0, arcadeTop - 4.0,
                                          wallRight - wallLeft + 6.0, 5.0)));
}

void drawWindow(QPainter& painter, const QRectF& frame)
{
    // Sill and lintel, then the dark panes divided by glazing bars.
    outlineShape(painter, rectPath(frame.adjusted(-2.5, -3.0, 2.5, 0.0)), fineLine);
    const QPainterPath panes = rectPath(frame);
    painter.fillPath(panes, Qt::white);
    hatch(painter, panes, 0.0, 1.5, 0.8);
    setInk(painter, outline);
    painter.drawPath(panes);
    painter.fillRect(QRectF(frame.center().x() - 0.8, frame.top(), 1.6, frame.height()), Qt::white);
    painter.fillRect(QRectF(frame.left(), frame.top() + frame.height() * 0.45, frame.width(), 1.6),
                     Qt::white);
    outlineShape(painter,
                 rectPath(QRectF(frame.left() - 2.5, frame.bottom(), frame.width() + 5.0, 2.5)),
                 fineLine);
}

// The upper floor: a plain wall with a row of tall windows over the arches.
void drawUpperFloor(QPainter& painter)
{
    const QRectF wall(wallLeft, corniceY, wallRight - wallLeft, arcadeTop - 4.0 - corniceY);
    outlineShape(painter, rectPath(wall));
    // Shadow thrown by the cornice, and a darker right-hand corner to round off the block.
    hatch(painter, rectPath(QRectF(wall.left(), wall.top(), wall.width(), 7.0)), 0.0, 2.0, 0.6);
    hatch(painter, rectPath(QRectF(wall.right() - 12.0, wall.top(), 12.0, wall.height())), 90.0,
          2.5, 0.6);
    for (int bay = 0; bay < bays; ++bay)
        drawWindow(painter, QRectF(bayCentre(bay) - 6.5, corniceY + 16.0, 13.0, 28.0));
    // Corner quoins.
    setInk(painter, fineLine);
    for (double y = corniceY + 4.0; y < arcadeTop - 6.0; y += 6.0) {
        painter.drawLine(QPointF(wallLeft, y), QPointF(wallLeft + 6.0, y));
        painter.drawLine(QPointF(wallRight - 6.0, y), QPointF(wallRight, y));
    }
}

QPainterPath roofPlane()
{
    return polygonPath({{eavesLeft, corniceY - 3.0},
                        {ridgeLeft, ridgeY},
                        {ridgeRight, ridgeY},
                        {eavesRight, corniceY - 3.0}});
}

// A hipped roof with courses of slate, darker on the hip facing away from the light.
void drawRoof(QPainter& painter)
{
    const QPainterPath roof = roofPlane();
    outlineShape(painter, roof);
    hatch(painter, roof, 0.0, 3.0, 0.55);
    const QPainterPath farHip = polygonPath(
        {{ridgeRight, ridgeY}, {eavesRight, corniceY - 3.0}, {ridgeRight - 6.0, corniceY - 3.0}});
    hatch(painter, farHip, 60.0, 2.2, 0.6);
    setInk(painter, fineLine);
    painter.drawLine(QPointF(ridgeLeft, ridgeY), QPointF(ridgeLeft + 6.0, corniceY - 3.0));
    painter.drawLine(QPointF(ridgeRight, ridgeY), QPointF(ridgeRight - 6.0, corniceY - 3.0));
    setInk(painter, outline);
    painter.drawPath(roof);
    // Cornice moulding along the eaves.
    outlineShape(painter, rectPath(QRectF(eavesLeft - 2.0, corniceY - 3.0,
                                          eavesRight - eavesLeft + 4.0, 5.0)));
    hatch(painter, rectPath(QRectF(eavesLeft - 2.0, corniceY, eavesRight - eavesLeft + 4.0, 2.0)),
          0.0, 1.2, 0.6);
}

double roofSurfaceY(double x)
{
    // Height of the roof plane at x, so chimneys start on the slope and not in the air.
    if (x < ridgeLeft)
        return std::lerp(corniceY - 3.0, ridgeY, (x - eavesLeft) / (ridgeLeft - eavesLeft));
    if (x > ridgeRight)
        return std::lerp(ridgeY, corniceY - 3.0, (x - ridgeRight) / (eavesRight - ridgeRight));
    return ridgeY;
}

void drawChimney(QPainter& painter, double left, double width, double top)
{
    const double base = std::max(roofSurfaceY(left), roofSurfaceY(left + width)) + 2.0;
    const QRectF stack(left, top, width, base - top);
    outlineShape(painter, rectPath(stack));
    hatch(painter, rectPath(QRectF(stack.right() - width * 0.4, top, width * 0.4, stack.height())),
          90.0, 1.6, 0.6);
    // Brick courses.
    setInk(painter, 0.4);
    for (double y = top + 6.0; y < base; y += 4.0)
        painter.drawLine(QPointF(left, y), QPointF(left + width * 0.6, y));
    // Projecting cap with two pots.
    outlineShape(painter, rectPath(QRectF(left - 2.0, top - 3.5, width + 4.0, 3.5)));
    for (const double pot : {left + width * 0.28, left + width * 0.72})
        outlineShape(painter, rectPath(QRectF(pot - 1.6, top - 8.0, 3.2, 4.5)), fineLine);
    setInk(painter, outline);
    painter.drawLine(QPointF(left, base - 2.0), QPointF(left + width, base - 2.0));
}

// A dormer with a pointed pediment, set in the roof below the mast.
void drawDormer(QPainter& painter)
{
    const double left = mastX - 14.0;
    const double right = mastX + 14.0;
    const double bottom = corniceY - 4.0;
    const double eaves = 163.0;
    outlineShape(painter, rectPath(QRectF(left, eaves, right - left, bottom - eaves)));
    const QPainterPath pediment =
        polygonPath({{left - 3.0, eaves + 1.0}, {mastX, 151.0}, {right + 3.0, eaves + 1.0}});
    outlineShape(painter, pediment);
    hatch(painter, polygonPath({{left, eaves}, {mastX, 153.5}, {right, eaves}}), 0.0, 1.8, 0.5);
    outlineShape(painter,
                 pediment.subtracted(
                     polygonPath({{left + 1.0, eaves}, {mastX, 154.0}, {right - 1.0, eaves}})),
                 fineLine);

    QPainterPath window;
    const QRectF frame(mastX - 7.0, eaves + 6.0, 14.0, bottom - eaves - 8.0);
    window.moveTo(frame.left(), frame.bottom());
    window.lineTo(frame.left(), frame.top() + 7.0);
    window.arcTo(QRectF(frame.left(), frame.top(), frame.width(), 14.0), 180.0, -180.0);
    window.lineTo(frame.right(), frame.bottom());
    window.closeSubpath();
    hatch(painter, window, 0.0, 1.4, 0.8);
    setInk(painter, outline);
    painter.drawPath(window);
    painter.fillRect(QRectF(mastX - 0.7, frame.top() + 1.0, 1.4, frame.height() - 1.0), Qt::white);
    // Shadow on the right cheek of the dormer.
    hatch(painter, rectPath(QRectF(right - 5.0, eaves + 1.0, 5.0, bottom - eaves - 1.0)), 90.0, 1.6,
          0.6);
}

// The telegraph itself: a mast through the ridge, a diagonal stay, the long regulator beam
// on its pivot and an indicator arm hinged at each end of it.
constexpr double mastTop = 28.0;
constexpr double pivotY = 50.0;
constexpr double regulatorHalf = 76.0;

void drawMast(QPainter& painter)
{
    const QRectF mast(mastX - 2.8, mastTop, 5.6, ridgeY + 2.0 - mastTop);
    outlineShape(painter, rectPath(mast));
    hatch(painter, rectPath(QRectF(mast.center().x() + 0.3, mast.top(), 2.5, mast.height())), 90.0,
          1.0, 0.6);
    setInk(painter, outline);
    painter.drawRect(mast);
    // Finial.
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(mastX, mastTop - 2.5), 2.2, 2.2);
}

void drawStay(QPainter& painter)
{
    // The foot sits on the ridge, clear of the chimney beside it.
    constexpr double stayFootX = ridgeRight - 8.0;
    const QPainterPath stay = barPath({mastX + 2.0, 92.0}, {stayFootX, ridgeY + 2.0}, 3.4);
    outlineShape(painter, stay, 1.0);
    setInk(painter, 0.5);
    painter.drawLine(QPointF(mastX + 2.6, 93.0), QPointF(stayFootX, ridgeY + 3.0));
    // Brace plate where the stay meets the mast.
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(mastX + 2.5, 92.5), 1.6, 1.6);
}

// An indicator: a slender arm from its hinge, with a short counterweighted tail behind it.
void drawIndicator(QPainter& painter, QPointF hinge, double angleDegrees, double length)
{
    const double angle = angleDegrees * std::numbers::pi / 180.0;
    const QPointF direction(std::cos(angle), std::sin(angle));
    const QPointF tip = hinge + direction * length;
    const QPointF tail = hinge - direction * 9.0;

    const QPainterPath arm = barPath(tail, tip, 4.4);
    outlineShape(painter, arm, 1.1);
    hatch(painter, arm, angleDegrees + 90.0, 1.5, 0.7);
    setInk(painter, 1.1);
    painter.drawPath(arm);
    painter.setBrush(ink);
    painter.drawEllipse(tail, 2.8, 2.8);
    painter.setBrush(Qt::white);
    painter.drawEllipse(hinge, 1.8, 1.8);
}

void drawRegulator(QPainter& painter)
{
    const QPointF left(mastX - regulatorHalf, pivotY);
    const QPointF right(mastX + regulatorHalf, pivotY);
    const QPainterPath beam = barPath(left, right, 7.0);
    outlineShape(painter, beam);
    // Shaded underside and an open lattice of diagonal braces along the beam.
    hatch(painter, rectPath(QRectF(left.x(), pivotY, right.x() - left.x(), 3.5)), 0.0, 1.2, 0.6);
    setInk(painter, fineLine);
    for (double x = left.x() + 6.0; x < right.x() - 6.0; x += 10.0) {
        painter.drawLine(QPointF(x, pivotY - 3.5), QPointF(x + 5.0, pivotY + 3.5));
        painter.drawLine(QPointF(x + 5.0, pivotY + 3.5), QPointF(x + 10.0, pivotY - 3.5));
    }
    setInk(painter, outline);
    painter.drawPath(beam);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(mastX, pivotY), 3.2, 3.2);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(mastX, pivotY), 1.2, 1.2);

    drawIndicator(painter, left, 90.0, 40.0);   // hanging straight down
    drawIndicator(painter, right, -45.0, 36.0); // raised outwards at half a right angle
}

QImage drawStation()
{
    QImage canvas(engravingWidth, engravingHeight, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);

    drawGroundStrokes(painter);
    drawChimney(painter, 44.0, 14.0, 132.0);
    drawChimney(painter, 166.0, 14.0, 132.0);
    drawRoof(painter);
    drawDormer(painter);
    drawUpperFloor(painter);
    drawArcade(painter);
    drawStay(painter);
    drawMast(painter);
    drawRegulator(painter);
    painter.end();
    return canvas;
}

} // namespace

QImage engravingPicture()
{
    return toInkPalette(drawStation());
}
