// Thousands of random user actions on the real window, some of them arriving while the
// telegraph turns, with the window's invariants checked after each. The seed is printed, and
// VELLARD_SEED replays a run; VELLARD_AKTIONEN sets how many actions it makes.
#include "tests/fenster.h"

#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTimer>

#include <random>

namespace {

unsigned startwert()
{
    bool ok = false;
    const unsigned gesetzt = qEnvironmentVariable("VELLARD_SEED").toUInt(&ok);
    return ok ? gesetzt : std::random_device{}();
}

int anzahlAktionen()
{
    bool ok = false;
    const int gesetzt = qEnvironmentVariableIntValue("VELLARD_AKTIONEN", &ok);
    return ok ? gesetzt : 3000;
}

// Text that is hard on the normalisation and the memo: umlauts in both spellings, characters
// beyond Latin-1, control characters and lone surrogates.
QString zufallstext(std::mt19937& zufall)
{
    static const QString stuecke[] = {
        QStringLiteral("ab"),         QStringLiteral("Kühe & Öfen"),
        QStringLiteral("u\u0308"),    QStringLiteral("Straße"),
        QStringLiteral("Jäger 1900"), QStringLiteral("\u4e2d\u6587"),
        QStringLiteral("😀"),          QStringLiteral("\t\u0001\u007f"),
        QString(QChar(0xD800)),       QString(QChar(0xDFFF)),
        QStringLiteral(" .,;?!"),     QStringLiteral("\n"),
        QStringLiteral("x"),          QStringLiteral("€é"),
    };
    QString text;
    const int teile = std::uniform_int_distribution(1, 4)(zufall);
    for (int i = 0; i < teile; ++i)
        text +=
            stuecke[std::uniform_int_distribution<std::size_t>(0, std::size(stuecke) - 1)(zufall)];
    return text;
}

QString megabyteText()
{
    QString text;
    text.reserve(1 << 20);
    while (text.size() < (1 << 20))
        text += QStringLiteral("Über Berg und Tal, Jäger & Söhne 1900. u\u0308 😀 \u4e2d\n");
    return text;
}

} // namespace

class TestDauerlauf : public QObject {
    Q_OBJECT
private slots:
    void zufaelligeBedienung();

private:
    void aktion();
    void aktionWaehrendBewegung();
    void klickeDrehknopf(bool hoch);
    void pruefeRuhezustand();
    int zahl(int von, int bis) { return std::uniform_int_distribution(von, bis)(zufall_); }
    Qt::MouseButton maustaste()
    {
        const Qt::MouseButton tasten[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        return tasten[zahl(0, 2)];
    }

    Fenster* w = nullptr;
    std::mt19937 zufall_;
    QString letzteAktion_;
    int frames_ = 0;
    int verschachtelt_ = 0;
    int waehrendBewegung_ = 0;
};

void TestDauerlauf::zufaelligeBedienung()
{
    const unsigned seed = startwert();
    const int aktionen = anzahlAktionen();
    qInfo("Startwert %u, %d Aktionen (VELLARD_SEED=%u wiederholt diesen Lauf)", seed, aktionen,
          seed);
    zufall_.seed(seed);

    Fenster fenster;
    w = &fenster;
    QVERIFY(fenster.oeffnen());
    // The shortest interval, so that ticks fall due while the telegraph turns.
    fenster.drehfeld.setValue(1.0);

    connect(&fenster.telegraf, &Telegraf::gezeichnet, this, [this] { ++frames_; });
    // A zero-interval timer fires on every pass of the event pump, so also between two frames
    // of a movement, where it brings in an action now and then.
    QTimer zwischendurch;
    connect(&zwischendurch, &QTimer::timeout, this, [this] {
        if (w->telegraf.bewegungLaeuft() && zahl(0, 60) == 0)
            aktionWaehrendBewegung();
    });
    zwischendurch.start(0);

    for (int i = 0; i < aktionen; ++i) {
        // Drawing every frame would make a run take many minutes; most movements therefore
        // run with the scene hidden, which skips the drawing but nothing else.
        fenster.telegraf.setVisible(zahl(0, 39) == 0);
        if (i == aktionen / 3) {
            // A pasted megabyte, left in place for a while of ticks and presses.
            letzteAktion_ = QStringLiteral("Memo: ein Megabyte");
            w->memo.setPlainText(megabyteText());
        } else {
            aktion();
        }
        w->still();
        pruefeRuhezustand();
        if (QTest::currentTestFailed()) {
            qWarning("Fehler bei Aktion %d (%s), Startwert %u", i, qPrintable(letzteAktion_), seed);
            return;
        }
    }
    QCOMPARE(verschachtelt_, 0);
    qInfo("%d Frames gezeichnet, %d Aktionen kamen während einer Bewegung", frames_,
          waehrendBewegung_);
    zwischendurch.stop();
    w = nullptr;
}

void TestDauerlauf::aktion()
{
    switch (zahl(0, 11)) {
    case 0:
    case 1:
    case 2: {
        const QPoint punkt(zahl(0, 180), zahl(0, 180));
        letzteAktion_ = QStringLiteral("Feld %1,%2").arg(punkt.x()).arg(punkt.y());
        QTest::mouseClick(&w->feld, maustaste(), Qt::KeyboardModifiers(), punkt);
        break;
    }
    case 3:
        letzteAktion_ = QStringLiteral("Doppelklick ins Feld");
        QTest::mouseDClick(&w->feld, maustaste(), Qt::KeyboardModifiers(),
                           QPoint(zahl(0, 180), zahl(0, 180)));
        break;
    case 4:
    case 5:
        letzteAktion_ = QStringLiteral("Knopf");
        QTest::mouseClick(&w->knopf, Qt::LeftButton);
        break;
    case 6:
        letzteAktion_ = QStringLiteral("Drehfeld-Taste");
        QTest::keyClick(&w->drehfeld, zahl(0, 1) ? Qt::Key_Up : Qt::Key_Down);
        break;
    case 7:
        letzteAktion_ = QStringLiteral("Drehfeld-Knopf");
        klickeDrehknopf(zahl(0, 1));
        break;
    case 8: {
        letzteAktion_ = QStringLiteral("Memo einfügen");
        QTextCursor cursor = w->memo.textCursor();
        cursor.setPosition(zahl(0, static_cast<int>(w->memo.document()->characterCount()) - 1));
        cursor.insertText(zufallstext(zufall_));
        break;
    }
    case 9:
        letzteAktion_ = QStringLiteral("Memo ersetzen");
        w->memo.setPlainText(zahl(0, 4) ? zufallstext(zufall_) : QString());
        break;
    case 10:
    case 11:
        letzteAktion_ = QStringLiteral("Takt");
        if (w->timer.enabled())
            w->tick();
        break;
    }
}

// Runs from the event pump between two frames, just like a real click or tick would.
void TestDauerlauf::aktionWaehrendBewegung()
{
    ++waehrendBewegung_;
    const int vorher = frames_;
    const Stellung gezeigt = w->telegraf.winkel();
    switch (zahl(0, 3)) {
    case 0:
        QTest::mouseClick(&w->feld, maustaste(), Qt::KeyboardModifiers(),
                          QPoint(zahl(0, 180), zahl(0, 180)));
        break;
    case 1:
        if (w->timer.enabled())
            w->tick();
        break;
    case 2:
        w->knopf.click();
        break;
    case 3:
        QTest::keyClick(&w->drehfeld, zahl(0, 1) ? Qt::Key_Up : Qt::Key_Down);
        break;
    }
    // Whatever arrived must wait for the running movement: nothing may draw or turn a beam
    // in between.
    if (frames_ != vorher || w->telegraf.winkel() != gezeigt || !w->telegraf.bewegungLaeuft())
        ++verschachtelt_;
}

void TestDauerlauf::klickeDrehknopf(bool hoch)
{
    QStyleOptionSpinBox option;
    option.initFrom(&w->drehfeld);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    const QRect knopf = w->drehfeld.style()->subControlRect(
        QStyle::CC_SpinBox, &option, hoch ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown,
        &w->drehfeld);
    QTest::mouseClick(&w->drehfeld, Qt::LeftButton, Qt::KeyboardModifiers(), knopf.center());
}

void TestDauerlauf::pruefeRuhezustand()
{
    QVERIFY(!w->telegraf.bewegungLaeuft());
    QCOMPARE(w->telegraf.winkel(), w->telegraf.altwinkel());
    QCOMPARE(w->telegraf.winkel(), signalVon(w->telegraf.zeichen()));
    QCOMPARE(w->knopf.text(), w->timer.enabled() ? textAbbruch : textStart);
    // The interval as the user reads it: "2,3" or "2.3" seconds are 2300 ms.
    const QString gezeigt = w->drehfeld.text();
    QCOMPARE(gezeigt.size(), 3);
    QCOMPARE(w->timer.interval(),
             gezeigt.at(0).digitValue() * 1000 + gezeigt.at(2).digitValue() * 100);
    QVERIFY(w->wiedergabe.position() >= 0);
}

QTEST_MAIN(TestDauerlauf)
#include "tst_dauerlauf.moc"
