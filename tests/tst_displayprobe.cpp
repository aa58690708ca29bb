// Which display the program starts on, decided from the environment, real sockets and a
// folder standing in for Qt's platform plugins.
#include "startup/displayprobe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

namespace {

// A Unix socket bound at `path` (a leading '\0' makes it abstract); it answers connections only
// when it listens, like a compositor or an X server that has crashed or not.
int unixSocket(const QByteArray& path, bool listening)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), path.size());
    const socklen_t length = offsetof(sockaddr_un, sun_path) + path.size();
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
        (listening && ::listen(fd, 4) != 0))
        qFatal("cannot set up the socket %s", path.constData() + (path.startsWith('\0') ? 1 : 0));
    return fd;
}

} // namespace

class TestDisplayProbe : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void waehlt_data();
    void waehlt();
    void haeltVerbindungOffen();

private:
    QTemporaryDir dir;
    QList<int> sockets;
};

void TestDisplayProbe::initTestCase()
{
    QVERIFY(dir.isValid());
    const QByteArray root = QFile::encodeName(dir.path());
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("run")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("x11")));
    sockets << unixSocket(root + "/run/wl-live", true);
    sockets << unixSocket(root + "/run/wl-stale", false);
    // Where libwayland looks when WAYLAND_DISPLAY is not set; only a named Wayland platform does.
    sockets << unixSocket(root + "/run/wayland-0", true);
    sockets << unixSocket(root + "/x11/X71", true);
    sockets << unixSocket(root + "/x11/X73", false);
    // Only in the abstract namespace, as some X servers listen.
    sockets << unixSocket('\0' + root + "/x11/X72", true);

    const QStringList plugins[] = {
        {QStringLiteral("both"), QStringLiteral("libqxcb.so"),
         QStringLiteral("libqwayland-generic.so")},
        {QStringLiteral("x11-only"), QStringLiteral("libqxcb.so")},
        {QStringLiteral("wayland-only"), QStringLiteral("libqwayland-egl.so")}};
    for (const QStringList& set : plugins) {
        QVERIFY(QDir(dir.path()).mkpath(set.first()));
        for (const QString& file : set.mid(1)) {
            QFile plugin(dir.filePath(set.first() + QLatin1Char('/') + file));
            QVERIFY(plugin.open(QIODevice::WriteOnly));
        }
    }
}

void TestDisplayProbe::cleanupTestCase()
{
    for (const int fd : std::as_const(sockets))
        ::close(fd);
}

void TestDisplayProbe::waehlt_data()
{
    QTest::addColumn<QByteArray>("qpa");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("waylandSocket");
    QTest::addColumn<bool>("runtimeDir");
    QTest::addColumn<QString>("plugins");
    QTest::addColumn<QByteArray>("platform");
    QTest::addColumn<QString>("problem");

    const QString both = QStringLiteral("both");
    const QString none;
    // The sockets live in a temporary folder; "@" stands for its path.
    QTest::newRow("QT_QPA_PLATFORM wins")
        << QByteArray("offscreen") << QByteArray() << QByteArray("wl-stale") << QByteArray() << true
        << both << QByteArray() << none;
    // A platform named in QT_QPA_PLATFORM or with -platform: X11 and Wayland are checked.
    QTest::newRow("named X, live") << QByteArray("xcb") << QByteArray(":71") << QByteArray()
                                   << QByteArray() << true << both << QByteArray() << none;
    QTest::newRow("named X, not set")
        << QByteArray("xcb") << QByteArray() << QByteArray("wl-live") << QByteArray() << true
        << both << QByteArray()
        << QStringLiteral("Die Plattform „xcb“ lässt sich nicht starten: DISPLAY ist nicht "
                          "gesetzt.");
    QTest::newRow("named X with an option, dead")
        << QByteArray("xcb:nograb") << QByteArray(":73") << QByteArray() << QByteArray() << true
        << both << QByteArray()
        << QStringLiteral("Die Plattform „xcb:nograb“ lässt sich nicht starten: unter "
                          "DISPLAY=:73 antwortet kein X-Server.");
    QTest::newRow("named Wayland, dead")
        << QByteArray("wayland") << QByteArray(":71") << QByteArray("wl-stale") << QByteArray()
        << true << both << QByteArray()
        << QStringLiteral("Die Plattform „wayland“ lässt sich nicht starten: unter "
                          "WAYLAND_DISPLAY=wl-stale antwortet kein Wayland-Compositor.");
    QTest::newRow("named Wayland, not set, wayland-0 live")
        << QByteArray("wayland-egl") << QByteArray() << QByteArray() << QByteArray() << true << both
        << QByteArray() << none;
    QTest::newRow("named Wayland, not set, nobody there")
        << QByteArray("wayland") << QByteArray() << QByteArray() << QByteArray() << false << both
        << QByteArray()
        << QStringLiteral("Die Plattform „wayland“ lässt sich nicht starten: WAYLAND_DISPLAY ist "
                          "nicht gesetzt.");
    QTest::newRow("named Wayland without its plugin")
        << QByteArray("wayland") << QByteArray() << QByteArray() << QByteArray() << true
        << QStringLiteral("x11-only") << QByteArray()
        << QStringLiteral("Die Plattform „wayland“ lässt sich nicht starten: für "
                          "WAYLAND_DISPLAY=wayland-0 fehlt Qts Wayland-Modul (Paket qt6-wayland).");
    QTest::newRow("list, the second live")
        << QByteArray("wayland;xcb") << QByteArray(":71") << QByteArray("wl-stale") << QByteArray()
        << true << both << QByteArray() << none;
    QTest::newRow("list, none live")
        << QByteArray("wayland;xcb") << QByteArray() << QByteArray("wl-stale") << QByteArray()
        << true << both << QByteArray()
        << QStringLiteral("Keine der Plattformen „wayland;xcb“ lässt sich starten: unter "
                          "WAYLAND_DISPLAY=wl-stale antwortet kein Wayland-Compositor; DISPLAY "
                          "ist nicht gesetzt.");
    QTest::newRow("list with another platform left to Qt")
        << QByteArray("xcb;offscreen") << QByteArray() << QByteArray() << QByteArray() << true
        << both << QByteArray() << none;
    QTest::newRow("nothing set") << QByteArray() << QByteArray() << QByteArray() << QByteArray()
                                 << true << both << QByteArray()
                                 << QStringLiteral("Keine grafische Anzeige gefunden: weder "
                                                   "DISPLAY noch WAYLAND_DISPLAY ist gesetzt.");
    QTest::newRow("dead Wayland, no X")
        << QByteArray() << QByteArray() << QByteArray("wl-stale") << QByteArray() << true << both
        << QByteArray()
        << QStringLiteral("Keine grafische Anzeige erreichbar: DISPLAY ist nicht gesetzt; unter "
                          "WAYLAND_DISPLAY=wl-stale antwortet kein Wayland-Compositor.");
    QTest::newRow("missing Wayland socket, no X")
        << QByteArray() << QByteArray() << QByteArray("wl-none") << QByteArray() << true << both
        << QByteArray()
        << QStringLiteral("Keine grafische Anzeige erreichbar: DISPLAY ist nicht gesetzt; unter "
                          "WAYLAND_DISPLAY=wl-none antwortet kein Wayland-Compositor.");
    QTest::newRow("dead X, no Wayland")
        << QByteArray() << QByteArray(":73") << QByteArray() << QByteArray() << true << both
        << QByteArray()
        << QStringLiteral("Keine grafische Anzeige erreichbar: unter DISPLAY=:73 antwortet kein "
                          "X-Server; WAYLAND_DISPLAY ist nicht gesetzt.");
    QTest::newRow("no Wayland plugin, no X")
        << QByteArray() << QByteArray() << QByteArray("wl-live") << QByteArray() << true
        << QStringLiteral("x11-only") << QByteArray()
        << QStringLiteral("Keine grafische Anzeige erreichbar: DISPLAY ist nicht gesetzt; für "
                          "WAYLAND_DISPLAY=wl-live fehlt Qts Wayland-Modul (Paket qt6-wayland).");
    QTest::newRow("no X plugin, no Wayland")
        << QByteArray() << QByteArray(":71") << QByteArray() << QByteArray() << true
        << QStringLiteral("wayland-only") << QByteArray()
        << QStringLiteral("Keine grafische Anzeige erreichbar: für DISPLAY=:71 fehlt Qts "
                          "X11-Modul (Paket libqt6gui6); WAYLAND_DISPLAY ist nicht gesetzt.");
    QTest::newRow("dead Wayland, live X")
        << QByteArray() << QByteArray(":71") << QByteArray("wl-stale") << QByteArray() << true
        << both << QByteArray("xcb") << none;
    QTest::newRow("no Wayland plugin, live X")
        << QByteArray() << QByteArray(":71") << QByteArray("wl-live") << QByteArray() << true
        << QStringLiteral("x11-only") << QByteArray("xcb") << none;
    QTest::newRow("live Wayland, no X")
        << QByteArray() << QByteArray() << QByteArray("wl-live") << QByteArray() << true << both
        << QByteArray("wayland") << none;
    QTest::newRow("live Wayland, dead X")
        << QByteArray() << QByteArray(":73") << QByteArray("wl-live") << QByteArray() << true
        << both << QByteArray("wayland") << none;
    QTest::newRow("both live: Qt chooses")
        << QByteArray() << QByteArray(":71.0") << QByteArray("wl-live") << QByteArray() << true
        << both << QByteArray() << none;
    QTest::newRow("X named unix:N.S") << QByteArray() << QByteArray("unix:71.0") << QByteArray()
                                      << QByteArray() << true << both << QByteArray("xcb") << none;
    QTest::newRow("X on an abstract socket")
        << QByteArray() << QByteArray(":72") << QByteArray() << QByteArray() << true << both
        << QByteArray("xcb") << none;
    QTest::newRow("remote X left to Qt")
        << QByteArray() << QByteArray("elsewhere:0") << QByteArray() << QByteArray() << true << both
        << QByteArray("xcb") << none;
    QTest::newRow("DISPLAY without a colon")
        << QByteArray() << QByteArray("71") << QByteArray() << QByteArray() << true << both
        << QByteArray()
        << QStringLiteral("Keine grafische Anzeige erreichbar: unter DISPLAY=71 antwortet kein "
                          "X-Server; WAYLAND_DISPLAY ist nicht gesetzt.");
    QTest::newRow("Wayland socket by absolute path")
        << QByteArray() << QByteArray() << QByteArray("@/run/wl-live") << QByteArray() << false
        << both << QByteArray("wayland") << none;
    QTest::newRow("Wayland name without XDG_RUNTIME_DIR")
        << QByteArray() << QByteArray() << QByteArray("wl-live") << QByteArray() << false << both
        << QByteArray()
        << QStringLiteral("Keine grafische Anzeige erreichbar: DISPLAY ist nicht gesetzt; unter "
                          "WAYLAND_DISPLAY=wl-live antwortet kein Wayland-Compositor.");
    QTest::newRow("connection handed over in WAYLAND_SOCKET")
        << QByteArray() << QByteArray() << QByteArray() << QByteArray("5") << false << both
        << QByteArray("wayland") << none;
}

void TestDisplayProbe::waehlt()
{
    QFETCH(QByteArray, qpa);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, waylandSocket);
    QFETCH(bool, runtimeDir);
    QFETCH(QString, plugins);
    QFETCH(QByteArray, platform);
    QFETCH(QString, problem);

    const QByteArray root = QFile::encodeName(dir.path());
    DisplaySystem system;
    system.qpaPlatform = qpa;
    system.display = display;
    system.waylandDisplay = wayland.replace('@', root);
    system.waylandSocket = waylandSocket;
    if (runtimeDir)
        system.runtimeDir = root + "/run";
    system.x11SocketDir = dir.filePath(QStringLiteral("x11"));
    system.platformPluginDirs = {dir.filePath(QStringLiteral("empty")), dir.filePath(plugins)};

    const DisplayChoice choice = chooseDisplay(system);
    QCOMPARE(choice.platform, platform);
    QCOMPARE(choice.problem, problem);
}

// An X server with no other client resets when the probe's connection closes, and Qt's connection
// then waits for the reset: the probe's connection stays open as long as the choice.
void TestDisplayProbe::haeltVerbindungOffen()
{
    const int server = unixSocket(QFile::encodeName(dir.filePath(QStringLiteral("x11/X74"))), true);
    DisplaySystem system;
    system.display = ":74";
    system.x11SocketDir = dir.filePath(QStringLiteral("x11"));
    system.platformPluginDirs = {dir.filePath(QStringLiteral("both"))};
    auto choice = std::make_optional(chooseDisplay(system));
    QCOMPARE(choice->platform, QByteArray("xcb"));

    const int probe = ::accept(server, nullptr, nullptr);
    QVERIFY(probe >= 0);
    char byte;
    QCOMPARE(::recv(probe, &byte, 1, MSG_DONTWAIT), ssize_t(-1));
    QCOMPARE(errno, EAGAIN);
    choice.reset();
    QCOMPARE(::recv(probe, &byte, 1, MSG_DONTWAIT), ssize_t(0));
    ::close(probe);
    ::close(server);
}

QTEST_GUILESS_MAIN(TestDisplayProbe)
#include "tst_displayprobe.moc"
