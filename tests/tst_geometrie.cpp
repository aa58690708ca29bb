// The scene's layout and the beams' corners, checked to the pixel without drawing.
#include "geometrie/geometrie.h"
#include "tests/signaltafel.h"
#include "tests/stellung_test.h"

#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(Fluegelbild)
Q_DECLARE_METATYPE(std::vector<Kasten>)

namespace {

const Szenenmasse masse = szenenmasse(800, 694, 225, 316);

Balkenpolygon rechteck(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return {Punkt{x1, y1}, Punkt{x2, y2}, Punkt{x3, y3}, Punkt{x4, y4}};
}

QString alsText(const Balkenpolygon& p)
{
    QString text;
    for (const Punkt& e : p)
        text += QStringLiteral("(%1, %2) ").arg(e.x).arg(e.y);
    return text;
}

// A point or a direction on screen, y downward.
struct Ecke {
    long double x, y;
};

// A computed coordinate matches the drawn one if it rounds to it; within a hair of a half
// pixel either neighbour will do, as the program carries its own rounding errors.
bool trifft(long double genau, int gezeichnet)
{
    const long double unten = std::floor(genau);
    if (std::fabs(genau - unten - 0.5L) < 1e-6L)
        return gezeichnet == unten || gezeichnet == unten + 1;
    return gezeichnet == std::lround(genau);
}

// Where a beam's corners must lie, worked out on screen from its start point s and its unit
// direction t: 20 pixels behind s and 20 beyond its end, 10 either side along the normal
// (t.y, -t.x). Says which corner is off, or nothing when all are right.
QString pruefeBalken(const Balkenpolygon& p, Ecke s, Ecke t, long double laenge)
{
    const Ecke n{t.y, -t.x};
    const long double u[4] = {-20, -20, laenge + 20, laenge + 20};
    const long double v[4] = {-10, 10, 10, -10};
    for (int i = 0; i < 4; ++i) {
        const long double x = s.x + u[i] * t.x + v[i] * n.x;
        const long double y = s.y + u[i] * t.y + v[i] * n.y;
        if (!trifft(x, p[i].x) || !trifft(y, p[i].y))
            return QStringLiteral("corner %1 drawn at %2, expected (%3, %4)")
                .arg(i)
                .arg(alsText(p))
                .arg(double(x))
                .arg(double(y));
    }
    return {};
}

} // namespace

class TestGeometrie : public QObject {
    Q_OBJECT
private slots:
    void szeneImFestenFenster();
    void fluegel_data();
    void fluegel();
    void gleichwertigeWinkelZeichnenGleich();
    void rundungHalbZurGeradenZahl();
    void jederBalkenMitSeinemWinkel_data();
    void jederBalkenMitSeinemWinkel();
    void bewegteTeile_data();
    void bewegteTeile();
};

void TestGeometrie::szeneImFestenFenster()
{
    QCOMPARE(masse.stich, (Punkt{0, 320}));
    QCOMPARE(masse.sockel, (Kasten{256, 616, 768, 636}));
    QCOMPARE(masse.mast, (Kasten{502, 231, 523, 617}));
    QCOMPARE(masse.drehpunkt.px, 512);
    QCOMPARE(masse.drehpunkt.py, 251);
    QCOMPARE(masse.drehpunkt.R, 173);
    QCOMPARE(masse.drehpunkt.L, 99);
    QCOMPARE(masse.zapfen, (Kasten{508, 255, 517, 246}));
    QCOMPARE(masse.zeichenZelle, (Punkt{537, 518}));
}

void TestGeometrie::fluegel_data()
{
    QTest::addColumn<Stellung>("stellung");
    QTest::addColumn<Fluegelbild>("erwartet");

    const Balkenpolygon regulatorWaagrecht = rechteck(319, 261, 319, 241, 705, 241, 705, 261);
    QTest::newRow("Ruhe") << ruhestellung
                          << Fluegelbild{{regulatorWaagrecht,
                                          rechteck(329, 231, 349, 231, 349, 370, 329, 370),
                                          rechteck(675, 231, 695, 231, 695, 370, 675, 370)},
                                         {Kasten{335, 255, 344, 246}, Kasten{681, 255, 690, 246}}};
    QTest::newRow("A") << Stellung{180, -90, -90}
                       << Fluegelbild{{regulatorWaagrecht,
                                       rechteck(349, 271, 329, 271, 329, 132, 349, 132),
                                       rechteck(695, 271, 675, 271, 675, 132, 695, 132)},
                                      {Kasten{335, 255, 344, 246}, Kasten{681, 255, 690, 246}}};
    QTest::newRow("C") << Stellung{90, 0, 0}
                       << Fluegelbild{{rechteck(502, 58, 522, 58, 522, 444, 502, 444),
                                       rechteck(492, 88, 492, 68, 631, 68, 631, 88),
                                       rechteck(492, 434, 492, 414, 631, 414, 631, 434)},
                                      {Kasten{508, 82, 517, 73}, Kasten{508, 428, 517, 419}}};
}

void TestGeometrie::fluegel()
{
    QFETCH(Stellung, stellung);
    QFETCH(Fluegelbild, erwartet);

    const Fluegelbild bild = ::fluegel(stellung, masse.drehpunkt);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(alsText(bild.balken[i]), alsText(erwartet.balken[i]));
    QCOMPARE(bild.gelenke[0], erwartet.gelenke[0]);
    QCOMPARE(bild.gelenke[1], erwartet.gelenke[1]);
}

void TestGeometrie::gleichwertigeWinkelZeichnenGleich()
{
    const Fluegelbild a = ::fluegel({-135, 225, 180}, masse.drehpunkt);
    const Fluegelbild b = ::fluegel({225, -135, -180}, masse.drehpunkt);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(alsText(a.balken[i]), alsText(b.balken[i]));
    QCOMPARE(a.gelenke[0], b.gelenke[0]);
}

void TestGeometrie::rundungHalbZurGeradenZahl()
{
    QCOMPARE(rundeHalbGerade(2.5L), 2);
    QCOMPARE(rundeHalbGerade(3.5L), 4);
    QCOMPARE(rundeHalbGerade(-2.5L), -2);
    QCOMPARE(rundeHalbGerade(2.4999L), 2);
    QCOMPARE(rundeHalbGerade(-0.6L), -1);
}

void TestGeometrie::jederBalkenMitSeinemWinkel_data()
{
    QTest::addColumn<Stellung>("stellung");
    for (const auto& [zeichen, stellung] : signaltafel)
        QTest::newRow(std::string(1, zeichen).c_str()) << stellung;
    // Angles of movement frames and angles beyond a full turn, used as they are.
    QTest::newRow("krumm") << Stellung{31, -7, 100};
    QTest::newRow("Viertel") << Stellung{-59, 269, -271};
    QTest::newRow("über eine Drehung") << Stellung{400, -725, 1000};
}

// The regulator from its first end E1 to the opposite end, the first indicator hinged at E1
// and the second at the opposite end, each pointing along its own angle, and the joints
// centred on the two ends.
void TestGeometrie::jederBalkenMitSeinemWinkel()
{
    QFETCH(Stellung, stellung);
    const long double grad = 3.14159265358979323846264338327950288L / 180;
    const auto richtung = [&](int w) { return Ecke{std::cos(w * grad), std::sin(w * grad)}; };
    const Drehpunkt& d = masse.drehpunkt;

    // Seen on screen the regulator turns counter-clockwise, the indicators clockwise.
    const Ecke r = richtung(stellung.regulator);
    const Ecke e1{d.px + d.R * r.x, d.py - d.R * r.y};
    const Ecke e2{d.px - d.R * r.x, d.py + d.R * r.y};

    const Fluegelbild bild = ::fluegel(stellung, d);
    QString fehler = pruefeBalken(bild.balken[0], e1, {-r.x, r.y}, 2.0L * d.R);
    QVERIFY2(fehler.isEmpty(), qPrintable(QStringLiteral("regulator: ") + fehler));
    fehler = pruefeBalken(bild.balken[1], e1, richtung(stellung.indikator1), d.L);
    QVERIFY2(fehler.isEmpty(), qPrintable(QStringLiteral("first indicator: ") + fehler));
    fehler = pruefeBalken(bild.balken[2], e2, richtung(stellung.indikator2), d.L);
    QVERIFY2(fehler.isEmpty(), qPrintable(QStringLiteral("second indicator: ") + fehler));

    for (int i = 0; i < 2; ++i) {
        const Ecke e = i == 0 ? e1 : e2;
        const Kasten& k = bild.gelenke[i];
        QVERIFY2(trifft(e.x - 4, k.x1) && trifft(e.y + 4, k.y1) && trifft(e.x + 5, k.x2) &&
                     trifft(e.y - 5, k.y2),
                 qPrintable(QStringLiteral("joint %1 at %2, %3").arg(i).arg(k.x1).arg(k.y1)));
    }
}

// The boxes come from the corners above: a beam's box reaches one pixel past its largest corner
// coordinates, a joint's is its own box with the corners in order.
void TestGeometrie::bewegteTeile_data()
{
    QTest::addColumn<Stellung>("vorher");
    QTest::addColumn<Stellung>("nachher");
    QTest::addColumn<std::vector<Kasten>>("erwartet");

    QTest::newRow("nichts bewegt") << ruhestellung << ruhestellung << std::vector<Kasten>{};
    QTest::newRow("nur die Indikatoren") << ruhestellung << Stellung{180, -90, -90}
                                         << std::vector<Kasten>{{329, 231, 350, 371},
                                                                {329, 132, 350, 272},
                                                                {675, 231, 696, 371},
                                                                {675, 132, 696, 272}};
    QTest::newRow("alles") << ruhestellung << Stellung{90, 0, 0}
                           << std::vector<Kasten>{{319, 241, 706, 262}, {502, 58, 523, 445},
                                                  {329, 231, 350, 371}, {492, 68, 632, 89},
                                                  {675, 231, 696, 371}, {492, 414, 632, 435},
                                                  {335, 246, 344, 255}, {508, 73, 517, 82},
                                                  {681, 246, 690, 255}, {508, 419, 517, 428}};
    // Whole turns draw alike, so nothing needs drawing again.
    QTest::newRow("ganze Drehung")
        << Stellung{180, 90, 90} << Stellung{-180, 450, -270} << std::vector<Kasten>{};
}

void TestGeometrie::bewegteTeile()
{
    QFETCH(Stellung, vorher);
    QFETCH(Stellung, nachher);
    QFETCH(std::vector<Kasten>, erwartet);

    const std::vector<Kasten> teile =
        ::bewegteTeile(::fluegel(vorher, masse.drehpunkt), ::fluegel(nachher, masse.drehpunkt));
    QCOMPARE(teile.size(), erwartet.size());
    for (std::size_t i = 0; i < teile.size(); ++i)
        QVERIFY2(teile[i] == erwartet[i], qPrintable(QStringLiteral("Kasten %1: %2, %3, %4, %5")
                                                         .arg(i)
                                                         .arg(teile[i].x1)
                                                         .arg(teile[i].y1)
                                                         .arg(teile[i].x2)
                                                         .arg(teile[i].y2)));
}

QTEST_APPLESS_MAIN(TestGeometrie)
#include "tst_geometrie.moc"
