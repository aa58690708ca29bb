#include "fixedwindowsize.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

FixedWindowSize::FixedWindowSize(QWidget* window, QWidget* content)
    : QObject(window), window_(window), content_(content)
{
    window_->setFixedSize(content_->size());
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    // The lower limit stays: it tells the compositor not to offer a smaller size.
    window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window_->installEventFilter(this);
}

bool FixedWindowSize::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_ || event->type() != QEvent::Resize)
        return false;
    const QSize size = content_->size();
    if (!(window_->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) &&
        window_->size() != size) {
        window_->resize(size);
        return false;
    }
    content_->move(qMax(0, (window_->width() - size.width()) / 2),
                   qMax(0, (window_->height() - size.height()) / 2));
    return false;
}
