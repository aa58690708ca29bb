// Operating the window: the alphabet grid, the movements it shows, the message playback, and
// what happens when the user acts while the telegraph is still turning.
#include "tests/fenster.h"

#include "bedienung/bewegung.h"
#include "drawing/offscreenpicture.h"
#include "drawing/schrift.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QPainter>
#include <QSignalSpy>
#include <QTimer>

namespace {

using Bilder = QList<Stellung>;

// The drawings of movements from rest to each character of `folge` in turn, typed out from the
// beams' turns: per character (separated by "|") the frames of each beam that turns, as "beam
// first..last" (R the regulator, 1 and 2 the indicators), then the character's signal once. A
// beam not named takes its new angle when its turn comes, without a frame.
Bilder zeichnungen(const QString& folge, const QString& gaenge)
{
    Bilder alle;
    Stellung bild = ruhestellung;
    const QStringList jeZeichen = gaenge.split(QLatin1Char('|'));
    for (int i = 0; i < folge.size(); ++i) {
        const Stellung ziel = signalVon(folge.at(i).toLatin1());
        for (const auto& [name, balken] : {std::pair{'R', &Stellung::regulator},
                                           {'1', &Stellung::indikator1},
                                           {'2', &Stellung::indikator2}}) {
            for (const QString& gang : jeZeichen.value(i).split(QLatin1Char(';'))) {
                const QStringList grenzen = gang.trimmed().mid(2).split(QStringLiteral(".."));
                if (gang.trimmed().startsWith(QLatin1Char(name))) {
                    const int von = grenzen[0].toInt();
                    const int bis = grenzen[1].toInt();
                    for (int a = von;; a += bis >= von ? 1 : -1) {
                        bild.*balken = a;
                        alle.append(bild);
                        if (a == bis)
                            break;
                    }
                }
            }
            bild.*balken = ziel.*balken;
        }
        alle.append(ziel);
    }
    return alle;
}

// Whether every drawing turned each beam by at most two degrees from the drawing before,
// starting at `von`: what a movement that started inside another, from the wrong place, breaks.
bool stetig(const Bilder& bilder, Stellung von)
{
    const auto nah = [](int a, int b) { return ((a - b) % 360 + 362) % 360 <= 4; };
    for (const Stellung& s : bilder) {
        if (!nah(s.regulator, von.regulator) || !nah(s.indikator1, von.indikator1) ||
            !nah(s.indikator2, von.indikator2))
            return false;
        von = s;
    }
    return true;
}

} // namespace

class TstBedienung : public QObject {
    Q_OBJECT
private slots:
    void alphabetfeld_data();
    void alphabetfeld();
    void doppelklickSindZweiDruecke();
    void feldschriftMittig_data();
    void feldschriftMittig();
    void bewegung_data();
    void bewegung();
    void wiedergabe_data();
    void wiedergabe();
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

    Fenster f;
    QVERIFY(f.oeffnen());
    if (wiedergabeLief) {
        f.knopf.click();
        f.tick();
        QCOMPARE(f.gezeigt(), "A");
    }
    const int position = f.wiedergabe.position();
    const Stellung vorher = f.telegraf.altwinkel();
    Aufnahme aufnahme(f.telegraf);
    QTest::mouseClick(&f.feld, taste, umschalt, punkt);
    QVERIFY(f.still());

    QVERIFY(!f.timer.enabled());
    QCOMPARE(f.knopf.text(), textStart);
    QCOMPARE(f.wiedergabe.position(), position);
    QCOMPARE(f.gezeigt(), erwartet);
    QCOMPARE(f.telegraf.altwinkel(), signalVon(erwartet.front().toLatin1()));
    QCOMPARE(aufnahme.bilder.last(), f.telegraf.altwinkel());
    QVERIFY(stetig(aufnahme.bilder, vorher));
    QCOMPARE(aufnahme.ausserhalbBewegung, 0);
}

void TstBedienung::doppelklickSindZweiDruecke()
{
    // Through the window system, as a real double click arrives: the grid gets a press and then
    // a double click in place of the second press. Each press shows the character: rest to B
    // (135, -45, -45) is 43 + 133 + 133 frames and the final drawing, B again one drawing.
    Fenster f;
    QVERIFY(f.oeffnen());
    Aufnahme aufnahme(f.telegraf);
    QTest::mouseDClick(f.w.windowHandle(), Qt::LeftButton, {}, f.feld.mapTo(&f.w, zelle('B')));
    QVERIFY(f.still());
    QCOMPARE(aufnahme.bilder.size(), 310 + 1);
}

void TstBedienung::feldschriftMittig_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < raster.size(); ++i)
        QTest::newRow(qPrintable(raster.mid(i, 1))) << i;
}

// Each character sits in its cell where the grid's rule puts it: its advance centred on the
// cell's middle in x, its line height in y. Checked by the ink inside the cell against the
// glyph drawn alone at that place.
void TstBedienung::feldschriftMittig()
{
    QFETCH(int, index);
    const QRgb grau = qRgb(240, 240, 240);
    OffscreenPicture feld(181, 181);
    zeichneAlphabetfeld(feld.canvas());

    QFont schrift = verdana(16);
    schrift.setHintingPreference(QFont::PreferVerticalHinting);
    const QFontMetrics metrik(schrift);
    const QString text = raster.mid(index, 1);
    const int x0 = index % 6 * 30;
    const int y0 = index / 6 * 30;
    QImage allein(181, 181, QImage::Format_RGB32);
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
    QTest::addColumn<QString>("gaenge");
    QTest::addColumn<int>("anzahl");

    // From rest the regulator stays and each indicator turns -180: 178 frames each.
    QTest::newRow("Ruhe nach A") << "A"
                                 << "1 89..-88; 2 89..-88" << 357;
    // All three beams turn -90: 88 frames each.
    QTest::newRow("Ruhe nach C") << "C"
                                 << "R 179..92; 1 89..2; 2 89..2" << 3 * 88 + 1;
    QTest::newRow("A zweimal") << "AA"
                               << "1 89..-88; 2 89..-88|" << 358;
    // Rest to H turns the regulator +45, the indicators +135. H to M: the regulator turns +180
    // and the second indicator -180; the first indicator's full turn shows no frame and
    // takes -135 for 225. M to D: the first indicator turns +180 from -135.
    QTest::newRow("H, M, D") << "HMD"
                             << "R 181..223; 1 91..223; 2 91..223|R -134..43; 2 224..47|"
                                "1 -134..43"
                             << 310 + 357 + 179;
    QTest::newRow("A, dann Ruhe") << "A "
                                  << "1 89..-88; 2 89..-88|1 -89..88; 2 -89..88" << 357 + 357;
}

void TstBedienung::bewegung()
{
    QFETCH(QString, folge);
    QFETCH(QString, gaenge);
    QFETCH(int, anzahl);

    Fenster f;
    QVERIFY(f.oeffnen());
    Aufnahme aufnahme(f.telegraf);
    for (const QChar zeichen : folge) {
        f.klicke(zeichen);
        QVERIFY(!f.telegraf.bewegungLaeuft());
        QCOMPARE(f.telegraf.winkel(), signalVon(zeichen.toLatin1()));
        QCOMPARE(f.telegraf.altwinkel(), f.telegraf.winkel());
    }
    QCOMPARE(aufnahme.bilder.size(), anzahl);
    QCOMPARE(aufnahme.bilder, zeichnungen(folge, gaenge));
    QCOMPARE(aufnahme.ausserhalbBewegung, 0);
}

void TstBedienung::wiedergabe_data()
{
    // The memo, then before each tick what the user does ("" nothing, "neu" stop and start,
    // "x" the memo becomes "x"), and what each tick shows at which position.
    QTest::addColumn<QString>("nachricht");
    QTest::addColumn<QStringList>("vorher");
    QTest::addColumn<QString>("folge");
    QTest::addColumn<QList<int>>("positionen");

    const QStringList nichts{"", "", "", ""};
    QTest::newRow("reihum") << "ab" << nichts << "ABAB" << QList<int>{1, 2, 1, 2};
    QTest::newRow("wie gesendet wird") << "jö!" << nichts << "IOEI" << QList<int>{1, 2, 3, 1};
    QTest::newRow("leer") << "" << nichts << "    " << QList<int>{0, 0, 0, 0};
    QTest::newRow("nichts Sendbares") << " ?!\n" << nichts << "  " << QList<int>{0, 0};
    QTest::newRow("neu gestartet beginnt vorn")
        << "abc" << QStringList{"", "", "neu"} << "ABA" << QList<int>{1, 2, 1};
    // Read again at every tick; a position beyond a shortened message starts again.
    QTest::newRow("gekürzte Nachricht")
        << "abc" << QStringList{"", "", "x"} << "ABX" << QList<int>{1, 2, 1};
}

void TstBedienung::wiedergabe()
{
    QFETCH(QString, nachricht);
    QFETCH(QStringList, vorher);
    QFETCH(QString, folge);
    QFETCH(QList<int>, positionen);

    Fenster f;
    QVERIFY(f.oeffnen(nachricht));
    f.knopf.click();
    QVERIFY(f.timer.enabled());
    QCOMPARE(f.knopf.text(), textAbbruch);

    for (int i = 0; i < folge.size(); ++i) {
        if (vorher[i] == QLatin1String("neu")) {
            f.knopf.click();
            f.knopf.click();
        } else if (!vorher[i].isEmpty()) {
            f.memo.setPlainText(vorher[i]);
        }
        f.tick();
        QCOMPARE(f.gezeigt(), folge.mid(i, 1));
        QCOMPARE(f.wiedergabe.position(), positionen[i]);
        QCOMPARE(f.telegraf.altwinkel(), signalVon(folge.at(i).toLatin1()));
    }
    QVERIFY(f.timer.enabled());
    f.knopf.click();
    QVERIFY(!f.timer.enabled());
    QCOMPARE(f.knopf.text(), textStart);
}

void TstBedienung::abstand_data()
{
    QTest::addColumn<double>("sekunden");
    QTest::addColumn<int>("millisekunden");

    QTest::newRow("1.0") << 1.0 << 1000;
    QTest::newRow("1.6") << 1.6 << 1600;
    QTest::newRow("4.0") << 4.0 << 4000;
    // Values between the spin box's tenths reach the playback only from code; they are
    // rounded, not cut off.
    QTest::newRow("2.0006 direkt") << 2.0006 << 2001;
    QTest::newRow("1.0999 direkt") << 1.0999 << 1100;
}

void TstBedienung::abstand()
{
    QFETCH(double, sekunden);
    QFETCH(int, millisekunden);

    Fenster f;
    QVERIFY(f.oeffnen());
    if (QString::fromLatin1(QTest::currentDataTag()).endsWith(QLatin1String("direkt")))
        f.wiedergabe.setAbstand(sekunden);
    else
        f.drehfeld.setValue(sekunden);
    QCOMPARE(f.timer.interval(), millisekunden);
}

// Only bounds a busy machine cannot break: what remains of an interval is never more than the
// interval, and never less than the interval minus the time that has passed since it started.
void TstBedienung::zeitgeber()
{
    Fenster f;
    QVERIFY(f.oeffnen());
    Timer& t = f.timer;
    f.drehfeld.setValue(4.0);
    QSignalSpy ticks(&t, &Timer::tick);
    QElapsedTimer uhr;
    const auto frischGestartet = [&](int intervall) {
        const int rest = t.remainingTime();
        return rest <= intervall && rest >= intervall - uhr.elapsed() - 1;
    };

    // The first tick is a full interval away, never at once.
    uhr.start();
    f.knopf.click();
    QVERIFY(frischGestartet(4000));
    QTest::qWait(400);
    QVERIFY(ticks.count() == 0 || uhr.elapsed() >= 4000);
    const int rest = t.remainingTime();
    QVERIFY(rest <= 3600);

    // Setting what is already set changes nothing ...
    t.setInterval(4000);
    t.setEnabled(true);
    QVERIFY(t.remainingTime() <= rest);

    // ... a new interval while running starts the count again ...
    uhr.restart();
    f.drehfeld.setValue(3.9);
    QVERIFY(frischGestartet(3900));

    // ... and one set while stopped counts from the next start.
    f.knopf.click();
    QCOMPARE(t.remainingTime(), -1);
    f.drehfeld.setValue(2.0);
    QCOMPARE(t.remainingTime(), -1);
    uhr.restart();
    f.knopf.click();
    QVERIFY(frischGestartet(2000));

    // A real tick shows the message's first character, no earlier than its interval.
    ticks.clear();
    uhr.restart();
    f.drehfeld.setValue(1.0);
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 1, 20000);
    QVERIFY(uhr.elapsed() >= 990);
    QCOMPARE(f.wiedergabe.position(), 1);
    QCOMPARE(f.gezeigt(), "A");
    f.knopf.click();
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

    Fenster f;
    QVERIFY(f.oeffnen(nachricht));
    if (start == QLatin1String("t"))
        f.knopf.click();

    // Whether the playback was off right after each press.
    QList<bool> angehalten;
    Aufnahme aufnahme(f.telegraf);
    aufnahme.beiBild = [&](qsizetype bild) {
        for (const QString& eingriff : eingriffe) {
            const QStringList teile = eingriff.split(QLatin1Char(' '));
            if (teile[0].toInt() != bild)
                continue;
            if (teile[1] == QLatin1String("tick")) {
                f.tick();
            } else if (teile[1] == QLatin1String("knopf")) {
                f.knopf.click();
            } else {
                f.klicke(teile[2].front());
                angehalten.append(!f.timer.enabled() && f.knopf.text() == textStart);
            }
        }
    };
    if (start == QLatin1String("t"))
        f.tick();
    else
        f.klicke(start.front());

    // One movement after the other, none inside another, each from where the last one ended.
    QVERIFY(stetig(aufnahme.bilder, ruhestellung));
    QCOMPARE(aufnahme.folge, folge);
    QCOMPARE(aufnahme.ausserhalbBewegung, 0);
    QCOMPARE(f.telegraf.altwinkel(), signalVon(folge.back().toLatin1()));
    QVERIFY(!f.telegraf.bewegungLaeuft());
    QVERIFY(!angehalten.contains(false));
    QCOMPARE(f.wiedergabe.position(), position);
    QCOMPARE(f.timer.enabled(), laeuft);
    QCOMPARE(f.knopf.text(), laeuft ? textAbbruch : textStart);
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

    Fenster f;
    QVERIFY(f.oeffnen(QStringLiteral("ab"), imTakt));
    f.knopf.click();

    // Counts the passes of the event pump after closing: a movement that went on turning in
    // the hidden window would keep pumping once per frame.
    QTimer pumpe;
    pumpe.setInterval(0);
    QSignalSpy durchlaeufe(&pumpe, &QTimer::timeout);

    Aufnahme aufnahme(f.telegraf);
    aufnahme.beiBild = [&](qsizetype bild) {
        if (bild == 5 && vorher == QLatin1String("tick"))
            f.tick();
        if (bild == 5 && vorher == QLatin1String("druck"))
            f.klicke('M');
        if (bild == 10) {
            f.w.close();
            pumpe.start();
        }
    };
    f.tick();
    pumpe.stop();

    // The hidden window draws nothing after the frame the close came in.
    QCOMPARE(aufnahme.bilder.size(), 10);
    // With the pace the pump runs on until the frame's deadline, a few milliseconds.
    QVERIFY(imTakt || durchlaeufe.count() <= 2);
    QVERIFY(!f.w.isVisible());
    QVERIFY(!f.telegraf.bewegungLaeuft());
    QVERIFY(!f.timer.enabled());
    // Nothing further was started.
    QCOMPARE(f.gezeigt(), "A");
    QCOMPARE(f.telegraf.altwinkel(), signalVon('A'));
    QCOMPARE(f.wiedergabe.position(), 1);
}

// With its real pace a movement cannot be quicker than its frames: rest to "A" is 356 frames
// one after the other, 4 ms apart, and the final drawing. The window answers in the meantime.
void TstBedienung::bewegungImTakt()
{
    QCOMPARE(bewegungsTakt, std::chrono::milliseconds(4));
    Fenster f;
    QVERIFY(f.oeffnen(QStringLiteral("ab"), true));
    Aufnahme aufnahme(f.telegraf);
    bool knopfWaehrendBewegung = false;
    QTimer::singleShot(200, &f.w, [&] {
        f.knopf.click();
        knopfWaehrendBewegung = f.telegraf.bewegungLaeuft();
    });

    QElapsedTimer uhr;
    uhr.start();
    f.klicke('A');
    const qint64 dauer = uhr.elapsed();
    qInfo("Ruhestellung -> A: %d Zeichnungen in %lld ms", int(aufnahme.bilder.size()), dauer);

    QCOMPARE(aufnahme.bilder.size(), 357);
    QVERIFY2(dauer >= 356 * 4, qPrintable(QString::number(dauer)));
    QVERIFY(knopfWaehrendBewegung);
    QCOMPARE(f.knopf.text(), textAbbruch);
    QCOMPARE(f.telegraf.altwinkel(), (Stellung{180, -90, -90}));
}

void TstBedienung::tasten_data()
{
    // Which control has the focus, the key, whether the playback ran before and after it.
    QTest::addColumn<QString>("fokus");
    QTest::addColumn<int>("taste");
    QTest::addColumn<bool>("vorher");
    QTest::addColumn<bool>("nachher");

    QTest::newRow("Eingabe auf dem Knopf startet") << "B13" << int(Qt::Key_Return) << false << true;
    QTest::newRow("Enter auf dem Knopf hält an") << "B13" << int(Qt::Key_Enter) << true << false;
    QTest::newRow("Leertaste auf dem Knopf") << "B13" << int(Qt::Key_Space) << false << true;
    QTest::newRow("Eingabe im Memo schreibt nur") << "Me8" << int(Qt::Key_Return) << true << true;
    QTest::newRow("Eingabe im Drehfeld") << "Rx11" << int(Qt::Key_Return) << false << false;
    QTest::newRow("Escape im Memo hält an") << "Me8" << int(Qt::Key_Escape) << true << false;
    QTest::newRow("Escape auf dem Knopf hält an") << "B13" << int(Qt::Key_Escape) << true << false;
    QTest::newRow("Escape im Drehfeld hält an") << "Rx11" << int(Qt::Key_Escape) << true << false;
    QTest::newRow("Escape ohne Wiedergabe") << "Me8" << int(Qt::Key_Escape) << false << false;
}

void TstBedienung::tasten()
{
    QFETCH(QString, fokus);
    QFETCH(int, taste);
    QFETCH(bool, vorher);
    QFETCH(bool, nachher);

    Fenster f;
    QVERIFY(f.oeffnen());
    QWidget& ziel = teil<QWidget>(f.w, qPrintable(fokus));
    ziel.setFocus();
    QTRY_VERIFY(ziel.hasFocus());
    if (vorher)
        f.knopf.click();
    const QString memo = f.memo.toPlainText();

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(taste));

    QCOMPARE(f.timer.enabled(), nachher);
    QCOMPARE(f.knopf.text(), nachher ? textAbbruch : textStart);
    QCOMPARE(f.memo.toPlainText().size(),
             memo.size() + (fokus == QLatin1String("Me8") && taste == Qt::Key_Return));
    QCOMPARE(f.drehfeld.value(), 1.5);
}

QTEST_MAIN(TstBedienung)
#include "tst_bedienung.moc"
