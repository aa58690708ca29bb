#pragma once

#include "signal/signalcode.h"
#include "signal/stellung.h"
#include "uebung/lernstand.h"
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
// what the telegraph is to show, the learner's boxes, the verdicts and the status line. A window
// shows it and passes the learner's input on; the telegraph it drives tells it when it stands.
class Uebungssitzung : public QObject {
    Q_OBJECT
public:
    // Bereit: no round yet; Frage: a question waits for its answer; Beantwortet: the verdict
    // stands until the next question; Ende: the round's result.
    enum class Zustand { Bereit, Frage, Beantwortet, Ende };
    using Uhr = std::function<std::chrono::steady_clock::time_point()>;

    // Reads the learner's progress from `ablage`, which keeps every change from then on.
    // `woerter` are what a reading round sends.
    Uebungssitzung(const Signalcode& code, Lernstandablage& ablage, std::vector<QString> woerter,
                   QObject* parent = nullptr);
    ~Uebungssitzung() override;

    // The choice of the next round. Changing the exercise, the set or the number of questions
    // ends a running round without a result, so that the learner is never left with inputs
    // that the round does not take. A seed makes the rounds examinations.
    void setArt(Uebungsart art);
    void setSatz(Uebungssatz satz);
    void setAnzahl(int anzahl);
    void setStartwert(std::optional<std::uint64_t> startwert);
    const Rundenwahl& wahl() const { return wahl_; }
    // The time between two characters a reading question sends.
    void setAbstand(std::chrono::milliseconds abstand);
    // How long a verdict stands before the next question comes by itself.
    void setPause(std::chrono::milliseconds pause);
    // Where the time an answer took is read; the steady clock unless a test sets another.
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
    void gestellt(const Stellung& stellung);   // setting: the beams dragged by hand
    void waehleBalken(int balken);             // setting: 1, 2 or 3
    void drehe(int schritte);                  // setting: the chosen beam by 45 degrees a step
    void pruefen(const QString& gelesen = {}); // setting or reading: the answer as it stands
    void weiter();                             // the next question, before the pause is over
    // The window closed: a running round ends without a result, and the telegraph stops.
    void unterbrechen();

    // The telegraph stands in the signal it was last sent to.
    void telegrafSteht();

signals:
    // What the telegraph is to do: turn to a signal, writing a character beside the mast, take
    // a position at once, write another character, or stop where it was going.
    void telegrafBewegen(const Stellung& ziel, char zeichen);
    void telegrafStellen(const Stellung& stellung, char zeichen);
    void telegrafSchreiben(char zeichen);
    void telegrafAnhalten();
    // The state, the status line or the choice changed.
    void geaendert();

private:
    void zeige(const QString& status);
    void abbrechen();
    // Asks the next question; `meldung`, such as a progress that could not be saved, follows it.
    void stelleFrage(const QString& meldung = {});
    void sendeNaechstes();
    void beantworte(const QString& geantwortet, int richtig, int von, const QString& text,
                    std::optional<Stellung> berichtigung = std::nullopt);
    QString aendereStand(const std::function<void(Lernstand&)>& aenderung);
    void pruefeStellung();
    void pruefeGelesenes(const QString& gelesen);
    void beenden();
    void dreheTelegraf(const Stellung& ziel, char zeichen);
    void stelleTelegraf(const Stellung& stellung);

    const Signalcode& code_;
    Lernstandablage& ablage_;
    const std::vector<QString> woerter_;
    Uhr uhr_;
    Rundenwahl wahl_;
    Lernstand stand_;
    std::unique_ptr<Uebungsrunde> runde_;
    Zustand zustand_ = Zustand::Bereit;
    QString status_;
    std::chrono::steady_clock::time_point frageSeit_; // when the question was first shown
    QDateTime rundenEnde_;                            // when the last round ended
    QString ergebnisText_;                            // and what it came to
    bool beruehrt_ = false;                           // whether the learner moved a beam yet
    // Where the telegraph stands or turns to; while setting, what the learner has set so far.
    Stellung gezeigt_ = ruhestellung;
    int balken_ = 0;
    QString gesendet_;    // a reading question's characters as the telegraph sends them
    int gesendetBis_ = 0; // how many of them were sent
    bool telegrafBewegt_ = false;
    // What is due once the telegraph stands: the next character of a word, the next question,
    // or the pause after a verdict.
    enum class Danach { Nichts, Senden, Weiter, Pause };
    Danach danach_ = Danach::Nichts;
    QTimer senden_; // a reading question's pace
    QTimer pause_;  // how long a verdict stands
};
