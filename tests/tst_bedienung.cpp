// Operating the window: the alphabet grid, the movements it shows, the message playback, and
// what happens when the user acts while the telegraph is still turning.

#include "signaltafel.h"
#include "stellung_test.h"
#include "umix2.h"

#include "alphabet.h"
#include "alphabetfeld.h"
#include "bewegung.h"
#include "offscreenpicture.h"
#include "paintbox.h"
#include "spinbox.h"
#include "timer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

using Bilder = QList<Stellung>;

const QString textStart = QStringLiteral("Nachricht anzeigen");
const QString textAbbruch = QStringLiteral("Abbruch");

// Records what the scene shows at each of its drawings. `beiBild` runs after drawing number n
// is recorded; calling a handler from there is what the event pump would do between frames.
struct Aufnahme {
    explicit Aufnahme(Tpformx11& fenster) : w(fenster)
    {
        verbindung = QObject::connect(w.PB13, &PaintBox::painted, [this] {
            bilder.append(w.winkel);
            if (!w.bewegungLaeuft())
                ++ausserhalbBewegung;
            if (beiBild)
                beiBild(bilder.size());
        });
    }
    ~Aufnahme() { QObject::disconnect(verbindung); }

    Tpformx11& w;
    Bilder bilder;
    int ausserhalbBewegung = 0;
    std::function<void(qsizetype)> beiBild;
    QMetaObject::Connection verbindung;
};

Stellung code(QChar zeichen)
{
    return signalVon(zeichen.toLatin1());
}

// The drawings that show the telegraph turning to each character of `folge` in turn, starting
// at rest: each movement's frames, then its target once. A beam turns the short way (exactly
// half a turn keeps its sign) and shows max(1, |d| - 2) frames of one degree; its last step of
// up to two degrees comes with the next beam or the final drawing.
Bilder zeichnungen(const QString& folge)
{
    Bilder alle;
    Stellung stand = ruhestellung;
    for (const QChar zeichen : folge) {
        const Stellung ziel = code(zeichen);
        Stellung bild = stand;
        for (int Stellung::*balken :
             {&Stellung::regulator, &Stellung::indikator1, &Stellung::indikator2}) {
            int d = ziel.*balken - stand.*balken;
            while (d > 180)
                d -= 360;
            while (d < -180)
                d += 360;
            const int frames = d == 0 ? 0 : std::max(1, std::abs(d) - 2);
            for (int k = 1; k <= frames; ++k) {
                bild.*balken = stand.*balken + (d > 0 ? k : -k);
                alle.append(bild);
            }
            bild.*balken = ziel.*balken;
        }
        alle.append(ziel);
        stand = ziel;
    }
    return alle;
}

// The middle of a character's cell in the grid; the space lies below the last row.
QPoint zelle(QChar zeichen)
{
    const auto index = alphabet.find(zeichen.toLatin1());
    if (index == std::string_view::npos)
        return {15, 180};
    return {static_cast<int>(index % 6) * 30 + 15, static_cast<int>(index / 6) * 30 + 15};
}

QString gezeigt(const Tpformx11& w)
{
    return QString(QLatin1Char(w.zeichen));
}

// Shows the window and checks that it starts at rest. Ticks come only from the test: the
// timer's interval is made so long that it never fires while a test runs. Movements run without
// their pace.
bool oeffnen(Tpformx11& w, const QString& nachricht = QStringLiteral("ab"))
{
    w.takt = std::chrono::milliseconds::zero();
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return false;
    QCoreApplication::processEvents();
    w.Me8->setPlainText(nachricht);
    w.Timer1->setInterval(3600 * 1000);
    return w.winkel == ruhestellung && w.altwinkel == ruhestellung && w.zeichen == ' ' &&
           w.position == 0 && !w.Timer1->enabled() && w.B13->text() == textStart;
}

} // namespace

class TstBedienung : public QObject {
    Q_OBJECT
private slots:
    void alphabetfeld_data();
    void alphabetfeld();
    void doppelklickSindZweiDruecke();
    void zeichenUnterDemZeiger_data();
    void zeichenUnterDemZeiger();
    void feldschriftMittig_data();
    void feldschriftMittig();
    void bewegung_data();
    void bewegung();
    void wiedergabe_data();
    void wiedergabe();
    void wiedergabeBeginntNeu();
    void geaenderteNachricht();
    void abstand_data();
    void abstand();
    void zeitgeber();
    void waehrendBewegung_data();
    void waehrendBewegung();
    void schliessenWaehrendBewegung_data();
    void schliessenWaehrendBewegung();
    void bewegungImTakt();
    void tasten_data();
    void tasten();
};

void TstBedienung::alphabetfeld_data()
{
    QTest::addColumn<QPoint>("punkt");
    QTest::addColumn<Qt::MouseButton>("taste");
    QTest::addColumn<Qt::KeyboardModifiers>("umschalt");
    QTest::addColumn<bool>("wiedergabeLief");
    QTest::addColumn<QString>("erwartet");

    const Qt::KeyboardModifiers keine;
    QTest::newRow("B") << QPoint(45, 15) << Qt::LeftButton << keine << false << "B";
    QTest::newRow("5, rechte Taste") << QPoint(15, 165) << Qt::RightButton << keine << true << "5";
    QTest::newRow("0, mittlere Taste mit Umschalt und Strg")
        << QPoint(165, 165) << Qt::MiddleButton
        << Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier) << false << "0";
    QTest::newRow("A, linker Rand mit Alt")
        << QPoint(0, 29) << Qt::LeftButton << Qt::KeyboardModifiers(Qt::AltModifier) << true << "A";
    QTest::newRow("gemeinsame Linie gehört nach rechts unten")
        << QPoint(150, 30) << Qt::LeftButton << keine << false << "M";
    QTest::newRow("schließende Linie rechts ist die nächste Zeile")
        << QPoint(180, 15) << Qt::LeftButton << keine << true << "G";
    QTest::newRow("unter der letzten Zeile")
        << QPoint(15, 180) << Qt::LeftButton << keine << true << " ";
    QTest::newRow("rechts neben der letzten Zelle")
        << QPoint(180, 165) << Qt::RightButton << keine << true << " ";
}

void TstBedienung::alphabetfeld()
{
    QFETCH(QPoint, punkt);
    QFETCH(Qt::MouseButton, taste);
    QFETCH(Qt::KeyboardModifiers, umschalt);
    QFETCH(bool, wiedergabeLief);
    QFETCH(QString, erwartet);

    Tpformx11 w;
    QVERIFY(oeffnen(w));
    QString folge;
    if (wiedergabeLief) {
        w.B13->click();
        emit w.Timer1->tick();
        QCOMPARE(gezeigt(w), "A");
        folge = QStringLiteral("A");
    }
    const int position = w.position;
    const Bilder bisher = zeichnungen(folge);

    Aufnahme aufnahme(w);
    QTest::mouseClick(w.PBz, taste, umschalt, punkt);

    QVERIFY(!w.Timer1->enabled());
    QCOMPARE(w.B13->text(), textStart);
    QCOMPARE(w.position, position);
    QCOMPARE(gezeigt(w), erwartet);
    QCOMPARE(w.winkel, code(erwartet.front()));
    QCOMPARE(w.altwinkel, w.winkel);
    QCOMPARE(bisher + aufnahme.bilder, zeichnungen(folge + erwartet));
}

void TstBedienung::doppelklickSindZweiDruecke()
{
    // Through the window system, as a real double click arrives: the grid gets a press and then
    // a double click in place of the second press. Each press shows the character once.
    Tpformx11 w;
    QVERIFY(oeffnen(w));
    Aufnahme aufnahme(w);

    QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, {}, w.PBz->mapTo(&w, zelle('B')));

    QCOMPARE(aufnahme.bilder, zeichnungen(QStringLiteral("BB")));
}

void TstBedienung::zeichenUnterDemZeiger_data()
{
    QTest::addColumn<QPoint>("punkt");
    QTest::addColumn<char>("zeichen");

    QTest::newRow("Ecke oben links") << QPoint(0, 0) << 'A';
    QTest::newRow("letztes Pixel von A") << QPoint(29, 29) << 'A';
    QTest::newRow("letztes Pixel von 0") << QPoint(179, 179) << '0';
    // Presses inside the cells go through the window in alphabetfeld; these are the edges.
    // The closing lines: column 6 of rows 0 to 4 is the next row's first cell, row 6 is empty.
    QTest::newRow("rechte Linie, Zeile 4") << QPoint(180, 135) << '5';
    QTest::newRow("rechte Linie, Zeile 5") << QPoint(180, 165) << ' ';
    QTest::newRow("Ecke unten rechts") << QPoint(180, 180) << ' ';
    QTest::newRow("weit daneben") << QPoint(5000, 7) << ' ';
    // Left of or above the grid nothing is chosen, not the first column or row.
    QTest::newRow("x -1") << QPoint(-1, 15) << ' ';
    QTest::newRow("y -1") << QPoint(45, -1) << ' ';
    QTest::newRow("beide -29") << QPoint(-29, -29) << ' ';
    QTest::newRow("x -31") << QPoint(-31, 45) << ' ';
}

void TstBedienung::zeichenUnterDemZeiger()
{
    QFETCH(QPoint, punkt);
    QFETCH(char, zeichen);
    QCOMPARE(zeichenAn(punkt.x(), punkt.y()), zeichen);
}

void TstBedienung::feldschriftMittig_data()
{
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < alphabet.size(); ++i)
        QTest::newRow(std::string(1, alphabet[i]).c_str()) << static_cast<int>(i);
}

// Each character sits in its cell where the grid's rule puts it: its advance centred on the
// cell's middle in x, its line height in y. Checked by the ink inside the cell against the
// glyph drawn alone at that place.
void TstBedienung::feldschriftMittig()
{
    QFETCH(int, index);
    const QRgb grau = qRgb(240, 240, 240);
    OffscreenPicture feld(feldGroesse, feldGroesse);
    zeichneAlphabetfeld(feld.canvas());

    QFont schrift(QStringLiteral("Verdana"));
    schrift.setPixelSize(16);
    const QFontMetrics metrik(schrift);
    const QString text(QChar::fromLatin1(alphabet[static_cast<std::size_t>(index)]));
    const int x0 = index % 6 * 30;
    const int y0 = index / 6 * 30;
    QImage allein(feldGroesse, feldGroesse, QImage::Format_RGB32);
    allein.fill(grau);
    {
        QPainter painter(&allein);
        painter.setFont(schrift);
        painter.drawText(QPoint(x0 + 15 - metrik.horizontalAdvance(text) / 2,
                                y0 + 15 - metrik.height() / 2 + metrik.ascent()),
                         text);
    }
    const auto tinte = [&](const QImage& bild) {
        QRect r;
        for (int y = y0 + 1; y < y0 + 30; ++y)
            for (int x = x0 + 1; x < x0 + 30; ++x)
                if (bild.pixel(x, y) != grau)
                    r |= QRect(x, y, 1, 1);
        return r;
    };
    QVERIFY(!tinte(allein).isEmpty());
    QCOMPARE(tinte(feld.image()), tinte(allein));
}

void TstBedienung::bewegung_data()
{
    QTest::addColumn<QString>("folge");
    QTest::addColumn<int>("zeichnungen");

    // From rest the regulator stays and each indicator takes 178 frames: 356 and the target.
    QTest::newRow("Ruhe nach A") << "A" << 357;
    // All three beams turn -90: 88 frames each.
    QTest::newRow("Ruhe nach C") << "C" << 3 * 88 + 1;
    QTest::newRow("A zweimal") << "AA" << 358;
    // H to M: the regulator turns +180 and the second indicator -180; the first indicator's
    // full turn shows no frame. M to D: the first indicator turns +180.
    QTest::newRow("H, M, D") << "HMD" << 310 + 357 + 179;
    QTest::newRow("A, dann Ruhe") << "A " << 357 + 357;
}

void TstBedienung::bewegung()
{
    QFETCH(QString, folge);
    QFETCH(int, zeichnungen);

    Tpformx11 w;
    QVERIFY(oeffnen(w));
    Aufnahme aufnahme(w);
    for (const QChar zeichen : folge) {
        QTest::mouseClick(w.PBz, Qt::LeftButton, {}, zelle(zeichen));
        QVERIFY(!w.bewegungLaeuft());
        QCOMPARE(w.winkel, code(zeichen));
        QCOMPARE(w.altwinkel, w.winkel);
    }

    QCOMPARE(aufnahme.bilder.size(), zeichnungen);
    QCOMPARE(aufnahme.bilder, ::zeichnungen(folge));
    QCOMPARE(aufnahme.ausserhalbBewegung, 0);
}

void TstBedienung::wiedergabe_data()
{
    QTest::addColumn<QString>("nachricht");
    QTest::addColumn<QString>("folge");
    QTest::addColumn<QList<int>>("positionen");

    QTest::newRow("reihum") << "ab"
                            << "ABAB" << QList<int>{1, 2, 1, 2};
    QTest::newRow("wie gesendet wird") << "jö!"
                                       << "IOEI" << QList<int>{1, 2, 3, 1};
    QTest::newRow("leer") << ""
                          << "  " << QList<int>{0, 0};
    QTest::newRow("nichts Sendbares") << " ?!\n"
                                      << "  " << QList<int>{0, 0};
}

void TstBedienung::wiedergabe()
{
    QFETCH(QString, nachricht);
    QFETCH(QString, folge);
    QFETCH(QList<int>, positionen);

    Tpformx11 w;
    QVERIFY(oeffnen(w, nachricht));
    Aufnahme aufnahme(w);
    w.B13->click();
    QVERIFY(w.Timer1->enabled());
    QCOMPARE(w.B13->text(), textAbbruch);

    for (int i = 0; i < folge.size(); ++i) {
        emit w.Timer1->tick();
        QCOMPARE(gezeigt(w), folge.mid(i, 1));
        QCOMPARE(w.position, positionen[i]);
        QCOMPARE(w.altwinkel, code(folge[i]));
    }
    QCOMPARE(aufnahme.bilder, zeichnungen(folge));
    QVERIFY(w.Timer1->enabled());

    w.B13->click();
    QVERIFY(!w.Timer1->enabled());
    QCOMPARE(w.B13->text(), textStart);
}

void TstBedienung::wiedergabeBeginntNeu()
{
    Tpformx11 w;
    QVERIFY(oeffnen(w, QStringLiteral("abc")));
    w.B13->click();
    emit w.Timer1->tick();
    emit w.Timer1->tick();
    QCOMPARE(gezeigt(w), "B");

    w.B13->click();
    w.B13->click();
    QCOMPARE(w.B13->text(), textAbbruch);
    emit w.Timer1->tick();
    QCOMPARE(gezeigt(w), "A");
    QCOMPARE(w.position, 1);
}

void TstBedienung::geaenderteNachricht()
{
    // The message is read again at every tick; a position beyond a shortened message starts
    // again from its first character.
    Tpformx11 w;
    QVERIFY(oeffnen(w, QStringLiteral("abc")));
    w.B13->click();
    emit w.Timer1->tick();
    emit w.Timer1->tick();
    w.Me8->setPlainText(QStringLiteral("x"));
    emit w.Timer1->tick();
    QCOMPARE(gezeigt(w), "X");
    QCOMPARE(w.position, 1);
}

void TstBedienung::abstand_data()
{
    QTest::addColumn<double>("sekunden");
    QTest::addColumn<int>("millisekunden");

    QTest::newRow("1.0") << 1.0 << 1000;
    QTest::newRow("1.6") << 1.6 << 1600;
    QTest::newRow("4.0") << 4.0 << 4000;
    // Values between the spin box's tenths reach the handler only from code; they are rounded,
    // not cut off.
    QTest::newRow("2.0006 direkt") << 2.0006 << 2001;
    QTest::newRow("1.0999 direkt") << 1.0999 << 1100;
}

void TstBedienung::abstand()
{
    QFETCH(double, sekunden);
    QFETCH(int, millisekunden);

    Tpformx11 w;
    QVERIFY(oeffnen(w));
    if (QString::fromLatin1(QTest::currentDataTag()).endsWith(QLatin1String("direkt")))
        w.Rx11C(sekunden);
    else
        w.Rx11->setValue(sekunden);
    QCOMPARE(w.Timer1->interval(), millisekunden);
}

// Only bounds a busy machine cannot break: what remains of an interval is never more than the
// interval, and never less than the interval minus the time that has passed since it started.
void TstBedienung::zeitgeber()
{
    Tpformx11 w;
    QVERIFY(oeffnen(w));
    w.Rx11->setValue(4.0);
    QSignalSpy ticks(w.Timer1, &Timer::tick);
    QElapsedTimer uhr;
    const auto frischGestartet = [&](int intervall) {
        const int rest = w.Timer1->remainingTime();
        return rest <= intervall && rest >= intervall - uhr.elapsed() - 1;
    };

    // The first tick is a full interval away, never at once.
    uhr.start();
    w.B13->click();
    QVERIFY(frischGestartet(4000));
    QTest::qWait(400);
    QVERIFY(ticks.count() == 0 || uhr.elapsed() >= 4000);
    const int rest = w.Timer1->remainingTime();
    QVERIFY(rest <= 3600);

    // Setting what is already set changes nothing ...
    w.Timer1->setInterval(4000);
    w.Timer1->setEnabled(true);
    QVERIFY(w.Timer1->remainingTime() <= rest);

    // ... a new interval while running starts the count again ...
    uhr.restart();
    w.Rx11->setValue(3.9);
    QVERIFY(frischGestartet(3900));

    // ... and one set while stopped counts from the next start.
    w.B13->click();
    QCOMPARE(w.Timer1->remainingTime(), -1);
    w.Rx11->setValue(2.0);
    QCOMPARE(w.Timer1->remainingTime(), -1);
    uhr.restart();
    w.B13->click();
    QVERIFY(frischGestartet(2000));

    // A real tick shows the message's first character, no earlier than its interval.
    ticks.clear();
    uhr.restart();
    w.Rx11->setValue(1.0);
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 1, 20000);
    QVERIFY(uhr.elapsed() >= 990);
    QCOMPARE(w.position, 1);
    QCOMPARE(gezeigt(w), "A");
    w.B13->click();
}

void TstBedienung::waehrendBewegung_data()
{
    // The first movement starts with a tick of the running playback ("t") or a press on the
    // grid with the playback off. `eingriffe` act at the given drawing, counted from the first
    // drawing of the first movement: "tick", "knopf" (the playback button) or "druck X" (a
    // press on character X). `folge` is every character the telegraph turns to, in order.
    QTest::addColumn<QString>("nachricht");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("eingriffe");
    QTest::addColumn<QString>("folge");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("laeuft");

    QTest::newRow("Druck hält an und folgt danach")
        << "ab"
        << "t" << QStringList{"10 druck M"} << "AM" << 1 << false;
    QTest::newRow("letzter Druck gewinnt")
        << "ab"
        << "t" << QStringList{"10 druck M", "20 druck D"} << "AD" << 1 << false;
    QTest::newRow("Druck bei angehaltener Wiedergabe")
        << "ab"
        << "M" << QStringList{"10 druck D"} << "MD" << 0 << false;
    QTest::newRow("Tick wird gemerkt") << "ab"
                                       << "t" << QStringList{"10 tick"} << "AB" << 2 << true;
    QTest::newRow("höchstens ein Tick gemerkt")
        << "abc"
        << "t" << QStringList{"10 tick", "20 tick"} << "AB" << 2 << true;
    QTest::newRow("Tick in der gemerkten Bewegung")
        << "abc"
        << "t" << QStringList{"10 tick", "400 tick"} << "ABC" << 3 << true;
    QTest::newRow("Tick verfällt, wenn angehalten")
        << "ab"
        << "t" << QStringList{"10 tick", "20 knopf"} << "A" << 0 << false;
    QTest::newRow("Tick ohne laufende Wiedergabe")
        << "ab"
        << "M" << QStringList{"10 tick"} << "M" << 0 << false;
    QTest::newRow("Druck verwirft gemerkten Tick")
        << "ab"
        << "t" << QStringList{"10 tick", "20 druck M"} << "AM" << 1 << false;
    QTest::newRow("Neustart vergisst gemerkten Tick")
        << "ab"
        << "t" << QStringList{"10 tick", "20 knopf", "30 knopf"} << "A" << 0 << true;
    QTest::newRow("verworfener Tick kommt nach Neustart nicht wieder")
        << "ab"
        << "t" << QStringList{"10 tick", "20 druck M", "30 knopf"} << "AM" << 0 << true;
}

void TstBedienung::waehrendBewegung()
{
    QFETCH(QString, nachricht);
    QFETCH(QString, start);
    QFETCH(QStringList, eingriffe);
    QFETCH(QString, folge);
    QFETCH(int, position);
    QFETCH(bool, laeuft);

    Tpformx11 w;
    QVERIFY(oeffnen(w, nachricht));
    if (start == QLatin1String("t"))
        w.B13->click();

    // Whether the playback was off right after each press.
    QList<bool> angehalten;
    Aufnahme aufnahme(w);
    aufnahme.beiBild = [&](qsizetype bild) {
        for (const QString& eingriff : eingriffe) {
            const QStringList teile = eingriff.split(' ');
            if (teile[0].toInt() != bild)
                continue;
            if (teile[1] == QLatin1String("tick")) {
                w.T1Timer();
            } else if (teile[1] == QLatin1String("knopf")) {
                w.B13->click();
            } else {
                const QPoint p = zelle(teile[2].front());
                w.PBzMD(Qt::LeftButton, {}, p.x(), p.y());
                angehalten.append(!w.Timer1->enabled() && w.B13->text() == textStart);
            }
        }
    };
    if (start == QLatin1String("t"))
        emit w.Timer1->tick();
    else
        QTest::mouseClick(w.PBz, Qt::LeftButton, {}, zelle(start.front()));

    // One movement after the other, none inside another, each exactly as planned.
    QCOMPARE(aufnahme.bilder, zeichnungen(folge));
    QCOMPARE(aufnahme.ausserhalbBewegung, 0);
    QVERIFY(!w.bewegungLaeuft());
    QVERIFY(!angehalten.contains(false));
    QCOMPARE(gezeigt(w), folge.right(1));
    QCOMPARE(w.position, position);
    QCOMPARE(w.Timer1->enabled(), laeuft);
    QCOMPARE(w.B13->text(), laeuft ? textAbbruch : textStart);
}

void TstBedienung::schliessenWaehrendBewegung_data()
{
    QTest::addColumn<QString>("vorher");
    QTest::addColumn<bool>("imTakt");

    QTest::newRow("nur schließen") << "" << false;
    QTest::newRow("mit gemerktem Tick") << "tick" << false;
    QTest::newRow("mit gemerktem Druck") << "druck" << false;
    QTest::newRow("im Takt der Bewegung") << "" << true;
}

void TstBedienung::schliessenWaehrendBewegung()
{
    QFETCH(QString, vorher);
    QFETCH(bool, imTakt);

    Tpformx11 w;
    QVERIFY(oeffnen(w));
    if (imTakt)
        w.takt = bewegungsTakt;
    w.B13->click();

    // Counts the passes of the event pump after closing: a movement that went on turning in
    // the hidden window would keep pumping once per frame.
    QTimer pumpe;
    pumpe.setInterval(0);
    QSignalSpy durchlaeufe(&pumpe, &QTimer::timeout);

    Aufnahme aufnahme(w);
    aufnahme.beiBild = [&](qsizetype bild) {
        if (bild == 5 && vorher == QLatin1String("tick"))
            w.T1Timer();
        if (bild == 5 && vorher == QLatin1String("druck"))
            w.PBzMD(Qt::LeftButton, {}, 150, 30);
        if (bild == 10) {
            w.close();
            pumpe.start();
        }
    };
    emit w.Timer1->tick();
    pumpe.stop();

    QCOMPARE(aufnahme.bilder.size(), 10);
    // With the pace the pump runs on until the frame's deadline, a few milliseconds.
    QVERIFY(imTakt || durchlaeufe.count() <= 2);
    QVERIFY(!w.isVisible());
    QVERIFY(!w.bewegungLaeuft());
    QVERIFY(!w.Timer1->enabled());
    // Nothing further was started.
    QCOMPARE(gezeigt(w), "A");
    QCOMPARE(w.position, 1);
}

// With its real pace a movement cannot be quicker than its frames: rest to "A" is 356 frames
// one after the other, 4 ms apart, and the final drawing. The window answers in the meantime.
void TstBedienung::bewegungImTakt()
{
    QCOMPARE(bewegungsTakt, std::chrono::milliseconds(4));
    Tpformx11 w;
    QVERIFY(oeffnen(w));
    w.takt = bewegungsTakt;
    Aufnahme aufnahme(w);
    bool knopfWaehrendBewegung = false;
    QTimer::singleShot(200, &w, [&] {
        w.B13->click();
        knopfWaehrendBewegung = w.bewegungLaeuft();
    });

    QElapsedTimer uhr;
    uhr.start();
    QTest::mouseClick(w.PBz, Qt::LeftButton, {}, zelle(QLatin1Char('A')));
    const qint64 dauer = uhr.elapsed();
    qInfo("Ruhestellung -> A: %d Zeichnungen in %lld ms", int(aufnahme.bilder.size()), dauer);

    QCOMPARE(aufnahme.bilder.size(), 357);
    QVERIFY2(dauer >= 356 * 4, qPrintable(QString::number(dauer)));
    QVERIFY(knopfWaehrendBewegung);
    QCOMPARE(w.B13->text(), textAbbruch);
    QCOMPARE(w.altwinkel, (Stellung{180, -90, -90}));
}

void TstBedienung::tasten_data()
{
    // Which control has the focus, the key, whether the playback ran before and after it.
    QTest::addColumn<QString>("fokus");
    QTest::addColumn<int>("taste");
    QTest::addColumn<bool>("vorher");
    QTest::addColumn<bool>("nachher");

    QTest::newRow("Eingabe auf dem Knopf startet")
        << "knopf" << int(Qt::Key_Return) << false << true;
    QTest::newRow("Enter auf dem Knopf hält an") << "knopf" << int(Qt::Key_Enter) << true << false;
    QTest::newRow("Leertaste auf dem Knopf") << "knopf" << int(Qt::Key_Space) << false << true;
    QTest::newRow("Eingabe im Memo schreibt nur") << "memo" << int(Qt::Key_Return) << true << true;
    QTest::newRow("Eingabe im Drehfeld") << "drehfeld" << int(Qt::Key_Return) << false << false;
    QTest::newRow("Escape im Memo hält an") << "memo" << int(Qt::Key_Escape) << true << false;
    QTest::newRow("Escape auf dem Knopf hält an")
        << "knopf" << int(Qt::Key_Escape) << true << false;
    QTest::newRow("Escape im Drehfeld hält an")
        << "drehfeld" << int(Qt::Key_Escape) << true << false;
    QTest::newRow("Escape ohne Wiedergabe") << "memo" << int(Qt::Key_Escape) << false << false;
}

void TstBedienung::tasten()
{
    QFETCH(QString, fokus);
    QFETCH(int, taste);
    QFETCH(bool, vorher);
    QFETCH(bool, nachher);

    Tpformx11 w;
    QVERIFY(oeffnen(w));
    QApplication::setActiveWindow(&w);
    QWidget* ziel = fokus == QLatin1String("knopf")  ? static_cast<QWidget*>(w.B13)
                    : fokus == QLatin1String("memo") ? static_cast<QWidget*>(w.Me8)
                                                     : static_cast<QWidget*>(w.Rx11);
    ziel->setFocus();
    QTRY_VERIFY(ziel->hasFocus());
    if (vorher)
        w.B13->click();
    const QString memo = w.Me8->toPlainText();

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(taste));

    QCOMPARE(w.Timer1->enabled(), nachher);
    QCOMPARE(w.B13->text(), nachher ? textAbbruch : textStart);
    QCOMPARE(w.Me8->toPlainText().size(),
             memo.size() + (fokus == QLatin1String("memo") && taste == Qt::Key_Return));
    QCOMPARE(w.Rx11->value(), 1.5);
}

QTEST_MAIN(TstBedienung)
#include "tst_bedienung.moc"
