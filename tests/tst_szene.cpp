// The telegraph scene as pixels: outlines, fills, pattern alignment, the engraving's place
// and the large character's cell.
#include "bilder.h"
#include "canvas.h"
#include "pixel.h"
#include "szene.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTest>

namespace {

const QRgb schwarz = qRgb(0, 0, 0);
const QRgb weiss = qRgb(255, 255, 255);
const QRgb maroon = qRgb(128, 0, 0);

QImage szene(const Szenenbilder& bilder, const Stellung& winkel, char zeichen)
{
    QImage ziel(800, 694, QImage::Format_RGB32);
    ziel.fill(Qt::green); // anything the scene leaves out would show
    QPainter painter(&ziel);
    Canvas canvas(painter);
    zeichneSzene(canvas, 800, 694, bilder, winkel, zeichen);
    return ziel;
}

QRgb muster(const QImage& kachel, int x, int y)
{
    return kachel.pixel(x % kachel.width(), y % kachel.height());
}

// The smallest rectangle holding every pixel in which the two pictures differ.
QRect unterschied(const QImage& a, const QImage& b)
{
    return umfassendesRechteck(a, [&](int x, int y) { return a.pixel(x, y) != b.pixel(x, y); });
}

} // namespace

class TestSzene : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void ruhestellungUmrisse();
    void gelenkeUndZapfenMaroon();
    void musterAmUrsprungAusgerichtet();
    void stichStehtAufDerGrundlinie();
    void zeichenZelleObenLinks();
    void leerzeichenSchreibtNichts();

private:
    Szenenbilder bilder;
    QImage ruhe;
};

void TestSzene::initTestCase()
{
    bilder = eingebetteteSzenenbilder();
    QVERIFY(!bilder.holz.isNull() && !bilder.pergament.isNull() && !bilder.stich.isNull());
    ruhe = szene(bilder, ruhestellung, ' ');
}

void TestSzene::ruhestellungUmrisse()
{
    // Regulator from x 319 to 705 between y 241 and 261, with its outline on those lines.
    QCOMPARE(ruhe.pixel(319, 251), schwarz);
    QCOMPARE(ruhe.pixel(705, 251), schwarz);
    QCOMPARE(ruhe.pixel(400, 241), schwarz);
    QCOMPARE(ruhe.pixel(400, 261), schwarz);
    QCOMPARE(ruhe.pixel(318, 251), weiss);
    QCOMPARE(ruhe.pixel(706, 251), weiss);
    // Indicators hang down to y 370.
    QCOMPARE(ruhe.pixel(339, 370), schwarz);
    QCOMPARE(ruhe.pixel(339, 371), weiss);
    QCOMPARE(ruhe.pixel(329, 300), schwarz);
    QCOMPARE(ruhe.pixel(695, 300), schwarz);
    // Slab from x 256 to 767, y 616 to 635; the mast from x 502 to 522 covers its top line.
    QCOMPARE(ruhe.pixel(256, 625), schwarz);
    QCOMPARE(ruhe.pixel(767, 625), schwarz);
    QCOMPARE(ruhe.pixel(768, 625), weiss);
    QCOMPARE(ruhe.pixel(300, 616), schwarz);
    QCOMPARE(ruhe.pixel(300, 635), schwarz);
    QCOMPARE(ruhe.pixel(300, 636), weiss);
    QCOMPARE(ruhe.pixel(502, 400), schwarz);
    QCOMPARE(ruhe.pixel(522, 400), schwarz);
    QCOMPARE(ruhe.pixel(523, 400), weiss);
    QCOMPARE(ruhe.pixel(512, 616), schwarz);
    QCOMPARE(ruhe.pixel(512, 615), muster(bilder.pergament, 512, 615));
    // The mast's top stands out 10 pixels above the regulator.
    QCOMPARE(ruhe.pixel(512, 231), schwarz);
    QCOMPARE(ruhe.pixel(512, 235), muster(bilder.pergament, 512, 235));
    QCOMPARE(ruhe.pixel(512, 230), weiss);
}

void TestSzene::gelenkeUndZapfenMaroon()
{
    QCOMPARE(ruhe.pixel(339, 250), maroon); // joint at the left end
    QCOMPARE(ruhe.pixel(685, 250), maroon); // joint at the right end
    QCOMPARE(ruhe.pixel(512, 250), maroon); // central pivot
    QCOMPARE(ruhe.pixel(508, 250), schwarz);
    QCOMPARE(ruhe.pixel(516, 250), schwarz);
    QVERIFY(ruhe.pixel(517, 250) != maroon && ruhe.pixel(517, 250) != schwarz);
}

// A beam slides over a fixed texture: its fill is the tile repeated from the surface origin,
// wherever the beam stands.
void TestSzene::musterAmUrsprungAusgerichtet()
{
    for (const QPoint p : {QPoint(400, 250), QPoint(600, 245), QPoint(339, 320)})
        QCOMPARE(ruhe.pixel(p), muster(bilder.holz, p.x(), p.y()));
    for (const QPoint p : {QPoint(512, 400), QPoint(300, 625), QPoint(700, 620)})
        QCOMPARE(ruhe.pixel(p), muster(bilder.pergament, p.x(), p.y()));

    const QImage c = szene(bilder, {90, 0, 0}, ' ');
    for (const QPoint p : {QPoint(512, 150), QPoint(560, 78), QPoint(600, 424)})
        QCOMPARE(c.pixel(p), muster(bilder.holz, p.x(), p.y()));
}

void TestSzene::stichStehtAufDerGrundlinie()
{
    QCOMPARE(bilder.stich.size(), QSize(225, 316));
    for (int y = 0; y < 316; ++y)
        for (int x = 0; x < 225; ++x)
            if (ruhe.pixel(x, 320 + y) != bilder.stich.pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("engraving differs at %1, %2").arg(x).arg(y)));
    QCOMPARE(ruhe.pixel(100, 319), weiss);
    QCOMPARE(ruhe.pixel(100, 636), weiss);
    QCOMPARE(ruhe.pixel(225, 500), weiss);
}

void TestSzene::zeichenZelleObenLinks()
{
    const QImage mitA = szene(bilder, ruhestellung, 'A');
    const QRect tinte = unterschied(ruhe, mitA);
    QVERIFY(!tinte.isEmpty());

    QFont schrift(QStringLiteral("Verdana"));
    schrift.setPixelSize(zeichenSchriftHoehe);
    const QFontMetrics metrik(schrift);
    const QRect zelle(537, 518, metrik.horizontalAdvance(QLatin1Char('A')), metrik.height());
    QVERIFY2(zelle.contains(tinte), qPrintable(QStringLiteral("ink %1,%2 %3x%4")
                                                   .arg(tinte.x())
                                                   .arg(tinte.y())
                                                   .arg(tinte.width())
                                                   .arg(tinte.height())));
    // The glyph's ink begins where the font puts it below the cell's top.
    const QRect glyphe = metrik.tightBoundingRect(QStringLiteral("A"));
    QVERIFY(std::abs(tinte.top() - (518 + metrik.ascent() + glyphe.top())) <= 1);
    QVERIFY(std::abs(tinte.left() - (537 + glyphe.left())) <= 1);
    // The text is black and drawn on a transparent background.
    QCOMPARE(mitA.pixel(tinte.center()) == schwarz || mitA.pixel(tinte.center()) == weiss, true);
    QCOMPARE(qGray(mitA.pixel(tinte.left() + 1, tinte.bottom())) < 100, true);
}

void TestSzene::leerzeichenSchreibtNichts()
{
    QCOMPARE(szene(bilder, ruhestellung, '\0'), ruhe);
    QCOMPARE(unterschied(ruhe, szene(bilder, ruhestellung, ' ')), QRect());
}

QTEST_MAIN(TestSzene)
#include "tst_szene.moc"
