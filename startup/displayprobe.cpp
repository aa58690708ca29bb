#include "startup/displayprobe.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

enum class Reach { Unset, NoAnswer, NoPlugin, Ok };

// True when something accepts a connection on the Unix socket at `path`; a leading '\0' names
// a Linux abstract socket. A connection made is added to `probes`.
bool answers(const QByteArray& path, ProbeConnections& probes)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || path.size() >= static_cast<qsizetype>(sizeof(address.sun_path)))
        return false;
    std::memcpy(address.sun_path, path.constData(), path.size());
    // Without blocking: a server that listens but accepts nobody fills its queue, and is there.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    const socklen_t length = offsetof(sockaddr_un, sun_path) + path.size();
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
        probes.emplace_back(fd);
        return true;
    }
    const bool queueFull = errno == EAGAIN;
    ::close(fd);
    return queueFull;
#else
    Q_UNUSED(probes);
    return !path.isEmpty();
#endif
}

bool hasPlugin(const DisplaySystem& system, const QString& prefix)
{
    for (const QString& dir : system.platformPluginDirs) {
        if (!QDir(dir).entryList({prefix + QLatin1Char('*')}, QDir::Files).isEmpty())
            return true;
    }
    return false;
}

// `standard` is the compositor's name libwayland takes when WAYLAND_DISPLAY is not set, which
// Qt tries only when it is told to use Wayland.
Reach waylandReach(const DisplaySystem& system, ProbeConnections& probes,
                   const QByteArray& standard = {})
{
    const QByteArray name = system.waylandDisplay.isEmpty() ? standard : system.waylandDisplay;
    if (name.isEmpty() && system.waylandSocket.isEmpty())
        return Reach::Unset;
    if (system.waylandSocket.isEmpty()) {
        // As libwayland finds the socket: an absolute name as it is, else in the runtime folder.
        QByteArray path = name;
        if (!path.startsWith('/')) {
            if (system.runtimeDir.isEmpty())
                return Reach::NoAnswer;
            path = system.runtimeDir + '/' + path;
        }
        if (!answers(path, probes))
            return Reach::NoAnswer;
    }
    return hasPlugin(system, QStringLiteral("libqwayland")) ? Reach::Ok : Reach::NoPlugin;
}

Reach x11Reach(const DisplaySystem& system, ProbeConnections& probes)
{
    if (system.display.isEmpty())
        return Reach::Unset;
    const qsizetype colon = system.display.lastIndexOf(':');
    if (colon < 0)
        return Reach::NoAnswer;
    // Only a local display (":0", ":0.0", "unix:0") is checked; a remote one is left to Qt.
    const QByteArray host = system.display.left(colon);
    if (host.isEmpty() || host == "unix") {
        const QByteArray number = system.display.mid(colon + 1).split('.').first();
        const QByteArray path = QFile::encodeName(system.x11SocketDir) + "/X" + number;
        if (!answers(path, probes) && !answers('\0' + path, probes))
            return Reach::NoAnswer;
    }
    return hasPlugin(system, QStringLiteral("libqxcb")) ? Reach::Ok : Reach::NoPlugin;
}

QString x11Problem(Reach reach, const QByteArray& display)
{
    const QString name = QString::fromLocal8Bit(display);
    switch (reach) {
    case Reach::NoAnswer:
        return QStringLiteral("unter DISPLAY=%1 antwortet kein X-Server").arg(name);
    case Reach::NoPlugin:
        return QStringLiteral("für DISPLAY=%1 fehlt Qts X11-Modul (Paket libqt6gui6)").arg(name);
    default:
        return QStringLiteral("DISPLAY ist nicht gesetzt");
    }
}

QString waylandProblem(Reach reach, const QByteArray& waylandDisplay)
{
    const QString name = QString::fromLocal8Bit(waylandDisplay);
    switch (reach) {
    case Reach::NoAnswer:
        return QStringLiteral("unter WAYLAND_DISPLAY=%1 antwortet kein Wayland-Compositor")
            .arg(name);
    case Reach::NoPlugin:
        return QStringLiteral("für WAYLAND_DISPLAY=%1 fehlt Qts Wayland-Modul (Paket qt6-wayland)")
            .arg(name);
    default:
        return QStringLiteral("WAYLAND_DISPLAY ist nicht gesetzt");
    }
}

// A platform Qt is told to use, in QT_QPA_PLATFORM or with -platform: X11 and Wayland are
// checked as when none is named, any other is Qt's to try. A list ("wayland;xcb"), which Qt
// tries in turn, fails only when each of its platforms does.
DisplayChoice checkNamedPlatform(const DisplaySystem& system)
{
    DisplayChoice choice;
    QStringList problems;
    for (const QByteArray& entry : system.qpaPlatform.split(';')) {
        const QByteArray name = entry.split(':').first(); // "xcb:option=value"
        if (name.isEmpty())
            continue;
        QString problem;
        if (name == "xcb") {
            const Reach reach = x11Reach(system, choice.probes);
            if (reach == Reach::Ok)
                return choice;
            problem = x11Problem(reach, system.display);
        } else if (name.startsWith("wayland")) {
            const Reach reach = waylandReach(system, choice.probes, "wayland-0");
            if (reach == Reach::Ok)
                return choice;
            // Where WAYLAND_DISPLAY is not set and nobody answers, that is the thing to tell.
            const bool unset = system.waylandDisplay.isEmpty() && system.waylandSocket.isEmpty();
            problem = unset && reach == Reach::NoAnswer
                          ? waylandProblem(Reach::Unset, {})
                          : waylandProblem(reach, unset ? "wayland-0" : system.waylandDisplay);
        } else {
            return choice;
        }
        problems << problem;
    }
    if (problems.isEmpty())
        return choice;
    const QString name = QString::fromLocal8Bit(system.qpaPlatform);
    choice.problem = problems.size() == 1
                         ? QStringLiteral("Die Plattform „%1“ lässt sich nicht starten: %2.")
                         : QStringLiteral("Keine der Plattformen „%1“ lässt sich starten: %2.");
    choice.problem = choice.problem.arg(name, problems.join(QStringLiteral("; ")));
    return choice;
}

} // namespace

ProbeConnection::ProbeConnection(ProbeConnection&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
{}

ProbeConnection& ProbeConnection::operator=(ProbeConnection&& other) noexcept
{
    std::swap(fd_, other.fd_);
    return *this;
}

ProbeConnection::~ProbeConnection()
{
#if defined(Q_OS_UNIX)
    if (fd_ >= 0)
        ::close(fd_);
#endif
}

DisplaySystem DisplaySystem::fromEnvironment()
{
    DisplaySystem system;
    system.qpaPlatform = qgetenv("QT_QPA_PLATFORM");
    system.display = qgetenv("DISPLAY");
    system.waylandDisplay = qgetenv("WAYLAND_DISPLAY");
    system.waylandSocket = qgetenv("WAYLAND_SOCKET");
    system.runtimeDir = qgetenv("XDG_RUNTIME_DIR");
    // Where Qt looks for platform plugins, but for the program's own folder, which is not
    // known before the application object exists.
    const QString platformPluginDir = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (!platformPluginDir.isEmpty())
        system.platformPluginDirs << platformPluginDir;
    QStringList pluginDirs =
        qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    pluginDirs << QLibraryInfo::path(QLibraryInfo::PluginsPath);
    for (const QString& dir : pluginDirs)
        system.platformPluginDirs << dir + QStringLiteral("/platforms");
    return system;
}

DisplayChoice chooseDisplay(const DisplaySystem& system)
{
    if (!system.qpaPlatform.isEmpty())
        return checkNamedPlatform(system);
    DisplayChoice choice;
    const Reach x11 = x11Reach(system, choice.probes);
    const Reach wayland = waylandReach(system, choice.probes);
    if (x11 == Reach::Ok && wayland == Reach::Ok)
        return choice;
    if (wayland == Reach::Ok)
        choice.platform = "wayland";
    else if (x11 == Reach::Ok)
        choice.platform = "xcb";
    else if (x11 == Reach::Unset && wayland == Reach::Unset)
        choice.problem = QStringLiteral("Keine grafische Anzeige gefunden: weder DISPLAY noch "
                                        "WAYLAND_DISPLAY ist gesetzt.");
    else
        choice.problem = QStringLiteral("Keine grafische Anzeige erreichbar: %1; %2.")
                             .arg(x11Problem(x11, system.display),
                                  waylandProblem(wayland, system.waylandDisplay));
    return choice;
}

std::optional<ProbeConnections> prepareDisplay(const char* program, const QByteArray& platform)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    DisplaySystem system = DisplaySystem::fromEnvironment();
    if (!platform.isEmpty())
        system.qpaPlatform = platform;
    DisplayChoice choice = chooseDisplay(system);
    if (!choice.problem.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", program, qPrintable(choice.problem));
        return std::nullopt;
    }
    if (!choice.platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice.platform);
    return std::move(choice.probes);
#else
    Q_UNUSED(program);
    Q_UNUSED(platform);
    return ProbeConnections();
#endif
}
