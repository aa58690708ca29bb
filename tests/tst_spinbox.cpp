#include "controls/spinbox.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QStyleOptionSpinBox>
#include <QTest>

namespace {

// Reaches the protected initStyleOption to find where the style puts the spin buttons, and the
// protected line edit to send it mouse and drop events.
class ProbeSpinBox : public SpinBox {
public:
    using SpinBox::lineEdit;
    using SpinBox::SpinBox;

    QPoint buttonCentre(QStyle::SubControl button) const
    {
        QStyleOptionSpinBox option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_SpinBox, &option, button, this).center();
    }
};

// Shown at the size the main window gives it, so the button rects are the real ones.
void showAtWindowSize(QWidget& spin)
{
    spin.setGeometry(120, 552, 57, 22);
    spin.show();
    QVERIFY(QTest::qWaitForWindowExposed(&spin));
}

void sendKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(target, &release);
}

// The timers an object has running, with their intervals as they were asked for.
QList<QAbstractEventDispatcher::TimerInfo> timersOf(QObject* object)
{
    return QAbstractEventDispatcher::instance()->registeredTimers(object);
}

QList<double> emittedValues(const QSignalSpy& spy)
{
    QList<double> values;
    for (const QList<QVariant>& arguments : spy)
        values.append(arguments.at(0).toDouble());
    return values;
}

} // namespace

class TestSpinBox : public QObject {
    Q_OBJECT
private slots:
    void init();
    void arrowKeysStepOnce_data();
    void arrowKeysStepOnce();
    void keyboardAutoRepeatStepsOncePerPress();
    void spinButtonsStepOnce_data();
    void spinButtonsStepOnce();
    void stepsStayOnTheGrid();
    void stepsFromTheShownValue_data();
    void stepsFromTheShownValue();
    void repeatDelayAndPeriod();
    void keysLeaveTextAlone_data();
    void keysLeaveTextAlone();
    void typedCharacterIsConsumed();
    void wheelDoesNotStep_data();
    void wheelDoesNotStep();
    void contextMenuOffersNoEditing();
    void readOnlyToggleKeepsTextLocked();
    void styleDiesWithSpinBox();
};

void TestSpinBox::init()
{
    QApplication::clipboard()->setText(QStringLiteral("3.3"));
}

void TestSpinBox::arrowKeysStepOnce_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QList<double>>("emitted");

    const int none = Qt::NoModifier;
    QTest::newRow("up") << 1.5 << int(Qt::Key_Up) << none << 1 << "1.6" << QList<double>{1.6};
    QTest::newRow("down") << 1.5 << int(Qt::Key_Down) << none << 1 << "1.4" << QList<double>{1.4};
    QTest::newRow("ctrl+up is still one step")
        << 1.5 << int(Qt::Key_Up) << int(Qt::ControlModifier) << 1 << "1.6" << QList<double>{1.6};
    QTest::newRow("ctrl+down is still one step")
        << 1.5 << int(Qt::Key_Down) << int(Qt::ControlModifier) << 1 << "1.4" << QList<double>{1.4};
    QTest::newRow("up at maximum")
        << 4.0 << int(Qt::Key_Up) << none << 1 << "4.0" << QList<double>{};
    QTest::newRow("down at minimum")
        << 1.0 << int(Qt::Key_Down) << none << 1 << "1.0" << QList<double>{};
    QTest::newRow("up into maximum")
        << 3.8 << int(Qt::Key_Up) << none << 4 << "4.0" << QList<double>{3.9, 4.0};
    QTest::newRow("down into minimum")
        << 1.2 << int(Qt::Key_Down) << none << 4 << "1.0" << QList<double>{1.1, 1.0};
}

void TestSpinBox::arrowKeysStepOnce()
{
    QFETCH(double, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, presses);
    QFETCH(QString, shown);
    QFETCH(QList<double>, emitted);

    SpinBox spin(1.0, 4.0, 0.1, 1.5);
    spin.setLocale(QLocale(QLocale::English));
    spin.setValue(start);
    QSignalSpy changes(&spin, &QDoubleSpinBox::valueChanged);
    for (int i = 0; i < presses; ++i)
        QTest::keyClick(&spin, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(spin.text(), shown);
    QCOMPARE(emittedValues(changes), emitted);
}

void TestSpinBox::keyboardAutoRepeatStepsOncePerPress()
{
    // A held key arrives as a stream of auto-repeated presses; each must be exactly one step
    // and nothing may keep stepping on its own afterwards.
    ProbeSpinBox spin(1.0, 4.0, 0.1, 1.5);
    showAtWindowSize(spin);
    spin.setValue(1.0);
    QSignalSpy changes(&spin, &QDoubleSpinBox::valueChanged);
    sendKey(&spin, Qt::Key_Up, Qt::NoModifier, false);
    for (int i = 0; i < 5; ++i)
        sendKey(&spin, Qt::Key_Up, Qt::NoModifier, true);
    QCOMPARE(changes.size(), 6);
    QTest::qWait(SpinBox::kRepeatDelayMs + 3 * SpinBox::kRepeatIntervalMs);
    QCOMPARE(changes.size(), 6);
    QCOMPARE(spin.value(), 1.6);
}

void TestSpinBox::spinButtonsStepOnce_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<bool>("upButton");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<double>("expected");
    QTest::addColumn<int>("signalCount");

    QTest::newRow("up") << 1.5 << true << int(Qt::NoModifier) << 1.6 << 1;
    QTest::newRow("down") << 1.5 << false << int(Qt::NoModifier) << 1.4 << 1;
    QTest::newRow("ctrl+up is still one step")
        << 1.5 << true << int(Qt::ControlModifier) << 1.6 << 1;
    QTest::newRow("up at maximum") << 4.0 << true << int(Qt::NoModifier) << 4.0 << 0;
    QTest::newRow("down at minimum") << 1.0 << false << int(Qt::NoModifier) << 1.0 << 0;
}

void TestSpinBox::spinButtonsStepOnce()
{
    QFETCH(double, start);
    QFETCH(bool, upButton);
    QFETCH(int, modifiers);
    QFETCH(double, expected);
    QFETCH(int, signalCount);

    ProbeSpinBox spin(1.0, 4.0, 0.1, 1.5);
    showAtWindowSize(spin);
    spin.setValue(start);
    QSignalSpy changes(&spin, &QDoubleSpinBox::valueChanged);
    const QPoint button =
        spin.buttonCentre(upButton ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown);
    const auto keys = Qt::KeyboardModifiers(modifiers);
    QTest::mousePress(&spin, Qt::LeftButton, keys, button);
    QCOMPARE(spin.value(), expected); // the step comes with the press, not the release
    QTest::mouseRelease(&spin, Qt::LeftButton, keys, button);
    QCOMPARE(spin.value(), expected);
    QCOMPARE(changes.size(), signalCount);
}

void TestSpinBox::stepsStayOnTheGrid()
{
    // Exact comparisons on purpose: QCOMPARE would forgive the drift of adding 0.1 repeatedly.
    SpinBox spin(1.0, 4.0, 0.1, 1.5);
    spin.setLocale(QLocale(QLocale::English));
    spin.setValue(1.0);
    QSignalSpy changes(&spin, &QDoubleSpinBox::valueChanged);
    for (int tenth = 11; tenth <= 40; ++tenth) {
        spin.stepUp();
        QVERIFY2(spin.value() == tenth / 10.0, qPrintable(QString::number(spin.value(), 'g', 17)));
        QCOMPARE(qRound(spin.value() * 1000), tenth * 100);
    }
    QCOMPARE(spin.text(), QStringLiteral("4.0"));
    QCOMPARE(changes.size(), 30);
    for (int tenth = 39; tenth >= 10; --tenth) {
        spin.stepDown();
        QVERIFY2(spin.value() == tenth / 10.0, qPrintable(QString::number(spin.value(), 'g', 17)));
    }
    QCOMPARE(spin.text(), QStringLiteral("1.0"));
    QCOMPARE(qRound(spin.value() * 1000), 1000);
}

void TestSpinBox::stepsFromTheShownValue_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("set");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("afterStep");

    // A value between two tenths is shown rounded, and a step goes from what is shown.
    QTest::newRow("1.05 up") << 1 << 1.05 << true << "1.1"
                             << "1.2";
    QTest::newRow("1.05 down") << 1 << 1.05 << false << "1.1"
                               << "1.0";
    QTest::newRow("1.15 up") << 1 << 1.15 << true << "1.1"
                             << "1.2";
    QTest::newRow("3.95 up stays at the maximum") << 1 << 3.95 << true << "4.0"
                                                  << "4.0";
    QTest::newRow("3.95 down") << 1 << 3.95 << false << "4.0"
                               << "3.9";
    // With two decimals these values lie on the grid, but a hundred times them does not
    // quite reach the whole number in floating point.
    QTest::newRow("1.15 up, two decimals") << 2 << 1.15 << true << "1.15"
                                           << "1.16";
    QTest::newRow("2.05 down, two decimals") << 2 << 2.05 << false << "2.05"
                                             << "2.04";
    QTest::newRow("2.55 up, two decimals") << 2 << 2.55 << true << "2.55"
                                           << "2.56";
}

void TestSpinBox::stepsFromTheShownValue()
{
    QFETCH(int, decimals);
    QFETCH(double, set);
    QFETCH(bool, up);
    QFETCH(QString, shown);
    QFETCH(QString, afterStep);

    SpinBox spin(1.0, 4.0, 0.1, 1.5);
    spin.setLocale(QLocale(QLocale::English));
    spin.setDecimals(decimals);
    spin.setSingleStep(decimals == 1 ? 0.1 : 0.01);
    spin.setValue(set);
    QCOMPARE(spin.text(), shown);
    QTest::keyClick(&spin, up ? Qt::Key_Up : Qt::Key_Down);
    QCOMPARE(spin.text(), afterStep);
}

// The repeat's timers, fired by the test itself: holding a spin button steps once at once,
// again 400 ms later, then every 100 ms.
void TestSpinBox::repeatDelayAndPeriod()
{
    ProbeSpinBox spin(1.0, 4.0, 0.1, 1.5);
    showAtWindowSize(spin);
    spin.setValue(1.0);
    QSignalSpy changes(&spin, &QDoubleSpinBox::valueChanged);
    const QPoint up = spin.buttonCentre(QStyle::SC_SpinBoxUp);
    const auto fire = [&](int timerId) {
        QTimerEvent event(timerId);
        QApplication::sendEvent(&spin, &event);
    };
    QVERIFY(timersOf(&spin).isEmpty());

    // Nothing here runs the event loop, so no real timer fires in between.
    QTest::mousePress(&spin, Qt::LeftButton, {}, up);
    QCOMPARE(changes.size(), 1);
    auto timers = timersOf(&spin);
    QCOMPARE(timers.size(), 1);
    QCOMPARE(timers[0].interval, 400);

    fire(timers[0].timerId);
    QCOMPARE(changes.size(), 2);
    timers = timersOf(&spin);
    QCOMPARE(timers.size(), 1);
    QCOMPARE(timers[0].interval, 100);

    fire(timers[0].timerId);
    fire(timers[0].timerId);
    QCOMPARE(emittedValues(changes), (QList<double>{1.1, 1.2, 1.3, 1.4}));
    QCOMPARE(timersOf(&spin).size(), 1);

    QTest::mouseRelease(&spin, Qt::LeftButton, {}, up);
    QVERIFY(timersOf(&spin).isEmpty());
    QCOMPARE(spin.value(), 1.4);
}

void TestSpinBox::keysLeaveTextAlone_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("typed");

    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << none << QString();
    QTest::newRow("page down") << int(Qt::Key_PageDown) << none << QString();
    QTest::newRow("ctrl+page up") << int(Qt::Key_PageUp) << ctrl << QString();
    QTest::newRow("ctrl+u") << int(Qt::Key_U) << ctrl << QString();
    QTest::newRow("digits") << 0 << none << "3.2";
    QTest::newRow("letters") << 0 << none << "abc";
}

void TestSpinBox::keysLeaveTextAlone()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, typed);

    SpinBox spin(1.0, 4.0, 0.1, 1.5);
    spin.setLocale(QLocale(QLocale::English));
    showAtWindowSize(spin);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("3.3"));
    // With the text selected, a writable field would replace, cut or delete all of it.
    spin.selectAll();
    QSignalSpy changes(&spin, &QDoubleSpinBox::valueChanged);
    if (typed.isEmpty())
        QTest::keyClick(&spin, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    else
        QTest::keyClicks(&spin, typed);
    QCOMPARE(spin.text(), QStringLiteral("1.5"));
    QCOMPARE(spin.value(), 1.5);
    QCOMPARE(changes.size(), 0);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("3.3")); // nothing was cut
}

void TestSpinBox::typedCharacterIsConsumed()
{
    // Refused characters are answered with a beep here, not handed on to the window, where
    // they could trigger something else.
    SpinBox spin(1.0, 4.0, 0.1, 1.5);
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    typed.ignore();
    QApplication::sendEvent(&spin, &typed);
    QVERIFY(typed.isAccepted());
    QCOMPARE(spin.value(), 1.5);
}

void TestSpinBox::wheelDoesNotStep_data()
{
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("up") << 120 << int(Qt::NoModifier);
    QTest::newRow("down") << -120 << int(Qt::NoModifier);
    QTest::newRow("ctrl+up") << 120 << int(Qt::ControlModifier);
}

void TestSpinBox::wheelDoesNotStep()
{
    QFETCH(int, delta);
    QFETCH(int, modifiers);

    SpinBox spin(1.0, 4.0, 0.1, 1.5);
    showAtWindowSize(spin);
    QSignalSpy changes(&spin, &QDoubleSpinBox::valueChanged);
    const QPointF centre = QRectF(spin.rect()).center();
    QWheelEvent wheel(centre, spin.mapToGlobal(centre), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::KeyboardModifiers(modifiers), Qt::NoScrollPhase, false);
    QApplication::sendEvent(&spin, &wheel);
    QCOMPARE(spin.value(), 1.5);
    QCOMPARE(changes.size(), 0);
}

void TestSpinBox::contextMenuOffersNoEditing()
{
    SpinBox spin(1.0, 4.0, 0.1, 1.5);
    spin.setLocale(QLocale(QLocale::English));
    showAtWindowSize(spin);
    spin.selectAll();
    QSignalSpy changes(&spin, &QDoubleSpinBox::valueChanged);

    const QPoint centre = spin.rect().center();
    QContextMenuEvent request(QContextMenuEvent::Mouse, centre, spin.mapToGlobal(centre));
    QApplication::sendEvent(&spin, &request);
    QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
    QPointer<QMenu> menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());

    const QStringList forbidden = {"undo", "redo", "cut", "paste", "delete", "step"};
    for (QAction* action : menu->actions()) {
        const QString label = action->text().remove(u'&').toLower();
        for (const QString& word : forbidden) {
            QVERIFY2(!(action->isEnabled() && action->isVisible() && label.contains(word)),
                     qPrintable(label));
        }
        if (action->isEnabled() && !action->isSeparator())
            action->trigger();
    }
    menu->close();
    QTRY_VERIFY(menu.isNull()); // the menu cleans itself up
    QCOMPARE(spin.text(), QStringLiteral("1.5"));
    QCOMPARE(changes.size(), 0);
}

void TestSpinBox::readOnlyToggleKeepsTextLocked()
{
    ProbeSpinBox spin(1.0, 4.0, 0.1, 1.5);
    spin.setLocale(QLocale(QLocale::English));
    spin.setReadOnly(true);
    QTest::keyClick(&spin, Qt::Key_Up);
    QCOMPARE(spin.value(), 1.5);
    spin.setReadOnly(false);
    QVERIFY(spin.lineEdit()->isReadOnly());
    spin.selectAll();
    QTest::keyClicks(&spin, QStringLiteral("2"));
    QCOMPARE(spin.text(), QStringLiteral("1.5"));
    QTest::keyClick(&spin, Qt::Key_Up);
    QCOMPARE(spin.text(), QStringLiteral("1.6"));
}

void TestSpinBox::styleDiesWithSpinBox()
{
    auto* spin = new SpinBox(1.0, 4.0, 0.1, 1.5);
    const QPointer<QStyle> style = spin->style();
    QVERIFY(style != QApplication::style());
    delete spin;
    QVERIFY(style.isNull());
    QVERIFY(QApplication::style()); // the application's own style is untouched
}

QTEST_MAIN(TestSpinBox)
#include "tst_spinbox.moc"
