#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

// The clock of a run of frames at a steady pace: frame k is due k times the pace after `starte`.
// Every frame has its own deadline from that one start, so a late frame does not delay the
// rest; one that is overdue comes at the next pass of the event loop, so that none is left out.
class Bildtakt : public QObject {
    Q_OBJECT
public:
    // Where the deadlines are read; the steady clock unless a test sets one it advances itself.
    using Uhr = std::function<std::chrono::steady_clock::time_point()>;

    explicit Bildtakt(std::chrono::milliseconds takt, QObject* parent = nullptr);

    // The time between two frames; zero makes every frame due at once.
    void setTakt(std::chrono::milliseconds takt) { takt_ = takt; }
    void setUhr(Uhr uhr) { jetzt_ = std::move(uhr); }
    // Frame 0 is due now.
    void starte();
    // The frame after the one just shown is due at its deadline.
    void weiter();
    // Frame `bild` is next, due at its deadline; the frames before it are left out, so that
    // nothing wakes while nothing moves.
    void weiterZu(long bild);
    void halte()
    {
        wecker_.stop();
        angehalten_.reset();
    }
    // Stops between two frames and goes on from there: the frames keep their spacing, and the
    // time stopped is left out of every later deadline.
    void anhalten();
    void fortsetzen();
    bool angehalten() const { return angehalten_.has_value(); }

signals:
    // The frame that is due: the receiver shows it, then asks for the next with `weiter`.
    void bild();

private:
    void wecke();
    std::chrono::steady_clock::time_point faellig() const { return beginn_ + bilder_ * takt_; }
    // How long until the next frame is due; zero when it is due or overdue.
    std::chrono::milliseconds rest() const;

    QTimer wecker_;
    Uhr jetzt_;
    std::chrono::milliseconds takt_;
    std::chrono::steady_clock::time_point beginn_;
    long bilder_ = 0; // frames shown since the start
    std::optional<std::chrono::steady_clock::time_point> angehalten_; // since when, if stopped
};
