// The window as it opens: its fixed layout, fonts and texts, the keyboard focus, the telegraph
// at rest, and what a screen reader is told.
#include "tests/fenster.h"

#include "startup/translations.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QTranslator>

class TestFenster : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void festesFenster();
    void bauteile();
    void schriftenUndTexte();
    void nurMemoKnopfDrehfeldUndAlphabetNehmenDenFokus();
    void ruhestellungNachDemStart();
    void barrierefreiBenannt();
    void qtsEigeneTexte_data();
    void qtsEigeneTexte();

private:
    std::unique_ptr<Fenster> f;
};

void TestFenster::init()
{
    f = std::make_unique<Fenster>();
    QVERIFY(f->oeffnen());
}

void TestFenster::cleanup()
{
    f.reset();
}

void TestFenster::festesFenster()
{
    QWidget& w = f->w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Vellard-Telegraf"));
    QCOMPARE(w.size(), QSize(1008, 694));
    QCOMPARE(w.minimumSize(), QSize(1008, 694));
    QCOMPARE(w.maximumSize(), QSize(1008, 694));
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
    w.resize(1200, 800);
    QCOMPARE(w.size(), QSize(1008, 694));
    // Wider than the test's screen (800 x 800), it begins at the screen's left edge.
    QCOMPARE(w.screen()->availableGeometry(), QRect(0, 0, 800, 800));
    QCOMPARE(w.pos(), QPoint(0, (800 - 694) / 2));
}

void TestFenster::bauteile()
{
    // 65 pixels are Verdana's; a wider stand-in font widens the heading, whose last column stays
    // empty, so that no letter is cut off.
    const QRect alphabet = teil<QLabel>(f->w, "L114").geometry();
    const QImage leiste = teil<QWidget>(f->w, "P49").grab().toImage();
    for (int y = alphabet.top(); y <= alphabet.bottom(); ++y)
        QCOMPARE(leiste.pixel(alphabet.right(), y), qRgb(240, 240, 240));
    const int breite = std::max(65, alphabet.width());
    const struct {
        const char* name;
        const char* eltern;
        QRect lage;
    } bauteile[] = {
        {"P8", nullptr, QRect(0, 0, 1008, 694)},      {"P15", "P8", QRect(0, 0, 1008, 694)},
        {"telegraf", "P15", QRect(0, 0, 1008, 694)},  {"PB13", "telegraf", QRect(0, 0, 800, 694)},
        {"P49", "telegraf", QRect(800, 0, 208, 694)}, {"L114", "P49", QRect(16, 16, breite, 16)},
        {"PBz", "P49", QRect(14, 40, 181, 181)},      {"L113", "P49", QRect(84, 230, 111, 14)},
        {"Me8", "P49", QRect(14, 264, 182, 241)},     {"B13", "P49", QRect(24, 516, 161, 25)},
        {"L103", "P49", QRect(32, 556, 78, 14)},      {"Rx11", "P49", QRect(120, 552, 57, 22)},
    };
    for (const auto& b : bauteile) {
        const QWidget& bauteil = teil<QWidget>(f->w, b.name);
        const QWidget* eltern = b.eltern ? &teil<QWidget>(f->w, b.eltern) : &f->w;
        QVERIFY2(bauteil.parentWidget() == eltern, b.name);
        QVERIFY2(bauteil.geometry() == b.lage, b.name);
        QVERIFY2(bauteil.isVisible(), b.name);
    }
}

void TestFenster::schriftenUndTexte()
{
    const auto label = [&](const char* name) -> QLabel& { return teil<QLabel>(f->w, name); };
    QCOMPARE(f->w.font().family(), QStringLiteral("Verdana"));
    QCOMPARE(f->w.font().pixelSize(), 12);
    QCOMPARE(f->knopf.font().pixelSize(), 12);
    QCOMPARE(f->memo.font().pixelSize(), 12);

    QCOMPARE(label("L114").text(), QStringLiteral("Alphabet"));
    QCOMPARE(label("L114").font().pixelSize(), 13);
    QVERIFY(label("L114").font().bold());
    QCOMPARE(label("L114").palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(label("L113").text(), QStringLiteral("Zeichen anklicken"));
    QCOMPARE(label("L103").text(), QStringLiteral("Abstand in s"));
    QCOMPARE(f->knopf.text(), QStringLiteral("Nachricht anzeigen"));
    QCOMPARE(teil<QWidget>(f->w, "P49").palette().color(QPalette::Window), QColor(240, 240, 240));
    QCOMPARE(f->feld.cursor().shape(), Qt::PointingHandCursor);

    // The memo's default message has lines to wrap, lowercase letters and an umlaut.
    const QString memo = eingebetteterText(QStringLiteral("memo.txt"));
    QCOMPARE(memo.count(QLatin1Char('\n')), 4);
    QVERIFY(memo.contains(QStringLiteral("ö")));
    QVERIFY(memo.contains(QLatin1Char('.')));
    QVERIFY(memo.size() >= 80 && memo.size() <= 120);
    QCOMPARE(f->memo.lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(f->memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    Fenster frisch;
    QCOMPARE(frisch.memo.toPlainText(), memo);
    QCOMPARE(frisch.drehfeld.value(), 1.5);
    QCOMPARE(frisch.timer.interval(), 1500);
    QVERIFY(!frisch.timer.enabled());
}

void TestFenster::nurMemoKnopfDrehfeldUndAlphabetNehmenDenFokus()
{
    QList<QWidget*> mitTab;
    for (QWidget* kind : f->w.findChildren<QWidget*>()) {
        if ((kind->focusPolicy() & Qt::TabFocus) && !kind->focusProxy())
            mitTab << kind;
    }
    QCOMPARE(mitTab.size(), 4);
    const QList<QWidget*> reihe{&f->knopf, &f->drehfeld, &f->feld, &f->memo};
    for (QWidget* erwartet : reihe) {
        QVERIFY(mitTab.contains(erwartet));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(),
                 erwartet->focusProxy() ? erwartet->focusProxy() : erwartet);
    }
}

// At rest and nothing written; the scene paints the regulator's outline, an indicator's end and
// the pivot, the grid its closing line.
void TestFenster::ruhestellungNachDemStart()
{
    QCOMPARE(f->telegraf.winkel(), ruhestellung);
    QCOMPARE(f->gezeigt(), QStringLiteral(" "));
    const QImage bild = f->telegraf.grab().toImage();
    QCOMPARE(bild.size(), QSize(800, 694));
    QCOMPARE(bild.pixel(319, 251), qRgb(0, 0, 0));
    QCOMPARE(bild.pixel(339, 370), qRgb(0, 0, 0));
    QCOMPARE(bild.pixel(512, 250), qRgb(128, 0, 0));
    const QImage feld = f->feld.grab().toImage();
    QCOMPARE(feld.pixel(180, 180), qRgb(0, 0, 0));
    QCOMPARE(feld.pixel(2, 2), qRgb(240, 240, 240));

    Fenster ungezeigt;
    QCOMPARE(ungezeigt.telegraf.winkel(), (Stellung{0, 0, 0}));
    QCOMPARE(ungezeigt.telegraf.zeichen(), '\0');
}

// A screen reader finds a window named as its title and every control named in German, and is
// told which character the beams show and how to reach the chart.
void TestFenster::barrierefreiBenannt()
{
    const auto text = [](QWidget& bauteil, QAccessible::Text art) {
        return QAccessible::queryAccessibleInterface(&bauteil)->text(art);
    };
    QAccessibleInterface* fenster = QAccessible::queryAccessibleInterface(&f->w);
    QCOMPARE(fenster->role(), QAccessible::Window);
    QCOMPARE(fenster->text(QAccessible::Name), QStringLiteral("Vellard-Telegraf"));
    QCOMPARE(text(f->memo, QAccessible::Name), QStringLiteral("Nachricht"));
    QCOMPARE(text(f->knopf, QAccessible::Name), QStringLiteral("Nachricht anzeigen"));
    QCOMPARE(text(f->drehfeld, QAccessible::Name), QStringLiteral("Abstand in Sekunden"));
    QCOMPARE(text(f->feld, QAccessible::Name), QStringLiteral("Alphabet"));
    QCOMPARE(text(f->telegraf, QAccessible::Name), QStringLiteral("Telegraf"));
    QCOMPARE(QAccessible::queryAccessibleInterface(&f->telegraf)->role(), QAccessible::Graphic);
    for (QWidget* bauteil : {static_cast<QWidget*>(&f->memo), static_cast<QWidget*>(&f->knopf),
                             static_cast<QWidget*>(&f->drehfeld)})
        QVERIFY(!text(*bauteil, QAccessible::Description).isEmpty());

    const QString menue = QStringLiteral(
        " Ein Rechtsklick, die Menütaste oder Umschalt+F10 öffnet ein Menü, das "
        "die Signaltafel speichert (Strg+S) oder druckt (Strg+P), Signale üben "
        "lässt (Strg+U), die Telegrafenlinie zeigt (Strg+L) und als Station einer Linie "
        "beitreten lässt (Strg+T).");
    QCOMPARE(text(f->telegraf, QAccessible::Description),
             QStringLiteral("Der Telegraf steht in Ruhestellung.") + menue);
    f->klicke('C');
    QCOMPARE(text(f->telegraf, QAccessible::Description),
             QStringLiteral("Der Telegraf zeigt das Zeichen C.") + menue);
    f->klicke(' ');
    QCOMPARE(text(f->telegraf, QAccessible::Description),
             QStringLiteral("Der Telegraf steht in Ruhestellung.") + menue);
}

void TestFenster::qtsEigeneTexte_data()
{
    // Qt's German catalogue from its own folder, or from a folder that has none: then the
    // program still runs, with Qt's texts in English.
    QTest::addColumn<bool>("katalog");
    QTest::addColumn<QStringList>("memo");
    QTest::addColumn<QString>("drehfeld");

    QTest::newRow("deutsch") << true
                             << QStringList{"Rückgängig", "Ausschneiden", "Kopieren", "Einfügen",
                                            "Alles auswählen"}
                             << "Kopieren";
    QTest::newRow("ohne Katalog englisch")
        << false << QStringList{"Undo", "Cut", "Copy", "Paste", "Select All"} << "Copy";
}

void TestFenster::qtsEigeneTexte()
{
    QFETCH(bool, katalog);
    QFETCH(QStringList, memo);
    QFETCH(QString, drehfeld);

    const QTemporaryDir leer;
    QCOMPARE(installGermanToolkitTexts(*qApp, katalog ? QString() : leer.path()), katalog);
    const auto eintraege = [](QMenu* menue) {
        QStringList texte;
        for (const QAction* eintrag : menue->actions())
            texte << eintrag->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        delete menue;
        return texte;
    };
    const QStringList imMemo = eintraege(f->memo.createStandardContextMenu());
    for (const QString& erwartet : memo)
        QVERIFY2(imMemo.contains(erwartet), qPrintable(imMemo.join(QStringLiteral(", "))));
    const QStringList imDrehfeld =
        eintraege(f->drehfeld.findChild<QLineEdit*>()->createStandardContextMenu());
    QVERIFY2(imDrehfeld.contains(drehfeld), qPrintable(imDrehfeld.join(QStringLiteral(", "))));
    if (katalog)
        QCoreApplication::removeTranslator(qApp->findChild<QTranslator*>());
}

QTEST_MAIN(TestFenster)
#include "tst_fenster.moc"
