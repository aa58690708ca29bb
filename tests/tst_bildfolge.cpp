// What the window shows frame by frame: each frame of a movement is drawn only where it changed,
// and must look exactly like the whole scene composed from nothing.
#include "display/szene.h"
#include "drawing/canvas.h"
#include "tests/fenster.h"

#include <QBackingStore>
#include <QPainter>

namespace {

// The scene as the window will put it on the screen: its part of the window's back buffer.
QImage gezeigteSzene(Fenster& f)
{
    const auto* puffer = dynamic_cast<QImage*>(f.w.backingStore()->paintDevice());
    if (!puffer)
        return {};
    return puffer->copy(QRect(f.telegraf.mapTo(&f.w, QPoint(0, 0)), f.telegraf.size()));
}

QImage ganzeSzene(const Telegraf& t)
{
    QImage bild(t.size(), QImage::Format_RGB32);
    QPainter painter(&bild);
    Canvas canvas(painter);
    zeichneSzene(canvas, bild.width(), bild.height(), telegrafbilder(), t.winkel(), t.zeichen());
    return bild;
}

// Paints what the scene shows over with a colour it never has, as a covering window would.
void uebermalen(Fenster& f)
{
    auto* puffer = dynamic_cast<QImage*>(f.w.backingStore()->paintDevice());
    QPainter painter(puffer);
    painter.fillRect(QRect(f.telegraf.mapTo(&f.w, QPoint(0, 0)), f.telegraf.size()), Qt::green);
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
    std::unique_ptr<Fenster> f;
};

void TestBildfolge::init()
{
    f = std::make_unique<Fenster>();
    QVERIFY(f->oeffnen());
    QCoreApplication::processEvents();
    QVERIFY(!gezeigteSzene(*f).isNull());
}

void TestBildfolge::cleanup()
{
    f.reset();
}

// Rest to "A" turns both indicators, on to "8" and back to rest turn single beams, and "A" to
// "E" turns every beam half round.
void TestBildfolge::jederFrameWieGanzGezeichnet()
{
    int frames = 0;
    QStringList falsch;
    const auto verbindung = connect(&f->telegraf, &Telegraf::gezeichnet, this, [&] {
        ++frames;
        const Stellung w = f->telegraf.winkel();
        if (gezeigteSzene(*f) != ganzeSzene(f->telegraf) && falsch.size() < 5)
            falsch << QStringLiteral("%1, %2, %3 '%4'")
                          .arg(w.regulator)
                          .arg(w.indikator1)
                          .arg(w.indikator2)
                          .arg(f->gezeigt());
    });
    for (const char zeichen : {'A', '8', ' ', 'A', 'E', 'E', 'A'})
        f->klicke(QLatin1Char(zeichen));
    disconnect(verbindung);

    QVERIFY2(falsch.isEmpty(), qPrintable(falsch.join(QStringLiteral("; "))));
    QVERIFY2(frames > 1500, qPrintable(QString::number(frames)));
}

// Shown again or uncovered, the scene is drawn whole, whatever the frames before drew.
void TestBildfolge::ersteZeichnungIstVollstaendig()
{
    f->klicke('A');
    QCOMPARE(gezeigteSzene(*f), ganzeSzene(f->telegraf));

    // Hidden, the telegraph changes without a frame; shown again, it is drawn as it stands.
    f->w.hide();
    f->telegraf.stelle(Stellung{-45, 225, 45}, 'E');
    f->w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f->w));
    QCoreApplication::processEvents();
    QCOMPARE(gezeigteSzene(*f), ganzeSzene(f->telegraf));

    // Uncovered: the whole box is painted again, not just what changed last.
    uebermalen(*f);
    f->telegraf.update();
    QCoreApplication::processEvents();
    QCOMPARE(gezeigteSzene(*f), ganzeSzene(f->telegraf));
}

QTEST_MAIN(TestBildfolge)
#include "tst_bildfolge.moc"
