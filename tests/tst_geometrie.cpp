// The scene's layout and the beams' corners, checked to the pixel without drawing.
#include "geometrie.h"
#include "stellung_test.h"

#include <QTest>

Q_DECLARE_METATYPE(Fluegelbild)

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

} // namespace

class TestGeometrie : public QObject {
    Q_OBJECT
private slots:
    void szeneImFestenFenster();
    void fluegel_data();
    void fluegel();
    void gleichwertigeWinkelZeichnenGleich();
    void rundungHalbZurGeradenZahl();
    void jederWinkelErgibtEinBalkenrechteck();
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

// Whatever the angle, a beam is a 20-pixel-wide bar: opposite sides of equal length, the
// width across near 20 and the length near the beam's own plus 40.
void TestGeometrie::jederWinkelErgibtEinBalkenrechteck()
{
    const auto abstand = [](Punkt a, Punkt b) { return std::hypot(a.x - b.x, a.y - b.y); };
    for (int grad = -400; grad <= 400; grad += 7) {
        const Fluegelbild bild = ::fluegel({grad, grad * 3, -grad}, masse.drehpunkt);
        const std::array<double, 3> laengen{2.0 * masse.drehpunkt.R + 40, masse.drehpunkt.L + 40.0,
                                            masse.drehpunkt.L + 40.0};
        for (int i = 0; i < 3; ++i) {
            const Balkenpolygon& p = bild.balken[i];
            QVERIFY2(std::abs(abstand(p[0], p[1]) - 20) <= 1.5, qPrintable(alsText(p)));
            QVERIFY2(std::abs(abstand(p[1], p[2]) - laengen[i]) <= 1.5, qPrintable(alsText(p)));
            QVERIFY2(std::abs(abstand(p[0], p[3]) - abstand(p[1], p[2])) <= 1.5,
                     qPrintable(alsText(p)));
        }
    }
}

QTEST_APPLESS_MAIN(TestGeometrie)
#include "tst_geometrie.moc"
