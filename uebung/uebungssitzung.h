#pragma once

#include "bedienung/signalgeber.h"
#include "signal/signalcode.h"
#include "uebung/lernstand.h"
#include "uebung/uebungsregel.h"
#include "uebung/uebungsrunde.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Lernstandablage;

// The trainer without its window: the choice of exercise and round, the round with its state,
// the learner's boxes, the verdicts and the status line. The exercise's rule says what to ask
// and how to judge; the telegraph it drives is the one that knows whether it moves and tells
// when it stands (`telegrafSteht`). A window shows the trainer and passes the learner's input on.
class Uebungssitzung : public QObject {
    Q_OBJECT
public:
    // Bereit: no round yet; Frage: a question waits for its answer; Beantwortet: the verdict
    // stands until the next question; Ende: the round's result.
    enum class Zustand { Bereit, Frage, Beantwortet, Ende };
    using Uhr = std::function<std::chrono::steady_clock::time_point()>;

    // Reads the learner's progress from `ablage`, which keeps every change from then on.
    // `woerter` are what a reading round sends; `telegraf` shows the questions.
    Uebungssitzung(const Signalcode& code, Lernstandablage& ablage, std::vector<QString> woerter,
                   Signalgeber& telegraf, QObject* parent = nullptr);
    ~Uebungssitzung() override;

    // The choice of the next round. Changing the exercise, the set or the number of questions
    // ends a running round without a result, so that the learner is never left with inputs
    // that the round does not take. A seed makes the rounds examinations.
    void setArt(Uebungsart art);
    void setSatz(Uebungssatz satz);
    void setAnzahl(int anzahl);
    void setStartwert(std::optional<std::uint64_t> startwert);
    const Rundenwahl& wahl() const { return wahl_; }
    // The rule of the chosen exercise: which input it takes and which settings apply to it.
    const Uebungsregel& regel() const { return *regel_; }
    // How long each character a reading question sends stands once its movement has ended,
    // before the next one's movement starts.
    void setAbstand(std::chrono::milliseconds abstand) { abstand_ = abstand; }
    // How long a verdict stands before the next question comes by itself.
    void setPause(std::chrono::milliseconds pause);
    // Where the time an answer took and a character's standing time are read; the steady
    // clock unless a test sets another.
    void setUhr(Uhr uhr) { uhr_ = std::move(uhr); }

    // Every character of a set asked at once, instead of step by step; kept with the progress.
    void setAlleZeichen(bool alle);
    const Lernstand& lernstand() const { return stand_; }
    // Erases the progress kept and ends a running round.
    void loescheFortschritt();
    // A line for the status from outside the round, such as whether its result was saved.
    void melde(const QString& meldung);

    Zustand zustand() const { return zustand_; }
    const QString& status() const { return status_; }
    // The answers of the round begun last, in the order they were given.
    const std::vector<Antwort>& antworten() const;
    // The result of the round that ended last, as a file for the teacher (ergebnisAlsCsv).
    QByteArray ergebnisCsv() const;
    // Which beam the keys turn while setting (the regulator or an indicator), for the learner.
    QString balkenHilfe() const;

    // The learner's input.
    void beginnen();
    void erkannt(char zeichen);                // naming: a character chosen or typed
    void gestellt();                           // setting: the beams dragged by hand
    void waehleBalken(int balken);             // setting: 1, 2 or 3
    void drehe(int schritte);                  // setting: the chosen beam by 45 degrees a step
    void pruefen(const QString& gelesen = {}); // setting or reading: the answer as it stands
    void weiter();                             // the next question, before the pause is over
    // The window closed: a running round ends without a result, and the telegraph stops.
    void unterbrechen();

    // The telegraph stands in its signal, and no other movement follows.
    void telegrafSteht();
    // A character that has stood its time is followed by the next. The trainer's own timer
    // calls this at that moment; a test that drives the clock may call it itself.
    void wecke();

signals:
    // The state, the status line or the choice changed.
    void geaendert();

private:
    bool laeuft() const { return zustand_ == Zustand::Frage || zustand_ == Zustand::Beantwortet; }
    void zeige(const QString& status);
    void abbrechen();
    // Asks the next question; `meldung`, such as a progress that could not be saved, follows it.
    void stelleFrage(const QString& meldung = {});
    void sendeWeiter();
    void halteSenden();
    void nimm(const Urteil& urteil);
    QString vermerke(bool richtig);
    QString aendereStand(const std::function<void(Lernstand&)>& aenderung);
    void beenden();

    const Signalcode& code_;
    Lernstandablage& ablage_;
    const std::vector<QString> woerter_;
    Signalgeber& telegraf_;
    Uhr uhr_;
    Rundenwahl wahl_;
    Lernstand stand_;
    std::unique_ptr<Uebungsregel> regel_; // the chosen exercise's; a new choice ends the round
    std::unique_ptr<Uebungsrunde> runde_;
    Zustand zustand_ = Zustand::Bereit;
    QString status_;
    std::chrono::steady_clock::time_point frageSeit_; // when the question was first shown
    QDateTime rundenEnde_;                            // when the last round ended
    QString ergebnisText_;                            // and what it came to
    int balken_ = 0;
    bool weiterGewuenscht_ = false; // the learner asked for the next question during a movement
    bool zeichenUnterwegs_ = false; // the telegraph turns to a character that must stand
    std::chrono::milliseconds abstand_;
    // Until when the character sent last stands; the timer wakes the trainer then.
    std::optional<std::chrono::steady_clock::time_point> stehtBis_;
    QTimer senden_;
    QTimer pause_; // how long a verdict stands
};
