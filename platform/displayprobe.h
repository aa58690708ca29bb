#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Where the window can be shown, decided before Qt starts. On X11 and Wayland systems Qt aborts
// with a core dump when it reaches no display; the program looks first, tells Qt which one to
// use, and otherwise says in one line what is missing.

// What the decision looks at: the environment, the sockets and Qt's platform plugins.
struct DisplaySystem {
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM: when set, Qt is left to it
    QByteArray display;        // DISPLAY
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray waylandSocket;  // WAYLAND_SOCKET: a connection the compositor handed over
    QByteArray runtimeDir;     // XDG_RUNTIME_DIR, where Wayland sockets are named
    QString x11SocketDir = QStringLiteral("/tmp/.X11-unix");
    QStringList platformPluginDirs; // where Qt looks for its platform plugins

    static DisplaySystem fromEnvironment();
};

struct DisplayChoice {
    QByteArray platform; // the Qt platform to start; empty leaves the choice to Qt
    QString problem;     // German, set when no display can be reached
};

DisplayChoice chooseDisplay(const DisplaySystem& system);

// Tells Qt the platform chooseDisplay picks. Where none can be reached, prints
// "<program>: <problem>" on stderr and returns false. Does nothing on systems without X11 or
// Wayland, where Qt needs no display variable.
bool prepareDisplay(const char* program);
