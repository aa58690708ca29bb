#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QString>

#include <span>

class QPainter;
class OffscreenPicture;

// How shapes are filled: a solid colour, a picture repeated as a pattern, or not at all.
// Pattern tiles are aligned to the surface's origin, not to the shape, so a shape that
// moves slides over a fixed texture.
class Brush {
public:
    static Brush solid(QColor colour) { return Brush(Style::Solid, colour, {}); }
    static Brush pattern(const QImage& tile) { return Brush(Style::Pattern, {}, tile); }
    static Brush none() { return Brush(Style::None, {}, {}); }

    bool isNone() const { return style_ == Style::None; }
    bool isSolid() const { return style_ == Style::Solid; }
    QColor colour() const { return colour_; }
    const QImage& tile() const { return tile_; }

private:
    enum class Style { Solid, Pattern, None };
    Brush(Style style, QColor colour, QImage tile)
        : style_(style), colour_(colour), tile_(std::move(tile))
    {}
    Style style_;
    QColor colour_;
    QImage tile_;
};

// How a canvas draws outlines: one crisp black pixel, as on screen, or for print black lines
// of a given width in the painter's units, smoothed along with the shapes.
struct Outline {
    qreal width = 0;
    bool smooth = false;
};

// A drawing surface with the few operations the telegraph needs and their exact pixel rules:
// every shape gets a black outline; rectangles and ellipses cover x1 up to but not including x2
// (and likewise y), with their corners in any order; text is placed by the top left of its
// character cell. On screen nothing is antialiased except the glyphs themselves; only smooth
// outlines for print are.
class Canvas {
public:
    explicit Canvas(QPainter& painter, Outline outline = {});

    void setBrush(const Brush& brush);
    // Glyphs come out as on an unscaled screen whatever the screen's scale, so that a picture
    // drawn here and shown enlarged pixel for pixel looks as it does at scale 1.
    void setFont(const QFont& font);

    void rectangle(int x1, int y1, int x2, int y2);
    void ellipse(int x1, int y1, int x2, int y2);
    void polygon(std::span<const QPoint> points);
    // Fills x1 up to but not including x2 (and likewise y) with the brush, without an outline.
    void fill(int x1, int y1, int x2, int y2);

    // With a solid brush the text cell is filled with the brush colour first; with no brush
    // the background shows through.
    void textOut(int x, int y, const QString& text);
    int textWidth(const QString& text) const;
    int textHeight(const QString& text) const;

    // Limits all drawing to `area` until resetClip(); the pixels inside come out exactly as
    // without the limit.
    void setClip(const QRegion& area);
    void resetClip();

    // Copies the picture opaquely with its top-left corner at (x, y).
    void draw(int x, int y, OffscreenPicture& picture);
    void draw(int x, int y, const QImage& image);
    // Copies the parts `area` of the image opaquely to the same place on this surface.
    void copy(const QImage& image, const QRegion& area);

    // True when a pixel drawn here is one pixel of the device: neither a scaled screen nor a
    // transformation enlarges it.
    bool atScaleOne() const;

private:
    QPainter& painter_;
    Brush brush_ = Brush::solid(Qt::white);
    QFont font_;
};

// The pixels from the smaller to the larger coordinate of each axis, up to but not including
// the larger: the box of two corners given in any order.
QRect boxBetween(int x1, int y1, int x2, int y2);

// Every pixel that textOut(0, 0, text) may change in the given font: the text cell and any ink
// reaching beyond it.
QRect textBounds(const QFont& font, const QString& text);
