#include "umix2.h"

#include <QApplication>

#include <cstdio>

namespace {

// Without a display Qt would abort with a core dump; say plainly what is missing instead.
bool displayAvailable()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char* argv[])
{
    if (!displayAvailable()) {
        std::fputs(
            "Vellard-Telegraf: Keine grafische Anzeige gefunden (DISPLAY ist nicht gesetzt).\n",
            stderr);
        return 1;
    }
    // Every position and size of the window is in device pixels.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");

    QApplication application(argc, argv);
    Tpformx11 pformx11;
    pformx11.show();
    return application.exec();
}
