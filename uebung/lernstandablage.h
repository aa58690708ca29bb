#pragma once

#include "lernstand.h"

#include <QString>

// Where the learner's progress is kept between runs. The trainer reads it at the start and
// keeps it after every change; what it is kept in is not its concern.
class Lernstandablage {
public:
    virtual ~Lernstandablage() = default;

    // The progress kept, a fresh one when there is none; `meldung` gets one German line when
    // what was kept could not be read.
    virtual Lernstand lade(QString& meldung) = 0;
    // Keeps `stand`. Returns an empty string, or one German line saying why it was not kept.
    virtual QString speichere(const Lernstand& stand) = 0;
    // Removes the progress kept. Returns an empty string, or one German line saying why not.
    virtual QString loesche() = 0;
};
