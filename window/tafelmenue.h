#pragma once

#include "signalcode.h"

class QPoint;
class QWidget;

// The telegraph scene's context menu: "Signaltafel speichern …" asks for a PDF or PNG file
// and writes the code chart there, "Signaltafel drucken …" prints it through the print dialog.
// Returns when the menu and whatever it opened are closed.
void zeigeTafelmenue(QWidget* eltern, const QPoint& globalePosition, const Codezeilen& code);
