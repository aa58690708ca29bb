// A pupil played by a script in a process of its own for the end-to-end test: joins the
// Leitstelle on 127.0.0.1, passes on what the station before shows whenever it may, prints
// "weitergegeben N" on each answer and "ende EMPFANGEN ZEILE" at the end. Ends by itself when
// the line closes: 0 after the end of the message, 2 when it ended before or took too long.
//   skriptstation PORT WORT NAME
#include "tests/skriptschueler.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

using namespace std::chrono_literals;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() != 4)
        return 1;
    Skriptschueler schueler;
    QObject::connect(&schueler.verbindung, &Stationsverbindung::darf, &app, [&] {
        std::printf("weitergegeben %d\n", schueler.weitergegeben);
        std::fflush(stdout);
    });
    QObject::connect(&schueler.verbindung, &Stationsverbindung::ende, &app,
                     [&](const netz::Ende& e) {
                         std::printf("ende %s %s\n", qPrintable(e.empfangen), qPrintable(e.zeile));
                         std::fflush(stdout);
                     });
    QObject::connect(&schueler.verbindung, &Stationsverbindung::beendet, &app,
                     [&] { app.exit(schueler.ende ? 0 : 2); });
    QTimer::singleShot(60s, &app, [&] { app.exit(2); });
    schueler.verbinden(a[1].toUShort(), a[2], a[3]);
    return app.exec();
}
