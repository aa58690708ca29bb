// A pupil's station window against a real Leitstelle on 127.0.0.1, driven by keys: joining with
// the word, the station before played through the telescope, setting and passing a signal on,
// waiting while the line does not allow it, the end, and the Leitstelle closing.
#include "tests/fenster.h"

#include "netz/leitstellenserver.h"
#include "netz/stationsverbindung.h"
#include "widgets/fernrohr.h"
#include "window/stationsfenster.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

#include <memory>

using namespace std::chrono_literals;

namespace {

const QString lokal = QStringLiteral("127.0.0.1");
// Signals as the code table on the wall states them.
constexpr Stellung signalA{180, -90, -90};
constexpr Stellung signalS{135, -45, -135};

QString zeile(const QWidget& w, const char* name)
{
    return teil<QLabel>(w, name).text();
}

} // namespace

class TstStationsfenster : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void adresse_data();
    void adresse();
    void beitretenZeigtPlatz();
    void fernrohrSpieltImTakt();
    void stellenUndWeitergeben();
    void endeUndSchliessen();
    void ausDemMenue();

private:
    // Joins the window as the second station, behind a station named Mia.
    void beitreten();

    std::unique_ptr<Leitstellenserver> server;
    std::unique_ptr<Stationsverbindung> mia;
    std::unique_ptr<Stationsfenster> w;
};

void TstStationsfenster::init()
{
    server = std::make_unique<Leitstellenserver>();
    QVERIFY(server->oeffnen(0));
    server->setStationen(4);
    mia = std::make_unique<Stationsverbindung>();
    QSignalSpy willkommen(mia.get(), &Stationsverbindung::willkommen);
    mia->verbinden(lokal, server->port(), server->wort(), QStringLiteral("Mia"));
    QVERIFY(willkommen.wait(5000));
    w = std::make_unique<Stationsfenster>(eingebetteterCode());
    w->setTakt(0ms);
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
}

void TstStationsfenster::cleanup()
{
    w.reset();
    mia.reset();
    server.reset();
}

void TstStationsfenster::beitreten()
{
    w->verbinde(lokal, server->port(), QStringLiteral("Leo"));
    QTest::keyClicks(w->focusWidget(), server->wort().toLower());
    QTest::keyClick(w->focusWidget(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(zeile(*w, "kopf"),
                              QStringLiteral("Station 2 von 4 · vor dir: Station 1 (Mia)"), 5000);
    QCOMPARE(server->name(2), QStringLiteral("Leo"));
}

void TstStationsfenster::adresse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host"); // empty: refused
    QTest::addColumn<int>("port");
    QTest::newRow("Name") << "schule-pc"
                          << "schule-pc" << 47300;
    QTest::newRow("mit Port") << " 127.0.0.1:5000 "
                              << "127.0.0.1" << 5000;
    QTest::newRow("IPv6 mit Port") << "[::1]:6000"
                                   << "::1" << 6000;
    QTest::newRow("IPv6 ohne Port") << "::1"
                                    << "::1" << 47300;
    QTest::newRow("leer") << ""
                          << "" << 0;
    QTest::newRow("Port 0") << "schule-pc:0"
                            << "" << 0;
    QTest::newRow("Port zu groß") << "schule-pc:70000"
                                  << "" << 0;
    QTest::newRow("Pfad") << "schule-pc/x"
                          << "" << 0;
    QTest::newRow("Leerzeichen") << "schule pc"
                                 << "" << 0;
}

void TstStationsfenster::adresse()
{
    QFETCH(QString, text);
    QFETCH(QString, host);
    QFETCH(int, port);
    const std::optional<Leitstellenadresse> a = leseAdresse(text);
    QCOMPARE(a.has_value(), !host.isEmpty());
    if (a) {
        QCOMPARE(a->host, host);
        QCOMPARE(a->port, port);
    }
}

void TstStationsfenster::beitretenZeigtPlatz()
{
    // Every control is named for a screen reader.
    for (const QWidget* teil : w->findChildren<QWidget*>())
        if (qobject_cast<const QLineEdit*>(teil) || qobject_cast<const QPushButton*>(teil))
            QVERIFY2(!teil->accessibleName().isEmpty(), qPrintable(teil->objectName()));
    // A wrong word is told in the window, and the form is there for the next try.
    w->verbinde(lokal, server->port(), QStringLiteral("Leo"));
    QTest::keyClicks(w->focusWidget(), QStringLiteral("ABCD") == server->wort() ? "ABCE" : "ABCD");
    QTest::keyClick(w->focusWidget(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(zeile(*w, "meldung"), QStringLiteral("Falsches Beitrittswort"), 5000);
    beitreten();
    QVERIFY(!teil<QWidget>(*w, "formular").isVisible());
}

// The station before turns at the telegraph's pace on this machine: rest to "A" takes about
// 1.4 s, never a jump; movements given at once follow one another to the last.
void TstStationsfenster::fernrohrSpieltImTakt()
{
    beitreten();
    auto& fernrohr = teil<Fernrohr>(*w, "fernrohr");
    QSignalSpy steht(&fernrohr, &Fernrohr::steht);
    fernrohr.setTakt(4ms); // the telegraph's pace
    QElapsedTimer uhr;
    uhr.start();
    server->senden(2, netz::Bewegung{1, ruhestellung, signalA, 0});
    QVERIFY(steht.wait(10000));
    QVERIFY2(uhr.elapsed() >= 1000, qPrintable(QString::number(uhr.elapsed())));
    QCOMPARE(fernrohr.zeichen(), 'A');

    fernrohr.setTakt(0ms);
    server->senden(2, netz::Bewegung{1, signalA, trennstellung, 100});
    server->senden(2, netz::Bewegung{1, trennstellung, signalS, 200});
    server->senden(2, netz::Bewegung{3, ruhestellung, signalA, 300}); // not the one before
    QTRY_COMPARE_WITH_TIMEOUT(steht.count(), 2, 5000);
    QCOMPARE(fernrohr.endstellung(), signalS);
    QCOMPARE(fernrohr.zeichen(), 'S');
}

// 1, 2, 3 choose a beam and the arrows turn it; Return passes the signal on while the line
// allows it, and the confirmed movement turns the own telegraph.
void TstStationsfenster::stellenUndWeitergeben()
{
    beitreten();
    QSignalSpy gestellt(server.get(), &Leitstellenserver::gestellt);
    const QString warte = QStringLiteral("Warte: Station 3 hat noch nicht wiederholt");
    server->senden(2, netz::Darf{netz::Warte::Nachfolger});
    QTRY_COMPARE_WITH_TIMEOUT(zeile(*w, "darf"), warte, 5000);
    auto& weitergeben = teil<QPushButton>(*w, "weitergeben");
    QVERIFY(!weitergeben.isEnabled());
    auto& telegraf = teil<Telegraf>(*w, "telegraf");
    QCOMPARE(w->focusWidget(), &telegraf);
    // From rest (180, 90, 90): the regulator a step clockwise, the first indicator two back,
    // the second one on. The regulator's angle counts counter-clockwise, an indicator's
    // clockwise; the result is the signal of "O".
    for (const int taste : {Qt::Key_1, Qt::Key_Right, Qt::Key_2, Qt::Key_Left, Qt::Key_Left,
                            Qt::Key_3, Qt::Key_Right})
        QTest::keyClick(&telegraf, static_cast<Qt::Key>(taste));
    const Stellung gesetzt{135, 0, 135};
    QCOMPARE(telegraf.endstellung(), gesetzt);
    QTest::keyClick(&telegraf, Qt::Key_Return); // not allowed yet: nothing is sent

    server->senden(2, netz::Darf{});
    QTRY_VERIFY_WITH_TIMEOUT(weitergeben.isEnabled(), 5000);
    QTest::keyClick(&telegraf, Qt::Key_Return);
    QVERIFY(gestellt.wait(5000));
    QCOMPARE(gestellt.size(), 1); // the Return while waiting sent nothing
    QCOMPARE(gestellt.at(0).at(0).toInt(), 2);
    QCOMPARE(gestellt.at(0).at(1).value<Stellung>(), gesetzt);

    // Every frame of the movement is watched: a poll could miss a short movement on a busy
    // machine.
    int bewegteBilder = 0;
    bool freiWaehrendBewegung = false;
    QObject beobachter;
    connect(&telegraf, &Telegraf::gezeichnet, &beobachter, [&] {
        if (!telegraf.bewegungLaeuft())
            return;
        ++bewegteBilder;
        freiWaehrendBewegung |= weitergeben.isEnabled();
    });
    QSignalSpy steht(&telegraf, &Telegraf::steht);
    server->senden(2, netz::Bewegung{2, ruhestellung, signalS, 0});
    QVERIFY(steht.wait(5000));
    QVERIFY(bewegteBilder > 0);
    QVERIFY(!freiWaehrendBewegung);
    QCOMPARE(telegraf.winkel(), signalS);
    QCOMPARE(telegraf.zeichen(), 'S');
    // Passing on again waits for the Leitstelle to allow it, not just for the telegraph.
    QVERIFY(!weitergeben.isEnabled());
    server->senden(2, netz::Darf{});
    QTRY_VERIFY_WITH_TIMEOUT(weitergeben.isEnabled(), 5000);
}

// At the end the pupil sees the message, what arrived and their own row; when the Leitstelle
// closes the window says why and joins the next line.
void TstStationsfenster::endeUndSchliessen()
{
    beitreten();
    server->senden(2,
                   netz::Ende{QStringLiteral("SOS"), QStringLiteral("SOS"), QStringLiteral("SO?")});
    QTRY_COMPARE_WITH_TIMEOUT(zeile(*w, "ende"),
                              QStringLiteral("Nachricht: SOS\nAngekommen: SOS\n"
                                             "Du hast gestellt: SO?"),
                              5000);
    server->schliessen(QStringLiteral("Die Leitstelle hat die Linie beendet"));
    QTRY_COMPARE_WITH_TIMEOUT(zeile(*w, "meldung"),
                              QStringLiteral("Die Leitstelle hat die Linie beendet"), 5000);
    QVERIFY(teil<QWidget>(*w, "formular").isVisible());
    QVERIFY(!teil<QPushButton>(*w, "weitergeben").isEnabled());

    // The next line, with its own word: joins at once, without the old line's token.
    server = std::make_unique<Leitstellenserver>();
    QVERIFY(server->oeffnen(0));
    w->verbinde(lokal, server->port(), QStringLiteral("Leo"));
    QTest::keyClicks(w->focusWidget(), server->wort());
    QTest::keyClick(w->focusWidget(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(zeile(*w, "kopf"),
                              QStringLiteral("Station 1 von 30 · vor dir: die Leitstelle"), 5000);
}

void TstStationsfenster::ausDemMenue()
{
    Tpformx11 haupt(eingebetteterCode());
    haupt.show();
    QVERIFY(QTest::qWaitForWindowActive(&haupt));
    QTest::keyClick(&haupt, Qt::Key_T, Qt::ControlModifier);
    QTRY_VERIFY(haupt.findChild<Stationsfenster*>() &&
                haupt.findChild<Stationsfenster*>()->isVisible());
    QCOMPARE(haupt.findChild<Stationsfenster*>()->focusWidget()->objectName(),
             QStringLiteral("adresse"));
}

QTEST_MAIN(TstStationsfenster)
#include "tst_stationsfenster.moc"
