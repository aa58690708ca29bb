#include "netz/leitstellenserver.h"

#include <QEventLoopLocker>
#include <QNetworkInterface>
#include <QPointer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QWebSocket>
#include <QWebSocketServer>

using namespace netz;

namespace {

constexpr int meisteNachrichtenJeSekunde = 20;
constexpr int meisteFalscheWoerter = 5;
constexpr int meisteWartende = 10; // connections not yet joined, beside the stations

QString zufallswort()
{
    // Letters easily mistaken for others on a board (I, J, O, Q) are left out.
    static const QString buchstaben = QStringLiteral("ABCDEFGHKLMNPRSTUVWXYZ");
    QString wort;
    for (int i = 0; i < 4; ++i)
        wort += buchstaben.at(QRandomGenerator::system()->bounded(int(buchstaben.size())));
    return wort;
}

QString zufallstoken()
{
    QByteArray bytes(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(bytes.data()), 4);
    return QString::fromLatin1(bytes.toHex());
}

// Takes as long whatever the texts hold, so that the time of a refusal tells nothing about how
// much of a guess was right.
bool gleichInKonstanterZeit(const QString& a, const QString& b)
{
    const QByteArray x = a.toUtf8();
    const QByteArray y = b.toUtf8();
    unsigned unterschied = x.size() == y.size() ? 0 : 1;
    const qsizetype laenge = std::max(x.size(), y.size());
    const auto byte = [](const QByteArray& text, qsizetype i) {
        return i < text.size() ? unsigned(uchar(text[i])) : 0u;
    };
    for (qsizetype i = 0; i < laenge; ++i)
        unterschied |= byte(x, i) ^ byte(y, i);
    return unterschied == 0;
}

// An IPv4 peer reached through the dual-stack socket is counted under its IPv4 address.
QString adresseVon(const QWebSocket* socket)
{
    bool ipv4 = false;
    const quint32 v4 = socket->peerAddress().toIPv4Address(&ipv4);
    return ipv4 ? QHostAddress(v4).toString() : socket->peerAddress().toString();
}

// The WebSocket server tells why it cannot listen only in Qt's words; a plain TCP server on the
// same port fails the same way and names the cause, which is said here in German.
QString warumNichtOffen(quint16 port, const QString& qtText)
{
    QTcpServer probe;
    if (probe.listen(QHostAddress::Any, port))
        return qtText;
    switch (probe.serverError()) {
    case QAbstractSocket::AddressInUseError:
        return QStringLiteral("Port %1 ist schon belegt, wohl von einer anderen Leitstelle auf "
                              "diesem Rechner.")
            .arg(port);
    case QAbstractSocket::SocketAccessError:
        return QStringLiteral("Port %1 darf dieses Programm nicht öffnen (Ports unter 1024 nur "
                              "mit Administratorrechten).")
            .arg(port);
    default:
        return QStringLiteral("Port %1 lässt sich nicht öffnen (%2).").arg(port).arg(qtText);
    }
}

qint64 sekunden(std::chrono::milliseconds dauer)
{
    return (dauer.count() + 999) / 1000;
}

} // namespace

Leitstellenserver::Leitstellenserver(QObject* parent)
    : QObject(parent), server(new QWebSocketServer(QStringLiteral("Vellard-Telegraf Leitstelle"),
                                                   QWebSocketServer::NonSecureMode, this)),
      beitrittswort(zufallswort())
{
    connect(server, &QWebSocketServer::newConnection, this, &Leitstellenserver::neueVerbindung);
    uhr.setInterval(100);
    connect(&uhr, &QTimer::timeout, this, &Leitstellenserver::fristenPruefen);
}

// The connections still saying goodbye run on sockets that the listening server owns (Qt's
// WebSocket server keeps each TCP socket it took in): it stops listening now and goes only
// after the last goodbye.
Leitstellenserver::~Leitstellenserver()
{
    server->close();
    if (*abschiede > 0)
        server->setParent(nullptr);
}

bool Leitstellenserver::oeffnen(quint16 port)
{
    server->setHandshakeTimeout(beitrittsfrist);
    server->setMaxPendingConnections(meisteStationen + meisteWartende);
    if (!server->listen(QHostAddress::Any, port)) {
        letzterFehler = warumNichtOffen(port, server->errorString());
        return false;
    }
    uhr.start();
    return true;
}

bool Leitstellenserver::offen() const
{
    return server->isListening();
}

quint16 Leitstellenserver::port() const
{
    return server->serverPort();
}

void Leitstellenserver::setStationen(int anzahl)
{
    anzahlStationen = std::clamp(anzahl, 2, meisteStationen);
    while (!plaetze.empty() && plaetze.rbegin()->first > anzahlStationen)
        entfernen(plaetze.rbegin()->first, QStringLiteral("Die Linie wurde verkürzt"));
    plaetzeMelden();
}

QString Leitstellenserver::name(int platz) const
{
    const auto p = plaetze.find(platz);
    return p == plaetze.end() ? QString() : p->second.name;
}

bool Leitstellenserver::verbunden(int platz) const
{
    const auto p = plaetze.find(platz);
    return p != plaetze.end() && p->second.socket;
}

void Leitstellenserver::senden(int platz, const Bewegung& bewegung)
{
    sendenAn(platz, bewegung);
}
void Leitstellenserver::senden(int platz, const Darf& darf)
{
    sendenAn(platz, darf);
}
void Leitstellenserver::senden(int platz, const Ende& ende)
{
    sendenAn(platz, ende);
}

bool Leitstellenserver::verschieben(int von, int nach)
{
    if (!plaetze.contains(von) || plaetze.contains(nach) || nach < ersterPlatz ||
        nach > anzahlStationen)
        return false;
    auto knoten = plaetze.extract(von);
    knoten.key() = nach;
    if (knoten.mapped().socket)
        verbindungen[knoten.mapped().socket].platz = nach;
    plaetze.insert(std::move(knoten));
    plaetzeMelden();
    return true;
}

void Leitstellenserver::entfernen(int platz, const QString& grund)
{
    const auto p = plaetze.find(platz);
    if (p == plaetze.end())
        return;
    if (p->second.socket)
        verabschieden(p->second.socket, grund);
    plaetze.erase(platz);
    plaetzeMelden();
}

void Leitstellenserver::schliessen(const QString& grund)
{
    plaetze.clear(); // closing the line is not every pupil leaving it
    const QList<QWebSocket*> sockets = verbindungen.keys();
    for (QWebSocket* socket : sockets)
        verabschieden(socket, grund);
    server->close();
    uhr.stop();
}

QList<QHostAddress> Leitstellenserver::adressen()
{
    QList<QHostAddress> v4;
    QList<QHostAddress> v6;
    for (const QHostAddress& adresse : QNetworkInterface::allAddresses()) {
        if (adresse.isLoopback() || adresse.isLinkLocal())
            continue;
        (adresse.protocol() == QAbstractSocket::IPv4Protocol ? v4 : v6).append(adresse);
    }
    return v4 + v6;
}

void Leitstellenserver::neueVerbindung()
{
    while (QWebSocket* socket = server->nextPendingConnection()) {
        socket->setParent(this);
        socket->setMaxAllowedIncomingFrameSize(groessteNachricht);
        socket->setMaxAllowedIncomingMessageSize(groessteNachricht);
        connect(socket, &QWebSocket::disconnected, this, [this, socket] {
            verbindungZu(socket);
            socket->deleteLater();
        });
        Verbindung& v = verbindungen[socket];
        v.seitBeginn.start();
        v.seitLetzter.start();
        v.seitPing.start();
        if (gesperrt(socket->peerAddress())) {
            abweisen(socket, QStringLiteral("Zu viele falsche Beitrittswörter: bitte in %1 s "
                                            "wieder versuchen")
                                 .arg(sekunden(sperrdauer)));
            continue;
        }
        if (verbindungen.size() > meisteStationen + meisteWartende) {
            abweisen(socket, QStringLiteral("Zu viele Verbindungen"));
            continue;
        }
        connect(socket, &QWebSocket::textMessageReceived, this,
                [this, socket](const QString& text) { nachrichtErhalten(socket, text); });
        // The station's WebSocket answers each ping by itself: its heartbeat costs a few bytes.
        connect(socket, &QWebSocket::pong, this, [this, socket] {
            if (const auto v = verbindungen.find(socket); v != verbindungen.end())
                v->seitLetzter.start();
        });
        connect(socket, &QWebSocket::binaryMessageReceived, this, [this, socket] {
            abweisen(socket, QStringLiteral("Nur Textnachrichten sind erlaubt"));
        });
    }
}

void Leitstellenserver::nachrichtErhalten(QWebSocket* socket, const QString& text)
{
    const auto v = verbindungen.find(socket);
    if (v == verbindungen.end())
        return; // already refused; what it sent after that counts for nothing
    if (zuSchnell(*v))
        return abweisen(socket, QStringLiteral("Mehr als %1 Nachrichten in einer Sekunde")
                                    .arg(meisteNachrichtenJeSekunde));
    const Gelesen gelesen = lies(text.toUtf8());
    if (!gelesen.nachricht)
        return abweisen(socket, gelesen.grund);
    if (!vonStation(*gelesen.nachricht))
        return abweisen(socket, QStringLiteral("Diese Nachricht sendet nur die Leitstelle"));
    v->seitLetzter.start();
    const int platz = v->platz;
    if (const auto* beitritt = std::get_if<Beitreten>(&*gelesen.nachricht))
        return platz ? abweisen(socket, QStringLiteral("Schon beigetreten"))
                     : beitrittPruefen(socket, *beitritt);
    if (platz == 0)
        return abweisen(socket, QStringLiteral("Zuerst mit dem Beitrittswort beitreten"));
    if (const auto* stellung = std::get_if<Gestellt>(&*gelesen.nachricht))
        emit gestellt(platz, stellung->stellung);
}

void Leitstellenserver::beitrittPruefen(QWebSocket* socket, const Beitreten& beitritt)
{
    if (!gleichInKonstanterZeit(beitritt.wort, beitrittswort))
        return falschesWort(socket, QStringLiteral("Falsches Beitrittswort"));
    // A token of no place here (one removed, or of an earlier line) is a new join: the word
    // lets in, the token only keeps a place.
    if (const int platz = beitritt.token.isEmpty() ? 0 : platzMitToken(beitritt.token)) {
        if (QWebSocket* alt = plaetze[platz].socket) {
            verbindungen[alt].platz = 0; // its place goes on with the new connection
            plaetze[platz].socket = nullptr;
            abweisen(alt, QStringLiteral("Von einer neuen Verbindung abgelöst"));
        }
        return aufnehmen(socket, platz, beitritt.name);
    }
    const int platz = freierPlatz();
    if (platz == 0)
        return abweisen(socket, QStringLiteral("Die Linie ist voll"));
    plaetze[platz].token = zufallstoken();
    aufnehmen(socket, platz, beitritt.name);
}

void Leitstellenserver::falschesWort(QWebSocket* socket, const QString& grund)
{
    Sperre& sperre = sperren[adresseVon(socket)];
    if (++sperre.falscheWoerter >= meisteFalscheWoerter) {
        sperre.falscheWoerter = 0;
        sperre.seit.start();
    }
    abweisen(socket, grund);
}

void Leitstellenserver::aufnehmen(QWebSocket* socket, int platz, const QString& name)
{
    plaetze[platz].name = name;
    plaetze[platz].socket = socket;
    verbindungen[socket].platz = platz;
    emit beigetreten(platz, name);
    plaetzeMelden();
}

// Forgets a connection; a joined pupil's place stays theirs to take again with the token.
void Leitstellenserver::verbindungZu(QWebSocket* socket)
{
    const auto v = verbindungen.find(socket);
    if (v == verbindungen.end())
        return;
    const int platz = v->platz;
    verbindungen.erase(v);
    const auto p = plaetze.find(platz);
    if (p != plaetze.end() && p->second.socket == socket) {
        p->second.socket = nullptr;
        emit gegangen(platz);
    }
}

// Closes what overstays its deadline, and pings each joined station three times within its
// heartbeat's deadline, so that one late answer is no reason to give it up.
void Leitstellenserver::fristenPruefen()
{
    const QList<QWebSocket*> sockets = verbindungen.keys();
    for (QWebSocket* socket : sockets) {
        Verbindung& v = verbindungen[socket];
        if (v.platz == 0 && v.seitBeginn.elapsed() > beitrittsfrist.count()) {
            abweisen(socket, QStringLiteral("Kein Beitrittswort innerhalb von %1 s")
                                 .arg(sekunden(beitrittsfrist)));
        } else if (v.platz != 0 && v.seitLetzter.elapsed() > pulsfrist.count()) {
            abweisen(socket, QStringLiteral("Keine Antwort seit %1 s").arg(sekunden(pulsfrist)));
        } else if (v.platz != 0 && v.seitPing.elapsed() >= pulsfrist.count() / 3) {
            socket->ping();
            v.seitPing.start();
        }
    }
}

bool Leitstellenserver::gesperrt(const QHostAddress& adresse)
{
    bool ipv4 = false;
    const quint32 v4 = adresse.toIPv4Address(&ipv4);
    const auto s = sperren.find(ipv4 ? QHostAddress(v4).toString() : adresse.toString());
    if (s == sperren.end() || !s->seit.isValid())
        return false;
    if (s->seit.elapsed() < sperrdauer.count())
        return true;
    s->seit.invalidate();
    return false;
}

bool Leitstellenserver::zuSchnell(Verbindung& verbindung)
{
    const qint64 jetzt = verbindung.seitBeginn.elapsed();
    QList<qint64>& zeiten = verbindung.letzteNachrichten;
    const bool zuViele =
        zeiten.size() == meisteNachrichtenJeSekunde && jetzt - zeiten.front() < 1000;
    zeiten.append(jetzt);
    if (zeiten.size() > meisteNachrichtenJeSekunde)
        zeiten.removeFirst();
    return zuViele;
}

// Tells a station that broke a rule why, forgets it at once so that nothing more it sends
// counts, and closes; a peer that does not answer the close is cut off after the deadline.
void Leitstellenserver::abweisen(QWebSocket* socket, const QString& grund)
{
    socket->sendTextMessage(QString::fromUtf8(schreibe(Abschied{grund.left(laengsterText)})));
    socket->close(QWebSocketProtocol::CloseCodePolicyViolated, grund);
    gehenLassen(socket, abbaufrist);
}

// Says goodbye to a station that did no wrong: it closes itself once it has read all that was
// sent before. Closing here would stop reading from it, and a connection closed with unread
// data is reset, which drops what is still on its way. One that stays is closed after the
// deadline, and cut off after another.
void Leitstellenserver::verabschieden(QWebSocket* socket, const QString& grund)
{
    socket->sendTextMessage(QString::fromUtf8(schreibe(Abschied{grund.left(laengsterText)})));
    QTimer::singleShot(abbaufrist, socket, [socket, grund] {
        socket->close(QWebSocketProtocol::CloseCodeGoingAway, grund);
    });
    gehenLassen(socket, 2 * abbaufrist);
}

// The connection belongs to no Leitstelle from now on: what was sent before and the goodbye
// still reach the station in their order when the Leitstelle goes away at once, and the
// program, closing its last window, waits for them until the connection is gone.
void Leitstellenserver::gehenLassen(QWebSocket* socket, std::chrono::milliseconds frist)
{
    verbindungZu(socket);
    socket->setParent(nullptr);
    ++*abschiede;
    auto* bleiben = new QEventLoopLocker;
    connect(socket, &QObject::destroyed, [bleiben, offen = abschiede, listener = QPointer(server)] {
        delete bleiben;
        if (--*offen == 0 && listener && !listener->parent())
            listener->deleteLater();
    });
    connect(socket, &QWebSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(frist, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
}

void Leitstellenserver::sendenAn(int platz, const Nachricht& nachricht)
{
    const QString text = QString::fromUtf8(schreibe(nachricht));
    for (const auto& [nummer, p] : plaetze)
        if (p.socket && (platz == alle || platz == nummer))
            p.socket->sendTextMessage(text);
}

// Each joined station learns its place, the line's length and who stands before it.
void Leitstellenserver::plaetzeMelden()
{
    for (const auto& [nummer, p] : plaetze)
        if (p.socket)
            p.socket->sendTextMessage(QString::fromUtf8(
                schreibe(Willkommen{p.token, nummer, anzahlStationen, name(nummer - 1)})));
}

int Leitstellenserver::freierPlatz() const
{
    for (int platz = ersterPlatz; platz <= anzahlStationen; ++platz)
        if (!plaetze.contains(platz))
            return platz;
    return 0;
}

int Leitstellenserver::platzMitToken(const QString& token) const
{
    int gefunden = 0;
    for (const auto& [nummer, p] : plaetze)
        if (gleichInKonstanterZeit(token, p.token))
            gefunden = nummer;
    return gefunden;
}
