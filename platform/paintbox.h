#pragma once

#include <QWidget>

class Canvas;

// A plain drawing area: whoever listens to `paint` draws the part of its content it is asked
// for (all of it when the box is shown or uncovered), and presses of any mouse button are
// reported with pixel coordinates relative to the box. A box given a focus policy also reports
// the keys pressed on it.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(QWidget* parent = nullptr);

    // Draws the box at once instead of waiting for the event loop; an animation uses this to
    // show each of its frames.
    void drawNow();
    // Draws just `area` at once, and only that part goes to the screen: an animation frame
    // that changed little. An empty area draws nothing, and `painted` follows all the same.
    void drawNow(const QRegion& area);

signals:
    // `area` is the part to draw, in the box's pixels; anything drawn outside it is lost.
    void paint(Canvas& canvas, const QRegion& area);
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    // Emitted after every completed drawing and every drawNow(), so that the frames of an animation
    // can be observed without timing them.
    void painted();
    // A key pressed while the box has the focus. A listener that uses the key accepts the
    // event; a key left unaccepted goes on to the parent, as with any widget.
    void keyDown(QKeyEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
