// What the window shows frame by frame: each frame of a movement is drawn only where it changed,
// and must look exactly like the whole scene composed from nothing.
#include "alphabet.h"
#include "canvas.h"
#include "paintbox.h"
#include "szene.h"
#include "umix2.h"

#include <QBackingStore>
#include <QPainter>
#include <QTest>

namespace {

// The scene as the window will put it on the screen: its part of the window's back buffer.
QImage gezeigteSzene(Tpformx11& w)
{
    const auto* puffer = dynamic_cast<QImage*>(w.backingStore()->paintDevice());
    if (!puffer)
        return {};
    return puffer->copy(QRect(w.PB13->mapTo(&w, QPoint(0, 0)), w.PB13->size()));
}

QImage ganzeSzene(const Tpformx11& w)
{
    QImage bild(w.PB13->size(), QImage::Format_RGB32);
    QPainter painter(&bild);
    Canvas canvas(painter);
    zeichneSzene(canvas, bild.width(), bild.height(), {w.I5, w.I4, w.Image3}, w.winkel, w.zeichen);
    return bild;
}

// Paints what PB13 shows over with a colour the scene never has, as a covering window would.
void uebermalen(Tpformx11& w)
{
    auto* puffer = dynamic_cast<QImage*>(w.backingStore()->paintDevice());
    QPainter painter(puffer);
    painter.fillRect(QRect(w.PB13->mapTo(&w, QPoint(0, 0)), w.PB13->size()), Qt::green);
}

QPoint zelle(char zeichen)
{
    const auto index = alphabet.find(zeichen);
    if (index == std::string_view::npos)
        return {15, 180}; // below the grid: the space, which brings the telegraph to rest
    return {static_cast<int>(index % 6) * 30 + 15, static_cast<int>(index / 6) * 30 + 15};
}

} // namespace

class TestBildfolge : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void jederFrameWieGanzGezeichnet();
    void ersteZeichnungIstVollstaendig();

private:
    std::unique_ptr<Tpformx11> w;
};

void TestBildfolge::init()
{
    w = std::make_unique<Tpformx11>();
    w->takt = std::chrono::milliseconds::zero();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCoreApplication::processEvents();
    QVERIFY(!gezeigteSzene(*w).isNull());
}

void TestBildfolge::cleanup()
{
    w.reset();
}

// Rest to "A" turns both indicators, on to "8" and back to rest turn single beams, and "A" to
// "E" turns every beam half round.
void TestBildfolge::jederFrameWieGanzGezeichnet()
{
    int frames = 0;
    QStringList falsch;
    const auto verbindung = connect(w->PB13, &PaintBox::painted, this, [&] {
        ++frames;
        if (gezeigteSzene(*w) != ganzeSzene(*w) && falsch.size() < 5)
            falsch << QStringLiteral("%1, %2, %3 '%4'")
                          .arg(w->winkel.regulator)
                          .arg(w->winkel.indikator1)
                          .arg(w->winkel.indikator2)
                          .arg(QLatin1Char(w->zeichen));
    });
    for (const char zeichen : {'A', '8', ' ', 'A', 'E', 'E', 'A'})
        QTest::mouseClick(w->PBz, Qt::LeftButton, {}, zelle(zeichen));
    disconnect(verbindung);

    QVERIFY2(falsch.isEmpty(), qPrintable(falsch.join(QStringLiteral("; "))));
    QVERIFY2(frames > 1500, qPrintable(QString::number(frames)));
}

// Shown again or uncovered, the scene is drawn whole, whatever the frames before drew.
void TestBildfolge::ersteZeichnungIstVollstaendig()
{
    QTest::mouseClick(w->PBz, Qt::LeftButton, {}, zelle('A'));
    QCOMPARE(gezeigteSzene(*w), ganzeSzene(*w));

    // Hidden, the telegraph changes without a frame; shown again, it is drawn as it stands.
    w->hide();
    w->winkel = Stellung{-45, 225, 45};
    w->zeichen = 'E';
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCoreApplication::processEvents();
    QCOMPARE(gezeigteSzene(*w), ganzeSzene(*w));

    // Uncovered: the whole box is painted again, not just what changed last.
    uebermalen(*w);
    w->PB13->update();
    QCoreApplication::processEvents();
    QCOMPARE(gezeigteSzene(*w), ganzeSzene(*w));
}

QTEST_MAIN(TestBildfolge)
#include "tst_bildfolge.moc"
