#pragma once

#include "netz/stationsverbindung.h"

#include <QStringList>

#include <functional>
#include <map>
#include <optional>

// A pupil played by a script: passes on what the station before shows each time the Leitstelle
// allows it, or, for the characters a test names, another picture; keeps what it is told.
class Skriptschueler : public QObject {
public:
    explicit Skriptschueler(QObject* parent = nullptr) : QObject(parent)
    {
        connect(&verbindung, &Stationsverbindung::willkommen, this,
                [this](const netz::Willkommen& w) { platz = w.station; });
        connect(&verbindung, &Stationsverbindung::bewegung, this, &Skriptschueler::bewegung);
        connect(&verbindung, &Stationsverbindung::darf, this, &Skriptschueler::darf);
        connect(&verbindung, &Stationsverbindung::ende, this,
                [this](const netz::Ende& e) { ende = e; });
        connect(&verbindung, &Stationsverbindung::beendet, this,
                [this](const QString& grund) { beendetWeil = grund; });
    }

    void verbinden(quint16 port, const QString& wort, const QString& name)
    {
        verbindung.verbinden(QStringLiteral("127.0.0.1"), port, wort, name);
    }

    Stationsverbindung verbindung;
    int platz = 0;
    Stellung vorne = ruhestellung;  // what the station before shows
    std::map<int, Stellung> anders; // by character: passed on instead of what was read
    int weitergegeben = 0;          // characters passed on so far
    QList<netz::Warte> gruende;     // every reason to wait it was told
    std::function<void(const netz::Bewegung&)> erhalten; // for tests watching each movement
    std::optional<netz::Ende> ende;
    QString beendetWeil;

private:
    void bewegung(const netz::Bewegung& b)
    {
        if (erhalten)
            erhalten(b);
        if (b.station == platz - 1)
            vorne = b.nach;
    }
    void darf(const netz::Darf& d)
    {
        if (!d.ja()) {
            gruende.append(d.warte);
            return;
        }
        const auto a = anders.find(weitergegeben);
        verbindung.stellen(a == anders.end() ? vorne : a->second);
        ++weitergegeben;
    }
};
