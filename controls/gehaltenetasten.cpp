#include "gehaltenetasten.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>

#include <chrono>

namespace {

using Uhr = std::chrono::steady_clock;

// A screen reader's bridge holds every key back until the reader has seen it and then hands
// the program a copy without a time stamp, but with the keyboard's code of the key; the copies
// of a repeat's release and press come one right behind the other, a finger needs several
// times as long to press a key again. Keys made up by the program itself have neither.
constexpr std::chrono::milliseconds kopienAbstand{25};

class GehalteneTasten : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* empfaenger, QEvent* ereignis) override
    {
        if (ereignis->type() != QEvent::KeyPress && ereignis->type() != QEvent::KeyRelease)
            return false;
        const auto* taste = static_cast<QKeyEvent*>(ereignis);
        const bool kopie = taste->timestamp() == 0 && taste->nativeScanCode() != 0;
        if (ereignis->type() == QEvent::KeyRelease) {
            losgelassen_ = {taste->key(), taste->timestamp(), kopie, Uhr::now()};
            return false;
        }
        if (taste->isAutoRepeat() || taste->key() != losgelassen_.taste)
            return false;
        const bool wiederholung =
            taste->timestamp() != 0
                ? taste->timestamp() == losgelassen_.zeitstempel
                : kopie && losgelassen_.kopie && Uhr::now() - losgelassen_.ankunft < kopienAbstand;
        if (!wiederholung)
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
    // The key released last: its time stamp, whether it was such a copy, and when it came.
    struct {
        int taste = 0;
        quint64 zeitstempel = 0;
        bool kopie = false;
        Uhr::time_point ankunft;
    } losgelassen_;
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
