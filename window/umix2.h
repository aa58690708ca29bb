#pragma once

#include "bewegung.h"
#include "signalcode.h"
#include "stellung.h"
#include "szene.h"
#include "tafelmenue.h"

#include <QImage>
#include <QWidget>

#include <chrono>
#include <functional>
#include <optional>

class Canvas;
class Lesemarke;
class PaintBox;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class SpinBox;
class Timer;

// The program's only window: the telegraph scene on the left, the alphabet grid, the message
// memo, the playback button and the interval on the right. It owns every component and the
// telegraph's state; its handlers read the state, call into the core and draw.
class Tpformx11 : public QWidget {
    Q_OBJECT
public:
    explicit Tpformx11(QWidget* parent = nullptr);

    // The telegraph's state.
    Stellung winkel;     // what the scene shows, and the target a lookup writes
    Stellung altwinkel;  // where the telegraph stands when no movement runs
    char zeichen = '\0'; // the character written beside the mast
    int position = 0;    // 1-based position in the message; 0 before the first tick

    // Time between two frames of a movement; tests set it to zero to run movements at once.
    std::chrono::milliseconds takt = bewegungsTakt;

    // The components, named as in the window's layout.
    QWidget* P8;
    QWidget* P15;
    QWidget* telegraf;
    PaintBox* PB13;
    QWidget* P49;
    QLabel* L114;
    PaintBox* PBz;
    QLabel* L113;
    QPlainTextEdit* Me8;
    QPushButton* B13;
    QLabel* L103;
    SpinBox* Rx11;
    Timer* Timer1;

    // The hidden holders: the wood, parchment and engraving pictures and the signal code lines.
    QImage Image3;
    QImage I4;
    QImage I5;
    Codezeilen ListBox1;

    // True while the telegraph is turning.
    bool bewegungLaeuft() const { return bewegungLaeuft_; }

    // The event handlers.
    void FormShow();
    void PB13P(Canvas& canvas, const QRegion& bereich);
    void PBzP(Canvas& canvas);
    void PBzMD(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void PBzKD(QKeyEvent* taste);
    void B13C();
    void T1Timer();
    void Rx11C(double wert);
    void PB13Menue(const QPoint& wo);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void bauePanel();
    void setzeZeichen(char neues);
    void setzeFeldzelle(int zelle);
    void waehle(char gewaehlt);
    void sende(char gewaehlt);
    void bewegen();
    void zeigeBild();
    char naechstesNachrichtenzeichen();
    std::optional<char> wartendesZeichen();
    void wiedergabeAus();
    void tafelbefehl(Tafelmenue::Befehl befehl);
    void menueVon(QWidget* bauteil);

    // The scene as PB13 shows it; it keeps what a frame needs from the one before.
    Szene szene_;
    Lesemarke* lesemarke_;
    bool gezeigt_ = false;
    bool geschlossen_ = false;
    bool bewegungLaeuft_ = false;
    // The grid's current cell for the keyboard: the last one chosen, "A" at first.
    int feldzelle_ = 0;
    // What arrived while the telegraph was turning, handled when the movement ends.
    std::optional<char> wartenderDruck_;
    bool wartenderTick_ = false;
    // The chart's menu or one of its commands, asked for during a movement, comes when the
    // movement ends.
    std::function<void()> nachDerBewegung_;
    Tafelmenue* tafelmenue_;
};
