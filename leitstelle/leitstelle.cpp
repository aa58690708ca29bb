#include "leitstelle/leitstelle.h"

#include <algorithm>

using namespace std::chrono_literals;

namespace {

const Linienplan keinPlan;

// The model counts its stations from 0, the wire its places from 1.
int platzVon(int station)
{
    return station + 1;
}
int stationVon(int platz)
{
    return platz - 1;
}

} // namespace

Leitstelle::Leitstelle(const Signalcode& code, QObject* parent)
    : QObject(parent), code_(code), server_(new Leitstellenserver(this))
{
    server_->setErsterPlatz(2); // place 1 is the sender, never a pupil
    server_->setStationen(ueblicheStationen);
    wecker_.setSingleShot(true);
    wecker_.setTimerType(Qt::PreciseTimer);
    connect(&wecker_, &QTimer::timeout, this, &Leitstelle::takt);
    connect(server_, &Leitstellenserver::beigetreten, this, &Leitstelle::beigetreten);
    connect(server_, &Leitstellenserver::gestellt, this, &Leitstelle::gestellt);
    connect(server_, &Leitstellenserver::gegangen, this, &Leitstelle::gegangen);
}

Leitstelle::~Leitstelle()
{
    schliessen();
}

bool Leitstelle::oeffnen(quint16 port)
{
    return server_->oeffnen(port);
}

void Leitstelle::schliessen()
{
    wecker_.stop();
    laeuft_ = false;
    server_->schliessen(QStringLiteral("Die Leitstelle hat die Linie geschlossen."));
}

void Leitstelle::setStationen(int anzahl)
{
    if (laeuft_)
        return;
    server_->setStationen(anzahl);
    emit plaetzeGeaendert();
}

bool Leitstelle::verschieben(int von, int nach)
{
    const bool verschoben = !laeuft_ && server_->verschieben(von, nach);
    if (verschoben)
        emit plaetzeGeaendert();
    return verschoben;
}

void Leitstelle::entfernen(int platz)
{
    if (laeuft_)
        return;
    server_->entfernen(platz, QStringLiteral("Die Lehrkraft hat dich aus der Linie genommen."));
    emit plaetzeGeaendert();
}

const Linienplan& Leitstelle::plan() const
{
    return modell_ ? modell_->plan() : keinPlan;
}

Leitstelle::ms Leitstelle::jetzt() const
{
    return uhr_.isValid() ? ms(uhr_.elapsed() * tempo_) : 0ms;
}

QString Leitstelle::wer(int zeichen, int station) const
{
    const auto i = static_cast<std::size_t>(zeichen * stationen() + station);
    return i < werGesetzt_.size() ? werGesetzt_[i] : QString();
}

bool Leitstelle::senden(Linienwahl wahl)
{
    const auto laenge = wahl.nachricht.size();
    if (laeuft_ || laenge == 0 || laenge > static_cast<std::size_t>(netz::laengsteZeile))
        return false;
    wahl.stationen = stationen();
    wahl_ = std::move(wahl);
    modell_ = std::make_unique<Linienmodell>(wahl_, code_);
    namen_.assign(static_cast<std::size_t>(stationen()), QString());
    werGesetzt_.assign(laenge * static_cast<std::size_t>(stationen()), QString());
    for (int platz = 2; platz <= stationen(); ++platz) {
        if (server_->verbunden(platz)) {
            modell_->setMensch(stationVon(platz));
            namen_[static_cast<std::size_t>(stationVon(platz))] = server_->name(platz);
        }
    }
    ausstehend_.clear();
    enden_.clear();
    darfZuletzt_.clear();
    laeuft_ = true;
    uhr_.start();
    aufnehmen(modell_->entscheide());
    takt();
    return true;
}

void Leitstelle::beigetreten(int platz, const QString& name)
{
    darfZuletzt_.remove(platz);
    emit plaetzeGeaendert();
    if (!laeuft_)
        return melde(platz, {netz::Warte::Nachricht}, true);
    // Back in the middle of a message: the pupil takes over from the next character not yet
    // decided, and first sees where the station before and his own telegraph stand.
    const int station = stationVon(platz);
    modell_->setMensch(station);
    namen_[static_cast<std::size_t>(station)] = name;
    zeigeStand(platz);
    takt();
}

void Leitstelle::gestellt(int platz, const Stellung& stellung)
{
    const int station = stationVon(platz);
    if (!laeuft_ || !modell_->mensch(station))
        return melde(platz, darfFuer(station), true);
    const ms t = jetzt();
    if (modell_->warten(station, t) != Linienmodell::Warten::Darf)
        return melde(platz, darfFuer(station), true);
    aufnehmen(modell_->weitergeben(station, stellung, t));
    // Having passed on, the pupil waits for the station before's next character, as nearly
    // always; he is told only when it is otherwise, which keeps the line's traffic down.
    darfZuletzt_.insert(platz, {netz::Warte::Vorgaenger});
    takt();
}

// A pupil who left is replaced at once, so that the message never waits for him.
void Leitstelle::gegangen(int platz)
{
    darfZuletzt_.remove(platz);
    emit plaetzeGeaendert();
    const int station = stationVon(platz);
    if (!laeuft_ || !modell_->mensch(station))
        return;
    namen_[static_cast<std::size_t>(station)].clear();
    aufnehmen(modell_->ersetze(station, jetzt()));
    takt();
}

// Keeps newly decided movements until they start, and who set each character.
void Leitstelle::aufnehmen(const std::vector<Linienbewegung>& neu)
{
    for (const Linienbewegung& b : neu) {
        ausstehend_.emplace(b.beginn, b);
        enden_.insert(b.ende);
        if (b.steht != '\0') {
            const auto i = static_cast<std::size_t>(b.zeichen * stationen() + b.station);
            werGesetzt_[i] = b.mensch ? namen_[static_cast<std::size_t>(b.station)] : QString();
        }
    }
}

// Sends what has started by now, tells the pupils what changed, and sleeps until the next
// movement starts or ends.
void Leitstelle::takt()
{
    if (!laeuft_)
        return;
    const ms t = jetzt();
    while (!ausstehend_.empty() && ausstehend_.begin()->first <= t) {
        const Linienbewegung b = ausstehend_.begin()->second;
        ausstehend_.erase(ausstehend_.begin());
        schicke(b);
    }
    enden_.erase(enden_.begin(), enden_.upper_bound(t));
    darfMelden(false);
    if (modell_->fertig() && ausstehend_.empty() && enden_.empty())
        return beenden();
    ms naechste = enden_.empty() ? ms::max() : *enden_.begin();
    if (!ausstehend_.empty())
        naechste = std::min(naechste, ausstehend_.begin()->first);
    if (naechste == ms::max())
        return; // waiting for a pupil
    const auto warte = (naechste - t + ms(tempo_ - 1)) / tempo_;
    wecker_.start(std::max(warte, 0ms));
}

// The station that shows a movement and the one after it, which reads it, both get it.
void Leitstelle::schicke(const Linienbewegung& b)
{
    const int platz = platzVon(b.station);
    const netz::Bewegung nachricht{platz, b.von, b.nach, b.beginn.count()};
    server_->senden(platz, nachricht);
    if (platz < stationen())
        server_->senden(platz + 1, nachricht);
    emit bewegt(b);
}

// The last movement begun by the station before a pupil and by his own, so that a pupil who
// joins again sees where they stand.
void Leitstelle::zeigeStand(int platz)
{
    const int station = stationVon(platz);
    const ms t = jetzt();
    const auto& alle = plan().bewegungen;
    for (const int s : {station - 1, station}) {
        const auto letzte = std::find_if(alle.rbegin(), alle.rend(), [&](const auto& b) {
            return b.station == s && b.beginn <= t;
        });
        if (letzte != alle.rend())
            server_->senden(platz, netz::Bewegung{platzVon(s), letzte->von, letzte->nach,
                                                  letzte->beginn.count()});
    }
}

void Leitstelle::darfMelden(bool immer)
{
    for (int station = 1; station < stationen(); ++station)
        if (modell_->mensch(station))
            melde(platzVon(station), darfFuer(station), immer);
}

netz::Darf Leitstelle::darfFuer(int station) const
{
    using netz::Warte;
    if (!laeuft_)
        return {Warte::Nachricht};
    using W = Linienmodell::Warten;
    switch (modell_->warten(station, jetzt())) {
    case W::Darf:
        return {Warte::Nicht};
    case W::AufVorgaenger:
        return {Warte::Vorgaenger};
    case W::AufBewegung:
        return {Warte::Bewegung};
    case W::AufNachfolger:
        return {Warte::Nachfolger};
    case W::Fertig:
    case W::KeinMensch:
        break;
    }
    return {Warte::Fertig};
}

void Leitstelle::melde(int platz, const netz::Darf& darf, bool immer)
{
    const auto alt = darfZuletzt_.constFind(platz);
    if (!immer && alt != darfZuletzt_.constEnd() && *alt == darf)
        return;
    darfZuletzt_.insert(platz, darf);
    server_->senden(platz, darf);
}

void Leitstelle::beenden()
{
    laeuft_ = false;
    wecker_.stop();
    const QString nachricht = QString::fromStdString(wahl_.nachricht);
    const QString empfangen = QString::fromStdString(plan().empfangen);
    for (int platz = 2; platz <= stationen(); ++platz)
        server_->senden(platz, netz::Ende{nachricht, empfangen, zeile(stationVon(platz))});
    emit fertig();
}

// What the model's `station` came to stand in, character by character.
QString Leitstelle::zeile(int station) const
{
    QString gesetzt;
    for (const Linienbewegung& b : plan().bewegungen)
        if (b.station == station && b.steht != '\0')
            gesetzt += QLatin1Char(b.steht);
    return gesetzt;
}
