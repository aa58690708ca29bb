// The drawing surface's pixel rules, which every coordinate of the scene relies on.
#include "drawing/canvas.h"
#include "drawing/offscreenpicture.h"
#include "drawing/schrift.h"
#include "tests/pixel.h"

#include <QPainter>
#include <QTest>

namespace {

const QRgb schwarz = qRgb(0, 0, 0);
const QRgb weiss = qRgb(255, 255, 255);
const QRgb rot = qRgb(255, 0, 0);

// Draws on a fresh white 40 x 40 picture and returns it.
template <typename Zeichnen> QImage gezeichnet(Zeichnen zeichnen)
{
    OffscreenPicture bild(40, 40);
    zeichnen(bild.canvas());
    return bild.image();
}

// The smallest rectangle that holds every pixel that is not white.
QRect bedeckt(const QImage& bild)
{
    return umfassendesRechteck(bild, [&](int x, int y) { return bild.pixel(x, y) != weiss; });
}

} // namespace

class TestCanvas : public QObject {
    Q_OBJECT
private slots:
    void neuesBildIstWeiss();
    void rechteckOhneRechteUndUntereKante_data();
    void rechteckOhneRechteUndUntereKante();
    void ellipseImSelbenKasten();
    void polygonMitUmriss();
    void musterAmUrsprungDerFlaeche();
    void hoheMusterflaechenLueckenlos_data();
    void hoheMusterflaechenLueckenlos();
    void textMitUndOhneHintergrund();
    void kopierenIstDeckend();
};

void TestCanvas::neuesBildIstWeiss()
{
    OffscreenPicture bild(7, 5);
    QCOMPARE(bild.image().size(), QSize(7, 5));
    QCOMPARE(bild.image().format(), QImage::Format_RGB32);
    QCOMPARE(bedeckt(bild.image()), QRect());
}

void TestCanvas::rechteckOhneRechteUndUntereKante_data()
{
    QTest::addColumn<QRect>("ecken"); // x1, y1 as the top-left, x2, y2 as right and bottom
    QTest::newRow("geordnet") << QRect(QPoint(5, 6), QPoint(15, 20));
    QTest::newRow("vertauscht") << QRect(QPoint(15, 20), QPoint(5, 6));
    QTest::newRow("nur x vertauscht") << QRect(QPoint(15, 6), QPoint(5, 20));
}

void TestCanvas::rechteckOhneRechteUndUntereKante()
{
    QFETCH(QRect, ecken);
    const QImage bild = gezeichnet([&](Canvas& c) {
        c.setBrush(Brush::solid(Qt::red));
        c.rectangle(ecken.left(), ecken.top(), ecken.right(), ecken.bottom());
    });
    QCOMPARE(bedeckt(bild), QRect(5, 6, 10, 14));
    QCOMPARE(bild.pixel(5, 6), schwarz);
    QCOMPARE(bild.pixel(14, 19), schwarz);
    QCOMPARE(bild.pixel(6, 7), rot);
    QCOMPARE(bild.pixel(13, 18), rot);
}

void TestCanvas::ellipseImSelbenKasten()
{
    const QImage bild = gezeichnet([](Canvas& c) {
        c.setBrush(Brush::solid(Qt::red));
        c.ellipse(10, 20, 1, 11); // the pivot's corner order: right and bottom given first
    });
    QCOMPARE(bedeckt(bild), QRect(1, 11, 9, 9));
    QCOMPARE(bild.pixel(5, 15), rot);
    QCOMPARE(bild.pixel(1, 15), schwarz);
    QCOMPARE(bild.pixel(1, 11), weiss); // a corner of the box lies outside the circle
}

void TestCanvas::polygonMitUmriss()
{
    const QImage bild = gezeichnet([](Canvas& c) {
        c.setBrush(Brush::solid(Qt::red));
        const std::array<QPoint, 4> ecken{QPoint(3, 30), QPoint(3, 10), QPoint(30, 10),
                                          QPoint(30, 30)};
        c.polygon(ecken);
    });
    // A polygon's outline runs through its corners, inclusive.
    QCOMPARE(bedeckt(bild), QRect(3, 10, 28, 21));
    QCOMPARE(bild.pixel(3, 10), schwarz);
    QCOMPARE(bild.pixel(30, 30), schwarz);
    QCOMPARE(bild.pixel(15, 20), rot);
}

void TestCanvas::musterAmUrsprungDerFlaeche()
{
    QImage kachel(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            kachel.setPixel(x, y, qRgb(60 * x, 60 * y, 7));
    for (const int versatz : {0, 1, 6}) {
        const QImage bild = gezeichnet([&](Canvas& c) {
            c.setBrush(Brush::pattern(kachel));
            c.rectangle(2 + versatz, 3, 20 + versatz, 20);
        });
        for (const QPoint p : {QPoint(9, 9), QPoint(10, 11), QPoint(17, 13)})
            QCOMPARE(bild.pixel(p), kachel.pixel(p.x() % 4, p.y() % 4));
    }
}

// Tall textured shapes are filled in bands; the result must be exactly one fill in a piece. A
// rectangle is checked against its rule pixel by pixel, a polygon against Qt drawing it alone.
void TestCanvas::hoheMusterflaechenLueckenlos_data()
{
    QTest::addColumn<QPolygon>("ecken"); // two corners for a rectangle, more for a polygon
    for (const int hoehe : {1, 2, 63, 64, 65, 66, 200, 694})
        QTest::newRow(qPrintable(QStringLiteral("Rechteck %1 Zeilen").arg(hoehe)))
            << QPolygon({QPoint(3, 2), QPoint(43, 2 + hoehe)});
    QTest::newRow("schräger Balken") << QPolygon({{30, 5}, {50, 15}, {230, 690}, {210, 680}});
    QTest::newRow("Dreieck") << QPolygon({{5, 600}, {250, 20}, {120, 650}});
    QTest::newRow("65 Zeilen schräg") << QPolygon({{10, 100}, {200, 164}, {210, 164}, {20, 100}});
    QTest::newRow("Regulator senkrecht") << QPolygon({{92, 58}, {112, 58}, {112, 444}, {92, 444}});
}

void TestCanvas::hoheMusterflaechenLueckenlos()
{
    QFETCH(QPolygon, ecken);
    QImage kachel(37, 23, QImage::Format_RGB32);
    for (int y = 0; y < kachel.height(); ++y)
        for (int x = 0; x < kachel.width(); ++x)
            kachel.setPixel(x, y, qRgb(40 + 5 * x, 30 + 9 * y, (x * y) % 200 + 50));

    QImage bild(260, 700, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QImage erwartet = bild;
    {
        QPainter painter(&bild);
        Canvas c(painter);
        c.setBrush(Brush::pattern(kachel));
        if (ecken.size() == 2)
            c.rectangle(ecken[0].x(), ecken[0].y(), ecken[1].x(), ecken[1].y());
        else
            c.polygon(std::span<const QPoint>(ecken.constData(), ecken.size()));
    }
    if (ecken.size() == 2) {
        // Outline on the first and last covered row and column, the tile inside.
        const QRect r(ecken[0], ecken[1] - QPoint(1, 1));
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const bool rand =
                    x == r.left() || x == r.right() || y == r.top() || y == r.bottom();
                erwartet.setPixel(x, y, rand ? schwarz : kachel.pixel(x % 37, y % 23));
            }
    } else {
        QPainter painter(&erwartet);
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(QBrush(kachel));
        painter.drawPolygon(ecken);
    }
    QCOMPARE(umfassendesRechteck(
                 bild, [&](int x, int y) { return bild.pixel(x, y) != erwartet.pixel(x, y); }),
             QRect());
}

void TestCanvas::textMitUndOhneHintergrund()
{
    QImage bild(60, 40, QImage::Format_RGB32);
    bild.fill(Qt::blue);
    QPainter painter(&bild);
    Canvas c(painter);
    c.setFont(verdana(16));
    const int breite = c.textWidth(QStringLiteral("W"));
    const int hoehe = c.textHeight(QStringLiteral("W"));
    QVERIFY(breite > 5 && breite < 30);
    QVERIFY(hoehe >= 16 && hoehe < 30);

    c.setBrush(Brush::solid(Qt::red));
    c.textOut(2, 3, QStringLiteral("W"));
    c.setBrush(Brush::none());
    c.textOut(30, 3, QStringLiteral("W"));
    painter.end();

    // With a solid brush the whole cell takes its colour first; with none the ground shows.
    QCOMPARE(bild.pixel(2, 3), rot);
    QCOMPARE(bild.pixel(2 + breite - 1, 3 + hoehe - 1), rot);
    QCOMPARE(bild.pixel(2 + breite, 3), qRgb(0, 0, 255));
    QCOMPARE(bild.pixel(30, 3), qRgb(0, 0, 255));
    bool tinte = false;
    for (int y = 3; y < 3 + hoehe; ++y)
        for (int x = 30; x < 30 + breite; ++x)
            tinte = tinte || qGray(bild.pixel(x, y)) < 40;
    QVERIFY(tinte);
}

void TestCanvas::kopierenIstDeckend()
{
    QImage quelle(4, 4, QImage::Format_RGB32);
    quelle.fill(qRgb(10, 20, 30));
    const QImage bild = gezeichnet([&](Canvas& c) {
        c.setBrush(Brush::solid(Qt::red));
        c.rectangle(0, 0, 40, 40);
        c.draw(5, 6, quelle);
    });
    QCOMPARE(bild.pixel(5, 6), qRgb(10, 20, 30));
    QCOMPARE(bild.pixel(8, 9), qRgb(10, 20, 30));
    QCOMPARE(bild.pixel(9, 9), rot);
}

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
