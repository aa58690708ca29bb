#pragma once

#include "leitstelle/leitstelle.h"
#include "netz/protokoll.h"
#include "signal/signalcode.h"

#include <QTimer>
#include <QWidget>

#include <optional>
#include <vector>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;
class QVBoxLayout;
class Station;
class WerLasWasModell;

// The teacher's window of a line across machines, "Leitstelle": this machine's addresses and
// port, the join word large enough for the board, the row of stations with the pupils' names,
// moving and removing a pupil before sending, the message and "Senden", the line as it plays,
// what arrived with the wrong characters marked, and who set what.
class Leitstellenfenster : public QWidget {
    Q_OBJECT
public:
    explicit Leitstellenfenster(const Signalcode& code, QWidget* parent = nullptr);
    ~Leitstellenfenster() override;

    // Listens for stations on `port` (0: any free one); if that fails, says why in the window
    // and returns false.
    bool oeffnen(quint16 port = netz::standardPort);
    Leitstelle& leitstelle() { return *leitstelle_; }
    // The number of stations, 2 to 30, as the command line gives it.
    void setStationen(int stationen);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The layout, in leitstellenaufbau.cpp.
    void baueKopf(QVBoxLayout* spalte);
    void baueReihe(QVBoxLayout* spalte);
    void baueBedienung(QVBoxLayout* spalte);
    void baueErgebnis(QVBoxLayout* spalte);
    void verbinde();
    void baueStationen();

    void zeigePlaetze();
    void verschieben();
    void entfernen();
    void senden();
    void bewegt(const Linienbewegung& bewegung);
    void naechstesBild();
    void angekommen(char zeichen);
    void zeigeProtokoll();
    void fertig();

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
    QTableView* tabellenAnsicht_ = nullptr;
};
