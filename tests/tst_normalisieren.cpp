// Free text into sendable characters.
#include "bedienung/normalisieren.h"
#include "signal/alphabet.h"

#include <QTest>

class TestNormalisieren : public QObject {
    Q_OBJECT
private slots:
    void normalisieren_data();
    void normalisieren();
    void jedesLatin1ZeichenNachDerTabelle();
    void langeTexteWieImGanzenZusammengesetzt();
};

void TestNormalisieren::normalisieren_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("erwartet");

    QTest::newRow("Umlaute") << QStringLiteral("Kühe & Öfen") << QStringLiteral("KUEHE&OEFEN");
    QTest::newRow("J wird I") << QStringLiteral("Jäger & Söhne 1900")
                              << QStringLiteral("IAEGER&SOEHNE1900");
    QTest::newRow("Eszett") << QStringLiteral("Straße") << QStringLiteral("STRASSE");
    QTest::newRow("großes Eszett") << QStringLiteral("GROẞ") << QStringLiteral("GROSS");
    QTest::newRow("große Umlaute") << QStringLiteral("ÄÖÜäöü") << QStringLiteral("AEOEUEAEOEUE");
    QTest::newRow("fremde Akzente fallen weg")
        << QStringLiteral("é?.\nA\r\tb") << QStringLiteral("AB");
    QTest::newRow("nur Satzzeichen") << QStringLiteral("  ,;:!? -\n") << QString();
    QTest::newRow("leer") << QString() << QString();
    QTest::newRow("Ziffern und &") << QStringLiteral("0&9") << QStringLiteral("0&9");
    // "u" + combining diaeresis, as some systems paste it, is the same as "ü".
    QTest::newRow("zerlegtes ü") << QStringLiteral("Ku\u0308he") << QStringLiteral("KUEHE");
    QTest::newRow("zerlegtes Ö") << QStringLiteral("O\u0308fen") << QStringLiteral("OEFEN");
    QTest::newRow("jenseits Latin-1")
        << QStringLiteral("a€b\u4e2dc😀d\u0100") << QStringLiteral("ABCD");
    QTest::newRow("einzelnes Surrogat")
        << (QStringLiteral("a") + QChar(0xD83D) + QStringLiteral("b")) << QStringLiteral("AB");
    QTest::newRow("Steuerzeichen") << QStringLiteral("a\u0000b\u0007c") << QStringLiteral("ABC");
    QTest::newRow("e mit Trema") << QStringLiteral("ë") << QString();
    QTest::newRow("Kelvinzeichen") << QStringLiteral("\u212A") << QStringLiteral("K");
    QTest::newRow("Trema als 30. Zeichen")
        << (QStringLiteral("u") + QString(29, QChar(0x0316)) + QStringLiteral("\u0308"))
        << QStringLiteral("UE");
    // A letter keeps at most 30 combining marks; what follows has nothing to join.
    QTest::newRow("Trema als 31. Zeichen")
        << (QStringLiteral("u") + QString(30, QChar(0x0316)) + QStringLiteral("\u0308"))
        << QStringLiteral("U");
}

void TestNormalisieren::normalisieren()
{
    QFETCH(QString, text);
    QFETCH(QString, erwartet);
    QCOMPARE(QString::fromStdString(::normalisieren(text)), erwartet);
}

// Every character of the 8-bit Western European set against the rule table, written out
// independently of the implementation.
void TestNormalisieren::jedesLatin1ZeichenNachDerTabelle()
{
    for (int code = 0; code < 256; ++code) {
        const QChar c(code);
        QString erwartet;
        if (code == 0xC4 || code == 0xE4)
            erwartet = QStringLiteral("AE");
        else if (code == 0xD6 || code == 0xF6)
            erwartet = QStringLiteral("OE");
        else if (code == 0xDC || code == 0xFC)
            erwartet = QStringLiteral("UE");
        else if (code == 0xDF)
            erwartet = QStringLiteral("SS");
        else if (code == 'J' || code == 'j')
            erwartet = QStringLiteral("I");
        else if (code < 128 && alphabet.find(static_cast<char>(QChar(code).toUpper().unicode())) !=
                                   std::string_view::npos)
            erwartet = QChar(code).toUpper();
        QVERIFY2(QString::fromStdString(::normalisieren(QString(c))) == erwartet,
                 qPrintable(QStringLiteral("code %1").arg(code)));
    }
}

// Long texts are composed piece by piece; the pieces must join up to what composing the whole
// text at once gives.
void TestNormalisieren::langeTexteWieImGanzenZusammengesetzt()
{
    const QString stuecke[] = {QStringLiteral("Ku\u0308he "),
                               QStringLiteral("ÄÖÜ"),
                               QStringLiteral("\u0308"),
                               QStringLiteral("o\u0323\u0308"),
                               QStringLiteral("\uAC00\u11A8"),
                               QStringLiteral("\u1100\u1161"),
                               QStringLiteral("😀"),
                               QStringLiteral("a\U0001D165\u0308"),
                               QStringLiteral("\u0F73u"),
                               QStringLiteral("Jß&9")};
    QString text;
    for (int i = 0; text.size() < 20000; ++i)
        text += stuecke[(i * 7 + i / 3) % std::size(stuecke)];

    QString erwartet;
    for (const QChar c : text.normalized(QString::NormalizationForm_C)) {
        const QString einzeln = QString::fromStdString(::normalisieren(QString(c)));
        erwartet += einzeln;
    }
    QCOMPARE(QString::fromStdString(::normalisieren(text)), erwartet);
}

QTEST_GUILESS_MAIN(TestNormalisieren)
#include "tst_normalisieren.moc"
