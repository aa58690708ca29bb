#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

// The clock of a run of frames at a steady pace: frame k is due k times the pace after `starte`.
// Every frame has its own deadline from that one start, so a late frame does not delay the
// rest; one that is overdue comes at the next pass of the event loop, so that none is left out.
class Bildtakt : public QObject {
    Q_OBJECT
public:
    explicit Bildtakt(std::chrono::milliseconds takt, QObject* parent = nullptr);

    // The time between two frames; zero makes every frame due at once.
    void setTakt(std::chrono::milliseconds takt) { takt_ = takt; }
    // Frame 0 is due now.
    void starte();
    // The frame after the one just shown is due at its deadline.
    void weiter();
    void halte() { uhr_.stop(); }

signals:
    // The frame that is due: the receiver shows it, then asks for the next with `weiter`.
    void bild();

private:
    void wecke();
    std::chrono::steady_clock::time_point faellig() const { return beginn_ + bilder_ * takt_; }

    QTimer uhr_;
    std::chrono::milliseconds takt_;
    std::chrono::steady_clock::time_point beginn_;
    long bilder_ = 0; // frames shown since the start
};
