// The code chart as pixels, and writing it to files: where the beams of a few signals end,
// that every cell carries its own character, and that a chart that cannot be written leaves
// nothing behind.
#include "assets/eingebettet.h"
#include "files/tafeldatei.h"
#include "tests/pixel.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <sys/stat.h>

namespace {

// The page's figures, typed from the chart's description: tenths of a millimetre on A4
// landscape, scaled to the PNG's 2480 pixels of height and centred across its width.
const double f = 2480.0 / 2100.0;
const double randLinks = (3508 - 2970 * f) / 2;
const QPointF raster(100, 270);
const double zellenBreite = 380;
const double zellenHoehe = 290;
const QPointF drehpunkt(190, 116);
const double massstab = 0.45;
const double ruheSpalte = 2460;
const double zeichenOben = 206;
const int zeichenHoehe = 64;

const char* const zeichenfolge = "ABCDEFGHIKLMNOPQRSTUVWXYZ&1234567890";

// A point of the page in PNG pixels.
QPointF aufBild(QPointF seite)
{
    return {randLinks + seite.x() * f, seite.y() * f};
}

QPointF zellenEcke(int zelle)
{
    return zelle < 0 ? QPointF(ruheSpalte, raster.y())
                     : raster + QPointF(zelle % 6 * zellenBreite, zelle / 6 * zellenHoehe);
}

bool weiss(const QImage& bild, QPointF p)
{
    return bild.pixel(qRound(p.x()), qRound(p.y())) == qRgb(255, 255, 255);
}

bool tinte(QRgb farbe)
{
    return qGray(farbe) < 128;
}

// The dark pixels of `bild`, cut to their bounding rectangle.
QImage tintenbild(const QImage& bild)
{
    const QRect r =
        umfassendesRechteck(bild, [&](int x, int y) { return tinte(bild.pixel(x, y)); });
    return bild.copy(r);
}

// How many pixels differ in their ink when both pictures are laid on each other at their
// top-left corners, allowing a shift of one pixel either way for the glyphs' smoothing.
int abweichung(const QImage& a, const QImage& b)
{
    const auto tinteIn = [](const QImage& bild, int x, int y) {
        return bild.rect().contains(x, y) && tinte(bild.pixel(x, y));
    };
    int kleinste = std::numeric_limits<int>::max();
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            int anders = 0;
            for (int y = -1; y <= std::max(a.height(), b.height()); ++y)
                for (int x = -1; x <= std::max(a.width(), b.width()); ++x)
                    anders += tinteIn(a, x, y) != tinteIn(b, x + dx, y + dy);
            kleinste = std::min(kleinste, anders);
        }
    }
    return kleinste;
}

int tintenpunkte(const QImage& bild)
{
    return abweichung(bild, QImage());
}

// One character drawn alone in the chart's type at the PNG's scale.
QImage alleinGezeichnet(QChar zeichen)
{
    QImage bild(200, 200, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(f, f);
    QFont schrift(QStringLiteral("Verdana"));
    schrift.setPixelSize(zeichenHoehe);
    p.setFont(schrift);
    p.drawText(QPointF(20, 100), QString(zeichen));
    p.end();
    return tintenbild(bild);
}

} // namespace

class TestTafel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pngHatA4Mit300Dpi();
    void balkenEnden_data();
    void balkenEnden();
    void jedeZelleTraegtIhrZeichen();
    void nichtGeschriebeneTafel_data();
    void nichtGeschriebeneTafel();
    void vorhandeneDateiWirdGanzErsetzt();

private:
    QTemporaryDir ordner;
    const Signalcode& code = eingebetteterCode();
    QImage tafel;
};

void TestTafel::initTestCase()
{
    const QString pfad = ordner.filePath(QStringLiteral("tafel.png"));
    const Tafelausgabe ausgabe = schreibeTafel(pfad, code);
    QVERIFY2(ausgabe.ergebnis == Tafelausgabe::Ergebnis::Geschrieben, qPrintable(ausgabe.meldung));
    QVERIFY(tafel.load(pfad));
}

void TestTafel::pngHatA4Mit300Dpi()
{
    QCOMPARE(tafel.size(), QSize(3508, 2480));
    // 300 dots per inch are 11811 per metre.
    QCOMPARE(tafel.dotsPerMeterX(), 11811);
    QCOMPARE(tafel.dotsPerMeterY(), 11811);
}

void TestTafel::balkenEnden_data()
{
    QTest::addColumn<int>("zelle");        // -1 is the rest position
    QTest::addColumn<QPointF>("spitze");   // a beam's far end, in scene pixels from the pivot
    QTest::addColumn<QPointF>("richtung"); // the way the beam points there

    // Bars reach 20 pixels beyond their end points; R is 173, L 99 in the scene.
    QTest::newRow("Ruhe, Regulator links") << -1 << QPointF(-193, 0) << QPointF(-1, 0);
    QTest::newRow("Ruhe, erster Flügel unten") << -1 << QPointF(-173, 119) << QPointF(0, 1);
    QTest::newRow("A, erster Flügel oben") << 0 << QPointF(-173, -119) << QPointF(0, -1);
    QTest::newRow("A, zweiter Flügel oben") << 0 << QPointF(173, -119) << QPointF(0, -1);
    QTest::newRow("C, Regulator oben") << 2 << QPointF(0, -193) << QPointF(0, -1);
    QTest::newRow("C, erster Flügel rechts") << 2 << QPointF(119, -173) << QPointF(1, 0);
    QTest::newRow("I, erster Flügel unten") << 8 << QPointF(-173, 119) << QPointF(0, 1);
    QTest::newRow("I, zweiter Flügel oben") << 8 << QPointF(173, -119) << QPointF(0, -1);
    QTest::newRow("L, erster Flügel links") << 10 << QPointF(-119, -173) << QPointF(-1, 0);
    QTest::newRow("L, zweiter Flügel rechts") << 10 << QPointF(119, 173) << QPointF(1, 0);
    // D (45, 45, 45): E1 at 173 / sqrt 2 = 122.33 up and right, the indicators point down
    // and to the right, 119 / sqrt 2 = 84.15 each way.
    const double s = std::sqrt(0.5);
    QTest::newRow("D, erster Flügel") << 3 << QPointF(206.48, -38.18) << QPointF(s, s);
    QTest::newRow("D, zweiter Flügel") << 3 << QPointF(-38.18, 206.48) << QPointF(s, s);
    QTest::newRow("D, Regulator unten links") << 3 << QPointF(-136.47, 136.47) << QPointF(-s, s);
}

void TestTafel::balkenEnden()
{
    QFETCH(int, zelle);
    QFETCH(QPointF, spitze);
    QFETCH(QPointF, richtung);

    const QPointF ende = aufBild(zellenEcke(zelle) + drehpunkt + spitze * massstab);
    // Three pixels inside the end is still the beam; four beyond it is paper, past the
    // outline's 1.2 pixels and its smoothing.
    QVERIFY2(!weiss(tafel, ende - 3 * richtung), "the beam ends too early");
    QVERIFY2(weiss(tafel, ende + 4 * richtung), "the beam reaches too far");
}

void TestTafel::jedeZelleTraegtIhrZeichen()
{
    QList<QImage> allein;
    for (const char* z = zeichenfolge; *z; ++z)
        allein.append(alleinGezeichnet(QChar::fromLatin1(*z)));

    for (int i = 0; i < 36; ++i) {
        // The character beneath the drawing (which reaches down to 214), up to the frame.
        const QPointF oben = aufBild(zellenEcke(i) + QPointF(5, zeichenOben + 8));
        const QPointF unten = aufBild(zellenEcke(i) + QPointF(zellenBreite - 5, zellenHoehe - 5));
        const QImage band = tintenbild(tafel.copy(QRectF(oben, unten).toRect()));
        QVERIFY2(!band.isNull(), qPrintable(QStringLiteral("cell %1 is blank").arg(i)));

        int bestes = 0;
        for (int k = 1; k < 36; ++k) {
            if (abweichung(band, allein[k]) < abweichung(band, allein[bestes]))
                bestes = k;
        }
        QCOMPARE(QChar::fromLatin1(zeichenfolge[bestes]), QChar::fromLatin1(zeichenfolge[i]));
        // Not merely the nearest: nearly the same pixels.
        const int anders = abweichung(band, allein[i]);
        QVERIFY2(anders * 4 < tintenpunkte(allein[i]),
                 qPrintable(QStringLiteral("cell %1: %2 of %3 pixels differ")
                                .arg(i)
                                .arg(anders)
                                .arg(tintenpunkte(allein[i]))));
    }
}

void TestTafel::nichtGeschriebeneTafel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("ergebnis");
    QTest::addColumn<QString>("grund");

    const int format = int(Tafelausgabe::Ergebnis::UnbekanntesFormat);
    const int schreiben = int(Tafelausgabe::Ergebnis::Schreibfehler);
    QTest::newRow("Text") << "tafel.txt" << format << "PDF (.pdf) oder PNG (.png)";
    QTest::newRow("ohne Endung") << "tafel" << format << "PDF (.pdf) oder PNG (.png)";
    QTest::newRow("PDF mit Anhang") << "tafel.pdf.alt" << format << "PDF (.pdf) oder PNG (.png)";
    QTest::newRow("Ordner fehlt, PDF") << "fehlt/tafel.pdf" << schreiben << "gibt es nicht";
    QTest::newRow("Ordner fehlt, PNG") << "fehlt/tafel.png" << schreiben << "gibt es nicht";
    QTest::newRow("Ordner statt Datei") << "ordner.png" << schreiben << "Ordner";
    QTest::newRow("Pipe") << "rohr.pdf" << schreiben << "keine gewöhnliche Datei";
    QTest::newRow("Verweis auf die Pipe") << "verweis.png" << schreiben << "keine gewöhnliche";
    QTest::newRow("Verweis ins Leere") << "ins-leere.pdf" << schreiben << "/fehlt“ gibt es nicht";
}

void TestTafel::nichtGeschriebeneTafel()
{
    QFETCH(QString, name);
    QFETCH(int, ergebnis);
    QFETCH(QString, grund);

    QTemporaryDir leer;
    const QStringList vorher{"ins-leere.pdf", "ordner.png", "rohr.pdf", "verweis.png"};
    QVERIFY(QFile::link(QStringLiteral("fehlt/tafel.pdf"), leer.filePath(vorher[0])));
    QVERIFY(QDir(leer.path()).mkdir(vorher[1]));
    QVERIFY(mkfifo(QFile::encodeName(leer.filePath(vorher[2])).constData(), 0600) == 0);
    QVERIFY(QFile::link(vorher[2], leer.filePath(vorher[3])));
    const QString pfad = leer.filePath(name);
    const Tafelausgabe ausgabe = schreibeTafel(pfad, code);

    QCOMPARE(int(ausgabe.ergebnis), ergebnis);
    QVERIFY2(ausgabe.meldung.contains(pfad), qPrintable(ausgabe.meldung));
    QVERIFY2(ausgabe.meldung.contains(grund), qPrintable(ausgabe.meldung));
    // Nothing left behind, not even a temporary file beside the target, and the pipe a pipe.
    QCOMPARE(QDir(leer.path())
                 .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
             vorher);
    QVERIFY(!QFileInfo(leer.filePath(vorher[2])).isFile());
}

void TestTafel::vorhandeneDateiWirdGanzErsetzt()
{
    const QString pfad = ordner.filePath(QStringLiteral("alt.pdf"));
    {
        QFile alt(pfad);
        QVERIFY(alt.open(QIODevice::WriteOnly));
        alt.write(QByteArray(100000, 'x'));
    }
    QCOMPARE(int(schreibeTafel(pfad, code).ergebnis), int(Tafelausgabe::Ergebnis::Geschrieben));
    QFile neu(pfad);
    QVERIFY(neu.open(QIODevice::ReadOnly));
    const QByteArray inhalt = neu.readAll();
    QVERIFY(inhalt.startsWith("%PDF-"));
    QVERIFY(inhalt.trimmed().endsWith("%%EOF"));
    QVERIFY(!inhalt.contains(QByteArray(1000, 'x')));
}

QTEST_MAIN(TestTafel)
#include "tst_tafel.moc"
