#include "controls/spinbox.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QProxyStyle>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// Wraps a fresh instance of the application's style so the spin box looks like every other
// widget, but holding a spin button repeats at our own pace rather than the style's.
class RepeatTimingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        switch (hint) {
        case SH_SpinBox_ClickAutoRepeatThreshold:
            return SpinBox::kRepeatDelayMs;
        case SH_SpinBox_ClickAutoRepeatRate:
            return SpinBox::kRepeatIntervalMs;
        default:
            return QProxyStyle::styleHint(hint, option, widget, returnData);
        }
    }
};

bool isTypedCharacter(const QKeyEvent* event)
{
    // Shortcuts such as Ctrl+C carry a letter too; they are left to the line edit, which
    // copies but, being read-only, refuses to paste, cut, delete or undo.
    constexpr Qt::KeyboardModifiers shortcutModifiers =
        Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const QString text = event->text();
    return !text.isEmpty() && text.front().isPrint() && !(event->modifiers() & shortcutModifiers);
}

} // namespace

SpinBox::SpinBox(double minimum, double maximum, double step, double value, QWidget* parent)
    : QDoubleSpinBox(parent)
{
    int decimals = 0;
    while (decimals < 6 && std::abs(step * std::pow(10.0, decimals) -
                                    std::round(step * std::pow(10.0, decimals))) > 1e-9)
        ++decimals;
    setDecimals(decimals);
    setRange(minimum, maximum);
    setSingleStep(step);
    setValue(value);
    setAccelerated(false);
    setFocusPolicy(Qt::StrongFocus);
    lockText();
    installRepeatTiming();
}

void SpinBox::installRepeatTiming()
{
    // A proxy cannot wrap the application's own style object: it would take ownership of it and
    // redirect it for every other widget. So it wraps a new instance of the same style. The spin
    // box owns the proxy; QWidget keeps only a guarded pointer to its style, so deleting the
    // proxy together with the spin box is safe.
    const QString styleName = QApplication::style() ? QApplication::style()->name() : QString();
    auto* timing = new RepeatTimingStyle(styleName);
    timing->setParent(this);
    setStyle(timing);
}

void SpinBox::lockText()
{
    // A read-only line edit still selects and copies, but refuses typing, pasting, cutting,
    // deleting, undo, drops and middle-click paste. The spin box itself stays writable, so its
    // buttons and arrow keys keep stepping.
    lineEdit()->setReadOnly(true);
}

void SpinBox::stepBy(int steps)
{
    if (steps == 0)
        return;
    // Count in whole units of the last shown decimal so that any number of steps lands exactly
    // on the grid: adding 0.1 repeatedly in floating point would drift away from it.
    const double unit = std::pow(10.0, decimals());
    const qint64 shown = qRound64(value() * unit);
    const qint64 step = std::max<qint64>(1, qRound64(singleStep() * unit));
    const qint64 lowest = qRound64(minimum() * unit);
    const qint64 highest = qRound64(maximum() * unit);
    const qint64 next = std::clamp(shown + (steps > 0 ? step : -step), lowest, highest);
    if (next != shown)
        setValue(static_cast<double>(next) / unit); // emits valueChanged only on a real change
}

void SpinBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Handled here rather than by QAbstractSpinBox, which would take ten steps with Ctrl
        // and start its own repeat timer on the keyboard's auto-repeat, stepping twice per key.
        event->accept();
        if (!isReadOnly()) {
            stepBy(event->key() == Qt::Key_Up ? 1 : -1);
            // QAbstractSpinBox tells screen readers the value from its own key handling.
            QAccessibleValueChangeEvent wert(this, value());
            QAccessible::updateAccessibility(&wert);
        }
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        event->accept();
        return;
    case Qt::Key_U:
        // On X11 QAbstractSpinBox clears the text on Ctrl+U even when the line edit is
        // read-only.
        if (event->modifiers() & Qt::ControlModifier) {
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    if (isTypedCharacter(event)) {
        event->accept();
        QApplication::beep();
        return;
    }
    QDoubleSpinBox::keyPressEvent(event);
}

void SpinBox::wheelEvent(QWheelEvent* event)
{
    // Let the wheel scroll whatever contains the spin box instead.
    event->ignore();
}

void SpinBox::contextMenuEvent(QContextMenuEvent* event)
{
    // Only the line edit's own menu: for read-only text that is Copy and Select All. The base
    // class would add Step up and Step down.
    QMenu* menu = lineEdit()->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QPoint at = event->reason() == QContextMenuEvent::Mouse
                          ? event->globalPos()
                          : mapToGlobal(QPoint(width() / 2, height() / 2));
    menu->popup(at);
    event->accept();
}

void SpinBox::changeEvent(QEvent* event)
{
    QDoubleSpinBox::changeEvent(event);
    // setReadOnly(false) also unlocks the line edit; put the lock back.
    if (event->type() == QEvent::ReadOnlyChange)
        lockText();
}
