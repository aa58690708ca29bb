#include "netz/stationsverbindung.h"

#include <QUrl>

using namespace netz;

Stationsverbindung::Stationsverbindung(QObject* parent) : QObject(parent)
{
    socket.setMaxAllowedIncomingFrameSize(groessteNachricht);
    socket.setMaxAllowedIncomingMessageSize(groessteNachricht);
    connect(&socket, &QWebSocket::connected, this, &Stationsverbindung::verbunden);
    connect(&socket, &QWebSocket::textMessageReceived, this,
            &Stationsverbindung::nachrichtErhalten);
    connect(&socket, &QWebSocket::binaryMessageReceived, this, [this] {
        beenden(QStringLiteral("Die Leitstelle sendet etwas, das dieses Programm nicht kennt"));
    });
    // A pong answers the ping sent with every heartbeat, so a silent Leitstelle is noticed.
    connect(&socket, &QWebSocket::pong, this, [this] { seitLetzter.start(); });
    connect(&socket, &QWebSocket::disconnected, this, &Stationsverbindung::getrennt);
    puls.setInterval(1000);
    connect(&puls, &QTimer::timeout, this, &Stationsverbindung::pulsen);
}

// The socket outlives the heartbeat's timer, declared after it, and tells of its closing while
// it is destroyed: by then nobody is to hear it.
Stationsverbindung::~Stationsverbindung()
{
    socket.disconnect(this);
}

void Stationsverbindung::verbinden(const QString& host, quint16 port, const QString& wort,
                                   const QString& name)
{
    this->wort = wort.trimmed().toUpper();
    this->name = name.trimmed();
    platz = 0;
    laeuft = true;
    const QString fehler =
        !gueltigesWort(this->wort)   ? QStringLiteral("Das Beitrittswort hat vier Buchstaben")
        : !gueltigerName(this->name) ? QStringLiteral("Der Name braucht 1 bis 20 Zeichen")
                                     : QString();
    if (!fehler.isEmpty()) {
        // Told after returning, like every other end of the connection.
        QMetaObject::invokeMethod(
            this, [this, fehler] { beenden(fehler); }, Qt::QueuedConnection);
        return;
    }
    QUrl url;
    url.setScheme(QStringLiteral("ws"));
    url.setHost(host);
    url.setPort(port);
    seitLetzter.start();
    puls.start(); // also bounds the wait for the connection itself
    socket.open(url);
}

void Stationsverbindung::stellen(const Stellung& stellung)
{
    senden(Gestellt{stellung});
}

void Stationsverbindung::trennen()
{
    laeuft = false;
    puls.stop();
    platz = 0;
    socket.close(QWebSocketProtocol::CloseCodeNormal, QStringLiteral("Station beendet"));
}

void Stationsverbindung::verbunden()
{
    senden(Beitreten{wort, name, schluessel});
}

void Stationsverbindung::nachrichtErhalten(const QString& text)
{
    seitLetzter.start();
    const Gelesen gelesen = lies(text.toUtf8());
    if (!gelesen.nachricht)
        return beenden(QStringLiteral("Ungültige Nachricht von der Leitstelle: ") + gelesen.grund);
    if (vonStation(*gelesen.nachricht))
        return beenden(QStringLiteral("Die Leitstelle sendet eine Nachricht einer Station"));
    const Nachricht& n = *gelesen.nachricht;
    if (const auto* w = std::get_if<Willkommen>(&n)) {
        schluessel = w->token;
        platz = w->station;
        emit willkommen(*w);
    } else if (const auto* b = std::get_if<Bewegung>(&n)) {
        emit bewegung(*b);
    } else if (const auto* d = std::get_if<Darf>(&n)) {
        emit darf(*d);
    } else if (const auto* e = std::get_if<Ende>(&n)) {
        emit ende(*e);
    } else if (const auto* a = std::get_if<Abschied>(&n)) {
        // All the Leitstelle sent before has been read: the station goes, as it is asked to.
        beenden(a->grund);
    }
}

void Stationsverbindung::getrennt()
{
    if (!laeuft)
        return;
    QString grund = socket.closeReason();
    if (grund.isEmpty())
        grund =
            platz ? QStringLiteral("Die Verbindung zur Leitstelle ist abgerissen")
                  : QStringLiteral("Die Leitstelle ist nicht erreichbar: ") + socket.errorString();
    beenden(grund);
}

void Stationsverbindung::pulsen()
{
    if (seitLetzter.elapsed() > stillefrist.count()) {
        const bool verbunden = socket.state() == QAbstractSocket::ConnectedState;
        return beenden(verbunden ? QStringLiteral("Die Leitstelle antwortet nicht mehr")
                                 : QStringLiteral("Die Leitstelle ist nicht erreichbar"));
    }
    socket.ping();
}

void Stationsverbindung::senden(const Nachricht& nachricht)
{
    if (socket.state() == QAbstractSocket::ConnectedState)
        socket.sendTextMessage(QString::fromUtf8(schreibe(nachricht)));
}

// Tells the reason once and leaves the connection, whatever state it is in.
void Stationsverbindung::beenden(const QString& grund)
{
    if (!laeuft)
        return;
    laeuft = false;
    puls.stop();
    platz = 0;
    socket.abort();
    emit beendet(grund);
}
