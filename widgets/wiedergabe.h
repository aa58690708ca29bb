#pragma once

#include <QObject>

class Lesemarke;
class QPlainTextEdit;
class Timer;

// The message playback beside a memo: at every tick of its timer the next character of the
// memo's text as the telegraph sends it, marked in the memo where it was written, endlessly
// from the first character again after the last.
class Wiedergabe : public QObject {
    Q_OBJECT
public:
    explicit Wiedergabe(QPlainTextEdit& memo);

    // Whether the timer runs.
    bool laeuft() const;
    // The 1-based position of the character shown last; 0 before the first tick.
    int position() const { return position_; }
    // Goes on after `position` at the next tick, as if that many characters had been shown.
    void setzeFort(int position) { position_ = position; }
    // The time between two ticks, in milliseconds.
    int abstand() const;

    // Starts from the first character, one full interval from now, or stops.
    void umschalten();
    // Stops; a playback that was not running stays so.
    void anhalten();
    // Sets the time between two ticks; a running count starts again.
    void setAbstand(double sekunden);

    // The character to show at this tick, marked in the memo; the space for a message with
    // nothing to send, which leaves the telegraph at rest.
    char naechstesZeichen();

signals:
    void tick();

private:
    QPlainTextEdit& memo_;
    Timer* timer_;
    Lesemarke* marke_;
    int position_ = 0;
};
