// The telegraph scene as pixels: outlines, fills, pattern alignment, the engraving's place
// and the large character's cell.
#include "display/szene.h"
#include "drawing/canvas.h"
#include "tests/pixel.h"
#include "widgets/telegraf.h"

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

QString alsText(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Draws the next frame the way a window does, only where it changed, onto a target that holds
// the frame before, and checks it against the scene composed from nothing.
struct Bildfolge {
    const Szenenbilder& bilder;
    Szene szene{bilder};
    QImage ziel = [] {
        QImage bild(800, 694, QImage::Format_RGB32);
        bild.fill(Qt::green);
        return bild;
    }();

    QRect zeige(const Stellung& winkel, char zeichen)
    {
        QPainter painter(&ziel);
        Canvas canvas(painter);
        szene.zeichne(canvas, szene.aenderung(800, 694, winkel, zeichen), 800, 694, winkel,
                      zeichen);
        painter.end();
        return unterschied(ziel, ::szene(bilder, winkel, zeichen));
    }
};

} // namespace

class TestSzene : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void ruhestellungUmrisse();
    void musterAmUrsprungAusgerichtet();
    void stichStehtAufDerGrundlinie();
    void schichten_data();
    void schichten();
    void zeichenZelleObenLinks_data();
    void zeichenZelleObenLinks();
    void leerzeichenSchreibtNichts();
    void nurGeaendertesGezeichnetWieGanz_data();
    void nurGeaendertesGezeichnetWieGanz();
    void jedesZeichenInSeinerZelle();
    void ganzeFlaecheZeichnetAlles();
    void vergroessertPixelGenau();

private:
    Szenenbilder bilder;
    QImage ruhe;
};

void TestSzene::initTestCase()
{
    bilder = telegrafbilder();
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

// Pixels where two parts of the scene overlap show the one drawn later: the mast lies under the
// regulator, each indicator over the regulator, the joints over the beam ends and the pivot over
// everything. Each entry is "x y what", with what one of holz, pergament, maroon, schwarz.
void TestSzene::schichten_data()
{
    QTest::addColumn<Stellung>("stellung");
    QTest::addColumn<QStringList>("punkte");

    QTest::newRow("Ruhe") << ruhestellung
                          << QStringList{"505 250 holz",      "520 259 holz",    "512 241 schwarz",
                                         "512 300 pergament", "512 250 maroon",  "339 250 maroon",
                                         "685 250 maroon",    "329 250 schwarz", "675 250 schwarz",
                                         "508 250 schwarz",   "516 250 schwarz", "517 250 holz"};
    // Regulator upright, along the mast: E1 at the top (y 78), E2 at y 424.
    QTest::newRow("C") << Stellung{90, 0, 0}
                       << QStringList{"512 300 holz",   "505 440 holz",    "512 450 pergament",
                                      "512 250 maroon", "512 77 maroon",   "512 423 maroon",
                                      "505 68 schwarz", "505 414 schwarz", "520 88 schwarz"};
}

void TestSzene::schichten()
{
    QFETCH(Stellung, stellung);
    QFETCH(QStringList, punkte);

    const QImage bild = szene(bilder, stellung, ' ');
    for (const QString& punkt : punkte) {
        const QStringList teile = punkt.split(u' ');
        const int x = teile[0].toInt();
        const int y = teile[1].toInt();
        const QRgb holz = muster(bilder.holz, x, y);
        const QRgb pergament = muster(bilder.pergament, x, y);
        QVERIFY2(holz != pergament && holz != schwarz && pergament != schwarz, qPrintable(punkt));
        const QRgb erwartet = teile[2] == u"holz"        ? holz
                              : teile[2] == u"pergament" ? pergament
                              : teile[2] == u"maroon"    ? maroon
                                                         : schwarz;
        QVERIFY2(bild.pixel(x, y) == erwartet, qPrintable(punkt));
    }
}

void TestSzene::zeichenZelleObenLinks_data()
{
    QTest::addColumn<char>("zeichen");
    QTest::newRow("A") << 'A';
    QTest::newRow("I") << 'I';
    QTest::newRow("W") << 'W';
    QTest::newRow("&") << '&';
}

// The large character, black on the scene's background, with the top-left of its cell at
// (537, 518): the same pixels as the glyph drawn there on its own.
void TestSzene::zeichenZelleObenLinks()
{
    QFETCH(char, zeichen);
    const QImage mit = szene(bilder, ruhestellung, zeichen);
    const QRect tinte = unterschied(ruhe, mit);

    QImage allein(800, 694, QImage::Format_RGB32);
    allein.fill(Qt::white);
    QFont schrift(QStringLiteral("Verdana"));
    schrift.setPixelSize(85);
    {
        QPainter painter(&allein);
        painter.setFont(schrift);
        painter.drawText(QPoint(537, 518 + QFontMetrics(schrift).ascent()),
                         QString(QChar(zeichen)));
    }
    const QRect erwartet =
        umfassendesRechteck(allein, [&](int x, int y) { return allein.pixel(x, y) != weiss; });
    QVERIFY(!erwartet.isEmpty());
    QCOMPARE(tinte, erwartet);
    for (int y = tinte.top(); y <= tinte.bottom(); ++y)
        for (int x = tinte.left(); x <= tinte.right(); ++x)
            QVERIFY2(mit.pixel(x, y) == allein.pixel(x, y),
                     qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
}

// A space, or no character at all, leaves the character's cell blank.
void TestSzene::leerzeichenSchreibtNichts()
{
    QCOMPARE(szene(bilder, ruhestellung, '\0'), ruhe);
    QImage leer(85, 90, ruhe.format());
    leer.fill(weiss);
    QCOMPARE(ruhe.copy(537, 518, 85, 90), leer);
}

// Movements of one degree per frame, the beams one after the other, the character changing at
// the start, as the window shows them.
void TestSzene::nurGeaendertesGezeichnetWieGanz_data()
{
    QTest::addColumn<Stellung>("von");
    QTest::addColumn<Stellung>("drehung");
    QTest::addColumn<char>("zeichen");

    QTest::newRow("Indikatoren aus der Ruhe") << ruhestellung << Stellung{0, -180, -180} << 'A';
    QTest::newRow("Regulator halb herum") << ruhestellung << Stellung{-180, 0, 0} << 'K';
    QTest::newRow("jeder Balken halb herum")
        << Stellung{135, 45, -135} << Stellung{180, -180, 180} << '8';
}

void TestSzene::nurGeaendertesGezeichnetWieGanz()
{
    QFETCH(Stellung, von);
    QFETCH(Stellung, drehung);
    QFETCH(char, zeichen);

    Bildfolge folge{bilder};
    QCOMPARE(folge.zeige(von, ' '), QRect());
    Stellung winkel = von;
    for (int Stellung::*balken :
         {&Stellung::regulator, &Stellung::indikator1, &Stellung::indikator2}) {
        const int schritt = drehung.*balken > 0 ? 1 : -1;
        for (int i = 0; i != drehung.*balken; i += schritt) {
            winkel.*balken += schritt;
            const QRect falsch = folge.zeige(winkel, zeichen);
            QVERIFY2(falsch.isEmpty(), qPrintable(QStringLiteral("%1, %2, %3: %4")
                                                      .arg(winkel.regulator)
                                                      .arg(winkel.indikator1)
                                                      .arg(winkel.indikator2)
                                                      .arg(alsText(falsch))));
        }
    }
}

// Each character replaces the one before whole, its antialiased edges included.
void TestSzene::jedesZeichenInSeinerZelle()
{
    Bildfolge folge{bilder};
    const Stellung winkel{90, -45, -90}; // an indicator near the character's cell
    for (const char zeichen : QByteArrayLiteral(" ABCDEFGHIKLMNOPQRSTUVWXYZ&1234567890 WJ")) {
        const QRect falsch = folge.zeige(winkel, zeichen);
        QVERIFY2(falsch.isEmpty(), qPrintable(QLatin1Char(zeichen) + alsText(falsch)));
    }
}

// Whatever the target held, asking for all of it draws all of it; a part is drawn right even
// before any whole frame was.
void TestSzene::ganzeFlaecheZeichnetAlles()
{
    Szene szene(bilder);
    QImage ziel(800, 694, QImage::Format_RGB32);
    ziel.fill(Qt::green);
    QPainter painter(&ziel);
    Canvas canvas(painter);
    const QRect teil(300, 200, 100, 80);
    szene.zeichne(canvas, teil, 800, 694, ruhestellung, 'A');
    QCOMPARE(unterschied(ziel, ::szene(bilder, ruhestellung, 'A')), QRect(0, 0, 800, 694));
    QCOMPARE(ziel.copy(teil), ::szene(bilder, ruhestellung, 'A').copy(teil));

    ziel.fill(Qt::green);
    szene.zeichne(canvas, QRect(0, 0, 800, 694), 800, 694, ruhestellung, 'A');
    painter.end();
    QCOMPARE(unterschied(ziel, ::szene(bilder, ruhestellung, 'A')), QRect());
}

// On an enlarged target the scene is the scale-1 scene doubled pixel for pixel, the first frame
// too.
void TestSzene::vergroessertPixelGenau()
{
    Szene szene(bilder);
    QImage ziel(1600, 1388, QImage::Format_RGB32);
    ziel.setDevicePixelRatio(2);
    QPainter painter(&ziel);
    Canvas canvas(painter);
    szene.zeichne(canvas, QRect(0, 0, 800, 694), 800, 694, ruhestellung, 'A');
    painter.end();
    ziel.setDevicePixelRatio(1);
    QCOMPARE(ziel, ::szene(bilder, ruhestellung, 'A').scaled(1600, 1388));
}

QTEST_MAIN(TestSzene)
#include "tst_szene.moc"
