#pragma once

#include "controls/bildtakt.h"
#include "signal/signalcode.h"
#include "signal/stellung.h"

#include <QWidget>

#include <chrono>
#include <deque>
#include <utility>
#include <vector>

class Station;

// The station before, as a pupil sees it through the telescope: a small station telegraph that
// plays each movement it is given at the telegraph's pace, on this machine's own clock. Movements
// given while one plays follow in their order, so that every signal the station before showed
// is seen.
class Fernrohr : public QWidget {
    Q_OBJECT
public:
    explicit Fernrohr(const Signalcode& code, QWidget* parent = nullptr);

    // The number of the station seen; the picture starts again at rest.
    void setNummer(int nummer);
    // Turns from `von` to `nach`, after the movements given before.
    void bewege(const Stellung& von, const Stellung& nach);
    bool bewegungLaeuft() const { return !plan_.empty() || !folgen_.empty(); }
    // Where the station stands once every movement given has been played.
    Stellung endstellung() const { return endstellung_; }
    // The character the station shows while it stands ('?' for no character, ' ' at rest).
    char zeichen() const;

    void setTakt(std::chrono::milliseconds takt) { takt_.setTakt(takt); }

signals:
    // The last movement given has been played: the station stands.
    void steht();

private:
    void beginne();
    void naechstesBild();

    const Signalcode& code_;
    Station* station_ = nullptr;
    Bildtakt takt_;
    std::vector<Stellung> plan_; // the frames of the movement that plays
    std::size_t bild_ = 0;       // the next of them
    Stellung ziel_ = ruhestellung;
    Stellung endstellung_ = ruhestellung;
    std::deque<std::pair<Stellung, Stellung>> folgen_; // movements given meanwhile
};
