#include "controls/fixedwindowsize.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

bool fillsScreen(Qt::WindowStates states)
{
    return states & (Qt::WindowMaximized | Qt::WindowFullScreen);
}

} // namespace

void placeInScreenCentre(QWidget* window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    const QPoint centred = free.center() - window->rect().center();
    window->move(qMax(free.left(), centred.x()), qMax(free.top(), centred.y()));
}

FixedWindowSize::FixedWindowSize(QWidget* window, QWidget* content)
    : QObject(window), window_(window), content_(content)
{
    window_->setFixedSize(content_->size());
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        window_->installEventFilter(this);
}

bool FixedWindowSize::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_)
        return false;
    if (event->type() == QEvent::Show && !watchingStates_ && window_->windowHandle()) {
        // A request to maximise, from the program or from the title bar Qt draws, passes here
        // before the compositor answers with the new size; the state the compositor reports
        // afterwards would come too late.
        watchingStates_ = true;
        connect(window_->windowHandle(), &QWindow::windowStateChanged, this,
                [this](Qt::WindowState state) {
                    if (fillsScreen(state))
                        window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
                });
    }
    // Only a new size, not the state alone: a window that asks to be restored keeps its size
    // until the compositor has answered, or the compositor would end the connection.
    if (event->type() == QEvent::Resize)
        follow();
    return false;
}

void FixedWindowSize::follow()
{
    const QSize size = content_->size();
    if (fillsScreen(window_->windowState())) {
        content_->move(qMax(0, (window_->width() - size.width()) / 2),
                       qMax(0, (window_->height() - size.height()) / 2));
    } else if (window_->size() != size) {
        window_->resize(size);
    } else {
        content_->move(0, 0);
        window_->setMaximumSize(size);
    }
}
