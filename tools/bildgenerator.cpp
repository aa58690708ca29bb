// Draws the three bitmap pictures the program ships with: the wood grain used to fill the
// telegraph beams, the parchment behind the message sheets, and the engraving of a telegraph
// station. Run by hand as `bildgenerator <output directory>`; every run writes the same bytes,
// because all randomness comes from fixed seeds.
//
// All three are saved as 8-bit palette PNGs: the textures are built from a single value per pixel
// that indexes a colour ramp, and the engraving is ink on white, so 256 colours lose nothing.
//
// The program's icon goes into the subfolder icons/, one 32-bit PNG per size the desktop asks
// for. Each size is drawn on its own, with its lines snapped to whole pixels, so that even the
// 16-pixel icon shows a sharp telegraph rather than a blurred copy of the large one.

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <random>
#include <vector>

namespace {

using Rgb = std::array<double, 3>;

// ---------------------------------------------------------------------------------------------
// Textures

// One value per pixel; the textures are shaped here before they get their colours.
class Field {
public:
    Field(int width, int height)
        : width_(width), height_(height), values_(static_cast<std::size_t>(width * height))
    {}
    int width() const { return width_; }
    int height() const { return height_; }
    double& at(int x, int y) { return values_[static_cast<std::size_t>(y * width_ + x)]; }
    double at(int x, int y) const { return values_[static_cast<std::size_t>(y * width_ + x)]; }

    // Stretches the values to exactly fill [0, 1], so the colour ramp is used in full.
    void normalise()
    {
        const auto [low, high] = std::minmax_element(values_.begin(), values_.end());
        const double lowest = *low;
        const double span = std::max(*high - lowest, 1e-9);
        for (double& value : values_)
            value = (value - lowest) / span;
    }

private:
    int width_;
    int height_;
    std::vector<double> values_;
};

// Smooth value noise on a lattice that wraps around at the picture's edges. Because the lattice
// repeats exactly once per picture, the texture continues seamlessly when it is tiled.
class TilingNoise {
public:
    TilingNoise(int cellsX, int cellsY, std::uint32_t seed)
        : cellsX_(cellsX), cellsY_(cellsY), lattice_(static_cast<std::size_t>(cellsX * cellsY))
    {
        // The raw engine output is fixed by the C++ standard; the library's distributions are
        // not, so they would make the pictures differ between compilers.
        std::mt19937 engine(seed);
        for (double& node : lattice_)
            node = static_cast<double>(engine()) / static_cast<double>(std::mt19937::max());
    }

    // u and v are positions as fractions of the picture's width and height.
    double operator()(double u, double v) const
    {
        const double x = u * cellsX_;
        const double y = v * cellsY_;
        const int i = static_cast<int>(std::floor(x));
        const int j = static_cast<int>(std::floor(y));
        const double fx = smooth(x - i);
        const double fy = smooth(y - j);
        const double top = std::lerp(node(i, j), node(i + 1, j), fx);
        const double bottom = std::lerp(node(i, j + 1), node(i + 1, j + 1), fx);
        return std::lerp(top, bottom, fy);
    }

private:
    static double smooth(double t) { return t * t * (3.0 - 2.0 * t); }
    static int wrap(int index, int count) { return ((index % count) + count) % count; }
    double node(int i, int j) const
    {
        return lattice_[static_cast<std::size_t>(wrap(j, cellsY_) * cellsX_ + wrap(i, cellsX_))];
    }

    int cellsX_;
    int cellsY_;
    std::vector<double> lattice_;
};

// A piecewise linear colour ramp over [0, 1].
struct RampStop {
    double position;
    Rgb colour;
};

Rgb rampColour(const std::vector<RampStop>& ramp, double t)
{
    if (t <= ramp.front().position)
        return ramp.front().colour;
    for (std::size_t i = 1; i < ramp.size(); ++i) {
        const RampStop& a = ramp[i - 1];
        const RampStop& b = ramp[i];
        if (t <= b.position) {
            const double f = (t - a.position) / (b.position - a.position);
            return {std::lerp(a.colour[0], b.colour[0], f), std::lerp(a.colour[1], b.colour[1], f),
                    std::lerp(a.colour[2], b.colour[2], f)};
        }
    }
    return ramp.back().colour;
}

// What a texture must look like on average and which colours it may never leave.
struct ColourTarget {
    Rgb mean;
    Rgb lowest;
    Rgb highest;
};

constexpr int paletteSize = 256;

std::vector<int> paletteIndices(const Field& field)
{
    std::vector<int> indices;
    indices.reserve(static_cast<std::size_t>(field.width() * field.height()));
    for (int y = 0; y < field.height(); ++y)
        for (int x = 0; x < field.width(); ++x)
            indices.push_back(
                static_cast<int>(std::lround(std::clamp(field.at(x, y), 0.0, 1.0) * 255.0)));
    return indices;
}

std::array<Rgb, paletteSize> shiftedPalette(const std::vector<RampStop>& ramp, const Rgb& shift,
                                            const ColourTarget& target)
{
    std::array<Rgb, paletteSize> palette{};
    for (int i = 0; i < paletteSize; ++i) {
        const Rgb colour = rampColour(ramp, i / 255.0);
        for (int c = 0; c < 3; ++c)
            palette[i][c] = std::round(
                std::clamp(colour[c] + shift[c], target.lowest[c] + 2.0, target.highest[c] - 2.0));
    }
    return palette;
}

Rgb meanColour(const std::array<Rgb, paletteSize>& palette, const std::vector<int>& indices)
{
    Rgb sum{};
    for (const int index : indices)
        for (int c = 0; c < 3; ++c)
            sum[c] += palette[static_cast<std::size_t>(index)][c];
    for (double& channel : sum)
        channel /= static_cast<double>(indices.size());
    return sum;
}

// Colours a field along a ramp. The ramp sets the character of the texture; the palette is then
// nudged until the picture's average colour is the one asked for, because that average is what
// the eye sees when the texture is tiled over a large area.
QImage paletteTexture(const Field& field, const std::vector<RampStop>& ramp,
                      const ColourTarget& target)
{
    const std::vector<int> indices = paletteIndices(field);
    Rgb shift{};
    std::array<Rgb, paletteSize> palette = shiftedPalette(ramp, shift, target);
    for (int round = 0; round < 30; ++round) {
        const Rgb mean = meanColour(palette, indices);
        for (int c = 0; c < 3; ++c)
            shift[c] += target.mean[c] - mean[c];
        palette = shiftedPalette(ramp, shift, target);
    }

    QImage image(field.width(), field.height(), QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (const Rgb& colour : palette)
        colours.append(qRgb(static_cast<int>(colour[0]), static_cast<int>(colour[1]),
                            static_cast<int>(colour[2])));
    image.setColorTable(colours);
    for (int y = 0; y < field.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < field.width(); ++x)
            line[x] = static_cast<uchar>(indices[static_cast<std::size_t>(y * field.width() + x)]);
    }
    return image;
}

double ringProfile(double phase)
{
    // Close to 1 only in a narrow band per ring: thin dark late-wood lines on a light ground.
    const double wave = 0.5 + 0.5 * std::sin(2.0 * std::numbers::pi * phase);
    return std::pow(wave, 3.0);
}

// Wood grain running along x: the rings advance down the picture and are only gently warped
// sideways, so neighbouring pixels in a row differ far less than those in a column.
Field woodGrain()
{
    constexpr int size = 96;
    constexpr int rings = 7; // whole number, so the rings meet themselves across the top edge
    // One lattice cell across means no change along x: this only makes the ring spacing uneven.
    const TilingNoise spacing(1, 5, 1100);
    const TilingNoise warp(2, 3, 1101);
    const TilingNoise wobble(4, 8, 1102);
    const TilingNoise fibres(3, 48, 1103);
    const TilingNoise pores(6, 96, 1104);

    Field field(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double u = static_cast<double>(x) / size;
            const double v = static_cast<double>(y) / size;
            const double phase =
                rings * v + 0.9 * spacing(u, v) + 0.3 * warp(u, v) + 0.08 * wobble(u, v);
            field.at(x, y) = 0.68 * ringProfile(phase) + 0.2 * fibres(u, v) + 0.12 * pores(u, v);
        }
    }
    field.normalise();
    return field;
}

QImage woodPicture()
{
    const std::vector<RampStop> ramp = {
        {0.0, {234, 201, 116}}, // pale yellow early wood
        {0.5, {214, 168, 82}},
        {1.0, {192, 134, 52}}, // orange-brown late wood
    };
    return paletteTexture(woodGrain(), ramp, {{210, 178, 94}, {181, 123, 41}, {239, 206, 140}});
}

// Soft blotches of several sizes over a fine fibre grain. All lattice sizes divide the picture
// size, so every layer tiles on its own.
Field parchmentMottle()
{
    constexpr int size = 135;
    struct Layer {
        TilingNoise noise;
        double weight;
    };
    const std::array<Layer, 5> layers = {{
        {TilingNoise(3, 3, 2201), 0.40},
        {TilingNoise(5, 5, 2202), 0.26},
        {TilingNoise(9, 9, 2203), 0.16},
        {TilingNoise(27, 27, 2204), 0.10},
        {TilingNoise(135, 135, 2205), 0.08},
    }};

    Field field(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double u = static_cast<double>(x) / size;
            const double v = static_cast<double>(y) / size;
            double value = 0.0;
            for (const Layer& layer : layers)
                value += layer.weight * layer.noise(u, v);
            field.at(x, y) = value;
        }
    }
    field.normalise();
    // Mostly light paper with the darker stains kept to smaller patches.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            field.at(x, y) = std::pow(field.at(x, y), 1.5);
    return field;
}

QImage parchmentPicture()
{
    const std::vector<RampStop> ramp = {
        {0.0, {254, 243, 210}}, // clean cream
        {1.0, {241, 216, 176}}, // aged stain
    };
    return paletteTexture(parchmentMottle(), ramp,
                          {{247, 227, 194}, {239, 214, 173}, {255, 247, 214}});
}

// ---------------------------------------------------------------------------------------------
// Engraving

const QColor ink(49, 57, 57);
constexpr int engravingWidth = 225;
constexpr int engravingHeight = 316;

// Line weights: outlines carry the drawing, hatching only tones it.
constexpr double outline = 1.3;
constexpr double fineLine = 0.7;

void setInk(QPainter& painter, double width)
{
    painter.setPen(QPen(ink, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
}

// Fills an area with parallel strokes, the way an engraver builds up tone.
void hatch(QPainter& painter, const QPainterPath& area, double angleDegrees, double spacing,
           double width = fineLine)
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

// Paper white inside, ink outline: later shapes cover what lies behind them.
void outlineShape(QPainter& painter, const QPainterPath& shape, double width = outline)
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

// A bar of given thickness from one point to another; used for beams, arms and the stay.
QPainterPath barPath(QPointF from, QPointF to, double thickness)
{
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    const QPointF across(-along.y() / length * thickness / 2.0,
                         along.x() / length * thickness / 2.0);
    return polygonPath({from + across, to + across, to - across, from - across});
}

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

// Reduces the drawing to a palette running from ink to paper white. Antialiased edges are
// mixtures of exactly those two colours, so one channel tells how much ink a pixel holds.
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

QImage engravingPicture()
{
    return toInkPalette(drawStation());
}

// ---------------------------------------------------------------------------------------------
// Icon

constexpr std::array iconSizes = {16, 32, 48, 64, 128, 256};

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

// The telegraph in a clear signal pose: the regulator level on its mast, the left indicator
// raised straight up and the right one lowered straight down. Every beam is axis-aligned, so
// it can sit exactly on the pixel grid at every size.
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

bool savePicture(const QDir& directory, const QString& name, const QImage& image)
{
    const QString path = directory.filePath(name);
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "bildgenerator: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bildgenerator <output directory>\n");
        return 2;
    }
    const QDir directory(QString::fromLocal8Bit(argv[1]));
    if (!directory.exists() && !QDir().mkpath(directory.path())) {
        std::fprintf(stderr, "bildgenerator: cannot create %s\n", argv[1]);
        return 1;
    }
    const bool written =
        savePicture(directory, QStringLiteral("wood.png"), woodPicture()) &&
        savePicture(directory, QStringLiteral("parchment.png"), parchmentPicture()) &&
        savePicture(directory, QStringLiteral("engraving.png"), engravingPicture());
    if (!written)
        return 1;

    const QDir icons(directory.filePath(QStringLiteral("icons")));
    if (!icons.exists() && !QDir().mkpath(icons.path())) {
        std::fprintf(stderr, "bildgenerator: cannot create %s\n", qPrintable(icons.path()));
        return 1;
    }
    for (const int size : iconSizes)
        if (!savePicture(icons, QStringLiteral("%1.png").arg(size), iconPicture(size)))
            return 1;
    return 0;
}
