#pragma once

#include "files/verlaufsdatei.h"

#include <QString>

#include <functional>

class QWidget;

// "Verlauf speichern …", as both line windows offer it: asks where to save a run's chart, as PNG
// or PDF, beginning with `vorschlag`; the run's table goes beside it as CSV under the same name.
// Asks once before replacing, naming every file that would be replaced, then writes both or
// neither, and hands `melden` one German sentence on what became of it. What is written is the
// run as it stands when this is called.
void verlaufSpeichern(QWidget* fenster, const QString& vorschlag, Linienprotokoll protokoll,
                      Laufangaben angaben, std::function<void(const QString&)> melden);
