// The alphabet grid worked with the keyboard alone, as a keyboard or screen-reader user does:
// reaching it, moving its current cell, sending, its focus frame, what it tells a screen
// reader, and keys held down.
#include "tests/fenster.h"

#include <QAccessible>
#include <QKeyEvent>

namespace {

// Tab from the memo past the button and the spin box.
void zumFeld()
{
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

// Keys written as Qt's key names ("Right", "Return") or as the one character they type.
void tippe(QWidget* ziel, const QString& tasten)
{
    for (const QString& taste : tasten.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (taste.size() == 1)
            QTest::keyClick(ziel, taste.at(0).toLatin1());
        else
            QTest::keyClick(ziel, Qt::Key(QKeySequence::fromString(taste)[0].key()));
    }
}

// Stands in for a screen reader's bridge, installed after the program's own filter: it takes
// every key that has a time stamp and hands it on without one once the event loop comes round.
class Bruecke : public QObject {
protected:
    bool eventFilter(QObject* ziel, QEvent* ereignis) override
    {
        if (ereignis->type() != QEvent::KeyPress && ereignis->type() != QEvent::KeyRelease)
            return false;
        const auto* k = static_cast<QKeyEvent*>(ereignis);
        if (k->timestamp() == 0)
            return false;
        QCoreApplication::postEvent(ziel, new QKeyEvent(k->type(), k->key(), k->modifiers(),
                                                        k->nativeScanCode(), 0, 0, k->text(),
                                                        k->isAutoRepeat()));
        return true;
    }
};

// Where the blue focus frame is, by its pixels in the middle of a cell's left side.
QString gerahmt(Alphabetfeld& feld)
{
    const QImage bild = feld.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QString zellen;
    for (int i = 0; i < 36; ++i) {
        const QRgb p = bild.pixel(i % 6 * 30 + 2, i / 6 * 30 + 15);
        const QRgb q = bild.pixel(i % 6 * 30 + 3, i / 6 * 30 + 15);
        if (qBlue(p) - qRed(p) > 100 && qBlue(q) - qRed(q) > 100)
            zellen += raster.at(i);
    }
    return zellen;
}

} // namespace

class TstTastatur : public QObject {
    Q_OBJECT
private slots:
    void senden_data();
    void senden();
    void tasteWaehrendBewegung();
    void fokusrahmen();
    void tabelleFuerScreenreader();
    void zelleFuerScreenreader_data();
    void zelleFuerScreenreader();
    void gehalteneTaste_data();
    void gehalteneTaste();
};

void TstTastatur::senden_data()
{
    // Keys typed on the grid after reaching it by Tab; the character then shown (a space: the
    // telegraph still at rest), and whether a playback running before still runs.
    QTest::addColumn<QString>("tasten");
    QTest::addColumn<bool>("wiedergabe");
    QTest::addColumn<QString>("gezeigt");
    QTest::addColumn<bool>("laeuftNoch");

    QTest::newRow("Pfeile und Eingabe") << "Right Right Down Return" << false << "I" << false;
    QTest::newRow("Enter") << "End Down Enter" << false << "M" << false;
    QTest::newRow("Leertaste sendet A") << "Space" << false << "A" << false;
    QTest::newRow("k sendet K") << "k" << false << "K" << false;
    QTest::newRow("j sendet I") << "j" << false << "I" << false;
    QTest::newRow("dann weiter von dort") << "k Left Space" << false << "I" << false;
    QTest::newRow("Ziffer") << "7" << false << "7" << false;
    QTest::newRow("Pfeile allein senden nicht") << "Right Down Home" << false << " " << false;
    QTest::newRow("anderes tut nichts") << "? , F2" << true << " " << true;
    QTest::newRow("Eingabe hält die Wiedergabe an") << "Return" << true << "A" << false;
    QTest::newRow("Escape hält an") << "Escape" << true << " " << false;
}

void TstTastatur::senden()
{
    QFETCH(QString, tasten);
    QFETCH(bool, wiedergabe);
    QFETCH(QString, gezeigt);
    QFETCH(bool, laeuftNoch);

    Fenster f;
    QVERIFY(f.oeffnen());
    if (wiedergabe)
        f.knopf.click();
    zumFeld();
    QCOMPARE(QApplication::focusWidget(), &f.feld);

    tippe(&f.feld, tasten);
    QVERIFY(f.still());

    QCOMPARE(f.gezeigt(), gezeigt);
    QCOMPARE(f.telegraf.altwinkel(), signalVon(gezeigt.front().toLatin1()));
    QCOMPARE(f.timer.enabled(), laeuftNoch);
    QCOMPARE(f.memo.toPlainText(), QStringLiteral("ab"));
    QCOMPARE(QApplication::focusWidget(), &f.feld);
}

// A key that sends while the telegraph turns goes the way of a press: the playback stops at
// once, the movement runs to its end, the latest choice follows it, and no movement starts
// inside another.
void TstTastatur::tasteWaehrendBewegung()
{
    Fenster f;
    QVERIFY(f.oeffnen());
    zumFeld();
    f.knopf.click();

    bool angehalten = true;
    Aufnahme aufnahme(f.telegraf);
    aufnahme.beiBild = [&](qsizetype bild) {
        if (bild == 10) {
            tippe(&f.feld, QStringLiteral("m"));
            angehalten = !f.timer.enabled() && f.knopf.text() == textStart;
        }
        if (bild == 20)
            tippe(&f.feld, QStringLiteral("Left Left Return"));
    };
    f.tick();

    QVERIFY(angehalten);
    QCOMPARE(aufnahme.ausserhalbBewegung, 0);
    QCOMPARE(aufnahme.folge, QStringLiteral("AK"));
    QCOMPARE(f.telegraf.altwinkel(), signalVon('K'));
    QVERIFY(!f.telegraf.bewegungLaeuft());
    QVERIFY(!f.timer.enabled());
}

// The frame shows while the grid has the focus, however it got it, follows the current cell,
// and leaves the grid exactly as it was when the focus goes.
void TstTastatur::fokusrahmen()
{
    Fenster f;
    QVERIFY(f.oeffnen());
    const QImage ohne = f.feld.grab().toImage();
    QCOMPARE(gerahmt(f.feld), QString());

    zumFeld();
    QTRY_COMPARE(gerahmt(f.feld), QStringLiteral("A"));
    tippe(&f.feld, QStringLiteral("Down Right"));
    QCOMPARE(gerahmt(f.feld), QStringLiteral("H"));
    tippe(&f.feld, QStringLiteral("x"));
    QCOMPARE(gerahmt(f.feld), QStringLiteral("X"));

    QTest::keyClick(&f.feld, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &f.memo);
    QCOMPARE(f.feld.grab().toImage(), ohne);

    // A click gives the grid the focus, and the frame shows that keys now go to the grid.
    QTest::mouseClick(&f.feld, Qt::LeftButton, {}, QPoint(45, 45));
    QVERIFY(f.still());
    QCOMPARE(QApplication::focusWidget(), &f.feld);
    QCOMPARE(f.gezeigt(), QStringLiteral("H"));
    QCOMPARE(gerahmt(f.feld), QStringLiteral("H"));
    tippe(&f.feld, QStringLiteral("Up"));
    QCOMPARE(gerahmt(f.feld), QStringLiteral("B"));
}

// A screen reader finds a table of 6 x 6 cells named by their characters, the current one
// selected and, while the grid has the focus, focused: the cell it reads when told of a new
// focus. (Qt hands such notices on only to a running screen-reader bridge, which the
// offscreen platform has none of.)
void TstTastatur::tabelleFuerScreenreader()
{
    Fenster f;
    QVERIFY(f.oeffnen());
    QAccessibleInterface* feld = QAccessible::queryAccessibleInterface(&f.feld);
    QCOMPARE(feld->role(), QAccessible::Table);
    QAccessibleTableInterface* tabelle = feld->tableInterface();
    QVERIFY(tabelle);
    QCOMPARE(tabelle->rowCount(), 6);
    QCOMPARE(tabelle->columnCount(), 6);
    QStringList namen;
    for (int i = 0; i < feld->childCount(); ++i)
        namen << feld->child(i)->text(QAccessible::Name);
    QCOMPARE(namen.join(QString()), raster);

    QCOMPARE(feld->focusChild(), nullptr);
    zumFeld();
    QCOMPARE(feld->focusChild()->text(QAccessible::Name), QStringLiteral("A"));
    tippe(&f.feld, QStringLiteral("Down Down Right Right"));
    QAccessibleInterface* p = tabelle->cellAt(2, 2);
    QCOMPARE(feld->focusChild(), p);
    QCOMPARE(p->text(QAccessible::Name), QStringLiteral("P"));
    QCOMPARE(p->tableCellInterface()->rowIndex(), 2);
    QVERIFY(p->state().focused && p->state().selected);
    QCOMPARE(tabelle->selectedCells(), QList<QAccessibleInterface*>{p});
    QVERIFY(!tabelle->cellAt(0, 0)->state().selected);
}

void TstTastatur::zelleFuerScreenreader_data()
{
    QTest::addColumn<QChar>("zeichen");
    QTest::addColumn<int>("zeile");
    QTest::addColumn<int>("spalte");
    QTest::newRow("A") << QChar('A') << 0 << 0;
    QTest::newRow("M") << QChar('M') << 1 << 5;
    QTest::newRow("&") << QChar('&') << 4 << 1;
    QTest::newRow("5") << QChar('5') << 5 << 0;
}

// Each cell tells a screen reader its row and column, off the diagonal too, and a screen
// reader's press on it shows its signal.
void TstTastatur::zelleFuerScreenreader()
{
    QFETCH(QChar, zeichen);
    QFETCH(int, zeile);
    QFETCH(int, spalte);
    Fenster f;
    QAccessibleInterface* zelle =
        QAccessible::queryAccessibleInterface(&f.feld)->tableInterface()->cellAt(zeile, spalte);
    QCOMPARE(zelle->text(QAccessible::Name), QString(zeichen));
    QCOMPARE(zelle->tableCellInterface()->rowIndex(), zeile);
    QCOMPARE(zelle->tableCellInterface()->columnIndex(), spalte);
    f.telegraf.setTakt(std::chrono::milliseconds::zero());
    zelle->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(f.still());
    QCOMPARE(f.gezeigt(), QString(zeichen));
}

void TstTastatur::gehalteneTaste_data()
{
    // A key held down on a control: its first press, then the keyboard's repeats. Whether the
    // playback runs before and after, the grid's current cell, and the drawings of the scene.
    QTest::addColumn<QString>("fokus");
    QTest::addColumn<int>("taste");
    QTest::addColumn<bool>("vorher");
    QTest::addColumn<bool>("nachher");
    QTest::addColumn<QChar>("zelle");
    QTest::addColumn<int>("zeichnungen");

    QTest::newRow("Eingabe auf dem Knopf")
        << "B13" << int(Qt::Key_Return) << false << true << QChar('A') << 0;
    QTest::newRow("Enter auf dem Knopf")
        << "B13" << int(Qt::Key_Enter) << true << false << QChar('A') << 0;
    QTest::newRow("Leertaste auf dem Knopf")
        << "B13" << int(Qt::Key_Space) << false << true << QChar('A') << 0;
    QTest::newRow("Escape im Memo")
        << "Me8" << int(Qt::Key_Escape) << true << false << QChar('A') << 0;
    QTest::newRow("Pfeil im Alphabet wiederholt")
        << "PBz" << int(Qt::Key_Down) << true << true << QChar('5') << 0;
    // Rest to K (135, 135, -45) is 43 + 43 + 133 frames and the final drawing; each repeat
    // that sent K again would draw once more.
    QTest::newRow("Buchstabe im Alphabet sendet einmal")
        << "PBz" << int(Qt::Key_K) << true << false << QChar('K') << 220;
}

void TstTastatur::gehalteneTaste()
{
    QFETCH(QString, fokus);
    QFETCH(int, taste);
    QFETCH(bool, vorher);
    QFETCH(bool, nachher);
    QFETCH(QChar, zelle);
    QFETCH(int, zeichnungen);

    // Qt marks the repeats; on a busy machine it may not, and only their time stamps, each
    // release's the same as the next press's, tell them, also where a screen reader's bridge
    // takes the keys first.
    enum { markiert, zeitstempel, bruecke };
    for (const int art : {markiert, zeitstempel, bruecke}) {
        Fenster f;
        QVERIFY(f.oeffnen());
        Bruecke leser;
        if (art == bruecke)
            qApp->installEventFilter(&leser);
        QWidget& ziel = teil<QWidget>(f.w, qPrintable(fokus));
        ziel.setFocus();
        QTRY_VERIFY(ziel.hasFocus());
        if (vorher)
            f.knopf.click();
        Aufnahme aufnahme(f.telegraf);

        // As the keyboard sends a held key: the press, then releases and presses 30 ms apart,
        // and the release at the end. Five repeats: a key that acted on every repeat would
        // have toggled the playback back.
        const Qt::Key k = Qt::Key(taste);
        const QString text = k == Qt::Key_K ? QStringLiteral("k") : QString();
        quint64 zeit = 1000;
        const auto sende = [&](QEvent::Type typ, bool wiederholt) {
            // 36: the keyboard's code of the key, which the bridge's copies keep.
            QKeyEvent ereignis(typ, k, Qt::NoModifier, 36, 0, 0, text,
                               wiederholt && art == markiert);
            ereignis.setTimestamp(zeit);
            QApplication::sendEvent(&ziel, &ereignis);
            for (int runde = 0; runde < 2; ++runde) // the bridge's copy, and what it leads to
                QCoreApplication::processEvents();
        };
        sende(QEvent::KeyPress, false);
        for (int i = 0; i < 5; ++i, zeit += 30) {
            sende(QEvent::KeyRelease, true);
            sende(QEvent::KeyPress, true);
        }
        sende(QEvent::KeyRelease, false);
        QVERIFY(f.still());

        QCOMPARE(f.timer.enabled(), nachher);
        QCOMPARE(f.feld.zelle(), raster.indexOf(zelle));
        QCOMPARE(aufnahme.bilder.size(), zeichnungen);
    }
}

QTEST_MAIN(TstTastatur)
#include "tst_tastatur.moc"
