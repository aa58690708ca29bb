#pragma once

#include "signal/signalcode.h"

#include <QObject>

class QAction;
class QPoint;
class QWidget;

// The scene's menu and its commands: "Signaltafel speichern …" asks for a PDF or PNG file and
// writes the code chart there, "Signaltafel drucken …" prints it through the print dialog, and
// "Signale üben …" asks for the trainer, "Telegrafenlinie …" for the line of stations, "Station
// einer Linie …" for a pupil's station in a line across machines, which the window opens. They
// are actions of the window with their keys (Ctrl+S, Ctrl+P, Ctrl+U, Ctrl+L, Ctrl+T), and the
// menu offers them with their keys shown.
class Szenenmenue : public QObject {
    Q_OBJECT
public:
    Szenenmenue(QWidget& fenster, const Signalcode& code);

    // Shows the menu at `globalePosition` and returns at once. A command chosen in it is asked
    // for (`angefragt`) once the menu is gone.
    void zeige(const QPoint& globalePosition);

    enum class Befehl { Speichern, Drucken, Ueben, Linie, Station };
    // Carries out a command for the chart, Speichern or Drucken: opens its dialog, which writes
    // or prints the chart once it is accepted.
    void fuehreAus(Befehl befehl);

signals:
    // A command was chosen, by its key or in the menu; the owner decides when to carry it out.
    void angefragt(Szenenmenue::Befehl befehl);

private:
    QWidget& fenster_;
    const Signalcode& code_;
    QAction* speichernAktion_;
    QAction* druckenAktion_;
    QAction* uebenAktion_;
    QAction* linienAktion_;
    QAction* stationsAktion_;
};
