#pragma once

#include "geometrie/geometrie.h"
#include "signal/stellung.h"

#include <QWidget>

// One station of a line of telegraphs: a small telegraph, beneath it its number ("Station 1")
// and the character its signal stands for. It shows each frame it is given and repaints only
// where a beam moved. For a screen reader it is an object named by its number, whose
// description says what it shows.
class Station : public QWidget {
    Q_OBJECT
public:
    explicit Station(int nummer, QWidget* parent = nullptr);

    // A frame of a movement.
    void zeige(const Stellung& stellung);
    // The station stands in `stellung`, the signal of `zeichen` ('?' for a picture that is no
    // character's, ' ' for none, as at rest).
    void steht(const Stellung& stellung, char zeichen);

    char zeichen() const { return zeichen_; }

    // A station's size; its telegraph's scale follows from the width.
    static constexpr QSize groesse{120, 190};

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void beschreibe();

    const int nummer_;
    Stellung stellung_ = ruhestellung;
    Fluegelbild arme_;          // the arms as drawn, worked out once for each position
    bool armeVeraltet_ = false; // moved while out of sight: arme_ is older than stellung_
    char zeichen_ = ' ';
};
