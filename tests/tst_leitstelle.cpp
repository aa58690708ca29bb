// The Leitstelle with pupils played by scripts over WebSocket on 127.0.0.1: a message relayed
// by pupils and simulated operators arrives, and the record says who set what, also when a
// pupil leaves in the middle or passes on a wrong picture.
#include "assets/eingebettet.h"
#include "leitstelle/leitstelle.h"
#include "linie/linienprotokoll.h"
#include "tests/skriptschueler.h"
#include "tests/stellung_test.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace std::chrono_literals;

namespace {

constexpr int tempo = 8;     // the line's time runs this much faster than the wall clock
constexpr int frist = 30000; // ms: the longest any wait of a test may take
const QString simuliert;     // who set a cell the simulated operator set

// A line of four with pupils at places 2 and 3 (the model's stations 1 and 2).
struct Klasse {
    Klasse() : leitstelle(eingebetteterCode())
    {
        leitstelle.setTempo(tempo);
        leitstelle.setStationen(4);
        QVERIFY(leitstelle.oeffnen(0));
        anna->verbinden(leitstelle.server().port(), leitstelle.server().wort(), "Anna");
        QTRY_COMPARE_WITH_TIMEOUT(anna->platz, 2, frist);
        ben->verbinden(leitstelle.server().port(), leitstelle.server().wort(), "Ben");
        QTRY_COMPARE_WITH_TIMEOUT(ben->platz, 3, frist);
    }
    bool senden(const char* text)
    {
        Linienwahl wahl;
        wahl.nachricht = text;
        wahl.ablesezeit = 500ms;
        return leitstelle.senden(wahl);
    }

    Leitstelle leitstelle;
    std::unique_ptr<Skriptschueler> anna = std::make_unique<Skriptschueler>();
    std::unique_ptr<Skriptschueler> ben = std::make_unique<Skriptschueler>();
};

} // namespace

class TstLeitstelle : public QObject {
    Q_OBJECT
private slots:
    void zweiSchuelerGebenSosWeiter();
    void schuelerGehtMitten();
    void falschesBildReistWeiter_data();
    void falschesBildReistWeiter();
};

void TstLeitstelle::zweiSchuelerGebenSosWeiter()
{
    Klasse k;
    if (QTest::currentTestFailed())
        return;
    // No movement may reach a station before it starts on the Leitstelle's clock.
    QList<qint64> zuFrueh;
    for (Skriptschueler* s : {k.anna.get(), k.ben.get()})
        s->erhalten = [&](const netz::Bewegung& b) {
            if (k.leitstelle.jetzt().count() < b.beginn)
                zuFrueh.append(b.beginn);
        };
    QSignalSpy fertig(&k.leitstelle, &Leitstelle::fertig);
    QVERIFY(k.senden("SOS"));
    QTRY_COMPARE_WITH_TIMEOUT(fertig.size(), 1, frist);

    QCOMPARE(k.leitstelle.plan().empfangen, std::string("SOS"));
    QVERIFY2(zuFrueh.isEmpty(), "a movement was sent before it started");
    for (Skriptschueler* s : {k.anna.get(), k.ben.get()}) {
        QTRY_VERIFY_WITH_TIMEOUT(s->ende.has_value(), frist);
        QCOMPARE(s->ende->nachricht, QStringLiteral("SOS"));
        QCOMPARE(s->ende->empfangen, QStringLiteral("SOS"));
        QCOMPARE(s->ende->zeile, QStringLiteral("SOS"));
        QCOMPARE(s->weitergegeben, 3);
    }
    // Ben waits for the simulated operator after him to repeat before he passes on the next.
    QVERIFY(k.ben->gruende.contains(netz::Warte::Nachfolger));
    const Linienprotokoll protokoll("SOS", 4, k.leitstelle.plan(), eingebetteterCode());
    const QString wer[] = {simuliert, "Anna", "Ben", simuliert};
    for (int zeichen = 0; zeichen < 3; ++zeichen)
        for (int station = 0; station < 4; ++station) {
            QCOMPARE(protokoll.eintrag(zeichen, station).gesetzt, "SOS"[zeichen]);
            QCOMPARE(k.leitstelle.wer(zeichen, station), wer[station]);
        }
}

void TstLeitstelle::schuelerGehtMitten()
{
    Klasse k;
    if (QTest::currentTestFailed())
        return;
    QSignalSpy fertig(&k.leitstelle, &Leitstelle::fertig);
    QVERIFY(k.senden("SOS"));
    // Ben leaves once he has passed on the first character, without a word.
    QTRY_COMPARE_WITH_TIMEOUT(k.ben->weitergegeben, 1, frist);
    k.ben.reset();
    QTRY_COMPARE_WITH_TIMEOUT(fertig.size(), 1, frist);

    QCOMPARE(k.leitstelle.plan().empfangen, std::string("SOS"));
    QTRY_VERIFY_WITH_TIMEOUT(k.anna->ende.has_value(), frist);
    QCOMPARE(k.anna->ende->empfangen, QStringLiteral("SOS"));
    QCOMPARE(k.leitstelle.wer(0, 2), QStringLiteral("Ben"));
    QCOMPARE(k.leitstelle.wer(1, 2), simuliert);
    QCOMPARE(k.leitstelle.wer(2, 2), simuliert);
    QCOMPARE(k.leitstelle.wer(2, 1), QStringLiteral("Anna"));
}

void TstLeitstelle::falschesBildReistWeiter_data()
{
    QTest::addColumn<Stellung>("bild");
    QTest::addColumn<QString>("empfangen");
    // Anna passes on another character's picture, or one that is no character, for the "O".
    QTest::newRow("A statt O") << winkelholen(eingebetteterCode(), 'A') << "SAS";
    QTest::newRow("kein Zeichen") << Stellung{0, 0, 0} << "S?S";
}

void TstLeitstelle::falschesBildReistWeiter()
{
    QFETCH(Stellung, bild);
    QFETCH(QString, empfangen);
    Klasse k;
    if (QTest::currentTestFailed())
        return;
    k.anna->anders[1] = bild;
    QSignalSpy fertig(&k.leitstelle, &Leitstelle::fertig);
    QVERIFY(k.senden("SOS"));
    QTRY_COMPARE_WITH_TIMEOUT(fertig.size(), 1, frist);

    QCOMPARE(QString::fromStdString(k.leitstelle.plan().empfangen), empfangen);
    const Linienprotokoll protokoll("SOS", 4, k.leitstelle.plan(), eingebetteterCode());
    QCOMPARE(protokoll.ersteFalsche(1), std::optional<int>(1));
    QCOMPARE(k.leitstelle.wer(1, 1), QStringLiteral("Anna"));
    QTRY_VERIFY_WITH_TIMEOUT(k.ben->ende.has_value(), frist);
    QCOMPARE(k.ben->ende->zeile, empfangen); // Ben repeated what Anna showed him
}

QTEST_GUILESS_MAIN(TstLeitstelle)
#include "tst_leitstelle.moc"
