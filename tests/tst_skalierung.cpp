// The window on a screen scaled by two: twice as many device pixels, the scene and the grid
// enlarged pixel for pixel from their unscaled drawing, and presses still counted in unscaled
// pixels. CTest runs it with QT_SCALE_FACTOR=2.
#include "alphabetfeld.h"
#include "bilder.h"
#include "canvas.h"
#include "paintbox.h"
#include "umix2.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTest>

namespace {

// What `male` draws at scale 1, in a plain picture of the given size.
template <typename Malen> QImage unskaliert(QSize groesse, Malen male)
{
    QImage bild(groesse, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter painter(&bild);
    Canvas canvas(painter);
    male(canvas);
    return bild;
}

// The first pixel where `gross` is not `klein` with every pixel a 2 x 2 block, or "" if none.
QString ersteAbweichung(const QImage& gross, const QImage& klein)
{
    if (gross.size() != klein.size() * 2)
        return QStringLiteral("Größe %1 x %2").arg(gross.width()).arg(gross.height());
    for (int y = 0; y < gross.height(); ++y)
        for (int x = 0; x < gross.width(); ++x)
            if (gross.pixel(x, y) != klein.pixel(x / 2, y / 2))
                return QStringLiteral("Pixel (%1, %2)").arg(x).arg(y);
    return {};
}

} // namespace

class TstSkalierung : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void geraetegroesse();
    void szeneUndFeldPixelGenauVergroessert();
    void druckAufGeraetepixel();

private:
    Tpformx11* w = nullptr;
};

void TstSkalierung::init()
{
    w = new Tpformx11;
    w->takt = std::chrono::milliseconds::zero();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
}

void TstSkalierung::cleanup()
{
    delete w;
    w = nullptr;
}

void TstSkalierung::geraetegroesse()
{
    QCOMPARE(w->devicePixelRatio(), 2.0);
    QCOMPARE(w->size(), QSize(1008, 694));
    QCOMPARE(w->grab().size(), QSize(2016, 1388));
}

void TstSkalierung::szeneUndFeldPixelGenauVergroessert()
{
    w->PBzMD(Qt::LeftButton, {}, 165, 135); // "4": every beam turned, a character beside the mast
    const QImage szene = w->PB13->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage szene1 = unskaliert(QSize(800, 694), [&](Canvas& c) {
        zeichneSzene(c, 800, 694, eingebetteteSzenenbilder(), Stellung{-45, -135, 135}, '4');
    });
    QCOMPARE(ersteAbweichung(szene, szene1), QString());

    const QImage feld = w->PBz->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage feld1 = unskaliert(QSize(181, 181), [](Canvas& c) { zeichneAlphabetfeld(c); });
    QCOMPARE(ersteAbweichung(feld, feld1), QString());
}

// A press on device pixel (151, 31) lies at (75.5, 15.5) in unscaled pixels: inside "C".
// The one to its left, device pixel (59, 59), is the last of "A" before the line of "B".
void TstSkalierung::druckAufGeraetepixel()
{
    const auto druecke = [this](QPointF geraetepixel) {
        const QPointF stelle = geraetepixel / 2.0;
        QMouseEvent druck(QEvent::MouseButtonPress, stelle, w->PBz->mapToGlobal(stelle),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w->PBz, &druck);
        return w->zeichen;
    };
    QCOMPARE(druecke(QPointF(151, 31)), 'C');
    QCOMPARE(druecke(QPointF(59, 59)), 'A');
    QCOMPARE(druecke(QPointF(60, 59)), 'B');
}

QTEST_MAIN(TstSkalierung)
#include "tst_skalierung.moc"
