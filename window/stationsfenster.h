#pragma once

#include "geometrie/stellen.h"
#include "netz/protokoll.h"
#include "signal/signalcode.h"

#include <QWidget>

#include <chrono>
#include <deque>
#include <optional>

class Fernrohr;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class Stationsverbindung;
class Telegraf;

// Where a Leitstelle is reached: a host name or address, and the port.
struct Leitstellenadresse {
    QString host;
    quint16 port = netz::standardPort;
};

// Reads "host", "host:port" or "[IPv6]:port"; without a port the Leitstelle's usual one.
std::optional<Leitstellenadresse> leseAdresse(const QString& text);

// A pupil's window in a line across machines, "Station einer Linie": on the left the pupil's
// own telegraph, set with 1, 2, 3 and the arrows or the mouse; on the right the form to join a
// Leitstelle, then the place in the line, the station before as seen through the telescope,
// whether passing on is allowed yet, "Weitergeben", and at the end what arrived. The Leitstelle
// decides everything about the line; the window shows it and passes the pupil's signal on.
class Stationsfenster : public QWidget {
    Q_OBJECT
public:
    explicit Stationsfenster(const Signalcode& code, QWidget* parent = nullptr);
    ~Stationsfenster() override;

    // The window's fixed size: the scene and the side panel.
    static const QSize groesse;

    // Fills in the form as the command line gives it and puts the keyboard in the join word,
    // which is only ever typed in the window.
    void verbinde(const QString& host, quint16 port, const QString& name);
    // The time between two frames of both telegraphs; tests set zero.
    void setTakt(std::chrono::milliseconds takt);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void baueLinks(QWidget* inhalt);
    void baueSeitenleiste(QWidget* seite);
    void baueFormular(QVBoxLayout* spalte);
    void baueLinie(QVBoxLayout* spalte);
    void verbindeNetz();

    void beitreten();
    void weitergeben();
    void willkommen(const netz::Willkommen& w);
    void bewegung(const netz::Bewegung& b);
    void darf(const netz::Darf& d);
    void ende(const netz::Ende& e);
    void beendet(const QString& grund);
    void spieleEigene();
    void zeigeBedienung();
    void zeigeBalken();
    bool stellbar() const;
    void melde(QLabel* zeile, const QString& text);

    const Signalcode& code_;
    Stationsverbindung* verbindung_;
    int station_ = 0;        // the place in the line; 0 while not joined
    bool verbindet_ = false; // joining or joined
    bool darfWeitergeben_ = false;
    Balken balken_ = Balken::Regulator;
    QString tokenFuer_;                 // the address and word the kept token belongs to
    std::deque<netz::Bewegung> eigene_; // the own telegraph's movements not yet begun

    Telegraf* telegraf_ = nullptr;
    QWidget* formular_ = nullptr;
    QLineEdit* adresse_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* wort_ = nullptr;
    QPushButton* beitreten_ = nullptr;
    QLabel* meldung_ = nullptr;
    QWidget* linie_ = nullptr;
    QLabel* kopf_ = nullptr;
    Fernrohr* fernrohr_ = nullptr;
    QLabel* darf_ = nullptr;
    QLabel* balkenHilfe_ = nullptr;
    QPushButton* weitergeben_ = nullptr;
    QLabel* ende_ = nullptr;
};
