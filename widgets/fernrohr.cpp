#include "widgets/fernrohr.h"

#include "bedienung/bewegung.h"
#include "widgets/station.h"

#include <QVBoxLayout>

namespace {

// However many movements arrive at once, the telescope never falls further behind than this;
// beyond it the oldest are left out and the picture jumps.
constexpr std::size_t meisteFolgen = 64;

} // namespace

Fernrohr::Fernrohr(const Signalcode& code, QWidget* parent)
    : QWidget(parent), code_(code), takt_(bewegungsTakt)
{
    setObjectName(QStringLiteral("fernrohr"));
    setFixedSize(Station::groesse);
    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(0, 0, 0, 0);
    connect(&takt_, &Bildtakt::bild, this, &Fernrohr::naechstesBild);
    setNummer(1);
}

void Fernrohr::setNummer(int nummer)
{
    takt_.halte();
    plan_.clear();
    folgen_.clear();
    ziel_ = endstellung_ = ruhestellung;
    delete station_;
    station_ = new Station(nummer, this);
    layout()->addWidget(station_);
}

void Fernrohr::bewege(const Stellung& von, const Stellung& nach)
{
    endstellung_ = nach;
    folgen_.emplace_back(von, nach);
    if (folgen_.size() > meisteFolgen)
        folgen_.pop_front();
    if (plan_.empty())
        beginne();
}

char Fernrohr::zeichen() const
{
    return station_->zeichen();
}

// The next movement starts where it says it starts: the station before may have been seen
// standing elsewhere if a movement was left out.
void Fernrohr::beginne()
{
    const auto [von, nach] = folgen_.front();
    folgen_.pop_front();
    plan_ = bewegungsplan(von, nach);
    plan_.push_back(nach);
    ziel_ = nach;
    bild_ = 0;
    takt_.starte();
}

void Fernrohr::naechstesBild()
{
    if (bild_ + 1 < plan_.size()) {
        station_->zeige(plan_[bild_++]);
        takt_.weiter();
        return;
    }
    plan_.clear();
    station_->steht(ziel_, code_.zeichenDesBildes(ziel_));
    if (!folgen_.empty())
        return beginne();
    emit steht();
}
