#include "displayprobe.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

enum class Reach { Unset, NoAnswer, NoPlugin, Ok };

// True when something accepts a connection on the Unix socket at `path`; a leading '\0' names
// a Linux abstract socket.
bool answers(const QByteArray& path)
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
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 || errno == EAGAIN;
    ::close(fd);
    return connected;
#else
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

Reach waylandReach(const DisplaySystem& system)
{
    if (system.waylandDisplay.isEmpty() && system.waylandSocket.isEmpty())
        return Reach::Unset;
    if (system.waylandSocket.isEmpty()) {
        // As libwayland finds the socket: an absolute name as it is, else in the runtime folder.
        QByteArray path = system.waylandDisplay;
        if (!path.startsWith('/')) {
            if (system.runtimeDir.isEmpty())
                return Reach::NoAnswer;
            path = system.runtimeDir + '/' + path;
        }
        if (!answers(path))
            return Reach::NoAnswer;
    }
    return hasPlugin(system, QStringLiteral("libqwayland")) ? Reach::Ok : Reach::NoPlugin;
}

Reach x11Reach(const DisplaySystem& system)
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
        if (!answers(path) && !answers('\0' + path))
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
        return QStringLiteral("für DISPLAY=%1 fehlt Qts X11-Modul (Paket qt6-qpa-plugins)")
            .arg(name);
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

} // namespace

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
        return {};
    const Reach x11 = x11Reach(system);
    const Reach wayland = waylandReach(system);
    if (x11 == Reach::Ok && wayland == Reach::Ok)
        return {};
    if (wayland == Reach::Ok)
        return {"wayland", {}};
    if (x11 == Reach::Ok)
        return {"xcb", {}};
    if (x11 == Reach::Unset && wayland == Reach::Unset)
        return {{},
                QStringLiteral("Keine grafische Anzeige gefunden: weder DISPLAY noch "
                               "WAYLAND_DISPLAY ist gesetzt.")};
    return {
        {},
        QStringLiteral("Keine grafische Anzeige erreichbar: %1; %2.")
            .arg(x11Problem(x11, system.display), waylandProblem(wayland, system.waylandDisplay))};
}

bool prepareDisplay(const char* program)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    const DisplayChoice choice = chooseDisplay(DisplaySystem::fromEnvironment());
    if (!choice.problem.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", program, qPrintable(choice.problem));
        return false;
    }
    if (!choice.platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice.platform);
#else
    Q_UNUSED(program);
#endif
    return true;
}
