// The scene's context menu for the code chart: what it offers, that a right click changes
// nothing else, and that during a movement it opens only once the telegraph stands still.
#include "umix2.h"

#include "paintbox.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

// Watches for the menu and closes it at once, noting what it offered and whether the
// telegraph was turning at the time.
struct Menuebeobachter {
    explicit Menuebeobachter(const Tpformx11& fenster) : w(fenster)
    {
        QObject::connect(&uhr, &QTimer::timeout, [this] {
            auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menue)
                return;
            for (const QAction* aktion : menue->actions())
                texte << aktion->text();
            waehrendBewegung = w.bewegungLaeuft();
            stellung = w.winkel;
            menue->close();
        });
        uhr.start(5);
    }

    const Tpformx11& w;
    QTimer uhr;
    QStringList texte;
    bool waehrendBewegung = false;
    Stellung stellung;
};

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
    QCOMPARE(beobachter.texte, (QStringList{QStringLiteral("Signaltafel speichern …"),
                                            QStringLiteral("Signaltafel drucken …")}));
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

QTEST_MAIN(TestTafelmenue)
#include "tst_tafelmenue.moc"
