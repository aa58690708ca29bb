// The real window as a native Wayland client, under the headless Weston that tests/wayland.sh
// starts. Weston ends the connection of a client whose maximised window does not take the
// size it was given, and Qt then ends the program; so every check here waits until Weston has
// shown a frame drawn after the change.
#include "assets/eingebettet.h"
#include "widgets/telegraf.h"
#include "window/umix2.h"

#include <QApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

namespace {

class UpdateCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::UpdateRequest)
            ++count;
        return false;
    }
};

// True once Weston has shown a frame drawn after the call. A repaint commits a frame to Weston
// at once; the window's next update request waits until Weston reports that frame shown, and
// Weston answers a surface's commits in order, after it has checked them.
bool westonHatGezeigt(QWidget& w)
{
    UpdateCounter updates;
    QWindow* fenster = w.windowHandle();
    fenster->installEventFilter(&updates);
    for (int runde = 1; runde <= 2; ++runde) {
        w.repaint();
        fenster->requestUpdate();
        if (!QTest::qWaitFor([&] { return updates.count >= runde; }, 5000))
            return false;
    }
    return true;
}

} // namespace

class TestWayland : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void zeigtSichInSeinerGroesse();
    void fuelltDenBildschirmUndKehrtZurueck_data();
    void fuelltDenBildschirmUndKehrtZurueck();
    void bleibtSonstInSeinerGroesse();
    void schliesstSauber();

private:
    // Where the window's content lies in it.
    QRect inhalt() const { return w->findChild<QWidget*>(QStringLiteral("P8"))->geometry(); }

    Tpformx11* w = nullptr;
};

void TestWayland::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        QSKIP("Läuft nur unter Wayland; tests/wayland.sh startet dafür Weston.");
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
    // Qt counts a window as hidden when Weston answers a frame later than 100 ms, as it does on
    // a busy machine, and Qt 6.4 then drops the update request that waited for the answer.
    // Weston always answers; the windows made from here on wait for it however long it takes.
    qputenv("QT_WAYLAND_FRAME_CALLBACK_TIMEOUT", "0");
}

void TestWayland::init()
{
    w = new Tpformx11(eingebetteterCode());
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QVERIFY(westonHatGezeigt(*w));
}

void TestWayland::cleanup()
{
    delete w;
    w = nullptr;
}

void TestWayland::zeigtSichInSeinerGroesse()
{
    QCOMPARE(w->size(), QSize(1008, 694));
    // What the compositor is told: the window cannot be resized.
    QCOMPARE(w->windowHandle()->minimumSize(), QSize(1008, 694));
    QCOMPARE(w->windowHandle()->maximumSize(), QSize(1008, 694));
    QCOMPARE(inhalt(), QRect(0, 0, 1008, 694));
}

void TestWayland::fuelltDenBildschirmUndKehrtZurueck_data()
{
    QTest::addColumn<Qt::WindowState>("zustand");
    QTest::newRow("maximiert") << Qt::WindowMaximized;
    QTest::newRow("Vollbild") << Qt::WindowFullScreen;
}

void TestWayland::fuelltDenBildschirmUndKehrtZurueck()
{
    QFETCH(Qt::WindowState, zustand);
    // Weston's headless screen, 1280 × 1024 and without a panel as tests/wayland.sh starts it.
    // A maximised window fills it with its title bar and edges, a full-screen one without.
    const QSize bildschirm = w->screen()->geometry().size();
    QCOMPARE(bildschirm, QSize(1280, 1024));

    QSignalSpy bilder(w->findChild<Telegraf*>(), &Telegraf::gezeichnet);
    w->setWindowState(zustand);
    QTRY_VERIFY(w->windowState() & zustand);
    QTRY_COMPARE(w->frameGeometry().size(), bildschirm);
    if (zustand == Qt::WindowFullScreen)
        QCOMPARE(w->size(), bildschirm);
    else
        QVERIFY(w->height() > 694 && w->height() < 1024);
    QVERIFY(westonHatGezeigt(*w));

    // The content keeps its size and sits in the middle.
    const QSize gross = w->size();
    QCOMPARE(inhalt(), QRect(QPoint((gross.width() - 1008) / 2, (gross.height() - 694) / 2),
                             QSize(1008, 694)));
    QCOMPARE(w->findChild<Telegraf*>()->size(), QSize(800, 694));
    QCOMPARE(w->windowHandle()->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    const qsizetype vorher = bilder.size();
    w->findChild<Telegraf*>()->repaint();
    QCOMPARE(bilder.size(), vorher + 1);
    QVERIFY(westonHatGezeigt(*w));

    w->setWindowState(Qt::WindowNoState);
    QTRY_COMPARE(w->size(), QSize(1008, 694));
    QCOMPARE(inhalt(), QRect(0, 0, 1008, 694));
    QVERIFY(westonHatGezeigt(*w));
    QVERIFY(!(w->windowState() & zustand));
    QCOMPARE(w->windowHandle()->maximumSize(), QSize(1008, 694));
}

void TestWayland::bleibtSonstInSeinerGroesse()
{
    w->resize(1200, 800);
    QTRY_COMPARE(w->size(), QSize(1008, 694));
    QVERIFY(westonHatGezeigt(*w));
    QCOMPARE(inhalt(), QRect(0, 0, 1008, 694));
}

void TestWayland::schliesstSauber()
{
    w->setWindowState(Qt::WindowMaximized);
    QTRY_COMPARE(w->frameGeometry().width(), 1280);
    QVERIFY(w->close());
    QTRY_VERIFY(!w->isVisible());
    // A new window after the closed one still reaches Weston: the connection is intact.
    Tpformx11 danach(eingebetteterCode());
    danach.show();
    QVERIFY(QTest::qWaitForWindowExposed(&danach));
    QVERIFY(westonHatGezeigt(danach));
}

QTEST_MAIN(TestWayland)
#include "tst_wayland.moc"
