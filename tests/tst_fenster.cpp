// The window as it opens: its fixed layout, fonts and texts, the keyboard focus and the
// telegraph at rest.
#include "paintbox.h"
#include "spinbox.h"
#include "timer.h"
#include "translations.h"
#include "umix2.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class TestFenster : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void festesFenster();
    void bauteile();
    void schriftenUndTexte();
    void nurMemoKnopfDrehfeldUndAlphabetNehmenDenFokus();
    void ruhestellungNachDemStart();
    void szeneMaltDieRuhestellung();
    void barrierefreiBenannt();
    void qtsEigeneTexteSindDeutsch();

private:
    Tpformx11* w = nullptr;
};

void TestFenster::initTestCase()
{
    // As the program does at start.
    QVERIFY(installGermanToolkitTexts(*qApp));
}

void TestFenster::init()
{
    w = new Tpformx11;
    w->takt = std::chrono::milliseconds::zero();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
}

void TestFenster::cleanup()
{
    delete w;
    w = nullptr;
}

void TestFenster::festesFenster()
{
    QCOMPARE(w->windowTitle(), QStringLiteral("Vellard-Telegraf"));
    QCOMPARE(w->size(), QSize(1008, 694));
    QCOMPARE(w->minimumSize(), QSize(1008, 694));
    QCOMPARE(w->maximumSize(), QSize(1008, 694));
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
    w->resize(1200, 800);
    QCOMPARE(w->size(), QSize(1008, 694));
}

void TestFenster::bauteile()
{
    struct Bauteil {
        const char* name;
        QWidget* bauteil;
        QWidget* eltern;
        QRect lage;
    };
    const Bauteil bauteile[] = {
        {"P8", w->P8, w, QRect(0, 0, 1008, 694)},
        {"P15", w->P15, w->P8, QRect(0, 0, 1008, 694)},
        {"telegraf", w->telegraf, w->P15, QRect(0, 0, 1008, 694)},
        {"PB13", w->PB13, w->telegraf, QRect(0, 0, 800, 694)},
        {"P49", w->P49, w->telegraf, QRect(800, 0, 208, 694)},
        {"L114", w->L114, w->P49, QRect(16, 16, 65, 16)},
        {"PBz", w->PBz, w->P49, QRect(14, 40, 181, 181)},
        {"L113", w->L113, w->P49, QRect(84, 230, 111, 14)},
        {"Me8", w->Me8, w->P49, QRect(14, 264, 182, 241)},
        {"B13", w->B13, w->P49, QRect(24, 516, 161, 25)},
        {"L103", w->L103, w->P49, QRect(32, 556, 78, 14)},
        {"Rx11", w->Rx11, w->P49, QRect(120, 552, 57, 22)},
    };
    for (const Bauteil& b : bauteile) {
        QVERIFY2(b.bauteil->parentWidget() == b.eltern, b.name);
        QVERIFY2(b.bauteil->geometry() == b.lage, b.name);
        QVERIFY2(b.bauteil->isVisible(), b.name);
    }
}

void TestFenster::schriftenUndTexte()
{
    QCOMPARE(w->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(w->font().pixelSize(), 12);
    QCOMPARE(w->B13->font().pixelSize(), 12);
    QCOMPARE(w->Me8->font().pixelSize(), 12);

    QCOMPARE(w->L114->text(), QStringLiteral("Alphabet"));
    QCOMPARE(w->L114->font().pixelSize(), 13);
    QVERIFY(w->L114->font().bold());
    QCOMPARE(w->L114->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(w->L113->text(), QStringLiteral("Zeichen anklicken"));
    QCOMPARE(w->L103->text(), QStringLiteral("Abstand in s"));
    QCOMPARE(w->B13->text(), QStringLiteral("Nachricht anzeigen"));
    QCOMPARE(w->P49->palette().color(QPalette::Window), QColor(240, 240, 240));
    QCOMPARE(w->PBz->cursor().shape(), Qt::PointingHandCursor);

    // The memo's default message has lines to wrap, lowercase letters and an umlaut.
    const QString memo = w->Me8->toPlainText();
    QCOMPARE(memo.count(QLatin1Char('\n')), 4);
    QVERIFY(memo.contains(QStringLiteral("ö")));
    QVERIFY(memo.contains(QLatin1Char('.')));
    QVERIFY(memo.size() >= 80 && memo.size() <= 120);
    QCOMPARE(w->Me8->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(w->Me8->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    QCOMPARE(w->Rx11->value(), 1.5);
    QCOMPARE(w->Timer1->interval(), 1500);
    QVERIFY(!w->Timer1->enabled());
}

void TestFenster::nurMemoKnopfDrehfeldUndAlphabetNehmenDenFokus()
{
    QApplication::setActiveWindow(w);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->Me8));

    QList<QWidget*> mitTab;
    for (QWidget* kind : w->findChildren<QWidget*>()) {
        if ((kind->focusPolicy() & Qt::TabFocus) && !kind->focusProxy())
            mitTab << kind;
    }
    QCOMPARE(mitTab.size(), 4);
    QVERIFY(mitTab.contains(w->Me8) && mitTab.contains(w->B13) && mitTab.contains(w->Rx11) &&
            mitTab.contains(w->PBz));

    const QList<QWidget*> reihe{w->B13, w->Rx11, w->PBz, w->Me8};
    for (QWidget* erwartet : reihe) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(),
                 erwartet->focusProxy() ? erwartet->focusProxy() : erwartet);
    }
}

void TestFenster::ruhestellungNachDemStart()
{
    QCOMPARE(w->winkel, ruhestellung);
    QCOMPARE(w->altwinkel, ruhestellung);
    QCOMPARE(w->zeichen, ' ');
    QCOMPARE(w->position, 0);

    Tpformx11 ungezeigt;
    QCOMPARE(ungezeigt.winkel, (Stellung{0, 0, 0}));
    QCOMPARE(ungezeigt.zeichen, '\0');
}

void TestFenster::szeneMaltDieRuhestellung()
{
    const QImage bild = w->PB13->grab().toImage();
    QCOMPARE(bild.size(), QSize(800, 694));
    QCOMPARE(bild.pixel(319, 251), qRgb(0, 0, 0));
    QCOMPARE(bild.pixel(339, 370), qRgb(0, 0, 0));
    QCOMPARE(bild.pixel(512, 250), qRgb(128, 0, 0));
    const QImage feld = w->PBz->grab().toImage();
    QCOMPARE(feld.size(), QSize(181, 181));
    QCOMPARE(feld.pixel(180, 180), qRgb(0, 0, 0));
    QCOMPARE(feld.pixel(2, 2), qRgb(240, 240, 240));
}

// A screen reader names every control in German and says which character the beams show.
void TestFenster::barrierefreiBenannt()
{
    const auto text = [](QWidget* bauteil, QAccessible::Text art) {
        QAccessibleInterface* schnittstelle = QAccessible::queryAccessibleInterface(bauteil);
        return schnittstelle ? schnittstelle->text(art) : QString();
    };
    QCOMPARE(text(w->Me8, QAccessible::Name), QStringLiteral("Nachricht"));
    QCOMPARE(text(w->B13, QAccessible::Name), QStringLiteral("Nachricht anzeigen"));
    QCOMPARE(text(w->Rx11, QAccessible::Name), QStringLiteral("Abstand in Sekunden"));
    QCOMPARE(text(w->PBz, QAccessible::Name), QStringLiteral("Alphabet"));
    QCOMPARE(text(w->PB13, QAccessible::Name), QStringLiteral("Telegraf"));
    for (QWidget* bauteil : {static_cast<QWidget*>(w->Me8), static_cast<QWidget*>(w->B13),
                             static_cast<QWidget*>(w->Rx11), static_cast<QWidget*>(w->PBz)})
        QVERIFY(!text(bauteil, QAccessible::Description).isEmpty());

    const QString menue =
        QStringLiteral(" Ein Rechtsklick, die Menütaste oder Umschalt+F10 öffnet ein Menü, das "
                       "die Signaltafel speichert (Strg+S) oder druckt (Strg+P).");
    QCOMPARE(text(w->PB13, QAccessible::Description),
             QStringLiteral("Der Telegraf steht in Ruhestellung.") + menue);
    w->PBzMD(Qt::LeftButton, {}, 75, 15);
    QCOMPARE(text(w->PB13, QAccessible::Description),
             QStringLiteral("Der Telegraf zeigt das Zeichen C.") + menue);
    w->PBzMD(Qt::LeftButton, {}, 15, 180);
    QCOMPARE(text(w->PB13, QAccessible::Description),
             QStringLiteral("Der Telegraf steht in Ruhestellung.") + menue);
}

// The menus Qt builds itself speak German like the rest of the window.
void TestFenster::qtsEigeneTexteSindDeutsch()
{
    const auto eintraege = [](QMenu* menue) {
        QStringList texte;
        for (const QAction* eintrag : menue->actions())
            texte << eintrag->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        delete menue;
        return texte;
    };
    const QStringList memo = eintraege(w->Me8->createStandardContextMenu());
    for (const char* erwartet :
         {"Rückgängig", "Ausschneiden", "Kopieren", "Einfügen", "Alles auswählen"})
        QVERIFY2(memo.contains(QString::fromUtf8(erwartet)),
                 qPrintable(memo.join(QStringLiteral(", "))));
    const QStringList drehfeld =
        eintraege(w->Rx11->findChild<QLineEdit*>()->createStandardContextMenu());
    QVERIFY2(drehfeld.contains(QStringLiteral("Kopieren")),
             qPrintable(drehfeld.join(QStringLiteral(", "))));
}

QTEST_MAIN(TestFenster)
#include "tst_fenster.moc"
