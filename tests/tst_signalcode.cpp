// The embedded signal code and its lookup.
#include "assets/eingebettet.h"
#include "signal/alphabet.h"
#include "signal/signalcode.h"
#include "tests/signaltafel.h"
#include "tests/stellung_test.h"

#include <QFile>
#include <QTest>

class TestSignalcode : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void vierZeilenJeZeichenInAlphabetfolge();
    void winkelholen_data();
    void winkelholen();
    void ersterTrefferZaehltUndKaputteZeilenSchadenNicht();
    void zeilenumbruecheWieGespeichert();

private:
    Codezeilen zeilen;
};

void TestSignalcode::initTestCase()
{
    zeilen = eingebetteterCode();
}

void TestSignalcode::vierZeilenJeZeichenInAlphabetfolge()
{
    QCOMPARE(zeilen.size(), std::size_t{144});
    for (std::size_t i = 0; i < alphabet.size(); ++i)
        QCOMPARE(zeilen[4 * i], (std::string{'[', alphabet[i]}));
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
    QCOMPARE(::winkelholen(zeilen, zeichen), erwartet);
}

void TestSignalcode::ersterTrefferZaehltUndKaputteZeilenSchadenNicht()
{
    const Codezeilen eigene{"[X", "1",  "2",      "3",  "[x", "4",  "5",
                            "6",  "[Q", "kaputt", "+7", " 8", "[E", "1"};
    QCOMPARE(::winkelholen(eigene, 'x'), (Stellung{1, 2, 3}));
    QCOMPARE(::winkelholen(eigene, 'Q'), (Stellung{0, 7, 8}));
    QCOMPARE(::winkelholen(eigene, 'E'), ruhestellung); // key without its three angles
    QCOMPARE(::winkelholen({}, 'A'), ruhestellung);
}

void TestSignalcode::zeilenumbruecheWieGespeichert()
{
    QCOMPARE(codezeilenAus("[A\r\n1\r\n-2\n3"), (Codezeilen{"[A", "1", "-2", "3"}));
    QCOMPARE(codezeilenAus("[A\n1\n"), (Codezeilen{"[A", "1"}));
    QCOMPARE(codezeilenAus(""), Codezeilen{});
}

QTEST_GUILESS_MAIN(TestSignalcode)
#include "tst_signalcode.moc"
