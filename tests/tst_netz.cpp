// A real Leitstelle on 127.0.0.1 with stations that keep the rules and clients that break them:
// whoever breaks a rule is closed with its reason, and a station that keeps them still joins,
// passes signals on and takes its place again after a drop.
#include "netz/leitstellenserver.h"
#include "netz/stationsverbindung.h"
#include "signal/stellung.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>

#include <memory>

using namespace netz;
using namespace std::chrono_literals;

namespace {

const QString lokal = QStringLiteral("127.0.0.1");

// A client that sends whatever a test gives it and keeps what the Leitstelle says.
class Rohclient {
public:
    explicit Rohclient(quint16 port)
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived,
                         [this](const QString& text) { erhalten.append(text); });
        QObject::connect(&socket, &QWebSocket::connected, [this] {
            for (const QByteArray& text : std::exchange(wartend, {}))
                senden(text);
        });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(port)));
    }
    bool offen()
    {
        return QTest::qWaitFor([this] { return socket.state() == QAbstractSocket::ConnectedState; },
                               5000);
    }
    bool geschlossen()
    {
        return QTest::qWaitFor(
            [this] { return socket.state() == QAbstractSocket::UnconnectedState; }, 5000);
    }
    // Before the connection stands, the text waits for it.
    void senden(const QByteArray& text)
    {
        if (socket.state() == QAbstractSocket::ConnectedState)
            socket.sendTextMessage(QString::fromUtf8(text));
        else
            wartend.append(text);
    }
    void senden(const Nachricht& n) { senden(schreibe(n)); }
    // The reason of the goodbye, else of the close frame.
    QString grund() const
    {
        for (const QString& text : erhalten)
            if (const Gelesen g = lies(text.toUtf8()); g.nachricht)
                if (const auto* a = std::get_if<Abschied>(&*g.nachricht))
                    return a->grund;
        return socket.closeReason();
    }

    QWebSocket socket;
    QStringList erhalten;
    QList<QByteArray> wartend;
};

} // namespace

class TstNetz : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void regelbruch_data();
    void regelbruch();
    void ohneBeitritt();
    void fuenfFalscheWoerterSperren();
    void wiederBeitretenMitToken();
    void stilleStationGeht();
    void leitstelleSchliesst();
    void endeVorDemAbschied();
    void stummeLeitstelle();

private:
    // Joins a station that keeps the rules and checks that a signal it sets arrives.
    void normaleStation();

    std::unique_ptr<Leitstellenserver> server;
};

void TstNetz::init()
{
    server = std::make_unique<Leitstellenserver>();
    server->setBeitrittsfrist(400ms);
    server->setSperrdauer(800ms);
    QVERIFY(server->oeffnen(0));
    QVERIFY(server->port() != 0);
    QVERIFY(gueltigesWort(server->wort()));
}

void TstNetz::cleanup()
{
    server.reset();
}

void TstNetz::normaleStation()
{
    Stationsverbindung station;
    QSignalSpy willkommen(&station, &Stationsverbindung::willkommen);
    QSignalSpy gestellt(server.get(), &Leitstellenserver::gestellt);
    station.verbinden(lokal, server->port(), server->wort().toLower(), QStringLiteral("Mia"));
    QVERIFY(willkommen.wait(5000));
    const auto w = willkommen.last().at(0).value<Willkommen>();
    QVERIFY(gueltigerToken(w.token));
    QCOMPARE(server->name(w.station), QStringLiteral("Mia"));
    station.stellen({135, -45, -135});
    QVERIFY(gestellt.wait(5000));
    QCOMPARE(gestellt.last().at(0).toInt(), w.station);
    QCOMPARE(gestellt.last().at(1).value<Stellung>(), (Stellung{135, -45, -135}));
    station.trennen();
}

// Each row breaks one rule; `beitreten` joins with the right word first.
void TstNetz::regelbruch_data()
{
    QTest::addColumn<bool>("beitreten");
    QTest::addColumn<QList<QByteArray>>("texte");
    QTest::addColumn<QString>("grund");
    QTest::addColumn<int>("code"); // 1008: a rule broken; 1009: too large for the socket
    const QByteArray puls = schreibe(Puls{});
    QTest::newRow("falsches Wort")
        << false << QList<QByteArray>{schreibe(Beitreten{"ABCD", "Leo", {}})}
        << "Falsches Beitrittswort" << 1008;
    QTest::newRow("Unsinn") << false << QList<QByteArray>{"\x01\x02 kein JSON"}
                            << "kein JSON-Objekt" << 1008;
    QTest::newRow("andere Version")
        << false << QList<QByteArray>{R"({"v":1,"typ":"beitreten"})"} << "Protokollversion" << 1008;
    QTest::newRow("gestellt vor dem Beitritt")
        << false << QList<QByteArray>{schreibe(Gestellt{{180, 90, 90}})} << "Zuerst" << 1008;
    QTest::newRow("Nachricht der Leitstelle")
        << true << QList<QByteArray>{schreibe(Abschied{"weg"})} << "nur die Leitstelle" << 1008;
    QTest::newRow("Winkel 30")
        << true << QList<QByteArray>{R"({"v":2,"typ":"gestellt","stellung":[180,30,90]})"}
        << "Stellung" << 1008;
    QTest::newRow("zweimal beitreten")
        << true << QList<QByteArray>{} << "Schon beigetreten" << 1008;
    QTest::newRow("Flut") << true << QList<QByteArray>(25, puls) << "Mehr als 20 Nachrichten"
                          << 1008;
    QTest::newRow("5 KB") << true << QList<QByteArray>{QByteArray(5 * 1024, ' ')} << "" << 1009;
}

void TstNetz::regelbruch()
{
    QFETCH(bool, beitreten);
    QFETCH(QList<QByteArray>, texte);
    QFETCH(QString, grund);
    QFETCH(int, code);
    QSignalSpy beigetreten(server.get(), &Leitstellenserver::beigetreten);
    QSignalSpy gegangen(server.get(), &Leitstellenserver::gegangen);
    Rohclient client(server->port());
    QVERIFY(client.offen());
    if (beitreten) {
        client.senden(Beitreten{server->wort(), QStringLiteral("Leo"), {}});
        QVERIFY(beigetreten.wait(5000));
    }
    if (QTest::currentDataTag() == QByteArray("zweimal beitreten"))
        client.senden(Beitreten{server->wort(), QStringLiteral("Leo"), {}});
    for (const QByteArray& text : texte)
        client.senden(text);
    QVERIFY(client.geschlossen());
    QVERIFY2(client.grund().contains(grund), qPrintable(client.grund()));
    QCOMPARE(int(client.socket.closeCode()), code);
    QCOMPARE(gegangen.size(), beitreten ? 1 : 0);
    normaleStation();
}

// A TCP connection that never speaks WebSocket, and a WebSocket that never joins, are closed
// after the join deadline.
void TstNetz::ohneBeitritt()
{
    QTcpSocket tcp;
    tcp.connectToHost(lokal, server->port());
    QVERIFY(tcp.waitForConnected(5000));
    Rohclient client(server->port());
    QVERIFY(client.offen());
    QTRY_COMPARE_WITH_TIMEOUT(tcp.state(), QAbstractSocket::UnconnectedState, 5000);
    QVERIFY(client.geschlossen());
    QVERIFY(client.grund().contains(QStringLiteral("Kein Beitrittswort")));
    normaleStation();
}

// Five wrong words from one address close the next connection from it at once, even with the
// right word, until the block has run out.
void TstNetz::fuenfFalscheWoerterSperren()
{
    for (int i = 0; i < 5; ++i) {
        Rohclient falsch(server->port());
        QVERIFY(falsch.offen());
        falsch.senden(Beitreten{server->wort() == "ABCD" ? "ABCE" : "ABCD", "Leo", {}});
        QVERIFY(falsch.geschlossen());
    }
    Rohclient gesperrt(server->port());
    gesperrt.senden(Beitreten{server->wort(), QStringLiteral("Leo"), {}});
    QVERIFY(gesperrt.geschlossen());
    QVERIFY2(gesperrt.grund().contains(QStringLiteral("Zu viele falsche")),
             qPrintable(gesperrt.grund()));
    QTest::qWait(900);
    normaleStation();
}

// After a drop, the token takes the same place again, even once another pupil has joined;
// a token of no place here joins as new.
void TstNetz::wiederBeitretenMitToken()
{
    Stationsverbindung mia;
    QSignalSpy miaWillkommen(&mia, &Stationsverbindung::willkommen);
    QSignalSpy gegangen(server.get(), &Leitstellenserver::gegangen);
    mia.verbinden(lokal, server->port(), server->wort(), QStringLiteral("Mia"));
    QVERIFY(miaWillkommen.wait(5000));
    const QString token = mia.token();
    QCOMPARE(miaWillkommen.last().at(0).value<Willkommen>().station, 1);
    mia.trennen();
    QVERIFY(gegangen.wait(5000));
    QCOMPARE(gegangen.last().at(0).toInt(), 1);

    Stationsverbindung leo;
    QSignalSpy leoWillkommen(&leo, &Stationsverbindung::willkommen);
    leo.verbinden(lokal, server->port(), server->wort(), QStringLiteral("Leo"));
    QVERIFY(leoWillkommen.wait(5000));
    QCOMPARE(leoWillkommen.last().at(0).value<Willkommen>().station, 2);

    // A token of no place here joins as new, and takes nobody's place.
    Stationsverbindung eve;
    QSignalSpy eveWillkommen(&eve, &Stationsverbindung::willkommen);
    QString anderer = token;
    anderer[31] = anderer[31] == u'0' ? u'1' : u'0';
    eve.setToken(anderer);
    eve.verbinden(lokal, server->port(), server->wort(), QStringLiteral("Eve"));
    QVERIFY(eveWillkommen.wait(5000));
    QCOMPARE(eveWillkommen.last().at(0).value<Willkommen>().station, 3);

    Stationsverbindung wieder;
    QSignalSpy wiederWillkommen(&wieder, &Stationsverbindung::willkommen);
    wieder.setToken(token);
    wieder.verbinden(lokal, server->port(), server->wort(), QStringLiteral("Mia"));
    QVERIFY(wiederWillkommen.wait(5000));
    QCOMPARE(wiederWillkommen.last().at(0).value<Willkommen>().station, 1);
    QTRY_COMPARE_WITH_TIMEOUT(leoWillkommen.last().at(0).value<Willkommen>().vorName,
                              QStringLiteral("Mia"), 5000);
}

// A station whose machine vanished leaves its connection standing but answers nothing, not
// even a ping: it counts as gone after the heartbeat's deadline. One whose WebSocket answers
// the pings stays, though it sends nothing else.
void TstNetz::stilleStationGeht()
{
    server->setPulsfrist(300ms);
    QSignalSpy gegangen(server.get(), &Leitstellenserver::gegangen);
    Rohclient wach(server->port());
    QVERIFY(wach.offen());
    wach.senden(Beitreten{server->wort(), QStringLiteral("Mia"), {}});
    QTRY_VERIFY_WITH_TIMEOUT(server->verbunden(1), 5000);

    // The opening handshake and, once answered, one frame with an all-zero mask, by hand; then
    // it answers nothing.
    QTcpSocket stumm;
    stumm.connectToHost(QHostAddress::LocalHost, server->port());
    QVERIFY(stumm.waitForConnected(5000));
    stumm.write("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\n"
                "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                "Sec-WebSocket-Version: 13\r\n\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(stumm.peek(12) == "HTTP/1.1 101", 5000);
    const QByteArray beitritt = schreibe(Beitreten{server->wort(), QStringLiteral("Leo"), {}});
    stumm.write(QByteArray("\x81") + char(0x80 | beitritt.size()) + QByteArray(4, '\0') + beitritt);
    QTRY_VERIFY_WITH_TIMEOUT(server->verbunden(2), 5000);
    QVERIFY(gegangen.wait(5000));
    QCOMPARE(gegangen.last().at(0).toInt(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(stumm.state(), QAbstractSocket::UnconnectedState, 5000);
    QVERIFY(server->verbunden(1));
    QCOMPARE(gegangen.size(), 1);
}

// What the Leitstelle sends reaches the station, and its goodbye ends the station's line with
// its reason.
void TstNetz::leitstelleSchliesst()
{
    Stationsverbindung station;
    QSignalSpy willkommen(&station, &Stationsverbindung::willkommen);
    QSignalSpy darf(&station, &Stationsverbindung::darf);
    QSignalSpy beendet(&station, &Stationsverbindung::beendet);
    station.verbinden(lokal, server->port(), server->wort(), QStringLiteral("Mia"));
    QVERIFY(willkommen.wait(5000));
    const Darf warte{Warte::Nachfolger};
    server->senden(Leitstellenserver::alle, warte);
    QVERIFY(darf.wait(5000));
    QVERIFY(darf.last().at(0).value<Darf>() == warte);
    server->schliessen(QStringLiteral("Die Stunde ist vorbei"));
    QVERIFY(beendet.wait(5000));
    QCOMPARE(beendet.last().at(0).toString(), QStringLiteral("Die Stunde ist vorbei"));
}

// The end of a message sent just before the Leitstelle closes, which then goes away at once as
// the program does, still reaches the station behind all that was sent before it, and after it
// the reason.
void TstNetz::endeVorDemAbschied()
{
    Stationsverbindung station;
    QSignalSpy willkommen(&station, &Stationsverbindung::willkommen);
    QStringList erhalten;
    connect(&station, &Stationsverbindung::ende, this,
            [&erhalten](const Ende& e) { erhalten << QStringLiteral("Ende ") + e.empfangen; });
    connect(&station, &Stationsverbindung::beendet, this,
            [&erhalten](const QString& grund) { erhalten << grund; });
    station.verbinden(lokal, server->port(), server->wort(), QStringLiteral("Mia"));
    QVERIFY(willkommen.wait(5000));
    // Megabytes still on their way, as on a slow network, that the program must not drop; on a
    // busy machine they take longer than the usual two seconds to pass.
    server->setAbbaufrist(30s);
    const Bewegung bewegung{30, ruhestellung, trennstellung, 86400000};
    for (int i = 0; i < 70000; ++i)
        server->senden(Leitstellenserver::alle, bewegung);
    server->senden(Leitstellenserver::alle, Ende{"SOS", "SOS", "SOS"});
    server->schliessen(QStringLiteral("Die Stunde ist vorbei"));
    server.reset();
    QTRY_COMPARE_WITH_TIMEOUT(erhalten.size(), 2, 30000);
    QCOMPARE(erhalten, (QStringList{"Ende SOS", "Die Stunde ist vorbei"}));
}

// A Leitstelle that takes the connection but never answers does not leave the station waiting.
void TstNetz::stummeLeitstelle()
{
    QTcpServer stumm;
    QVERIFY(stumm.listen(QHostAddress::LocalHost));
    Stationsverbindung station;
    station.setStillefrist(500ms);
    QSignalSpy beendet(&station, &Stationsverbindung::beendet);
    station.verbinden(lokal, stumm.serverPort(), QStringLiteral("ABCD"), QStringLiteral("Mia"));
    QVERIFY(beendet.wait(5000));
    QVERIFY(beendet.last().at(0).toString().contains(QStringLiteral("Leitstelle")));
}

QTEST_GUILESS_MAIN(TstNetz)
#include "tst_netz.moc"
