#pragma once

#include "signal/signalcode.h"

#include <QObject>

class QAction;
class QPoint;
class QWidget;
class Linienfenster;
class Uebungsfenster;

// The scene's menu and its commands: "Signaltafel speichern …" asks for a PDF or PNG file and
// writes the code chart there, "Signaltafel drucken …" prints it through the print dialog, and
// "Signale üben …" opens the trainer, "Telegrafenlinie …" the line of stations. They are actions
// of the window with their keys (Ctrl+S, Ctrl+P, Ctrl+U, Ctrl+L), and the menu offers them with
// their keys shown.
class Szenenmenue : public QObject {
    Q_OBJECT
public:
    Szenenmenue(QWidget& fenster, const Signalcode& code);

    // Shows the menu at `globalePosition` and returns at once. A command chosen in it is asked
    // for (`angefragt`) once the menu is gone.
    void zeige(const QPoint& globalePosition);

    enum class Befehl { Speichern, Drucken, Ueben, Linie };
    // Carries out a command: opens the chart's dialog, which writes or prints it once it is
    // accepted, or opens the trainer or the line.
    void fuehreAus(Befehl befehl);

signals:
    // A command was chosen, by its key or in the menu; the owner decides when to carry it out.
    void angefragt(Szenenmenue::Befehl befehl);

private:
    void uebe();
    void zeigeLinie();

    QWidget& fenster_;
    const Signalcode& code_;
    QAction* speichernAktion_;
    QAction* druckenAktion_;
    QAction* uebenAktion_;
    QAction* linienAktion_;
    Uebungsfenster* uebung_ = nullptr;
    Linienfenster* linie_ = nullptr;
};
