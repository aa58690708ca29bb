#pragma once

#include "signalcode.h"

#include <QObject>

class QAction;
class QPoint;
class QWidget;

// The code chart's two commands: "Signaltafel speichern …" asks for a PDF or PNG file and
// writes the chart there, "Signaltafel drucken …" prints it through the print dialog. Both are
// actions of the window with the standard keys (Ctrl+S, Ctrl+P), and the scene's context menu
// offers them with their keys shown.
class Tafelmenue : public QObject {
    Q_OBJECT
public:
    Tafelmenue(QWidget& fenster, const Codezeilen& code);

    // Shows the menu at `globalePosition`; returns when it is closed. A command chosen in it
    // is asked for (`angefragt`) once the menu is gone.
    void zeige(const QPoint& globalePosition);

    enum class Befehl { Speichern, Drucken };
    // Carries out a command: opens its dialog, then writes or prints the chart.
    void fuehreAus(Befehl befehl);

signals:
    // A command was chosen, by its key or in the menu; the owner decides when to carry it out.
    void angefragt(Tafelmenue::Befehl befehl);

private:
    QWidget& fenster_;
    const Codezeilen& code_;
    QAction* speichernAktion_;
    QAction* druckenAktion_;
};
