// A pupil played by a script in a process of its own for the end-to-end test: joins the
// Leitstelle on 127.0.0.1, passes on what the station before shows whenever it may, prints
// "weitergegeben N" on each answer and "ende EMPFANGEN ZEILE" at the end. Ends by itself when
// the line closes: 0 after the end of the message, 2 when it ended before or took too long.
//   skriptstation PORT WORT NAME [GRENZE IN S]
#include "tests/monoton.h"
#include "tests/skriptschueler.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

using namespace std::chrono_literals;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 4)
        return 1;
    const int grenze = a.size() > 4 ? a[4].toInt() : 60; // seconds
    Skriptschueler schueler;
    QObject::connect(&schueler.verbindung, &Stationsverbindung::darf, &app, [&] {
        std::printf("weitergegeben %d\n", schueler.weitergegeben);
        std::fflush(stdout);
    });
    // For measuring: when each movement arrived, on the machine's monotonic clock, and the
    // bytes of the line's messages while the message ran (joining aside), each with its frame
    // header: two bytes from the Leitstelle, six (with the mask) from the station.
    qint64 bytes = 0;
    bool laeuft = false; // from the first movement on
    const auto zaehle = [&](const auto& nachricht) {
        bytes += laeuft ? netz::schreibe(nachricht).size() + 2 : 0;
    };
    QObject::connect(&schueler.verbindung, &Stationsverbindung::darf, &app,
                     [&](const netz::Darf& d) {
                         zaehle(d);
                         if (laeuft && d.ja()) // the script passes on at once
                             bytes += netz::schreibe(netz::Gestellt{schueler.vorne}).size() + 6;
                     });
    schueler.erhalten = [&](const netz::Bewegung& b) {
        laeuft = true;
        zaehle(b);
        std::printf("bewegung %lld %lld\n", static_cast<long long>(b.beginn),
                    static_cast<long long>(jetztMonoton()));
    };
    QObject::connect(&schueler.verbindung, &Stationsverbindung::ende, &app,
                     [&](const netz::Ende& e) {
                         zaehle(e);
                         std::printf("bytes %lld\n", static_cast<long long>(bytes));
                         // The heartbeat each second: each side pings (2 bytes down, 6 with the
                         // mask up) and the other answers.
                         std::printf("pulsbytes %d\n", 2 + 6 + 6 + 2);
                         std::printf("ende %s %s\n", qPrintable(e.empfangen), qPrintable(e.zeile));
                         std::fflush(stdout);
                     });
    QObject::connect(&schueler.verbindung, &Stationsverbindung::beendet, &app,
                     [&] { app.exit(schueler.ende ? 0 : 2); });
    QTimer::singleShot(std::chrono::seconds(grenze), &app, [&] { app.exit(2); });
    schueler.verbinden(a[1].toUShort(), a[2], a[3]);
    return app.exec();
}
