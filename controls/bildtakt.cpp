#include "controls/bildtakt.h"

using namespace std::chrono;

Bildtakt::Bildtakt(milliseconds takt, QObject* parent)
    : QObject(parent), jetzt_(&steady_clock::now), takt_(takt)
{
    wecker_.setSingleShot(true);
    wecker_.setTimerType(Qt::PreciseTimer);
    connect(&wecker_, &QTimer::timeout, this, &Bildtakt::wecke);
}

milliseconds Bildtakt::rest() const
{
    return std::max(ceil<milliseconds>(faellig() - jetzt_()), milliseconds(0));
}

void Bildtakt::starte()
{
    beginn_ = jetzt_();
    bilder_ = 0;
    angehalten_.reset();
    wecker_.start(0);
}

void Bildtakt::weiter()
{
    weiterZu(bilder_ + 1);
}

void Bildtakt::weiterZu(long bild)
{
    bilder_ = bild;
    if (!angehalten_)
        wecker_.start(rest());
}

void Bildtakt::anhalten()
{
    if (angehalten_)
        return;
    angehalten_ = jetzt_();
    wecker_.stop();
}

void Bildtakt::fortsetzen()
{
    if (!angehalten_)
        return;
    beginn_ += jetzt_() - *angehalten_;
    angehalten_.reset();
    wecker_.start(rest());
}

// A timer may wake a little early; the frame waits for its deadline.
void Bildtakt::wecke()
{
    if (angehalten_)
        return;
    if (const milliseconds r = rest(); r > r.zero()) {
        wecker_.start(r);
        return;
    }
    emit bild();
}
