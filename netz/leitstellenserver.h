#pragma once

#include "netz/protokoll.h"

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>

class QWebSocket;
class QWebSocketServer;

// The Leitstelle's end of a line across machines: listens for stations on every address of
// this machine, lets in those who know the join word, gives each a place and a token to take
// it again after a drop, and carries the line's events both ways. Whatever a station sends is
// checked; a station that breaks a rule is closed with a German reason and nothing else
// changes. The rules of the line itself are not decided here.
class Leitstellenserver : public QObject {
    Q_OBJECT
public:
    static constexpr int alle = 0; // as a place: every joined station

    explicit Leitstellenserver(QObject* parent = nullptr);
    ~Leitstellenserver() override;

    // Listens on `port` (0: any free one, read back with port()); false with fehler() if not.
    bool oeffnen(quint16 port);
    bool offen() const;
    quint16 port() const;
    // Why the last oeffnen failed, in German.
    QString fehler() const { return letzterFehler; }
    QString wort() const { return beitrittswort; }

    // The number of places in the line; pupils join at the lowest free one.
    void setStationen(int anzahl);
    // Pupils take places from `platz` on; those before it are the Leitstelle's own.
    void setErsterPlatz(int platz) { ersterPlatz = std::max(platz, 1); }
    int stationen() const { return anzahlStationen; }
    QString name(int platz) const;
    bool verbunden(int platz) const;

    void senden(int platz, const netz::Bewegung& bewegung);
    void senden(int platz, const netz::Darf& darf);
    void senden(int platz, const netz::Ende& ende);
    // Moves a pupil to a free place; false if `nach` is taken or out of the line.
    bool verschieben(int von, int nach);
    void entfernen(int platz, const QString& grund);
    // Says goodbye to every station with `grund` and stops listening.
    void schliessen(const QString& grund);

    // This machine's addresses for the board, IPv4 other than loopback first.
    static QList<QHostAddress> adressen();

    // Limits that tests shorten; the defaults are those a class uses.
    void setBeitrittsfrist(std::chrono::milliseconds frist) { beitrittsfrist = frist; }
    void setPulsfrist(std::chrono::milliseconds frist) { pulsfrist = frist; }
    void setSperrdauer(std::chrono::milliseconds dauer) { sperrdauer = dauer; }
    // How long a station told goodbye has to take what was sent and close, before it is cut off.
    void setAbbaufrist(std::chrono::milliseconds frist) { abbaufrist = frist; }

signals:
    void beigetreten(int platz, const QString& name);
    void gestellt(int platz, const Stellung& stellung);
    void gegangen(int platz);

private:
    struct Verbindung {
        QWebSocket* socket = nullptr;
        int platz = 0; // 0 until joined
        QElapsedTimer seitBeginn;
        QElapsedTimer seitLetzter;
        QElapsedTimer seitPing;
        QList<qint64> letzteNachrichten; // ms since seitBeginn, at most the allowed rate
    };
    struct Platz {
        QString name;
        QString token;
        QWebSocket* socket = nullptr; // null while the pupil is gone
    };
    struct Sperre {
        int falscheWoerter = 0;
        QElapsedTimer seit; // running while the address is blocked
    };

    void neueVerbindung();
    void nachrichtErhalten(QWebSocket* socket, const QString& text);
    void beitrittPruefen(QWebSocket* socket, const netz::Beitreten& beitritt);
    void falschesWort(QWebSocket* socket, const QString& grund);
    void aufnehmen(QWebSocket* socket, int platz, const QString& name);
    void verbindungZu(QWebSocket* socket);
    void fristenPruefen();
    bool gesperrt(const QHostAddress& adresse);
    bool zuSchnell(Verbindung& verbindung);
    void abweisen(QWebSocket* socket, const QString& grund);
    void verabschieden(QWebSocket* socket, const QString& grund);
    void gehenLassen(QWebSocket* socket, std::chrono::milliseconds frist);
    void sendenAn(int platz, const netz::Nachricht& nachricht);
    void plaetzeMelden();
    int freierPlatz() const;
    int platzMitToken(const QString& token) const;

    QWebSocketServer* server;
    QTimer uhr;
    QString beitrittswort;
    QString letzterFehler;
    int anzahlStationen = netz::meisteStationen;
    int ersterPlatz = 1;
    std::chrono::milliseconds beitrittsfrist{5000};
    std::chrono::milliseconds pulsfrist{3000};
    std::chrono::milliseconds sperrdauer{60000};
    std::chrono::milliseconds abbaufrist{2000};
    QHash<QWebSocket*, Verbindung> verbindungen;
    std::map<int, Platz> plaetze;
    QHash<QString, Sperre> sperren; // by address
    // Connections told goodbye and not yet gone; they outlive this object.
    std::shared_ptr<int> abschiede = std::make_shared<int>(0);
};
