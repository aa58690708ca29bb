#include "gehaltenetasten.h"

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
        if (ereignis->type() == QEvent::KeyRelease) {
            losgelassen_ = {taste->key(), taste->timestamp()};
            return false;
        }
        if (taste->isAutoRepeat() || taste->timestamp() == 0 ||
            losgelassen_ != std::pair(taste->key(), taste->timestamp()))
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
