#pragma once

#include "controls/bildtakt.h"
#include "linie/linienablauf.h"
#include "netz/protokoll.h"
#include "signal/signalcode.h"

#include <QWidget>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

class QFormLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class SpinBox;
class Station;
class WegZeitAnsicht;
class WerLasWasModell;
class Leitstellenfenster;

// The line of stations, "Telegrafenlinie": a row of small telegraphs, and beneath it the
// message, the line's settings and what arrived, beside the teacher's view of the run (who read
// what, and the time-distance chart). "Senden" works out the line's course and plays it, every
// station at the movement's pace; "Anhalten" stops it between two frames until "Weiter";
// "Abbruch", or any change of the message or a setting, stops it and puts the stations back to
// rest. Once a run has ended, its chart and table can be saved.
class Linienfenster : public QWidget {
    Q_OBJECT
public:
    explicit Linienfenster(const Signalcode& code, QWidget* parent = nullptr);
    ~Linienfenster() override;

    // The window's fixed size, with room for the most stations.
    static const QSize groesse;

    // The number of stations, from 2 to 8, as the command line gives it.
    void setStationen(int stationen);
    // The time between two frames; zero shows the next frame at the next pass of the event
    // loop, every frame still drawn.
    void setTakt(std::chrono::milliseconds takt) { takt_.setTakt(takt); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The layout, in linienaufbau.cpp.
    void baueEinstellungen(QWidget* unten);
    QHBoxLayout* baueNachricht();
    void baueFelder(QFormLayout* form);
    void baueAnzeigen(QFormLayout* form);
    QWidget* baueLehrersicht();
    void verbinde();
    void baueStationen();

    void stationenGeaendert();
    Linienwahl wahl() const;
    void zeigeErwartet();
    void zeigeZeit(const QString& zeit);
    void zeigeGebrauchteZeit(); // the run's time once it has ended
    void sendenOderAbbrechen();
    void beginneLauf();
    void anhaltenOderWeiter();
    void naechstesBild();
    void beendeLauf();
    void stelleZurueck();
    void zeigeEmpfangen();
    void meldeAngekommen();
    void verlaufSpeichern();
    void melde(const QString& text);
    bool istFeld(const QWidget* w) const;

    // The buttons' captions, and the margin round the row and the form.
    static inline const QString textSenden = QStringLiteral("&Senden");
    static inline const QString textAbbruch = QStringLiteral("Abbruch");
    static inline const QString textAnhalten = QStringLiteral("An&halten");
    static inline const QString textWeiter = QStringLiteral("Weite&r");
    static constexpr int abstandZumRand = 12;

    const Signalcode& code_;
    std::vector<Station*> stationen_;
    QHBoxLayout* reihe_ = nullptr;
    QLineEdit* nachricht_ = nullptr;
    QPushButton* senden_ = nullptr;
    QSpinBox* anzahl_ = nullptr;
    SpinBox* ablesezeit_ = nullptr;
    QSpinBox* fehler_ = nullptr;
    QLineEdit* startwert_ = nullptr;
    QLabel* gesendet_ = nullptr;
    QLabel* empfangen_ = nullptr;
    QLabel* zeit_ = nullptr;
    QLabel* erwartet_ = nullptr;
    QLabel* hinweis_ = nullptr;   // why nothing can be sent
    QLabel* laufStart_ = nullptr; // the seed of the run shown
    QLabel* meldung_ = nullptr;   // what became of saving
    QPushButton* anhalten_ = nullptr;
    QPushButton* speichern_ = nullptr;
    QTabWidget* lehrersicht_ = nullptr;
    WerLasWasModell* werLasWas_ = nullptr;
    WegZeitAnsicht* wegZeit_ = nullptr;
    Linienwahl laufWahl_;        // the settings of the run the table and the chart show
    Linienplan kurs_;            // the course for the message and the settings as they stand
    std::string gesendeterText_; // that message, as sent
    std::optional<Linienablauf> ablauf_;
    std::uint64_t zufallsStartwert_; // the misreads' seed when none is given
    Bildtakt takt_;                  // the line's frames at the movement's pace

public:
    // Opens the Leitstelle of a line across machines, listening on `port` (0: any free one),
    // or brings it to the front; false if it cannot listen there, which its window says.
    bool imNetzOeffnen(quint16 port = netz::standardPort);
    // The Leitstelle's window, once it has been opened.
    Leitstellenfenster* leitstellenfenster() const { return leitstelle_; }

private:
    void baueNetz(QFormLayout* form);
    Leitstellenfenster* leitstelle_ = nullptr;
};
