// The embedded signal code and its lookups both ways.
#include "assets/eingebettet.h"
#include "signal/alphabet.h"
#include "signal/signalcode.h"
#include "tests/signaltafel.h"
#include "tests/stellung_test.h"

#include <QTest>

class TestSignalcode : public QObject {
    Q_OBJECT
private slots:
    void vierZeilenJeZeichenInAlphabetfolge();
    void winkelholen_data();
    void winkelholen();
    void ersterTrefferZaehltUndKaputteZeilenSchadenNicht();
    void zeilenumbruecheWieGespeichert();
    void zeichenDesBildes_data();
    void zeichenDesBildes();
};

// The embedded text keeps its format: four lines a character, in the alphabet's order.
void TestSignalcode::vierZeilenJeZeichenInAlphabetfolge()
{
    const QList<QByteArray> zeilen =
        eingebetteteDatei(QStringLiteral("signalcode.txt")).trimmed().split('\n');
    QCOMPARE(zeilen.size(), 144);
    for (std::size_t i = 0; i < alphabet.size(); ++i)
        QCOMPARE(zeilen[4 * i].trimmed(), QByteArray("[") + alphabet[i]);
}

void TestSignalcode::winkelholen_data()
{
    QTest::addColumn<char>("zeichen");
    QTest::addColumn<Stellung>("erwartet");

    // Every row of the code against the table typed out in signaltafel.h.
    for (const auto& [zeichen, stellung] : signaltafel)
        QTest::newRow(std::string(1, zeichen).c_str()) << zeichen << stellung;
    QTest::newRow("klein a") << 'a' << Stellung{180, -90, -90};
    QTest::newRow("klein z") << 'z' << Stellung{180, 0, -90};
    QTest::newRow("Leerzeichen") << ' ' << ruhestellung;
    QTest::newRow("J") << 'J' << ruhestellung;
    QTest::newRow("Punkt") << '.' << ruhestellung;
    QTest::newRow("Klammer") << '[' << ruhestellung;
    QTest::newRow("Null-Byte") << '\0' << ruhestellung;
    QTest::newRow("Latin-1 Ä") << '\xC4' << ruhestellung;
}

void TestSignalcode::winkelholen()
{
    QFETCH(char, zeichen);
    QFETCH(Stellung, erwartet);
    QCOMPARE(::winkelholen(eingebetteterCode(), zeichen), erwartet);
}

void TestSignalcode::ersterTrefferZaehltUndKaputteZeilenSchadenNicht()
{
    const Signalcode eigener("[X\n1\n2\n3\n[x\n4\n5\n6\n[Q\nkaputt\n+7\n 8\n[E\n1");
    QCOMPARE(::winkelholen(eigener, 'x'), (Stellung{1, 2, 3}));
    QCOMPARE(::winkelholen(eigener, 'Q'), (Stellung{0, 7, 8}));
    QCOMPARE(::winkelholen(eigener, 'E'), ruhestellung); // key without its three angles
    QCOMPARE(::winkelholen(Signalcode(), 'A'), ruhestellung);
}

void TestSignalcode::zeilenumbruecheWieGespeichert()
{
    QCOMPARE(::winkelholen(Signalcode("[A\r\n1\r\n-2\n3"), 'A'), (Stellung{1, -2, 3}));
    QCOMPARE(::winkelholen(Signalcode("[A\n1\n2\n"), 'A'), ruhestellung);
}

// A picture is named by the character whose signal draws like it, however its angles are written.
void TestSignalcode::zeichenDesBildes_data()
{
    QTest::addColumn<Stellung>("bild");
    QTest::addColumn<char>("erwartet");

    for (const auto& [zeichen, stellung] : signaltafel)
        QTest::newRow(std::string(1, zeichen).c_str()) << stellung << zeichen;
    QTest::newRow("H mit -135") << Stellung{-135, -135, -135} << 'H';
    QTest::newRow("E halb gedreht") << ruhestellung << 'E';
    QTest::newRow("A um eine Runde") << Stellung{540, 270, -450} << 'A';
    QTest::newRow("Trennstellung") << trennstellung << '?';
    QTest::newRow("A verlesen") << Stellung{180, -45, -90} << '?';
}

void TestSignalcode::zeichenDesBildes()
{
    QFETCH(Stellung, bild);
    QFETCH(char, erwartet);
    QCOMPARE(eingebetteterCode().zeichenDesBildes(bild), erwartet);
}

QTEST_GUILESS_MAIN(TestSignalcode)
#include "tst_signalcode.moc"
