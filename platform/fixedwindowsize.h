#pragma once

#include <QObject>

class QWidget;

// Keeps a top-level window at the size of its content. On X11 the window manager honours a
// fixed size. A Wayland compositor may still maximise any window or show it full screen, and it
// ends the connection of a client that then keeps a size of its own. Qt clamps every size the
// compositor asks for to the window's limits, so there the window has no upper limit: maximised
// or full screen it takes the size it is given and shows the content unchanged in the middle,
// and in any other state it goes back to the content's size.
class FixedWindowSize : public QObject {
public:
    FixedWindowSize(QWidget* window, QWidget* content);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    QWidget* content_;
};
