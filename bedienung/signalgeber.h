#pragma once

#include "signal/stellung.h"

// A telegraph as the rules that drive it see it: it turns to a signal or takes one at once, and
// it is the one that knows whether it moves and where it will stand. Whoever waits for it is
// told by it when its signal stands (the widget's `steht`).
class Signalgeber {
public:
    virtual ~Signalgeber() = default;

    // Turns to `ziel`, writing `zeichen` beside the mast; a target given during a movement is
    // taken up when that one ends, of several the latest.
    virtual void bewegen(const Stellung& ziel, char zeichen) = 0;
    // Takes `stellung` at once; a running movement ends there without being told.
    virtual void stelle(const Stellung& stellung, char zeichen) = 0;
    // Writes `zeichen` beside the mast; the beams stay or go on turning.
    virtual void schreibe(char zeichen) = 0;
    // Stops at once in the running movement's target, without being told.
    virtual void anhalten() = 0;

    virtual bool bewegungLaeuft() const = 0;
    // Where it stands once the movements given so far have ended; where it stands, if none runs.
    virtual Stellung endstellung() const = 0;

protected:
    Signalgeber() = default;
    Signalgeber(const Signalgeber&) = default;
    Signalgeber& operator=(const Signalgeber&) = default;
};
