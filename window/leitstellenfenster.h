#pragma once

#include "leitstelle/leitstelle.h"
#include "linie/linienprotokoll.h"
#include "netz/protokoll.h"
#include "signal/signalcode.h"

#include <QDateTime>
#include <QTimer>
#include <QWidget>

#include <chrono>

#include <optional>
#include <vector>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QVBoxLayout;
class Station;
class WegZeitAnsicht;
class WerLasWasModell;

// The teacher's window of a line across machines, "Leitstelle": this machine's addresses and
// port, the join word large enough for the board, the row of stations with the pupils' names,
// moving and removing a pupil before sending, the message and "Senden", the line as it plays,
// what arrived with the wrong characters marked, and who set what, as a table and as a
// time-distance chart, live and at the end; once a run has ended, both can be saved.
class Leitstellenfenster : public QWidget {
    Q_OBJECT
public:
    explicit Leitstellenfenster(const Signalcode& code, QWidget* parent = nullptr);
    ~Leitstellenfenster() override;

    // The size it opens at: within a 1024 x 768 screen with a window frame and a panel.
    static constexpr QSize groesse{1000, 680};

    // Listens for stations on `port` (0: any free one); if that fails, says why in the window
    // and returns false.
    bool oeffnen(quint16 port = netz::standardPort);
    Leitstelle& leitstelle() { return *leitstelle_; }
    // The number of stations, 2 to 30, as the command line gives it.
    void setStationen(int stationen);
    // Shows every station as it stands at `jetzt` on the Leitstelle's clock, as the window's
    // frame clock does a few dozen times a second while a message runs.
    void zeigeBild(std::chrono::milliseconds jetzt);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The layout, in leitstellenaufbau.cpp.
    void baueKopf(QVBoxLayout* spalte);
    void baueReihe(QVBoxLayout* spalte);
    void baueBedienung(QVBoxLayout* links);
    void baueErgebnis(QVBoxLayout* links);
    QWidget* baueLehrersicht();
    void verbinde();
    void baueStationen();

    void zeigePlaetze();
    void verschieben();
    void entfernen();
    void senden();
    void bewegt(const Linienbewegung& bewegung);
    void steht(std::size_t k);
    void naechstesBild();
    void angekommen(char zeichen);
    void zeigeProtokoll();
    void fertig();
    // In leitstellenverlauf.cpp: the record and saving it.
    Linienprotokoll bisherigesProtokoll() const;
    void verlaufSpeichern();
    void melde(const QString& text);

    // A station's movement under way, as shown.
    struct Laufend {
        Linienbewegung bewegung;
        std::vector<Stellung> frames;
    };

    const Signalcode& code_;
    Leitstelle* leitstelle_;
    QTimer bildtakt_;
    std::vector<Station*> stationen_;
    std::vector<QLabel*> namen_;
    std::vector<std::optional<Laufend>> laufend_;
    std::string empfangen_;
    bool protokollVeraltet_ = false; // movements decided since the record was worked out
    int seitProtokoll_ = 0;          // frames since then

    QLabel* adresse_ = nullptr;
    QLabel* wort_ = nullptr;
    QSpinBox* anzahl_ = nullptr;
    QHBoxLayout* reihe_ = nullptr;
    QSpinBox* von_ = nullptr;
    QSpinBox* nach_ = nullptr;
    QPushButton* verschieben_ = nullptr;
    QPushButton* entfernen_ = nullptr;
    QLineEdit* nachricht_ = nullptr;
    QPushButton* senden_ = nullptr;
    QLabel* empfangenText_ = nullptr;
    QLabel* meldung_ = nullptr;
    WerLasWasModell* tabelle_ = nullptr;
    WegZeitAnsicht* wegZeit_ = nullptr;
    QTabWidget* lehrersicht_ = nullptr;
    QPushButton* speichern_ = nullptr;
    Linienwahl laufWahl_; // what the run shown was sent with
    QDateTime laufEnde_;  // when it ended
};
