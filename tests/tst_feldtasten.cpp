// The alphabet grid by keyboard: which cell a key makes current, which it sends, and the frame
// that shows the current cell.
#include "bedienung/feldraster.h"
#include "drawing/canvas.h"
#include "tests/pixel.h"
#include "widgets/alphabetfeld.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

// The grid, row by row, typed from the layout table.
const QString raster = QStringLiteral("ABCDEF"
                                      "GHIKLM"
                                      "NOPQRS"
                                      "TUVWXY"
                                      "Z&1234"
                                      "567890");

int zelle(QChar zeichen)
{
    return static_cast<int>(raster.indexOf(zeichen));
}

QImage feld(std::optional<int> fokuszelle)
{
    QImage bild(feldGroesse, feldGroesse, QImage::Format_RGB32);
    bild.fill(Qt::magenta);
    QPainter painter(&bild);
    Canvas canvas(painter);
    zeichneAlphabetfeld(canvas, fokuszelle);
    return bild;
}

} // namespace

class TestFeldtasten : public QObject {
    Q_OBJECT
private slots:
    void taste_data();
    void taste();
    void zelleVonJedemZeichen();
    void zeichenUnterDemZeiger_data();
    void zeichenUnterDemZeiger();
    void rahmenNurInDerAktuellenZelle_data();
    void rahmenNurInDerAktuellenZelle();
};

void TestFeldtasten::taste_data()
{
    // The current cell, the key with its modifiers and text, and what follows: the new current
    // cell with "!" when it is sent, or nothing when the key is not the grid's.
    QTest::addColumn<QChar>("von");
    QTest::addColumn<int>("taste");
    QTest::addColumn<Qt::KeyboardModifiers>("umschalt");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("erwartet");

    const Qt::KeyboardModifiers keine;
    const Qt::KeyboardModifiers umschalt(Qt::ShiftModifier);
    const Qt::KeyboardModifiers block(Qt::KeypadModifier);
    QTest::newRow("rechts") << QChar('A') << int(Qt::Key_Right) << keine << ""
                            << "B";
    QTest::newRow("links am Rand bleibt") << QChar('G') << int(Qt::Key_Left) << keine << ""
                                          << "G";
    QTest::newRow("rechts am Rand bleibt") << QChar('M') << int(Qt::Key_Right) << keine << ""
                                           << "M";
    QTest::newRow("hoch") << QChar('I') << int(Qt::Key_Up) << keine << ""
                          << "C";
    QTest::newRow("hoch am Rand bleibt") << QChar('C') << int(Qt::Key_Up) << keine << ""
                                         << "C";
    QTest::newRow("runter") << QChar('C') << int(Qt::Key_Down) << keine << ""
                            << "I";
    QTest::newRow("runter am Rand bleibt") << QChar('7') << int(Qt::Key_Down) << keine << ""
                                           << "7";
    QTest::newRow("mit Umschalt") << QChar('W') << int(Qt::Key_Left) << umschalt << ""
                                  << "V";
    QTest::newRow("Pos1") << QChar('Q') << int(Qt::Key_Home) << keine << ""
                          << "N";
    QTest::newRow("Ende") << QChar('Q') << int(Qt::Key_End) << keine << ""
                          << "S";
    QTest::newRow("Ende der letzten Zeile") << QChar('5') << int(Qt::Key_End) << keine << ""
                                            << "0";
    QTest::newRow("Eingabe") << QChar('Q') << int(Qt::Key_Return) << keine << "\r"
                             << "Q!";
    QTest::newRow("Enter") << QChar('&') << int(Qt::Key_Enter) << block << "\r"
                           << "&!";
    QTest::newRow("Leertaste") << QChar('A') << int(Qt::Key_Space) << keine << " "
                               << "A!";
    QTest::newRow("k") << QChar('A') << int(Qt::Key_K) << keine << "k"
                       << "K!";
    QTest::newRow("K") << QChar('Z') << int(Qt::Key_K) << umschalt << "K"
                       << "K!";
    QTest::newRow("j wird I") << QChar('A') << int(Qt::Key_J) << keine << "j"
                              << "I!";
    QTest::newRow("J wird I") << QChar('A') << int(Qt::Key_J) << umschalt << "J"
                              << "I!";
    QTest::newRow("&") << QChar('A') << int(Qt::Key_Ampersand) << umschalt << "&"
                       << "&!";
    QTest::newRow("Ziffer vom Block") << QChar('A') << int(Qt::Key_0) << block << "0"
                                      << "0!";
    QTest::newRow("ä nicht") << QChar('A') << int(Qt::Key_Adiaeresis) << keine << "ä"
                             << "";
    QTest::newRow("ß nicht") << QChar('A') << int(Qt::Key_ssharp) << keine << "ß"
                             << "";
    QTest::newRow("Fragezeichen nicht") << QChar('A') << int(Qt::Key_Question) << umschalt << "?"
                                        << "";
    QTest::newRow("Escape nicht") << QChar('A') << int(Qt::Key_Escape) << keine << "\x1b"
                                  << "";
    QTest::newRow("F1 nicht") << QChar('A') << int(Qt::Key_F1) << keine << ""
                              << "";
    QTest::newRow("Strg+A nicht") << QChar('B') << int(Qt::Key_A)
                                  << Qt::KeyboardModifiers(Qt::ControlModifier) << "\x01"
                                  << "";
    QTest::newRow("Alt+rechts nicht")
        << QChar('B') << int(Qt::Key_Right) << Qt::KeyboardModifiers(Qt::AltModifier) << ""
        << "";
}

void TestFeldtasten::taste()
{
    QFETCH(QChar, von);
    QFETCH(int, taste);
    QFETCH(Qt::KeyboardModifiers, umschalt);
    QFETCH(QString, text);
    QFETCH(QString, erwartet);

    const std::optional<Feldtaste> wirkung = feldtaste(zelle(von), taste, umschalt, text);
    QString ergebnis;
    if (wirkung)
        ergebnis = raster.at(wirkung->zelle) + (wirkung->senden ? QStringLiteral("!") : QString());
    QCOMPARE(ergebnis, erwartet);
}

void TestFeldtasten::zelleVonJedemZeichen()
{
    for (int i = 0; i < raster.size(); ++i) {
        QCOMPARE(zelleVon(raster.at(i).toLatin1()), i);
        // The cell a press in its middle gives.
        QCOMPARE(zeichenAn(i % 6 * 30 + 15, i / 6 * 30 + 15), raster.at(i).toLatin1());
    }
    for (const char keines : {' ', 'J', 'a', '\0', '?'})
        QCOMPARE(zelleVon(keines), -1);
}

void TestFeldtasten::zeichenUnterDemZeiger_data()
{
    QTest::addColumn<QPoint>("punkt");
    QTest::addColumn<char>("zeichen");

    QTest::newRow("Ecke oben links") << QPoint(0, 0) << 'A';
    QTest::newRow("letztes Pixel von A") << QPoint(29, 29) << 'A';
    QTest::newRow("letztes Pixel von 0") << QPoint(179, 179) << '0';
    // The closing lines: column 6 of rows 0 to 4 is the next row's first cell, row 6 is empty.
    QTest::newRow("rechte Linie, Zeile 4") << QPoint(180, 135) << '5';
    QTest::newRow("rechte Linie, Zeile 5") << QPoint(180, 165) << ' ';
    QTest::newRow("Ecke unten rechts") << QPoint(180, 180) << ' ';
    QTest::newRow("weit daneben") << QPoint(5000, 7) << ' ';
    // Left of or above the grid nothing is chosen, not the first column or row.
    QTest::newRow("x -1") << QPoint(-1, 15) << ' ';
    QTest::newRow("y -1") << QPoint(45, -1) << ' ';
    QTest::newRow("beide -29") << QPoint(-29, -29) << ' ';
    QTest::newRow("x -31") << QPoint(-31, 45) << ' ';
}

void TestFeldtasten::zeichenUnterDemZeiger()
{
    QFETCH(QPoint, punkt);
    QFETCH(char, zeichen);
    QCOMPARE(zeichenAn(punkt.x(), punkt.y()), zeichen);
}

void TestFeldtasten::rahmenNurInDerAktuellenZelle_data()
{
    QTest::addColumn<QChar>("zeichen");
    QTest::newRow("A") << QChar('A');
    QTest::newRow("W") << QChar('W');
    QTest::newRow("0") << QChar('0');
}

// The frame lies inside its cell, at least two pixels wide on every side, clear of the black
// border and the character, in a colour that is neither the grey nor black; everything else
// is the plain grid.
void TestFeldtasten::rahmenNurInDerAktuellenZelle()
{
    QFETCH(QChar, zeichen);
    const int x0 = zelle(zeichen) % 6 * 30;
    const int y0 = zelle(zeichen) / 6 * 30;

    const QImage ohne = feld(std::nullopt);
    QCOMPARE(feld(-1), ohne);
    QCOMPARE(feld(36), ohne);
    const QImage mit = feld(zelle(zeichen));

    const QRect geaendert =
        umfassendesRechteck(mit, [&](int x, int y) { return mit.pixel(x, y) != ohne.pixel(x, y); });
    QVERIFY(QRect(x0 + 1, y0 + 1, 29, 29).contains(geaendert));
    const auto rahmenfarbe = [](QRgb p) {
        return p != qRgb(240, 240, 240) && p != qRgb(0, 0, 0) && qBlue(p) - qRed(p) > 100;
    };
    for (int y = 0; y < mit.height(); ++y)
        for (int x = 0; x < mit.width(); ++x)
            if (mit.pixel(x, y) != ohne.pixel(x, y))
                QVERIFY2(rahmenfarbe(mit.pixel(x, y)),
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    // Two pixels across each side, through the middle of the cell.
    for (const int d : {2, 3, 27, 28}) {
        QVERIFY(rahmenfarbe(mit.pixel(x0 + d, y0 + 15)));
        QVERIFY(rahmenfarbe(mit.pixel(x0 + 15, y0 + d)));
    }
    // The character's own black pixels are all still there.
    for (int y = y0 + 4; y < y0 + 27; ++y)
        for (int x = x0 + 4; x < x0 + 27; ++x)
            QCOMPARE(mit.pixel(x, y), ohne.pixel(x, y));
}

QTEST_MAIN(TestFeldtasten)
#include "tst_feldtasten.moc"
