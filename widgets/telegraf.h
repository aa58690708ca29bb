#pragma once

#include "stellung.h"
#include "szene.h"

#include <QWidget>

#include <chrono>

// The pictures the telegraph is drawn with: engraving, parchment and wood, decoded once.
const Szenenbilder& telegrafbilder();

// The telegraph scene as a widget: the engraving, the mast and the three beams in the position
// it shows, and a character in large type beside the mast. It turns from one position to the
// next beam by beam, one degree per frame at a steady pace, and paints itself from its own
// state, composing only what changed since the frame before.
class Telegraf : public QWidget {
    Q_OBJECT
public:
    explicit Telegraf(QWidget* parent = nullptr);

    // What the scene shows; during a movement, its current frame.
    Stellung winkel() const { return winkel_; }
    // Where the telegraph stands when no movement runs.
    Stellung altwinkel() const { return altwinkel_; }
    // The character written beside the mast; a space or '\0' writes nothing.
    char zeichen() const { return zeichen_; }

    // Puts the telegraph at once into `stellung`, writing `zeichen` beside the mast.
    void stelle(const Stellung& stellung, char zeichen);

    // Writes `zeichen` beside the mast, the beams staying where they are.
    void schreibe(char zeichen);

    // Turns the telegraph from where it stands to `ziel`, writing `zeichen` beside the mast,
    // and returns when it stands there. Between two frames it handles whatever events arrive,
    // so the window stays alive; whoever calls it never starts one movement inside another.
    void bewegen(const Stellung& ziel, char zeichen);
    bool bewegungLaeuft() const { return bewegungLaeuft_; }
    // Ends a running movement at its next frame: the beams jump to their target.
    void abbrechen();

    // The time between two frames; zero runs a movement as fast as frames can be drawn.
    void setTakt(std::chrono::milliseconds takt) { takt_ = takt; }

    // A sentence for screen readers added to the description of what the telegraph shows.
    void setHinweis(const QString& hinweis);

signals:
    // After every drawing, the whole scene or a frame of a movement: frames can be counted
    // without timing them.
    void gezeichnet();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void zeigeBild();
    void beschreibe();

    Szene szene_;
    Stellung winkel_;
    Stellung altwinkel_;
    char zeichen_ = '\0';
    std::chrono::milliseconds takt_;
    bool bewegungLaeuft_ = false;
    bool abgebrochen_ = false;
    QString hinweis_;
};
