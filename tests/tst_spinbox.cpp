#include "spinbox.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QProxyStyle>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QVBoxLayout>

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
    void startsReadyForUse();
    void arrowKeysStepOnce_data();
    void arrowKeysStepOnce();
    void keyboardAutoRepeatStepsOncePerPress();
    void spinButtonsStepOnce_data();
    void spinButtonsStepOnce();
    void stepsStayOnTheGrid();
    void stepsFromTheShownValue_data();
    void stepsFromTheShownValue();
    void repeatTimingInEveryStyle_data();
    void repeatTimingInEveryStyle();
    void repeatDelayAndPeriod();
    void holdingButtonRepeatsAfterDelay();
    void keysLeaveTextAlone_data();
    void keysLeaveTextAlone();
    void typedCharacterIsConsumed();
    void wheelDoesNotStep_data();
    void wheelDoesNotStep();
    void dropAndMiddleClickDoNotPaste();
    void contextMenuOffersNoEditing();
    void readOnlyToggleKeepsTextLocked();
    void decimalSeparatorFollowsLocale_data();
    void decimalSeparatorFollowsLocale();
    void takesAndLeavesFocus();
    void styleDiesWithSpinBox();
};

void TestSpinBox::init()
{
    QApplication::clipboard()->setText(QStringLiteral("3.3"));
}

void TestSpinBox::startsReadyForUse()
{
    SpinBox spin(1.0, 4.0, 0.1, 1.5);
    spin.setLocale(QLocale(QLocale::English));
    QCOMPARE(spin.decimals(), 1);
    QCOMPARE(spin.singleStep(), 0.1);
    QCOMPARE(spin.minimum(), 1.0);
    QCOMPARE(spin.maximum(), 4.0);
    QCOMPARE(spin.value(), 1.5);
    QCOMPARE(spin.text(), QStringLiteral("1.5"));
    QCOMPARE(spin.focusPolicy(), Qt::StrongFocus);
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

void TestSpinBox::repeatTimingInEveryStyle_data()
{
    QTest::addColumn<QString>("styleName");
    for (const QString& name : QStyleFactory::keys())
        QTest::newRow(qPrintable(name)) << name;
}

void TestSpinBox::repeatTimingInEveryStyle()
{
    QFETCH(QString, styleName);
    const QString previous = QApplication::style()->name();
    const auto restore = qScopeGuard([&] { QApplication::setStyle(previous); });
    QApplication::setStyle(styleName);

    SpinBox spin(1.0, 4.0, 0.1, 1.5);
    QCOMPARE(spin.style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold, nullptr, &spin),
             400);
    QCOMPARE(spin.style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatRate, nullptr, &spin), 100);
    // It still looks like the application's style.
    const auto* proxy = qobject_cast<const QProxyStyle*>(spin.style());
    QVERIFY(proxy);
    QCOMPARE(proxy->baseStyle()->name().toLower(), styleName.toLower());
    QVERIFY(!spin.isAccelerated());
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

void TestSpinBox::holdingButtonRepeatsAfterDelay()
{
    // With real timers, only bounds that a busy machine cannot break: a timer never fires early
    // by more than Qt's 5% coarse-timer slack and the dispatcher's rounding to whole
    // milliseconds, so repeat n comes no sooner than 375 + (n - 1) x 90 ms after the press;
    // lateness only delays it.
    ProbeSpinBox spin(1.0, 4.0, 0.1, 1.5);
    showAtWindowSize(spin);
    spin.setValue(1.0);
    QElapsedTimer clock;
    QList<qint64> stepTimes;
    connect(&spin, &QDoubleSpinBox::valueChanged, this, [&] { stepTimes.append(clock.elapsed()); });
    const QPoint up = spin.buttonCentre(QStyle::SC_SpinBoxUp);

    clock.start();
    QTest::mousePress(&spin, Qt::LeftButton, {}, up);
    QCOMPARE(stepTimes.size(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(stepTimes.size() >= 4, 30000);
    QTest::mouseRelease(&spin, Qt::LeftButton, {}, up);
    const qsizetype whileHeld = stepTimes.size();
    QTest::qWait(300);
    QCOMPARE(stepTimes.size(), whileHeld);

    for (qsizetype n = 1; n < whileHeld; ++n)
        QVERIFY2(stepTimes.at(n) >= 375 + (n - 1) * 90,
                 qPrintable(QStringLiteral("repeat %1 after %2 ms").arg(n).arg(stepTimes.at(n))));
    QCOMPARE(qRound(spin.value() * 10), 10 + int(whileHeld));
}

void TestSpinBox::keysLeaveTextAlone_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("typed");

    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    const int shift = Qt::ShiftModifier;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << none << QString();
    QTest::newRow("page down") << int(Qt::Key_PageDown) << none << QString();
    QTest::newRow("ctrl+page up") << int(Qt::Key_PageUp) << ctrl << QString();
    QTest::newRow("home") << int(Qt::Key_Home) << none << QString();
    QTest::newRow("end") << int(Qt::Key_End) << none << QString();
    QTest::newRow("delete") << int(Qt::Key_Delete) << none << QString();
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << QString();
    QTest::newRow("ctrl+v") << int(Qt::Key_V) << ctrl << QString();
    QTest::newRow("shift+insert") << int(Qt::Key_Insert) << shift << QString();
    QTest::newRow("ctrl+x") << int(Qt::Key_X) << ctrl << QString();
    QTest::newRow("shift+delete") << int(Qt::Key_Delete) << shift << QString();
    QTest::newRow("ctrl+z") << int(Qt::Key_Z) << ctrl << QString();
    QTest::newRow("ctrl+u") << int(Qt::Key_U) << ctrl << QString();
    QTest::newRow("digits") << 0 << none << "3.2";
    QTest::newRow("letters") << 0 << none << "abc";
    QTest::newRow("separators and space") << 0 << none << ", .";
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

void TestSpinBox::dropAndMiddleClickDoNotPaste()
{
    ProbeSpinBox spin(1.0, 4.0, 0.1, 1.5);
    spin.setLocale(QLocale(QLocale::English));
    showAtWindowSize(spin);
    QLineEdit* edit = spin.lineEdit();

    QMimeData dropped;
    dropped.setText(QStringLiteral("2.2"));
    const QPoint inside = edit->rect().center();
    QDropEvent drop(inside, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &drop);
    QCOMPARE(spin.text(), QStringLiteral("1.5"));

    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard->supportsSelection()) {
        clipboard->setText(QStringLiteral("2.2"), QClipboard::Selection);
        QTest::mouseClick(edit, Qt::MiddleButton, {}, inside);
        QCOMPARE(spin.text(), QStringLiteral("1.5"));
    }
    QCOMPARE(spin.value(), 1.5);
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

void TestSpinBox::decimalSeparatorFollowsLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("afterStep");
    QTest::addColumn<QString>("atMaximum");
    QTest::newRow("German") << QLocale(QLocale::German) << "1,5"
                            << "1,6"
                            << "4,0";
    QTest::newRow("English") << QLocale(QLocale::English) << "1.5"
                             << "1.6"
                             << "4.0";
}

void TestSpinBox::decimalSeparatorFollowsLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, start);
    QFETCH(QString, afterStep);
    QFETCH(QString, atMaximum);

    SpinBox spin(1.0, 4.0, 0.1, 1.5);
    // Start from the other separator so the change of locale itself must update the text.
    spin.setLocale(locale.decimalPoint() == QStringLiteral(",") ? QLocale(QLocale::English)
                                                                : QLocale(QLocale::German));
    spin.setLocale(locale);
    QCOMPARE(spin.text(), start);
    QTest::keyClick(&spin, Qt::Key_Up);
    QCOMPARE(spin.text(), afterStep);
    spin.setValue(4.0);
    QCOMPARE(spin.text(), atMaximum);
}

void TestSpinBox::takesAndLeavesFocus()
{
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* spin = new ProbeSpinBox(1.0, 4.0, 0.1, 1.5, &window);
    auto* after = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(before);
    layout->addWidget(spin);
    layout->addWidget(after);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    QTRY_VERIFY(spin->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_VERIFY(after->hasFocus());
    QTest::keyClick(after, Qt::Key_Tab, Qt::ShiftModifier);
    QTRY_VERIFY(spin->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTRY_VERIFY(before->hasFocus());

    QTest::mouseClick(spin->lineEdit(), Qt::LeftButton);
    QTRY_VERIFY(spin->hasFocus());
    QCOMPARE(spin->value(), 1.5);
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
