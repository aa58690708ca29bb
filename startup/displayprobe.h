#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Where the window can be shown, decided before Qt starts. On X11 and Wayland systems Qt aborts
// with a core dump when it reaches no display; the program looks first, tells Qt which one to
// use, and otherwise says in one line what is missing.

// What the decision looks at: the environment, the sockets and Qt's platform plugins.
struct DisplaySystem {
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM, or the platform named with -platform
    QByteArray display;        // DISPLAY
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray waylandSocket;  // WAYLAND_SOCKET: a connection the compositor handed over
    QByteArray runtimeDir;     // XDG_RUNTIME_DIR, where Wayland sockets are named
    QString x11SocketDir = QStringLiteral("/tmp/.X11-unix");
    QStringList platformPluginDirs; // where Qt looks for its platform plugins

    static DisplaySystem fromEnvironment();
};

// A connection the probe opened to a display server, closed when the object goes. An X server
// with no other client resets itself when its last connection closes, and a connection that
// arrives meanwhile waits for the reset; so the probe's connections stay open until Qt has its
// own.
class ProbeConnection {
public:
    explicit ProbeConnection(int fd) : fd_(fd) {}
    ProbeConnection(ProbeConnection&& other) noexcept;
    ProbeConnection& operator=(ProbeConnection&& other) noexcept;
    ~ProbeConnection();

private:
    int fd_ = -1;
};

using ProbeConnections = std::vector<ProbeConnection>;

struct DisplayChoice {
    QByteArray platform; // the Qt platform to start; empty leaves the choice to Qt
    QString problem;     // German, set when no display can be reached
    ProbeConnections probes;
};

DisplayChoice chooseDisplay(const DisplaySystem& system);

// Tells Qt the platform chooseDisplay picks, and returns the probe's connections, to be kept
// until the application object exists. `platform` is one named on the command line, which wins
// over QT_QPA_PLATFORM, as it does for Qt. Where no display can be reached, or the one named
// cannot be, prints "<program>: <problem>" on stderr and returns nothing. Does nothing on
// systems without X11 or Wayland, where Qt needs no display variable.
std::optional<ProbeConnections> prepareDisplay(const char* program,
                                               const QByteArray& platform = {});
