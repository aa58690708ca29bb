#pragma once

#include "signal/stellung.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

// The messages between the Leitstelle and the stations of a line across machines: one JSON
// object per WebSocket text frame, with the protocol version "v" and the kind "typ". Every
// message that arrives is read by `lies`, which takes only what fits the list below exactly
// (no other field, every value of its type and within its limits) and otherwise says why not.
//
//   station -> Leitstelle
//     beitreten  {wort, name, token?}   join with the word on the board; the token takes the
//                                       station's place again after a drop
//     gestellt   {stellung: [r, i1, i2]} the pupil passes the signal on
//     puls       {}                      the station is still there; allowed, not needed: the
//                                       heartbeat runs on WebSocket pings both ways
//   Leitstelle -> station
//     willkommen {token, station, stationen, vorName} the place in the line (from 1) and who
//                                       stands before it (empty: the simulated operator)
//     bewegung   {station, von, nach, beginn} one movement of the station before or of the
//                                       station's own telegraph; beginn in ms since the message
//                                       started
//     darf       {warte?}                passing on is allowed; with "warte", what the pupil
//                                       waits for: nachricht, vorgaenger, bewegung, nachfolger
//                                       or fertig (the station words it, which keeps the
//                                       message short)
//     ende       {nachricht, empfangen, zeile} the message, what arrived, what this station set
//     abschied   {grund}                 the Leitstelle closes the line
namespace netz {

inline constexpr int protokollVersion = 2;
// The port a Leitstelle listens on and a station asks for when none is given.
inline constexpr quint16 standardPort = 47300;
inline constexpr qsizetype groessteNachricht = 4096; // bytes, as it travels
inline constexpr int meisteStationen = 30;
inline constexpr int laengsterName = 20;   // characters
inline constexpr int laengsterText = 200;  // characters of a reason
inline constexpr int laengsteZeile = 1000; // characters of the message at the end
inline constexpr qint64 spaetesterBeginn = 24LL * 60 * 60 * 1000; // a day, in ms

struct Beitreten {
    QString wort;
    QString name;
    QString token; // empty on the first join
    friend bool operator==(const Beitreten&, const Beitreten&) = default;
};
struct Gestellt {
    Stellung stellung;
    friend bool operator==(const Gestellt&, const Gestellt&) = default;
};
struct Puls {
    friend bool operator==(const Puls&, const Puls&) = default;
};
struct Willkommen {
    QString token;
    int station = 1;
    int stationen = 2;
    QString vorName;
    friend bool operator==(const Willkommen&, const Willkommen&) = default;
};
struct Bewegung {
    int station = 1;
    Stellung von;
    Stellung nach;
    qint64 beginn = 0;
    friend bool operator==(const Bewegung&, const Bewegung&) = default;
};
// What a pupil waits for before passing on: nothing, the message, the station before's next
// character, his own telegraph's turning, the station after's repeat, or nothing more to do.
enum class Warte { Nicht, Nachricht, Vorgaenger, Bewegung, Nachfolger, Fertig };
struct Darf {
    Warte warte = Warte::Nicht;
    bool ja() const { return warte == Warte::Nicht; }
    friend bool operator==(const Darf&, const Darf&) = default;
};
struct Ende {
    QString nachricht;
    QString empfangen;
    QString zeile;
    friend bool operator==(const Ende&, const Ende&) = default;
};
struct Abschied {
    QString grund;
    friend bool operator==(const Abschied&, const Abschied&) = default;
};

using Nachricht =
    std::variant<Beitreten, Gestellt, Puls, Willkommen, Bewegung, Darf, Ende, Abschied>;

// What `lies` made of a text: the message, or a German reason why it was refused.
struct Gelesen {
    std::optional<Nachricht> nachricht;
    QString grund;
    bool andereVersion = false; // well-formed, but of another protocol version
};

Gelesen lies(const QByteArray& text);
QByteArray schreibe(const Nachricht& nachricht);

// Whether a message is one a station sends (and not one the Leitstelle sends).
bool vonStation(const Nachricht& nachricht);

// Checks shared with the server: a join word is four capital letters, a token 32 hex digits.
bool gueltigesWort(const QString& wort);
bool gueltigerToken(const QString& token);
bool gueltigerName(const QString& name);

} // namespace netz
