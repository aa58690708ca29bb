// The trainer's session without a window: what it asks, what it makes the telegraph show, how
// it judges and what it keeps. A stand-in telegraph stands at once, a stand-in store keeps the
// progress in memory.
#include "eingebettet.h"
#include "lernstandablage.h"
#include "stellung_test.h"
#include "uebungssitzung.h"
#include "woerter.h"

#include <QTest>
#include <QTimer>

namespace {

struct Speicher : Lernstandablage {
    Lernstand gespeichert;
    Lernstand lade(QString&) override { return gespeichert; }
    QString speichere(const Lernstand& stand) override
    {
        gespeichert = stand;
        return {};
    }
    QString loesche() override
    {
        gespeichert = {};
        return {};
    }
};

// A session with a telegraph that turns in no time: it stands in the signal it was sent to at
// the next pass of the event loop, and tells the session so.
struct Sitzung {
    Speicher speicher;
    Uebungssitzung s{eingebetteterCode(), speicher,
                     woerterAus(eingebetteteDatei(QStringLiteral("woerter.txt"))).woerter};
    Stellung gezeigt = ruhestellung;
    bool laeuft = false;

    Sitzung()
    {
        s.setPause(std::chrono::hours(1));
        s.setAbstand(std::chrono::milliseconds(0));
        QObject::connect(&s, &Uebungssitzung::telegrafStellen, [this](const Stellung& z) {
            gezeigt = z;
            laeuft = false;
        });
        QObject::connect(&s, &Uebungssitzung::telegrafBewegen, [this](const Stellung& z) {
            gezeigt = z;
            if (!std::exchange(laeuft, true))
                QTimer::singleShot(0, &s, [this] {
                    laeuft = false;
                    s.telegrafSteht();
                });
        });
    }
    bool beginne(Uebungsart art, std::optional<std::uint64_t> startwert = 7)
    {
        s.setArt(art);
        s.setStartwert(startwert);
        s.beginnen();
        return s.zustand() == Uebungssitzung::Zustand::Frage;
    }
};

} // namespace

class TstUebungssitzung : public QObject {
    Q_OBJECT
private slots:
    void neueWahlBeendetDieRunde_data();
    void neueWahlBeendetDieRunde();
};

void TstUebungssitzung::neueWahlBeendetDieRunde_data()
{
    QTest::addColumn<int>("was");
    QTest::newRow("Übung") << 0;
    QTest::newRow("Zeichen") << 1;
    QTest::newRow("Fragen") << 2;
}

// A choice changed during a round ends it, so no input is left that the round does not take.
void TstUebungssitzung::neueWahlBeendetDieRunde()
{
    QFETCH(int, was);
    Sitzung t;
    QVERIFY(t.beginne(Uebungsart::Erkennen));
    if (was == 0)
        t.s.setArt(Uebungsart::Stellen);
    else if (was == 1)
        t.s.setSatz(Uebungssatz::Ziffern);
    else
        t.s.setAnzahl(20);
    QCOMPARE(t.s.zustand(), Uebungssitzung::Zustand::Bereit);
    t.s.erkannt('A');
    t.s.pruefen();
    QCOMPARE(t.s.zustand(), Uebungssitzung::Zustand::Bereit);
    QVERIFY(t.s.antworten().empty());
}

QTEST_GUILESS_MAIN(TstUebungssitzung)
#include "tst_uebungssitzung.moc"
