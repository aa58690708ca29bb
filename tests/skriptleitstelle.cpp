// A Leitstelle in a process of its own for the end-to-end test: opens a free port on every
// address, prints "port N" and "wort W", sends the message once as many pupils as asked for
// have joined, and prints what arrived and who set each character, one line per character
// ("wer 0 - Anna Ben -", "-" for the simulated operator). Ends by itself: 0 when the message
// arrived, 2 when the pupils did not come or the line did not end in time.
//   skriptleitstelle STATIONEN SCHUELER NACHRICHT TEMPO [GRENZE IN S]
#include "assets/eingebettet.h"
#include "leitstelle/leitstelle.h"
#include "tests/monoton.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

using namespace std::chrono_literals;

namespace {

void zeile(const QString& text)
{
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

void ergebnis(const Leitstelle& leitstelle)
{
    zeile(QStringLiteral("dauer %1").arg(leitstelle.plan().dauer.count()));
    zeile(QStringLiteral("empfangen %1").arg(QString::fromStdString(leitstelle.plan().empfangen)));
    for (int z = 0; z < static_cast<int>(leitstelle.nachricht().size()); ++z) {
        QStringList wer;
        for (int s = 0; s < leitstelle.stationen(); ++s) {
            const QString name = leitstelle.wer(z, s);
            wer.append(name.isEmpty() ? QStringLiteral("-") : name);
        }
        zeile(QStringLiteral("wer %1 %2").arg(z).arg(wer.join(' ')));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 5)
        return 1;
    const int grenze = a.size() > 5 ? a[5].toInt() : 60; // seconds
    const int schueler = a[2].toInt();
    Linienwahl wahl;
    wahl.nachricht = a[3].toStdString();
    wahl.ablesezeit = 500ms;
    Leitstelle leitstelle(eingebetteterCode());
    leitstelle.setTempo(a[4].toInt());
    leitstelle.setStationen(a[1].toInt());
    if (!leitstelle.oeffnen(0))
        return 1;
    zeile(QStringLiteral("port %1").arg(leitstelle.server().port()));
    zeile(QStringLiteral("wort %1").arg(leitstelle.server().wort()));
    int beigetreten = 0;
    QObject::connect(&leitstelle, &Leitstelle::plaetzeGeaendert, &app, [&] {
        for (int platz = 2; platz <= leitstelle.stationen(); ++platz)
            beigetreten += leitstelle.server().verbunden(platz) ? 1 : 0;
        if (beigetreten >= schueler && !leitstelle.laeuft() && leitstelle.plan().dauer == 0ms) {
            leitstelle.senden(wahl);
            // For measuring: when the line's time began, on the machine's monotonic clock.
            zeile(QStringLiteral("start %1").arg(jetztMonoton()));
        }
        beigetreten = 0;
    });
    QObject::connect(&leitstelle, &Leitstelle::fertig, &app, [&] {
        ergebnis(leitstelle);
        // The stations get their last messages before the line closes.
        QTimer::singleShot(500ms, &app, [&] {
            leitstelle.schliessen();
            QTimer::singleShot(500ms, &app, [&] { app.exit(0); });
        });
    });
    QTimer::singleShot(std::chrono::seconds(grenze), &app, [&] { app.exit(2); });
    return app.exec();
}
