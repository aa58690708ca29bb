// The frames of a movement, worked out without any window, the pace they are shown at, and
// the telegraph that shows them.

#include "bedienung/bewegung.h"
#include "controls/bildtakt.h"
#include "tests/stellung_test.h"
#include "widgets/telegraf.h"

#include <QTest>

namespace {

using Frames = QList<Stellung>;

// One beam turning from `erster` to `letzter` a degree per frame while the others stand as in
// `stand`.
Frames lauf(Stellung stand, int Stellung::*balken, int erster, int letzter)
{
    Frames frames;
    const int schritt = letzter >= erster ? 1 : -1;
    for (int w = erster;; w += schritt) {
        stand.*balken = w;
        frames.append(stand);
        if (w == letzter)
            return frames;
    }
}

constexpr auto reg = &Stellung::regulator;
constexpr auto ind1 = &Stellung::indikator1;
constexpr auto ind2 = &Stellung::indikator2;

constexpr Stellung zeichenA{180, -90, -90};
constexpr Stellung zeichenD{45, 45, 45};
constexpr Stellung zeichenH{-135, 225, 225};
constexpr Stellung zeichenM{45, -135, 45};

} // namespace

class TstBewegung : public QObject {
    Q_OBJECT
private slots:
    void kurzerWeg_data();
    void kurzerWeg();
    void bewegungsplan_data();
    void bewegungsplan();
    void spaeterFrameVerschiebtNichts();
    void spaeteresZielFolgt();
};

void TstBewegung::kurzerWeg_data()
{
    QTest::addColumn<int>("differenz");
    QTest::addColumn<int>("weg");

    QTest::newRow("keine") << 0 << 0;
    QTest::newRow("kurz vorwärts") << 45 << 45;
    QTest::newRow("kurz rückwärts") << -45 << -45;
    QTest::newRow("+180 bleibt positiv") << 180 << 180;
    QTest::newRow("-180 bleibt negativ") << -180 << -180;
    QTest::newRow("181 rückwärts") << 181 << -179;
    QTest::newRow("-181 vorwärts") << -181 << 179;
    QTest::newRow("200 wird -160") << 200 << -160;
    QTest::newRow("-315 wird 45") << -315 << 45;
    QTest::newRow("volle Drehung") << 360 << 0;
    QTest::newRow("volle Drehung rückwärts") << -360 << 0;
    QTest::newRow("größter Tabellenabstand") << 450 << 90;
    QTest::newRow("größter Tabellenabstand rückwärts") << -450 << -90;
    QTest::newRow("540 wird 180") << 540 << 180;
    QTest::newRow("-540 wird -180") << -540 << -180;
    QTest::newRow("zwei Drehungen") << 720 << 0;
    QTest::newRow("zwei Drehungen rückwärts") << -720 << 0;
    QTest::newRow("900 wird 180") << 900 << 180;
    QTest::newRow("-900 wird -180") << -900 << -180;
    QTest::newRow("1000 wird -80") << 1000 << -80;
}

void TstBewegung::kurzerWeg()
{
    QFETCH(int, differenz);
    QFETCH(int, weg);
    QCOMPARE(::kurzerWeg(differenz), weg);
}

void TstBewegung::bewegungsplan_data()
{
    QTest::addColumn<Stellung>("von");
    QTest::addColumn<Stellung>("nach");
    QTest::addColumn<Frames>("frames");

    // The regulator stays; each indicator turns -180 the negative way, the second one only
    // after the first has reached its target.
    QTest::newRow("Ruhe nach A") << ruhestellung << zeichenA
                                 << lauf(ruhestellung, ind1, 89, -88) +
                                        lauf({180, -90, 90}, ind2, 89, -88);
    // Regulator +180 the positive way; first indicator a full turn, so it does not move but
    // takes the target's value; second indicator -180 the negative way.
    QTest::newRow("H nach M") << zeichenH << zeichenM
                              << lauf(zeichenH, reg, -134, 43) +
                                     lauf({45, -135, 225}, ind2, 224, 47);
    QTest::newRow("M nach D") << zeichenM << zeichenD << lauf(zeichenM, ind1, -134, 43);
    // Stored angles beyond 180 turn from where they are: 225 to -90 is 45 degrees forward.
    QTest::newRow("H nach A") << zeichenH << zeichenA
                              << lauf(zeichenH, reg, -136, -178) +
                                     lauf({180, 225, 225}, ind1, 226, 268) +
                                     lauf({180, -90, 225}, ind2, 226, 268);
    QTest::newRow("alle drei Balken")
        << Stellung{0, 0, 0} << Stellung{45, -45, 90}
        << lauf({0, 0, 0}, reg, 1, 43) + lauf({45, 0, 0}, ind1, -1, -43) +
               lauf({45, -45, 0}, ind2, 1, 88);
    QTest::newRow("gleiche Stellung") << zeichenA << zeichenA << Frames{};
    QTest::newRow("volle Drehung") << Stellung{225, 0, 0} << Stellung{-135, 0, 0} << Frames{};
    QTest::newRow("ein Grad") << Stellung{0, 0, 0} << Stellung{1, 0, 0} << Frames{{1, 0, 0}};
    QTest::newRow("minus ein Grad")
        << Stellung{0, 0, 0} << Stellung{0, -1, 0} << Frames{{0, -1, 0}};
    QTest::newRow("zwei Grad") << Stellung{0, 0, 0} << Stellung{0, 0, 2} << Frames{{0, 0, 1}};
    QTest::newRow("minus zwei Grad")
        << Stellung{0, 0, 0} << Stellung{-2, 0, 0} << Frames{{-1, 0, 0}};
    QTest::newRow("drei Grad") << Stellung{0, 0, 0} << Stellung{0, 3, 0} << Frames{{0, 1, 0}};
    QTest::newRow("+180") << Stellung{0, 0, 0} << Stellung{180, 0, 0}
                          << lauf({0, 0, 0}, reg, 1, 178);
    QTest::newRow("-180") << Stellung{0, 0, 0} << Stellung{0, 0, -180}
                          << lauf({0, 0, 0}, ind2, -1, -178);
    QTest::newRow("200 rückwärts")
        << Stellung{0, 0, 0} << Stellung{200, 0, 0} << lauf({0, 0, 0}, reg, -1, -158);
}

void TstBewegung::bewegungsplan()
{
    QFETCH(Stellung, von);
    QFETCH(Stellung, nach);
    QFETCH(Frames, frames);

    const std::vector<Stellung> plan = ::bewegungsplan(von, nach);
    QCOMPARE(Frames(plan.begin(), plan.end()), frames);
    QCOMPARE(::bewegungsdauer(von, nach), frames.size() * bewegungsTakt);
}

// Frame k is due k x 4 ms after the start, read off a clock the test advances: a frame shown
// late does not push the later ones back, and frames overdue all come, one after the other.
void TstBewegung::spaeterFrameVerschiebtNichts()
{
    using namespace std::chrono;
    const steady_clock::time_point start;
    steady_clock::time_point jetzt = start;
    Bildtakt takt(milliseconds(4));
    takt.setUhr([&] { return jetzt; });
    QList<int> gezeigtBei; // the clock's ms at each frame
    connect(&takt, &Bildtakt::bild, this, [&] {
        gezeigtBei << int(duration_cast<milliseconds>(jetzt - start).count());
        takt.weiter();
    });
    takt.starte();
    // The clock stands at each of these ms until as many frames as listed have come.
    const QList<std::pair<int, int>> schritte{{0, 1}, {3, 1}, {4, 2}, {11, 3}, {12, 4}, {30, 8}};
    for (const auto& [ms, bilder] : schritte) {
        jetzt = start + milliseconds(ms);
        QTRY_COMPARE(gezeigtBei.size(), bilder);
    }
    QCOMPARE(gezeigtBei, (QList<int>{0, 4, 11, 12, 30, 30, 30, 30}));
}

// Targets given during a movement, on frames the test's clock paces: from C the regulator turns
// to 45 degrees, and mid-way H and then D are given. The latest follows: the telegraph ends in
// D, and H (whose regulator lies outside every way taken) is never shown.
void TstBewegung::spaeteresZielFolgt()
{
    std::chrono::steady_clock::time_point jetzt;
    Telegraf telegraf;
    telegraf.setUhr([&] { return jetzt; });
    telegraf.show();
    QVERIFY(QTest::qWaitForWindowExposed(&telegraf));
    telegraf.stelle({90, 0, 0}, ' '); // C
    Frames gezeigt;
    connect(&telegraf, &Telegraf::gezeichnet, this, [&] {
        gezeigt << telegraf.winkel();
        jetzt += std::chrono::milliseconds(4);
        if (gezeigt.size() == 10) {
            telegraf.bewegen(zeichenH, 'H');
            telegraf.bewegen(zeichenD, 'D');
        }
    });
    int gestanden = 0;
    connect(&telegraf, &Telegraf::steht, this, [&] { ++gestanden; });
    telegraf.bewegen({45, 0, 0}, ' ');
    QTRY_COMPARE(gestanden, 1);
    QCOMPARE(telegraf.altwinkel(), zeichenD);
    QVERIFY(!gezeigt.contains(zeichenH));
}

QTEST_MAIN(TstBewegung)
#include "tst_bewegung.moc"
