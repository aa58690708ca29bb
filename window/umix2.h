#pragma once

#include "bedienung/zurueckgestellt.h"
#include "signal/signalcode.h"
#include "window/szenenmenue.h"

#include <QWidget>

#include <functional>

class Alphabetfeld;
class Linienfenster;
class QPlainTextEdit;
class QPushButton;
class SpinBox;
class Stationsfenster;
class Telegraf;
class Uebungsfenster;
class Wiedergabe;

// The program's main window: the telegraph on the left; on the right the alphabet grid, the
// message memo, the playback button and the interval. It lays out its parts and connects them,
// and while the telegraph turns it holds back whatever would start a second movement. It makes
// and owns the trainer, the line of stations and a pupil's station, when they are first asked for.
class Tpformx11 : public QWidget {
    Q_OBJECT
public:
    explicit Tpformx11(const Signalcode& code, QWidget* parent = nullptr);

    // The window's fixed size: the scene and the side panel.
    static const QSize groesse;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The handlers, named after their parts.
    void FormShow();                  // the window first shown: telegraph at rest, memo focused
    void PBzMD(char zeichen);         // press on the grid: stop the playback, show the character
    void PBzKD(char zeichen);         // key on the grid that sends: as a press
    void B13C();                      // the button: start or stop the playback
    void T1Timer();                   // the playback's tick: show the message's next character
    void Rx11C(double sekunden);      // the interval changed: the playback's new pace
    void PB13Menue(const QPoint& wo); // the scene's menu: save or print the code chart
    void PB13Steht();                 // the telegraph stands: what waited for it follows

    void baueSeitenleiste(QWidget* P49);
    void sende(char zeichen);
    void szenenbefehl(Szenenmenue::Befehl befehl);
    bool spaeter(std::function<void()> befehl);
    void uebe();
    void zeigeLinie();
    void zeigeStation();
    void oeffne(QWidget* fenster);

    // The button's captions, stopped and sending.
    static inline const QString textStart = QStringLiteral("Nachricht anzeigen");
    static inline const QString textAbbruch = QStringLiteral("Abbruch");

    const Signalcode& code_;
    Telegraf* PB13 = nullptr;
    Alphabetfeld* PBz = nullptr;
    QPlainTextEdit* Me8 = nullptr;
    QPushButton* B13 = nullptr;
    SpinBox* Rx11 = nullptr;
    Wiedergabe* wiedergabe_ = nullptr;
    Szenenmenue* szenenmenue_ = nullptr;
    Uebungsfenster* uebung_ = nullptr;
    Linienfenster* linie_ = nullptr;
    Stationsfenster* station_ = nullptr;

    bool gezeigt_ = false;
    Zurueckgestellt zurueckgestellt_; // what arrived while the telegraph was turning
};
