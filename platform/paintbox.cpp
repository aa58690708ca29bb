#include "paintbox.h"

#include "canvas.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

PaintBox::PaintBox(QWidget* parent) : QWidget(parent)
{
    // The listener paints every pixel, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void PaintBox::drawNow()
{
    repaint();
}

void PaintBox::paintEvent(QPaintEvent*)
{
    {
        QPainter painter(this);
        Canvas canvas(painter);
        emit paint(canvas);
    }
    emit painted();
}

void PaintBox::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    emit mouseDown(event->button(), event->modifiers(), static_cast<int>(std::floor(at.x())),
                   static_cast<int>(std::floor(at.y())));
    event->accept();
}
