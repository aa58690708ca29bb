#pragma once

#include "linie/linienmodell.h"
#include "netz/leitstellenserver.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <map>
#include <memory>
#include <set>

// The teacher's side of a line across machines: the line's rules (Linienmodell) joined to the
// stations on the network (Leitstellenserver). Place 1 is the Leitstelle's own sender; a pupil
// at place p is the model's station p - 1, and every place without a pupil is played by the
// simulated operator. Each movement goes out when it starts, to the station that shows it and
// to the one after it, which reads it through the telescope; each pupil learns whenever passing
// on becomes allowed or not, and why.
class Leitstelle : public QObject {
    Q_OBJECT
public:
    using ms = std::chrono::milliseconds;

    explicit Leitstelle(const Signalcode& code, QObject* parent = nullptr);
    ~Leitstelle() override;

    // Listens for stations on `port` (0: any free one); false with server().fehler() if not.
    bool oeffnen(quint16 port);
    // Says goodbye to every station with a German reason and stops listening.
    void schliessen();
    const Leitstellenserver& server() const { return *server_; }

    // The line's length, 2 to 30 places, the Leitstelle's sender included; not while sending.
    void setStationen(int anzahl);
    int stationen() const { return server_->stationen(); }
    // Before sending, the teacher moves a pupil to a free place or removes one.
    bool verschieben(int von, int nach);
    void entfernen(int platz);

    // Sends `wahl.nachricht` (1 to 1000 characters the code knows) along the line, with the
    // operators' reading time, misread chance and seed from `wahl`; its length is the line's.
    // False while a message is under way or for an empty or overlong one.
    bool senden(Linienwahl wahl);
    bool laeuft() const { return laeuft_; }
    // The message last sent, as far as it is decided; empty before the first.
    const Linienplan& plan() const;
    const std::string& nachricht() const { return wahl_.nachricht; }
    // The line's time since the message started.
    ms jetzt() const;
    // Who set the character at `zeichen` at the model's `station`: the pupil's name, or empty
    // for the simulated operator; known once the movement is decided.
    QString wer(int zeichen, int station) const;

    // Lets the line's time run `faktor` times faster than the wall clock; for tests.
    void setTempo(int faktor) { tempo_ = std::max(faktor, 1); }

signals:
    // A movement of the model's `bewegung.station` has started now.
    void bewegt(const Linienbewegung& bewegung);
    // The last station stands in the last character; plan() is complete.
    void fertig();
    // A pupil joined, left, moved or was removed.
    void plaetzeGeaendert();

private:
    void beigetreten(int platz, const QString& name);
    void gestellt(int platz, const Stellung& stellung);
    void gegangen(int platz);
    void aufnehmen(const std::vector<Linienbewegung>& neu);
    void takt();
    void schicke(const Linienbewegung& b);
    void zeigeStand(int platz);
    void darfMelden(bool immer);
    netz::Darf darfFuer(int station) const;
    void melde(int platz, const netz::Darf& darf, bool immer);
    void beenden();
    QString zeile(int station) const;

    const Signalcode& code_;
    Leitstellenserver* server_;
    Linienwahl wahl_;
    std::unique_ptr<Linienmodell> modell_;
    bool laeuft_ = false;
    QElapsedTimer uhr_;
    int tempo_ = 1;
    QTimer wecker_;
    std::multimap<ms, Linienbewegung> ausstehend_; // decided, not yet started: by start
    std::set<ms> enden_;                           // ends still to come, when passing on may change
    std::vector<QString> namen_;         // the pupil at each model station, empty: simulated
    std::vector<QString> werGesetzt_;    // by character, then station
    QHash<int, netz::Darf> darfZuletzt_; // by place: what each pupil was told last
};
