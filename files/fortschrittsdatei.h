#pragma once

#include "uebung/lernstand.h"
#include "uebung/lernstandablage.h"

#include <QString>

#include <utility>

// The learner's progress kept between runs: one JSON file in a folder the caller gives (the
// program's writable data folder, fortschrittsOrdner). Nothing is written unless the trainer
// saves, and a file the program cannot read is never overwritten: it is kept beside under
// another name.

// The program's writable data folder (QStandardPaths::AppDataLocation).
QString fortschrittsOrdner();

// The progress file in `ordner`.
QString fortschrittsDatei(const QString& ordner);

struct Fortschritt {
    Lernstand lernstand;
    QString meldung; // one German line when the file could not be read; else empty
};

// The progress saved in `ordner`. A missing file is a fresh start without a message. A file
// that is damaged, unknown or from a newer version of the program is renamed beside the
// original (fortschritt.json.beschaedigt, ...-2, ...) and the learner starts afresh; the message
// names the kept file.
Fortschritt ladeFortschritt(const QString& ordner);

// Writes `stand` to `ordner`, creating the folder if need be: the new file replaces the old one
// whole, or nothing changes. An unreadable file already there is kept beside first, as on
// loading. Returns an empty string when saved, else one German line with the reason.
QString speichereFortschritt(const QString& ordner, const Lernstand& stand);

// Applies `aenderung` to the progress saved in `ordner` as it is now, and saves the result, all
// under a lock that other trainers heed (fortschritt.json.lock), so that none of their answers
// are lost. Where none or none readable is saved, the change applies to `bisher`.
Lernstandablage::Geaendert aendereFortschritt(const QString& ordner, const Lernstand& bisher,
                                              const std::function<void(Lernstand&)>& aenderung);

// "Fortschritt löschen": saves an empty progress in the place of the one saved, under the lock;
// a missing file counts as deleted. Returns an empty string, or one German line with the
// reason it could not be deleted.
QString loescheFortschritt(const QString& ordner);

// The progress file in a folder, as the trainer keeps its progress there.
class Fortschrittsdatei : public Lernstandablage {
public:
    explicit Fortschrittsdatei(QString ordner) : ordner_(std::move(ordner)) {}

    Lernstand lade(QString& meldung) override;
    Geaendert aendere(const Lernstand& bisher,
                      const std::function<void(Lernstand&)>& aenderung) override;
    QString loesche() override;

private:
    QString ordner_;
};
