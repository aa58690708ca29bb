#pragma once

#include "uebung/lernstand.h"

#include <QString>

#include <functional>

// Where the learner's progress is kept between runs. The trainer reads it at the start and
// has every change applied to it as it is kept then, so that two trainers open at once, or a
// trainer that stayed open for long, lose none of each other's answers.
class Lernstandablage {
public:
    // The progress after a change, one German line when it could not be kept, and one to
    // tell besides, such as that an unreadable file was set aside.
    struct Geaendert {
        Lernstand stand;
        QString fehler;
        QString meldung;
    };

    virtual ~Lernstandablage() = default;

    // The progress kept, a fresh one when there is none; `meldung` gets one German line when
    // what was kept could not be read.
    virtual Lernstand lade(QString& meldung) = 0;
    // Applies `aenderung` to the progress as it is kept now and keeps the result. Where nothing
    // readable is kept, the change applies to `bisher`, the progress as the caller knows it.
    // When it cannot be kept, the progress returned is the changed one all the same, so that
    // the caller goes on with it.
    virtual Geaendert aendere(const Lernstand& bisher,
                              const std::function<void(Lernstand&)>& aenderung) = 0;
    // Removes the progress kept. Returns an empty string, or one German line saying why not.
    virtual QString loesche() = 0;
};
