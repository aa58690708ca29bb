#pragma once

// The engraver's means, shared by every part of the engraving: the ink and its line weights,
// hatching, outlined shapes, and the reduction of the finished drawing to an ink palette.

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class QPainter;

inline const QColor ink(49, 57, 57);

// Line weights: outlines carry the drawing, hatching only tones it.
inline constexpr double outline = 1.3;
inline constexpr double fineLine = 0.7;

void setInk(QPainter& painter, double width);

// Fills an area with parallel strokes, the way an engraver builds up tone.
void hatch(QPainter& painter, const QPainterPath& area, double angleDegrees, double spacing,
           double width = fineLine);

// Paper white inside, ink outline: later shapes cover what lies behind them.
void outlineShape(QPainter& painter, const QPainterPath& shape, double width = outline);

QPainterPath rectPath(const QRectF& rect);
QPainterPath polygonPath(const QList<QPointF>& points);

// A bar of given thickness from one point to another; used for beams, arms and the stay.
QPainterPath barPath(QPointF from, QPointF to, double thickness);

// Reduces the drawing to a palette running from ink to paper white. Antialiased edges are
// mixtures of exactly those two colours, so one channel tells how much ink a pixel holds.
QImage toInkPalette(const QImage& drawing);
