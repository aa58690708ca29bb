#include "controls/gehaltenetasten.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>

namespace {

class GehalteneTasten : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* empfaenger, QEvent* ereignis) override
    {
        if (ereignis->type() != QEvent::KeyPress && ereignis->type() != QEvent::KeyRelease)
            return false;
        const auto* taste = static_cast<QKeyEvent*>(ereignis);
        if (taste->timestamp() == 0) {
            // A key with the keyboard's code but without a time stamp is a copy that a screen
            // reader's bridge hands on: its filter ran first, held the key back until the reader
            // had seen it, and dropped the time stamp that tells a repeat. From the next key on
            // this filter runs first again and sees the keyboard's own.
            if (taste->nativeScanCode() != 0)
                QMetaObject::invokeMethod(this, &GehalteneTasten::vorne, Qt::QueuedConnection);
            return false;
        }
        if (ereignis->type() == QEvent::KeyRelease) {
            losgelassen_ = {taste->key(), taste->timestamp()};
            return false;
        }
        if (taste->isAutoRepeat() || losgelassen_ != std::pair(taste->key(), taste->timestamp()))
            return false;
        QKeyEvent wiederholt(QEvent::KeyPress, taste->key(), taste->modifiers(),
                             taste->nativeScanCode(), taste->nativeVirtualKey(),
                             taste->nativeModifiers(), taste->text(), true, taste->count(),
                             taste->device());
        wiederholt.setTimestamp(taste->timestamp());
        QCoreApplication::sendEvent(empfaenger, &wiederholt);
        ereignis->setAccepted(wiederholt.isAccepted());
        return true;
    }

private:
    // The filter installed last runs first.
    void vorne() { QCoreApplication::instance()->installEventFilter(this); }

    std::pair<int, quint64> losgelassen_{0, 0}; // the key released last and when
};

} // namespace

void erkenneGehalteneTasten()
{
    static QPointer<GehalteneTasten> filter;
    if (filter || !QCoreApplication::instance())
        return;
    filter = new GehalteneTasten(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}
