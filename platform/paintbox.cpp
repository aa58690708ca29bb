#include "paintbox.h"

#include "canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
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

void PaintBox::drawNow(const QRegion& area)
{
    // Qt paints nothing for an empty area, so there is no drawing to report afterwards.
    if (area.isEmpty())
        emit painted();
    else
        repaint(area);
}

void PaintBox::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        Canvas canvas(painter);
        emit paint(canvas, event->region());
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

void PaintBox::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
    emit keyDown(event);
    if (!event->isAccepted())
        QWidget::keyPressEvent(event);
}
