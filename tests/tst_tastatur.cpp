// The alphabet grid worked with the keyboard alone, as a keyboard or screen-reader user does:
// reaching it, moving its current cell, sending, its focus frame and what it tells a screen
// reader.
#include "stellung_test.h"
#include "umix2.h"

#include "paintbox.h"
#include "timer.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString textStart = QStringLiteral("Nachricht anzeigen");

// Shows the window with the focus in the memo. Movements run without their pace, and ticks
// come only from the test.
bool oeffnen(Tpformx11& w)
{
    w.takt = std::chrono::milliseconds::zero();
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return false;
    QApplication::setActiveWindow(&w);
    w.Me8->setPlainText(QStringLiteral("ab"));
    w.Timer1->setInterval(3600 * 1000);
    return QTest::qWaitFor([&] { return w.Me8->hasFocus(); });
}

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

QString beschreibung(QWidget* bauteil)
{
    QAccessibleInterface* schnittstelle = QAccessible::queryAccessibleInterface(bauteil);
    return schnittstelle ? schnittstelle->text(QAccessible::Description) : QString();
}

QImage feldbild(const Tpformx11& w)
{
    return w.PBz->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Where the blue focus frame is, by its pixels in the middle of a cell's left side.
QString gerahmt(const QImage& feld)
{
    const QString raster = QStringLiteral("ABCDEFGHIKLMNOPQRSTUVWXYZ&1234567890");
    QString zellen;
    for (int i = 0; i < 36; ++i) {
        const QRgb p = feld.pixel(i % 6 * 30 + 2, i / 6 * 30 + 15);
        const QRgb q = feld.pixel(i % 6 * 30 + 3, i / 6 * 30 + 15);
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
    void beschreibungNenntDieZelle();
    void gehalteneTaste_data();
    void gehalteneTaste();
};

void TstTastatur::senden_data()
{
    // Keys typed on the grid after reaching it by Tab; the character then shown (a space: the
    // telegraph still at rest), whether a playback running before still runs, and the memo's
    // text afterwards.
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

    Tpformx11 w;
    QVERIFY(oeffnen(w));
    if (wiedergabe)
        w.B13->click();
    zumFeld();
    QCOMPARE(QApplication::focusWidget(), w.PBz);

    tippe(w.PBz, tasten);

    QCOMPARE(QString(QLatin1Char(w.zeichen)), gezeigt);
    QCOMPARE(w.altwinkel, winkelholen(w.ListBox1, w.zeichen));
    QCOMPARE(w.Timer1->enabled(), laeuftNoch);
    QCOMPARE(w.Me8->toPlainText(), QStringLiteral("ab"));
    QCOMPARE(QApplication::focusWidget(), w.PBz);
}

// A key that sends while the telegraph turns goes the way of a press: the playback stops at
// once, the movement runs to its end, the latest choice follows it, and no movement starts
// inside another.
void TstTastatur::tasteWaehrendBewegung()
{
    Tpformx11 w;
    QVERIFY(oeffnen(w));
    zumFeld();
    w.B13->click();

    int ausserhalb = 0;
    QString folge; // every character shown, once per run of drawings
    int drinnen = 0;
    bool angehalten = true;
    QObject::connect(w.PB13, &PaintBox::painted, &w, [&] {
        if (!w.bewegungLaeuft())
            ++ausserhalb;
        if (!folge.endsWith(QLatin1Char(w.zeichen)))
            folge += QLatin1Char(w.zeichen);
        ++drinnen;
        if (drinnen == 10) {
            tippe(w.PBz, QStringLiteral("m"));
            angehalten = !w.Timer1->enabled() && w.B13->text() == textStart;
        }
        if (drinnen == 20)
            tippe(w.PBz, QStringLiteral("Left Left Return"));
    });
    emit w.Timer1->tick();

    QVERIFY(angehalten);
    QCOMPARE(ausserhalb, 0);
    QCOMPARE(folge, QStringLiteral("AK"));
    QCOMPARE(w.altwinkel, winkelholen(w.ListBox1, 'K'));
    QVERIFY(!w.bewegungLaeuft());
    QVERIFY(!w.Timer1->enabled());
}

// The frame shows while the grid has the focus, however it got it, follows the current cell,
// and leaves the grid exactly as it was when the focus goes.
void TstTastatur::fokusrahmen()
{
    Tpformx11 w;
    QVERIFY(oeffnen(w));
    const QImage ohne = feldbild(w);
    QCOMPARE(gerahmt(ohne), QString());

    zumFeld();
    QTRY_COMPARE(gerahmt(feldbild(w)), QStringLiteral("A"));
    tippe(w.PBz, QStringLiteral("Down Right"));
    QCOMPARE(gerahmt(feldbild(w)), QStringLiteral("H"));
    tippe(w.PBz, QStringLiteral("x"));
    QCOMPARE(gerahmt(feldbild(w)), QStringLiteral("X"));

    QTest::keyClick(w.PBz, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.Me8);
    QCOMPARE(feldbild(w), ohne);

    // A click gives the grid the focus, and the frame shows that keys now go to the grid.
    QTest::mouseClick(w.PBz, Qt::LeftButton, {}, QPoint(45, 45));
    QCOMPARE(QApplication::focusWidget(), w.PBz);
    QCOMPARE(w.zeichen, 'H');
    QCOMPARE(gerahmt(feldbild(w)), QStringLiteral("H"));
    tippe(w.PBz, QStringLiteral("Up"));
    QCOMPARE(gerahmt(feldbild(w)), QStringLiteral("B"));
}

void TstTastatur::beschreibungNenntDieZelle()
{
    Tpformx11 w;
    QVERIFY(oeffnen(w));
    QCOMPARE(beschreibung(w.PBz), QStringLiteral("Zeichen A, Zeile 1, Spalte 1"));
    zumFeld();
    tippe(w.PBz, QStringLiteral("Down Down Right Right"));
    QCOMPARE(beschreibung(w.PBz), QStringLiteral("Zeichen P, Zeile 3, Spalte 3"));
    tippe(w.PBz, QStringLiteral("&"));
    QCOMPARE(beschreibung(w.PBz), QStringLiteral("Zeichen &, Zeile 5, Spalte 2"));
    QTest::mouseClick(w.PBz, Qt::LeftButton, {}, QPoint(165, 165));
    QCOMPARE(beschreibung(w.PBz), QStringLiteral("Zeichen 0, Zeile 6, Spalte 6"));
}

void TstTastatur::gehalteneTaste_data()
{
    // A key held down on a control: its first press, then the keyboard's repeats. What is then
    // shown, whether the playback runs, and where the grid's current cell is.
    QTest::addColumn<QString>("fokus");
    QTest::addColumn<int>("taste");
    QTest::addColumn<bool>("vorher");
    QTest::addColumn<bool>("nachher");
    QTest::addColumn<QString>("zelle");

    const QString a = QStringLiteral("Zeichen A, Zeile 1, Spalte 1");
    QTest::newRow("Eingabe auf dem Knopf") << "knopf" << int(Qt::Key_Return) << false << true << a;
    QTest::newRow("Enter auf dem Knopf") << "knopf" << int(Qt::Key_Enter) << true << false << a;
    QTest::newRow("Leertaste auf dem Knopf") << "knopf" << int(Qt::Key_Space) << false << true << a;
    QTest::newRow("Escape im Memo") << "memo" << int(Qt::Key_Escape) << true << false << a;
    QTest::newRow("Pfeil im Alphabet wiederholt") << "feld" << int(Qt::Key_Down) << true << true
                                                  << QStringLiteral("Zeichen 5, Zeile 6, Spalte 1");
    QTest::newRow("Buchstabe im Alphabet sendet einmal")
        << "feld" << int(Qt::Key_K) << true << false
        << QStringLiteral("Zeichen K, Zeile 2, Spalte 4");
}

void TstTastatur::gehalteneTaste()
{
    QFETCH(QString, fokus);
    QFETCH(int, taste);
    QFETCH(bool, vorher);
    QFETCH(bool, nachher);
    QFETCH(QString, zelle);

    Tpformx11 w;
    QVERIFY(oeffnen(w));
    QWidget* ziel = fokus == QLatin1String("knopf")  ? static_cast<QWidget*>(w.B13)
                    : fokus == QLatin1String("memo") ? static_cast<QWidget*>(w.Me8)
                                                     : static_cast<QWidget*>(w.PBz);
    ziel->setFocus();
    QTRY_VERIFY(ziel->hasFocus());
    if (vorher)
        w.B13->click();
    int bilder = 0;
    QObject::connect(w.PB13, &PaintBox::painted, &w, [&] { ++bilder; });

    // As the keyboard sends a held key: the press, then repeated releases and presses marked as
    // repeats, and the release at the end.
    const Qt::Key k = Qt::Key(taste);
    const QString text = k == Qt::Key_K ? QStringLiteral("k") : QString();
    const auto sende = [&](QEvent::Type art, bool wiederholt) {
        QKeyEvent ereignis(art, k, Qt::NoModifier, text, wiederholt);
        QApplication::sendEvent(ziel, &ereignis);
    };
    sende(QEvent::KeyPress, false);
    // Five repeats: a key that acted on every repeat would have toggled the playback back.
    for (int i = 0; i < 5; ++i) {
        sende(QEvent::KeyRelease, true);
        sende(QEvent::KeyPress, true);
    }
    sende(QEvent::KeyRelease, false);

    QCOMPARE(w.Timer1->enabled(), nachher);
    QCOMPARE(beschreibung(w.PBz), zelle);
    // Rest to K (135, 135, -45) is 43 + 43 + 133 frames and the final drawing; sent again, K
    // would draw once more.
    QCOMPARE(bilder, k == Qt::Key_K ? 220 : 0);
}

QTEST_MAIN(TstTastatur)
#include "tst_tastatur.moc"
