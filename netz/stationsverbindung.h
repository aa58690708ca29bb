#pragma once

#include "netz/protokoll.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QWebSocket>

#include <chrono>

// A station's end of a line across machines: joins the Leitstelle with the word from the board
// and the pupil's name, passes the pupil's signals on, shows it is still there every second,
// and reports what the Leitstelle sends. However the connection ends (closed by the Leitstelle,
// cut off, gone silent, or sending what the protocol does not allow) `beendet` says why in
// German, once, so that a station never waits for nothing.
class Stationsverbindung : public QObject {
    Q_OBJECT
public:
    explicit Stationsverbindung(QObject* parent = nullptr);
    ~Stationsverbindung() override;

    // Joins; a token kept from an earlier join on this object takes the same place again.
    void verbinden(const QString& host, quint16 port, const QString& wort, const QString& name);
    void stellen(const Stellung& stellung);
    void trennen();

    bool beigetreten() const { return platz != 0; }
    QString token() const { return schluessel; }
    void setToken(const QString& token) { schluessel = token; }
    // How long the Leitstelle may stay silent before the station gives up; tests shorten it.
    void setStillefrist(std::chrono::milliseconds frist) { stillefrist = frist; }

signals:
    void willkommen(const netz::Willkommen& willkommen);
    void bewegung(const netz::Bewegung& bewegung);
    void darf(const netz::Darf& darf);
    void ende(const netz::Ende& ende);
    void beendet(const QString& grund);

private:
    void verbunden();
    void nachrichtErhalten(const QString& text);
    void getrennt();
    void pulsen();
    void senden(const netz::Nachricht& nachricht);
    void beenden(const QString& grund);

    QWebSocket socket;
    QTimer puls;
    QElapsedTimer seitLetzter;
    QString wort;
    QString name;
    QString schluessel;
    int platz = 0;
    bool laeuft = false;
    std::chrono::milliseconds stillefrist{3000};
};
