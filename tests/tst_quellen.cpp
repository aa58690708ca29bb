// Where in the message each sent character comes from, so that the memo can mark it.
#include "normalisieren.h"

#include <QTest>

namespace {

// The sources written as "anfang-ende" for each sent character.
QString quellenText(const std::vector<Quelle>& quellen)
{
    QStringList teile;
    for (const Quelle& q : quellen)
        teile << QStringLiteral("%1-%2").arg(q.anfang).arg(q.ende);
    return teile.join(QLatin1Char(' '));
}

} // namespace

class TestQuellen : public QObject {
    Q_OBJECT
private slots:
    void quellen_data();
    void quellen();
    void langerTextUeberStueckgrenzen();
};

void TestQuellen::quellen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("zeichen");
    QTest::addColumn<QString>("quellen");

    QTest::newRow("Grüße") << QStringLiteral("Grüße") << "GRUESSE"
                           << "0-1 1-2 2-3 2-3 3-4 3-4 4-5";
    QTest::newRow("Lücken") << QStringLiteral("a b,\nJ&1") << "ABI&1"
                            << "0-1 2-3 5-6 6-7 7-8";
    QTest::newRow("zerlegtes ü") << QStringLiteral("Gru\u0308ße") << "GRUESSE"
                                 << "0-1 1-2 2-4 2-4 4-5 4-5 5-6";
    QTest::newRow("Zeichen behält seine Marke") << QStringLiteral("a\u0316b") << "AB"
                                                << "0-2 2-3";
    QTest::newRow("Marke neben zerlegtem Umlaut") << QStringLiteral("a\u0316o\u0308") << "AOE"
                                                  << "0-2 2-4 2-4";
    QTest::newRow("Kelvinzeichen") << QStringLiteral("\u212Au\u0308") << "KUE"
                                   << "0-1 1-3 1-3";
    QTest::newRow("e mit Trema sendet nichts") << QStringLiteral("e\u0308a") << "A"
                                               << "2-3";
    QTest::newRow("Surrogatpaar") << QStringLiteral("😀a") << "A"
                                  << "2-3";
    QTest::newRow("Trema hinter zu vielen Zeichen")
        << (QStringLiteral("u") + QString(31, QChar(0x0316)) + QStringLiteral("\u0308")) << "U"
        << "0-31";
    QTest::newRow("leer") << QString() << ""
                          << "";
}

void TestQuellen::quellen()
{
    QFETCH(QString, text);
    QFETCH(QString, zeichen);
    QFETCH(QString, quellen);

    const Gesendet gesendet = normalisierenMitQuellen(text);
    QCOMPARE(QString::fromStdString(gesendet.zeichen), zeichen);
    QCOMPARE(quellenText(gesendet.quellen), quellen);
}

// A long text is composed in pieces, some changed by composition and some not: stretches of
// several hundred characters alternate between all building blocks and only those that
// composition leaves as they are. Every sent character still knows its place; the expected
// sources are added up from the blocks.
void TestQuellen::langerTextUeberStueckgrenzen()
{
    struct Baustein {
        QString text;
        const char* zeichen;
        QList<std::pair<int, int>> quellen;
    };
    const Baustein bausteine[] = {
        {QStringLiteral("Ku\u0308he "), "KUEHE", {{0, 1}, {1, 3}, {1, 3}, {3, 4}, {4, 5}}},
        {QStringLiteral("Söhne, "), "SOEHNE", {{0, 1}, {1, 2}, {1, 2}, {2, 3}, {3, 4}, {4, 5}}},
        {QStringLiteral("\u212A9\n"), "K9", {{0, 1}, {1, 2}}},
        {QStringLiteral("x\u0316y"), "XY", {{0, 2}, {2, 3}}},
    };

    QString text;
    std::string zeichen;
    QString quellen;
    for (int i = 0; text.size() < 8000; ++i) {
        const bool unveraendert = i / 80 % 2 == 1;
        const Baustein& b = unveraendert ? bausteine[1 + 2 * (i % 2)]
                                         : bausteine[(i * 5 + i / 4) % std::size(bausteine)];
        for (const auto& [anfang, ende] : b.quellen)
            quellen += QStringLiteral(" %1-%2").arg(text.size() + anfang).arg(text.size() + ende);
        text += b.text;
        zeichen += b.zeichen;
    }

    const Gesendet gesendet = normalisierenMitQuellen(text);
    QCOMPARE(gesendet.zeichen, zeichen);
    QCOMPARE(gesendet.zeichen, normalisieren(text));
    QCOMPARE(quellenText(gesendet.quellen), quellen.mid(1));
}

QTEST_GUILESS_MAIN(TestQuellen)
#include "tst_quellen.moc"
