#pragma once

#include "bedienung/signalgeber.h"
#include "controls/bildtakt.h"
#include "display/szene.h"
#include "geometrie/stellen.h"
#include "signal/stellung.h"

#include <QWidget>

#include <chrono>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

// The pictures the telegraph is drawn with: engraving, parchment and wood, decoded once.
const Szenenbilder& telegrafbilder();

// The telegraph scene as a widget: the engraving, the mast and the three beams in the position
// it shows, and a character in large type beside the mast. It turns from one position to the
// next beam by beam, one degree per frame at a steady pace, and paints itself from its own
// state, composing only what changed since the frame before. It can let the user set the beams
// with the mouse.
class Telegraf : public QWidget, public Signalgeber {
    Q_OBJECT
public:
    explicit Telegraf(QWidget* parent = nullptr);

    // What the scene shows; during a movement, its current frame.
    Stellung winkel() const { return winkel_; }
    // Where the telegraph stands when no movement runs.
    Stellung altwinkel() const { return altwinkel_; }
    // The character written beside the mast; a space or '\0' writes nothing.
    char zeichen() const { return zeichen_; }

    // Puts the telegraph at once into `stellung`, writing `zeichen` beside the mast; a running
    // movement ends there, and a target given meanwhile is forgotten.
    void stelle(const Stellung& stellung, char zeichen) override;

    // Writes `zeichen` beside the mast; the beams stay where they are, or go on turning.
    void schreibe(char zeichen) override;

    // Turns the telegraph from where it stands to `ziel`, writing `zeichen` beside the mast, and
    // returns at once: the frames follow on the telegraph's own clock, frame k due k times the
    // pace after the start, and `steht` tells when the signal stands. A target given while a
    // movement runs is taken up when that one ends; of several, the latest.
    void bewegen(const Stellung& ziel, char zeichen) override;
    bool bewegungLaeuft() const override { return bewegung_.has_value(); }
    // Where the beams stand once the movements given so far have ended.
    Stellung endstellung() const override;
    // Stops at once: the beams take the running movement's target, without a frame, and a
    // target given meanwhile is forgotten. Nothing is told.
    void anhalten() override;

    // The time between two frames; zero draws the next frame at the next pass of the event loop.
    void setTakt(std::chrono::milliseconds takt) { takt_.setTakt(takt); }
    // Where the frames' deadlines are read; the steady clock unless a test sets its own.
    void setUhr(Bildtakt::Uhr uhr) { takt_.setUhr(std::move(uhr)); }

    // With `stellbar` the user sets a beam by dragging an end of the regulator or the tip of an
    // indicator; it snaps to steps of 45 degrees, and `gestellt` tells the new position.
    void setStellbar(bool stellbar);

    // A sentence for screen readers added to the description of what the telegraph shows.
    void setHinweis(const QString& hinweis);

signals:
    // After every drawing, the whole scene or a frame of a movement: frames can be counted
    // without timing them.
    void gezeichnet();
    void gestellt(const Stellung& stellung);
    // A movement has ended and no other follows: the telegraph stands in its signal.
    void steht();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // A movement under way: its frames, its target, the next frame to draw, and which of the
    // telegraph's movements it is.
    struct Bewegung {
        std::vector<Stellung> plan;
        Stellung ziel;
        std::size_t naechstes = 0;
        std::uint64_t nummer = 0;
    };

    void naechsterFrame();
    void zeigeBild();
    void beschreibe();
    Drehpunkt drehpunkt() const;

    Szene szene_;
    Stellung winkel_;
    Stellung altwinkel_;
    char zeichen_ = '\0';
    Bildtakt takt_; // the movement's frames at their pace
    std::optional<Bewegung> bewegung_;
    std::optional<std::pair<Stellung, char>> folgt_; // the target given during a movement
    std::uint64_t bewegungen_ = 0;                   // how many movements have started
    bool stellbar_ = false;
    std::optional<Griff> griff_; // the handle being dragged
    QString hinweis_;
};
