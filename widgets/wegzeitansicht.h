#pragma once

#include "linie/linienprotokoll.h"

#include <QScrollArea>

#include <chrono>

class WegZeitFlaeche;

// The time-distance chart of the line's run on screen, in a scrolling area so that a long
// message stays usable. It is drawn as far as the run has come and follows it downward.
class WegZeitAnsicht : public QScrollArea {
    Q_OBJECT
public:
    explicit WegZeitAnsicht(QWidget* parent = nullptr);

    // A new run: an empty chart of its stations and length.
    void setProtokoll(Linienprotokoll protokoll);
    // The same run, its course decided further (a line across machines decides it as it runs):
    // the chart grows, and the time reached and the place shown stay.
    void ergaenze(Linienprotokoll protokoll);
    // The run has reached `zeit`: only the stretch of the chart since the last time is drawn
    // again. A time before the one reached changes nothing.
    void setZeit(std::chrono::milliseconds zeit);

private:
    WegZeitFlaeche* flaeche_;
};
