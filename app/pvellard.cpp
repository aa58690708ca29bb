#include "app/befehlszeile.h"
#include "assets/eingebettet.h"
#include "files/fortschrittsdatei.h"
#include "startup/displayprobe.h"
#include "startup/fontwarmup.h"
#include "startup/startmessages.h"
#include "startup/translations.h"
#include "startup/x11upload.h"
#include "widgets/telegraf.h"
#include "window/leitstellenfenster.h"
#include "window/linienfenster.h"
#include "window/stationsfenster.h"
#include "window/uebungsfenster.h"
#include "window/umix2.h"

#include <QApplication>
#include <QDateTime>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// Runs `tun` once the window's telegraph has drawn its first scene; a window without one, the
// line's, has drawn once the event loop has handled what showing it asked for.
void nachDemErstenBild(const QWidget& window, const std::function<void()>& tun)
{
    if (const Telegraf* telegraf = window.findChild<Telegraf*>())
        QObject::connect(telegraf, &Telegraf::gezeichnet, qApp, tun, Qt::SingleShotConnection);
    else
        QTimer::singleShot(0, qApp, tun);
}

// With VELLARD_STARTZEIT=1 the program writes the wall-clock time at which the scene was painted
// for the first time, and the window's size in the screen's pixels, and ends right after;
// scripts/startup.sh runs it like this and subtracts the moment it started the process.
void reportFirstFrame(const QWidget& window)
{
    nachDemErstenBild(window, [&window] {
        const QSize bildpunkte = window.size() * window.devicePixelRatio();
        std::fprintf(stderr, "erster Frame um %lld ms, Fenster %d x %d Bildpunkte\n",
                     static_cast<long long>(QDateTime::currentMSecsSinceEpoch()),
                     bildpunkte.width(), bildpunkte.height());
        // Let the frame reach the screen before the event loop ends.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    });
}

// The scale factors the desktop gave in the environment, before they were rounded.
struct Faktoren {
    std::optional<QByteArray> alle;        // QT_SCALE_FACTOR
    std::optional<QByteArray> bildschirme; // QT_SCREEN_SCALE_FACTORS: "1.5;" or "DP-1=1.5;…"
};

// Qt rounds only the factor it works out from the screen; one the desktop gives in the
// environment, as KDE does, it takes as it is, and at 1.5 a one-pixel line comes out one or two
// pixels wide. Each is rounded here as Qt rounds its own: to the nearest whole number, or down
// when the program starts again smaller. Returns the factors as they were given.
Faktoren rundeFaktoren()
{
    const bool abrunden = qgetenv("QT_SCALE_FACTOR_ROUNDING_POLICY") == "Floor";
    const auto ganz = [abrunden](const QByteArray& wert) {
        bool zahl = false;
        const double faktor = wert.toDouble(&zahl);
        if (!zahl || faktor <= 0)
            return wert;
        return QByteArray::number(
            std::max(1.0, abrunden ? std::floor(faktor) : std::round(faktor)));
    };
    Faktoren gegeben;
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        gegeben.alle = qgetenv("QT_SCALE_FACTOR");
        qputenv("QT_SCALE_FACTOR", ganz(*gegeben.alle));
    }
    if (qEnvironmentVariableIsSet("QT_SCREEN_SCALE_FACTORS")) {
        gegeben.bildschirme = qgetenv("QT_SCREEN_SCALE_FACTORS");
        QList<QByteArray> eintraege = gegeben.bildschirme->split(';');
        for (QByteArray& eintrag : eintraege) {
            const qsizetype name = eintrag.indexOf('=') + 1;
            eintrag = eintrag.left(name) + ganz(eintrag.mid(name));
        }
        qputenv("QT_SCREEN_SCALE_FACTORS", eintraege.join(';'));
    }
    return gegeben;
}

// On X11 Qt rounds the desktop's scale factor to a whole number, 150 % up to 2. Where a window
// of `groesse` would then not fit on the screen, as the main window on a 1920 x 1080 screen at
// 150 %, the program starts once more with the factor rounded down, so that its windows are
// shown whole, enlarged or not. Before any window is made: the trainer's reads and may set aside
// the learner's progress, and its message would be lost. Returns only when the program does not
// start again.
void kleinerFallsZuGross(const std::vector<char*>& argumente, const QSize& groesse,
                         const Faktoren& gegeben)
{
    constexpr const char* rundung = "QT_SCALE_FACTOR_ROUNDING_POLICY";
    const QScreen* bildschirm = QGuiApplication::primaryScreen();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !bildschirm ||
        bildschirm->devicePixelRatio() <= 1 || qEnvironmentVariableIsSet(rundung))
        return;
    constexpr int titelleiste = 40; // room for the window's frame and title
    const QSize platz = bildschirm->availableGeometry().size();
    if (groesse.width() <= platz.width() && groesse.height() + titelleiste <= platz.height())
        return;
    qputenv(rundung, "Floor");
    // The second start rounds the factors as given, down.
    if (gegeben.alle)
        qputenv("QT_SCALE_FACTOR", *gegeben.alle);
    if (gegeben.bildschirme)
        qputenv("QT_SCREEN_SCALE_FACTORS", *gegeben.bildschirme);
    execv("/proc/self/exe", argumente.data());
}

// Qt's Wayland client (6.4) races with its own threads when it is torn down: destroying the
// window can free a frame callback that Qt's frame thread frees at the same moment (libwayland
// then aborts), and destroying the application object can leave Qt's event thread waiting for a
// read that nobody completes, so the program hangs invisibly. Once the event loop has ended the
// window program has nothing left to write or save, and the compositor frees whatever a client
// leaves behind when its connection closes (the trainer has written the learner's progress
// after every answer already); so on Wayland the process ends here, without tearing the window
// and the connection down.
[[noreturn]] void endWithoutTeardown(int status)
{
#if defined(__SANITIZE_ADDRESS__)
    // Ending this way skips LeakSanitizer's check at exit, so it runs here; what is still in use
    // is reachable and not reported.
    __lsan_do_leak_check();
#endif
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

// The largest window the run can show: the main window opens the trainer, the line and a
// station too, which must fit as well.
QSize groessterFenster(const Aufruf& aufruf)
{
    if (aufruf.linie)
        return Linienfenster::groesse;
    if (aufruf.uebung)
        return Uebungsfenster::groesse;
    if (aufruf.station)
        return Stationsfenster::groesse;
    return Tpformx11::groesse.expandedTo(Uebungsfenster::groesse)
        .expandedTo(Linienfenster::groesse)
        .expandedTo(Stationsfenster::groesse);
}

// The window the command line asks for.
std::unique_ptr<QWidget> macheFenster(const Aufruf& aufruf, const Signalcode& code)
{
    if (aufruf.linie) {
        auto linie = std::make_unique<Linienfenster>(code);
        linie->setStationen(std::min(*aufruf.linie, meisteStationen));
        // A Leitstelle that cannot listen says why in its window, which stays open.
        if (aufruf.netz) {
            linie->imNetzOeffnen(aufruf.port.value_or(netz::standardPort));
            linie->leitstellenfenster()->setStationen(*aufruf.linie);
        }
        return linie;
    }
    if (aufruf.uebung) {
        auto uebung = std::make_unique<Uebungsfenster>(code, fortschrittsOrdner());
        uebung->waehle(*aufruf.uebung, aufruf.startwert);
        return uebung;
    }
    if (aufruf.station) {
        auto station = std::make_unique<Stationsfenster>(code);
        const std::optional<Leitstellenadresse> adresse = leseAdresse(*aufruf.station);
        station->verbinde(adresse->host, adresse->port, aufruf.name);
        return station;
    }
    return std::make_unique<Tpformx11>(code);
}

// Makes sure a display can be reached before Qt starts, taking -display and -platform as Qt
// does; nothing when none can, which has then been told.
std::optional<ProbeConnections> pruefeAnzeige(const Aufruf& aufruf, QByteArray& plattform)
{
    // A display named with -display stands for DISPLAY, as it does for Qt; a platform named with
    // -platform wins over QT_QPA_PLATFORM.
    if (!aufruf.x11Anzeige.isEmpty())
        qputenv("DISPLAY", aufruf.x11Anzeige.toLocal8Bit());
    plattform = aufruf.qtPlattform.toLocal8Bit();
    return prepareDisplay("pvellard", plattform);
}

// Shows `fenster` and runs the event loop; what the first frame does not need comes after it:
// Qt's German texts for its menus and dialogs, and the window's icon in all its sizes.
int zeige(QApplication& application, QWidget& fenster)
{
    if (qEnvironmentVariableIntValue("VELLARD_STARTZEIT") == 1)
        reportFirstFrame(fenster);
    fenster.show();
    nachDemErstenBild(fenster, [&application] {
        installGermanToolkitTexts(application);
        QApplication::setWindowIcon(programmsymbol());
    });
    const int status = application.exec();
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        endWithoutTeardown(status);
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    const Aufruf aufruf = befehlszeileLesen(argc, argv);
    if (aufruf.ende)
        return *aufruf.ende;
    const Signalcode& code = eingebetteterCode();
    if (aufruf.tafel)
        return tafelSchreiben(argv[0], *aufruf.tafel, code);

    QByteArray plattform;
    std::optional<ProbeConnections> probe = pruefeAnzeige(aufruf, plattform);
    if (!probe)
        return 1;
    // The desktop's scale factor, rounded to a whole number: the scene and the grid are drawn at
    // scale 1 and shown enlarged pixel for pixel, which only a whole factor keeps sharp.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    const Faktoren gegeben = rundeFaktoren();
    sendFramesThroughConnection();

    const FontWarmup schriften;
    const std::vector<char*> aufrufArgumente(argv, argv + argc + 1); // before Qt takes its own
    auto startMeldungen = std::make_optional<StartMessages>(
        "pvellard", plattform.isEmpty() ? qgetenv("QT_QPA_PLATFORM") : plattform);
    QApplication application(argc, argv);
    startMeldungen.reset();
    probe.reset(); // Qt has its own connection now
    // Lets the desktop match the window to its launcher entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.vellard.Telegraf"));
    // Where the trainer keeps the learner's progress: ~/.local/share/vellard-telegraf.
    QCoreApplication::setApplicationName(QStringLiteral("vellard-telegraf"));
    kleinerFallsZuGross(aufrufArgumente, groessterFenster(aufruf), gegeben);
    const std::unique_ptr<QWidget> fenster = macheFenster(aufruf, code);
    return zeige(application, *fenster);
}
