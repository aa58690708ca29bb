#include "controls/bildtakt.h"

using namespace std::chrono;

Bildtakt::Bildtakt(milliseconds takt, QObject* parent) : QObject(parent), takt_(takt)
{
    uhr_.setSingleShot(true);
    uhr_.setTimerType(Qt::PreciseTimer);
    connect(&uhr_, &QTimer::timeout, this, &Bildtakt::wecke);
}

void Bildtakt::starte()
{
    beginn_ = steady_clock::now();
    bilder_ = 0;
    uhr_.start(0);
}

void Bildtakt::weiter()
{
    ++bilder_;
    uhr_.start(std::max(ceil<milliseconds>(faellig() - steady_clock::now()), milliseconds(0)));
}

// A timer may wake a little early; the frame waits for its deadline.
void Bildtakt::wecke()
{
    if (const auto rest = faellig() - steady_clock::now(); rest > rest.zero()) {
        uhr_.start(ceil<milliseconds>(rest));
        return;
    }
    emit bild();
}
