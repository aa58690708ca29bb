#pragma once

#include <QObject>

class QWidget;

// Centres a window on the primary screen's free area. One larger than that area begins at its
// top left, so that its title bar and the controls at its top stay on the screen.
void placeInScreenCentre(QWidget* window);

// Keeps a top-level window at the size of its content, and tells the window system so: its
// smallest and largest size are the content's size. On X11 the window manager honours that. A
// Wayland compositor may still maximise any window or show it full screen, and it ends the
// connection of a client that then keeps a size of its own; Qt clamps every size the compositor
// asks for to the window's limits. So on Wayland the upper limit is lifted the moment the window
// asks to be maximised or shown full screen: it then takes the size it is given and shows the
// content unchanged in the middle. Back in its normal state it returns to the content's size,
// and only then is the upper limit set again.
class FixedWindowSize : public QObject {
public:
    FixedWindowSize(QWidget* window, QWidget* content);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();

    QWidget* window_;
    QWidget* content_;
    bool watchingStates_ = false;
};
