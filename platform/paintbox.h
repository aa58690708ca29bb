#pragma once

#include <QWidget>

class Canvas;

// A plain drawing area: whoever listens to `paint` draws its whole content, and presses of
// any mouse button are reported with pixel coordinates relative to the box.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(QWidget* parent = nullptr);

    // Draws the box at once instead of waiting for the event loop; an animation uses this to
    // show each of its frames.
    void drawNow();

signals:
    void paint(Canvas& canvas);
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    // Emitted after every completed drawing, so that the frames of an animation can be
    // observed without timing them.
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
