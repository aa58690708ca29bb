// Where in the message each sent character comes from, so that the memo can mark it.
#include "bedienung/normalisieren.h"

#include <QTest>

#include <numeric>

// How QCOMPARE prints a source.
char* toString(const Quelle& q)
{
    return QTest::toString(QStringLiteral("%1-%2").arg(q.anfang).arg(q.ende));
}

namespace {

// The indices 0 ... n - 1: a text of n units sends at most twice as many characters.
std::vector<std::size_t> bis(std::size_t n)
{
    std::vector<std::size_t> alle(n);
    std::iota(alle.begin(), alle.end(), std::size_t{0});
    return alle;
}

// The sources written as "anfang-ende" for each sent character that has one.
QString quellenText(const std::map<std::size_t, Quelle>& quellen)
{
    QStringList teile;
    for (const auto& [index, q] : quellen)
        teile << QStringLiteral("%1-%2").arg(q.anfang).arg(q.ende);
    return teile.join(QLatin1Char(' '));
}

// A long text that is composed in pieces, some changed by composition and some not:
// stretches of several hundred characters alternate between all building blocks and only
// those that composition leaves as they are. The expected characters and sources are added up
// from the blocks.
struct LangerText {
    QString text;
    std::string zeichen;
    std::vector<Quelle> quellen;
};

LangerText langerText()
{
    struct Baustein {
        QString text;
        const char* zeichen;
        std::vector<Quelle> quellen;
    };
    const Baustein bausteine[] = {
        {QStringLiteral("Ku\u0308he "), "KUEHE", {{0, 1}, {1, 3}, {1, 3}, {3, 4}, {4, 5}}},
        {QStringLiteral("Söhne, "), "SOEHNE", {{0, 1}, {1, 2}, {1, 2}, {2, 3}, {3, 4}, {4, 5}}},
        {QStringLiteral("\u212A9\n"), "K9", {{0, 1}, {1, 2}}},
        {QStringLiteral("x\u0316y"), "XY", {{0, 2}, {2, 3}}},
    };

    LangerText lang;
    for (int i = 0; lang.text.size() < 8000; ++i) {
        const bool unveraendert = i / 80 % 2 == 1;
        const Baustein& b = unveraendert ? bausteine[1 + 2 * (i % 2)]
                                         : bausteine[(i * 5 + i / 4) % std::size(bausteine)];
        const int versatz = static_cast<int>(lang.text.size());
        for (const Quelle& q : b.quellen)
            lang.quellen.push_back({versatz + q.anfang, versatz + q.ende});
        lang.text += b.text;
        lang.zeichen += b.zeichen;
    }
    return lang;
}

} // namespace

class TestQuellen : public QObject {
    Q_OBJECT
private slots:
    void quellen_data();
    void quellen();
    void gesuchteQuellen_data();
    void gesuchteQuellen();
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

    const Gesendet gesendet = normalisierenMitQuellen(text, bis(2 * std::size_t(text.size())));
    QCOMPARE(QString::fromStdString(gesendet.zeichen), zeichen);
    QCOMPARE(quellenText(gesendet.quellen), quellen);
}

// Asked for some or all sent characters of a long text, in any order, each of them gets its
// source and nothing else does; an index beyond the sent characters gets none.
void TestQuellen::gesuchteQuellen_data()
{
    const std::size_t anzahl = langerText().zeichen.size();
    QTest::addColumn<std::vector<std::size_t>>("gesucht");
    QTest::addColumn<std::vector<std::size_t>>("erwartet");

    QTest::newRow("alle") << bis(anzahl + 5) << bis(anzahl);
    QTest::newRow("das nächste spät im Text und das erste")
        << std::vector<std::size_t>{anzahl - 3, 0} << std::vector<std::size_t>{0, anzahl - 3};
    QTest::newRow("das letzte") << std::vector<std::size_t>{anzahl - 1}
                                << std::vector<std::size_t>{anzahl - 1};
    QTest::newRow("mehrere im selben Stück")
        << std::vector<std::size_t>{4003, 4001, 4002} << std::vector<std::size_t>{4001, 4002, 4003};
    QTest::newRow("hinter dem Ende")
        << std::vector<std::size_t>{anzahl, 2} << std::vector<std::size_t>{2};
    QTest::newRow("doppelt") << std::vector<std::size_t>{7, 7} << std::vector<std::size_t>{7};
    QTest::newRow("keines") << std::vector<std::size_t>{} << std::vector<std::size_t>{};
}

void TestQuellen::gesuchteQuellen()
{
    QFETCH(std::vector<std::size_t>, gesucht);
    QFETCH(std::vector<std::size_t>, erwartet);

    const LangerText lang = langerText();
    const Gesendet gesendet = normalisierenMitQuellen(lang.text, gesucht);
    QCOMPARE(gesendet.zeichen, lang.zeichen);
    std::vector<std::size_t> bekommen;
    for (const auto& [index, q] : gesendet.quellen) {
        bekommen.push_back(index);
        QCOMPARE(q, lang.quellen.at(index));
    }
    QCOMPARE(bekommen, erwartet);
}

QTEST_GUILESS_MAIN(TestQuellen)
#include "tst_quellen.moc"
