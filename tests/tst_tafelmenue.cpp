// The scene's context menu for the code chart: what it offers, that a right click changes
// nothing else, and that during a movement it opens only once the telegraph stands still.
#include "umix2.h"

#include "paintbox.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Watches for the menu or a dialog and closes it at once, noting what it offered (each entry
// with its key) or its title, and whether the telegraph was turning at the time.
struct Menuebeobachter {
    explicit Menuebeobachter(const Tpformx11& fenster) : w(fenster)
    {
        QObject::connect(&uhr, &QTimer::timeout, [this] {
            QWidget* offen = QApplication::activePopupWidget();
            if (!offen)
                offen = QApplication::activeModalWidget();
            if (!offen)
                return;
            if (auto* menue = qobject_cast<QMenu*>(offen)) {
                for (const QAction* aktion : menue->actions())
                    texte << aktion->text() + QLatin1Char('\t') +
                                 aktion->shortcut().toString(QKeySequence::NativeText);
            } else {
                texte << offen->windowTitle();
            }
            waehrendBewegung = w.bewegungLaeuft();
            stellung = w.winkel;
            offen->close();
        });
        uhr.start(5);
    }

    const Tpformx11& w;
    QTimer uhr;
    QStringList texte;
    bool waehrendBewegung = false;
    Stellung stellung;
};

const QStringList menueeintraege{QStringLiteral("Signaltafel speichern …\tCtrl+S"),
                                 QStringLiteral("Signaltafel drucken …\tCtrl+P")};

void rechtsklick(PaintBox* szene)
{
    const QPoint wo(300, 150);
    QContextMenuEvent anfrage(QContextMenuEvent::Mouse, wo, szene->mapToGlobal(wo));
    QApplication::sendEvent(szene, &anfrage);
}

} // namespace

class TestTafelmenue : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void menueBietetSpeichernUndDrucken();
    void menueWartetAufDasEndeDerBewegung();
    void tasten_data();
    void tasten();

private:
    Tpformx11* w = nullptr;
};

void TestTafelmenue::init()
{
    w = new Tpformx11;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
}

void TestTafelmenue::cleanup()
{
    delete w;
}

void TestTafelmenue::menueBietetSpeichernUndDrucken()
{
    Menuebeobachter beobachter(*w);
    rechtsklick(w->PB13);
    QCOMPARE(beobachter.texte, menueeintraege);
    // The right click moved nothing.
    QCOMPARE(w->winkel, ruhestellung);
    QCOMPARE(w->zeichen, ' ');

    QAccessibleInterface* szene = QAccessible::queryAccessibleInterface(w->PB13);
    QVERIFY(szene->text(QAccessible::Description).contains(QStringLiteral("Signaltafel")));
}

void TestTafelmenue::menueWartetAufDasEndeDerBewegung()
{
    Menuebeobachter beobachter(*w);
    int bilder = 0;
    connect(w->PB13, &PaintBox::painted, this, [&] {
        if (++bilder == 5)
            rechtsklick(w->PB13);
    });
    w->PBzMD(Qt::LeftButton, {}, 75, 15); // C: (90, 0, 0)

    QVERIFY(bilder > 5);
    QCOMPARE(beobachter.texte.size(), 2);
    QVERIFY(!beobachter.waehrendBewegung);
    QCOMPARE(beobachter.stellung, (Stellung{90, 0, 0}));
}

void TestTafelmenue::tasten_data()
{
    // Where the focus is, the key, what opens, and whether it comes during a movement.
    QTest::addColumn<QString>("fokus");
    QTest::addColumn<QKeySequence>("taste");
    QTest::addColumn<QStringList>("geoeffnet");
    QTest::addColumn<bool>("bewegung");

    const QStringList speichern{QStringLiteral("Signaltafel speichern")};
    QTest::newRow("Strg+S im Memo")
        << "memo" << QKeySequence(QKeySequence::Save) << speichern << false;
    QTest::newRow("Strg+P auf dem Knopf")
        << "knopf" << QKeySequence(QKeySequence::Print)
        << QStringList{QStringLiteral("Signaltafel drucken")} << false;
    QTest::newRow("Strg+S im Alphabet während der Bewegung")
        << "feld" << QKeySequence(QKeySequence::Save) << speichern << true;
    QTest::newRow("Menütaste auf dem Knopf")
        << "knopf" << QKeySequence(Qt::Key_Menu) << menueeintraege << false;
    QTest::newRow("Umschalt+F10 im Alphabet")
        << "feld" << QKeySequence(Qt::SHIFT | Qt::Key_F10) << menueeintraege << false;
}

void TestTafelmenue::tasten()
{
    QFETCH(QString, fokus);
    QFETCH(QKeySequence, taste);
    QFETCH(QStringList, geoeffnet);
    QFETCH(bool, bewegung);

    QApplication::setActiveWindow(w);
    QWidget* ziel = fokus == QLatin1String("memo")    ? static_cast<QWidget*>(w->Me8)
                    : fokus == QLatin1String("knopf") ? static_cast<QWidget*>(w->B13)
                                                      : static_cast<QWidget*>(w->PBz);
    ziel->setFocus();
    QTRY_VERIFY(ziel->hasFocus());
    Menuebeobachter beobachter(*w);
    const auto druecke = [&] {
        if (taste[0].key() == Qt::Key_Menu) {
            // The window system turns the menu key into a request for the focused control's menu.
            QContextMenuEvent anfrage(QContextMenuEvent::Keyboard, {}, ziel->mapToGlobal(QPoint()));
            QApplication::sendEvent(ziel, &anfrage);
        } else {
            QTest::keyClick(ziel, taste[0].key(), taste[0].keyboardModifiers());
        }
        QCoreApplication::processEvents();
    };
    if (bewegung) {
        int bilder = 0;
        connect(w->PB13, &PaintBox::painted, this, [&] {
            if (++bilder == 5)
                druecke();
        });
        w->PBzMD(Qt::LeftButton, {}, 75, 15); // C: (90, 0, 0)
        QVERIFY(bilder > 5);
    } else {
        druecke();
    }

    QTRY_COMPARE(beobachter.texte, geoeffnet);
    QVERIFY(!beobachter.waehrendBewegung);
}

QTEST_MAIN(TestTafelmenue)
#include "tst_tafelmenue.moc"
