#include "drawing/canvas.h"

#include "drawing/offscreenpicture.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <algorithm>
#include <map>
#include <utility>

namespace {

// The same pixels for an outlined shape: Qt's outlined rectangle of width w covers w + 1
// pixels, hence the one less.
QRect outlineBox(int x1, int y1, int x2, int y2)
{
    return boxBetween(x1, y1, x2, y2).adjusted(0, 0, -1, -1);
}

QRect boundsOf(std::span<const QPoint> points)
{
    const auto [left, right] = std::minmax_element(
        points.begin(), points.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
    const auto [top, bottom] = std::minmax_element(
        points.begin(), points.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
    return QRect(QPoint(left->x(), top->y()), QPoint(right->x(), bottom->y()));
}

// Qt hands a fill of more than about a hundred scan lines in one go to its worker threads,
// and for the small textured shapes of a scene that hand-over costs many times the filling
// itself. Such fills are therefore made in bands of fewer lines. The clip only selects which
// lines are drawn, not where a shape's edges fall, so the pixels stay the same; a clip that is
// already set is kept by intersecting each band with it.
constexpr int bandLines = 64;

// Draws `shape` (a rectangle or polygon whose corners span `corners`, and whose fill does not
// depend on the pen). A tall patterned fill is made band by band, then the outline in one
// piece; anything else is drawn at once.
template <typename Shape> void drawInBands(QPainter& painter, const QRect& corners, Shape shape)
{
    const bool clipped = painter.hasClipping();
    const QRegion clip = clipped ? painter.clipRegion() : QRegion();
    // Bands the clip leaves out would draw nothing, and each costs a pass over the shape.
    QRect bounds = corners.adjusted(-1, -1, 1, 1); // room for the outline
    if (clipped)
        bounds &= clip.boundingRect();
    if (painter.brush().style() != Qt::TexturePattern || bounds.height() <= bandLines) {
        shape();
        return;
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int y = bounds.top(); y <= bounds.bottom(); y += bandLines) {
        const QRect band(bounds.left(), y, bounds.width(), bandLines);
        if (clipped)
            painter.setClipRegion(clip & band);
        else
            painter.setClipRect(band);
        shape();
    }
    painter.restore();

    painter.save();
    painter.setBrush(Qt::NoBrush);
    shape();
    painter.restore();
}

// Qt draws glyphs of this height and more not from its glyph cache but as outlines, loaded and
// hinted afresh at every drawing, which costs more than the rest of a frame. The outline is the
// same every time, so it is kept, and filling it gives exactly the pixels Qt's drawing gives.
constexpr int outlinedGlyphHeight = 64;

// Qt's font engines share one FreeType face per font file, and a glyph drawn at a fraction of a
// pixel leaves that fraction behind in the face: an outline taken afterwards would be shifted by
// it, by a hundredth of a pixel, and the character's edges would differ from run to run. Drawing
// the glyph once at a whole pixel first takes the fraction away.
const QPainterPath& textOutline(const QFont& font, const QString& text)
{
    static std::map<std::pair<QString, QString>, QPainterPath> outlines;
    const auto [entry, isNew] = outlines.try_emplace({font.key(), text});
    if (isNew) {
        QPainterPath& outline = entry->second;
        outline.setFillRule(Qt::WindingFill);
        const QRawFont raw = QRawFont::fromFont(font);
        const QList<quint32> glyphs = raw.glyphIndexesForString(text);
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
        QPointF pen;
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            raw.alphaMapForGlyph(glyphs[i], QRawFont::PixelAntialiasing);
            outline.addPath(raw.pathForGlyph(glyphs[i]).translated(pen));
            pen += advances[i];
        }
    }
    return entry->second;
}

// Qt drops the hinting of glyphs once the screen is scaled, and softer glyphs would then be
// enlarged. Light, vertical-only hinting is what Qt uses on an unscaled screen by default.
QFont unscaled(QFont font)
{
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

} // namespace

Canvas::Canvas(QPainter& painter, Outline outline) : painter_(painter)
{
    painter_.setRenderHint(QPainter::Antialiasing, outline.smooth);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    QPen pen(Qt::black, outline.width);
    if (outline.smooth)
        pen.setJoinStyle(Qt::MiterJoin); // sharp corners on the beams
    painter_.setPen(pen);
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

void Canvas::setFont(const QFont& font)
{
    font_ = unscaled(font);
    painter_.setFont(font_);
}

void Canvas::rectangle(int x1, int y1, int x2, int y2)
{
    if (x1 == x2 || y1 == y2)
        return;
    const QRect box = outlineBox(x1, y1, x2, y2);
    drawInBands(painter_, box, [&] { painter_.drawRect(box); });
}

void Canvas::fill(int x1, int y1, int x2, int y2)
{
    painter_.fillRect(boxBetween(x1, y1, x2, y2), painter_.brush());
}

void Canvas::ellipse(int x1, int y1, int x2, int y2)
{
    if (x1 == x2 || y1 == y2)
        return;
    painter_.drawEllipse(outlineBox(x1, y1, x2, y2));
}

void Canvas::polygon(std::span<const QPoint> points)
{
    if (points.empty())
        return;
    drawInBands(painter_, boundsOf(points),
                [&] { painter_.drawPolygon(points.data(), static_cast<int>(points.size())); });
}

void Canvas::textOut(int x, int y, const QString& text)
{
    const QFontMetrics metrics(font_);
    if (brush_.isSolid())
        painter_.fillRect(x, y, metrics.horizontalAdvance(text), metrics.height(), brush_.colour());
    const QPoint baseline(x, y + metrics.ascent());
    if (font_.pixelSize() < outlinedGlyphHeight) {
        painter_.drawText(baseline, text);
        return;
    }
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.translate(baseline);
    painter_.fillPath(textOutline(font_, text), painter_.pen().brush());
    painter_.restore();
}

int Canvas::textWidth(const QString& text) const
{
    return QFontMetrics(font_).horizontalAdvance(text);
}

int Canvas::textHeight(const QString& /*text*/) const
{
    return QFontMetrics(font_).height();
}

void Canvas::setClip(const QRegion& area)
{
    painter_.setClipRegion(area);
}

void Canvas::resetClip()
{
    painter_.setClipping(false);
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

void Canvas::copy(const QImage& image, const QRegion& area)
{
    const QPainter::CompositionMode previous = painter_.compositionMode();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    // In bands, as with tall fills: a copy of a region is small, and handing it to other
    // threads would cost more than copying it.
    for (const QRect& part : area) {
        for (int y = part.top(); y <= part.bottom(); y += bandLines) {
            const QRect band(part.left(), y, part.width(),
                             std::min(bandLines, part.bottom() + 1 - y));
            painter_.drawImage(band.topLeft(), image, band);
        }
    }
    painter_.setCompositionMode(previous);
}

bool Canvas::atScaleOne() const
{
    return painter_.device()->devicePixelRatio() == 1 && painter_.worldTransform().isIdentity();
}

QRect boxBetween(int x1, int y1, int x2, int y2)
{
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    return QRect(left, top, std::max(x1, x2) - left, std::max(y1, y2) - top);
}

QRect textBounds(const QFont& font, const QString& text)
{
    if (text.isEmpty())
        return {};
    const QFontMetrics metrics(unscaled(font));
    const QRect cell(0, 0, metrics.horizontalAdvance(text), metrics.height());
    // Ink may reach beyond the cell, and antialiasing touches one pixel more.
    const QRect ink = metrics.boundingRect(text).translated(0, metrics.ascent());
    return cell.united(ink).adjusted(-1, -1, 1, 1);
}
