#pragma once

#include <QWidget>

class Canvas;

// A plain drawing area: whoever listens to `paint` draws its whole content, and presses of
// any mouse button are reported with pixel coordinates relative to the box. A box given a
// focus policy also reports the keys pressed on it.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(QWidget* parent = nullptr);

    // Draws the box at once instead of waiting for the event loop; an animation uses this to
    // show each of its frames.
    void drawNow();

    // Whether the box should show where its keyboard focus is: it has the focus, and the focus
    // came from the keyboard or a key was pressed on it since. A click alone changes nothing
    // that a mouse user sees.
    bool showsFocus() const { return hasFocus() && focusByKeyboard_; }

signals:
    void paint(Canvas& canvas);
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    // Emitted after every completed drawing, so that the frames of an animation can be
    // observed without timing them.
    void painted();
    // A key pressed while the box has the focus. A listener that uses the key accepts the
    // event; a key left unaccepted goes on to the parent, as with any widget.
    void keyDown(QKeyEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool focusByKeyboard_ = false;
};
