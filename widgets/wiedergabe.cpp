#include "widgets/wiedergabe.h"

#include "bedienung/normalisieren.h"
#include "bedienung/wiedergabeschritt.h"
#include "controls/timer.h"
#include "widgets/lesemarke.h"

#include <QPlainTextEdit>

Wiedergabe::Wiedergabe(QPlainTextEdit& memo)
    : QObject(&memo), memo_(memo), timer_(new Timer(abstandMs(abstand::anfang), this)),
      marke_(new Lesemarke(memo))
{
    timer_->setObjectName(QStringLiteral("Timer1"));
    connect(timer_, &Timer::tick, this, &Wiedergabe::tick);
}

bool Wiedergabe::laeuft() const
{
    return timer_->enabled();
}

int Wiedergabe::abstand() const
{
    return timer_->interval();
}

void Wiedergabe::umschalten()
{
    position_ = 0;
    marke_->entferne();
    timer_->setEnabled(!timer_->enabled());
}

void Wiedergabe::anhalten()
{
    marke_->entferne();
    timer_->setEnabled(false);
}

void Wiedergabe::setAbstand(double sekunden)
{
    timer_->setInterval(abstandMs(sekunden));
}

char Wiedergabe::naechstesZeichen()
{
    // The next character is the one after `position`, or the first one when the message has
    // come to its end: only their sources are needed.
    const Gesendet nachricht =
        normalisierenMitQuellen(memo_.toPlainText(), {static_cast<std::size_t>(position_), 0});
    const Wiedergabeschritt schritt = naechsterSchritt(nachricht.zeichen, position_);
    position_ = schritt.position;
    const auto quelle = nachricht.quellen.find(static_cast<std::size_t>(position_ - 1));
    if (position_ > 0 && quelle != nachricht.quellen.end())
        marke_->setze(quelle->second.anfang, quelle->second.ende);
    else
        marke_->entferne();
    return schritt.zeichen;
}
