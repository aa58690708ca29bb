#pragma once

// The real main window as the window tests use it, and what they share: its parts found by
// their names in the layout, the cell of a character in the grid, and a recording of what the
// scene shows at each drawing.
#include "assets/eingebettet.h"
#include "controls/spinbox.h"
#include "controls/timer.h"
#include "tests/signaltafel.h"
#include "tests/stellung_test.h"
#include "widgets/alphabetfeld.h"
#include "widgets/telegraf.h"
#include "widgets/wiedergabe.h"
#include "window/umix2.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

inline const QString textStart = QStringLiteral("Nachricht anzeigen");
inline const QString textAbbruch = QStringLiteral("Abbruch");
inline const QString raster = QStringLiteral("ABCDEFGHIKLMNOPQRSTUVWXYZ&1234567890");

// The middle of a character's cell in the grid; the space lies below the last row.
inline QPoint zelle(QChar zeichen)
{
    const auto index = raster.indexOf(zeichen);
    return index < 0 ? QPoint(15, 180) : QPoint(index % 6 * 30 + 15, index / 6 * 30 + 15);
}

template <typename Teil> Teil& teil(const QWidget& w, const char* name)
{
    Teil* gefunden = w.findChild<Teil*>(QLatin1String(name));
    Q_ASSERT(gefunden);
    return *gefunden;
}

// Waits until `telegraf` stands, with all that waited for it done. While it turns its clock is
// set, so the wait always wakes.
inline bool still(const Telegraf& telegraf)
{
    QElapsedTimer uhr;
    uhr.start();
    while (telegraf.bewegungLaeuft() && uhr.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return !telegraf.bewegungLaeuft();
}

struct Fenster {
    Tpformx11 w{eingebetteterCode()};
    Telegraf& telegraf = teil<Telegraf>(w, "PB13");
    Alphabetfeld& feld = teil<Alphabetfeld>(w, "PBz");
    QPlainTextEdit& memo = teil<QPlainTextEdit>(w, "Me8");
    QPushButton& knopf = teil<QPushButton>(w, "B13");
    SpinBox& drehfeld = teil<SpinBox>(w, "Rx11");
    Timer& timer = teil<Timer>(w, "Timer1");
    Wiedergabe& wiedergabe = *w.findChild<Wiedergabe*>();

    // Shows the window, active, with `nachricht` in the memo, and checks that it stands at
    // rest. Movements run without their pace unless `imTakt`; ticks come only from the test,
    // as the timer's interval is made an hour.
    bool oeffnen(const QString& nachricht = QStringLiteral("ab"), bool imTakt = false)
    {
        if (!imTakt)
            telegraf.setTakt(std::chrono::milliseconds::zero());
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            return false;
        QApplication::setActiveWindow(&w);
        memo.setPlainText(nachricht);
        timer.setInterval(3600 * 1000);
        return QTest::qWaitFor([&] { return memo.hasFocus(); }) &&
               telegraf.winkel() == ruhestellung && telegraf.altwinkel() == ruhestellung &&
               telegraf.zeichen() == ' ' && wiedergabe.position() == 0 && !timer.enabled() &&
               knopf.text() == textStart;
    }

    bool still() { return ::still(telegraf); }
    // A tick and a press on a character's cell. Made while the telegraph stands, each waits
    // until it stands again; made between two frames, each returns at once, as a user's would.
    void tick()
    {
        nachBewegung([&] { emit timer.tick(); });
    }
    void klicke(QChar zeichen)
    {
        nachBewegung([&] { QTest::mouseClick(&feld, Qt::LeftButton, {}, zelle(zeichen)); });
    }
    void nachBewegung(const std::function<void()>& tun)
    {
        const bool stand = !telegraf.bewegungLaeuft();
        tun();
        if (stand)
            ::still(telegraf);
    }
    QString gezeigt() const { return QString(QLatin1Char(telegraf.zeichen())); }
};

// Records what the scene shows at each of its drawings, and the characters written beside the
// mast one after the other. `beiBild` runs after drawing number n is recorded; acting from
// there is what happens between two frames of a movement.
struct Aufnahme {
    explicit Aufnahme(Telegraf& t) : telegraf(t)
    {
        verbindung = QObject::connect(&t, &Telegraf::gezeichnet, [this] {
            bilder.append(telegraf.winkel());
            if (!folge.endsWith(QLatin1Char(telegraf.zeichen())))
                folge += QLatin1Char(telegraf.zeichen());
            ausserhalbBewegung += !telegraf.bewegungLaeuft();
            if (beiBild)
                beiBild(bilder.size());
        });
    }
    ~Aufnahme() { QObject::disconnect(verbindung); }

    Telegraf& telegraf;
    QList<Stellung> bilder;
    QString folge;
    int ausserhalbBewegung = 0;
    std::function<void(qsizetype)> beiBild;
    QMetaObject::Connection verbindung;
};
