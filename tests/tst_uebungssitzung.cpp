// The trainer without a window: what it asks, what it makes the telegraph show, how
// it judges and what it keeps. A stand-in telegraph stands at once, a stand-in store keeps the
// progress in memory.
#include "assets/eingebettet.h"
#include "files/fortschrittsdatei.h"
#include "geometrie/geometrie.h"
#include "signal/gleichesbild.h"
#include "tests/signaltafel.h"
#include "tests/stellung_test.h"
#include "uebung/lernstandablage.h"
#include "uebung/stellen.h"
#include "uebung/uebungssitzung.h"
#include "uebung/woerter.h"
#include "widgets/telegraf.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// The character whose signal `s` draws, read off the hand-typed table; '-' for the position
// between two equal characters, '?' for any other.
QChar zeichenBei(const Stellung& s)
{
    for (const auto& [z, signal] : signaltafel)
        if (gleichesBild(signal, s))
            return QLatin1Char(z);
    return s == trennstellung ? u'-' : u'?';
}

struct Speicher : Lernstandablage {
    Lernstand gespeichert;
    QString fehler; // why each change fails to be kept, if it does
    Lernstand lade(QString&) override { return gespeichert; }
    Geaendert aendere(const Lernstand&, const std::function<void(Lernstand&)>& f) override
    {
        f(gespeichert);
        return {gespeichert, fehler, {}};
    }
    QString loesche() override
    {
        gespeichert = {};
        return {};
    }
};

// The trainer with a stand-in telegraph that turns in no time: unless told to wait for `stehe`,
// it stands in the signal it was sent to at the next pass of the event loop; a target given
// while it turns follows, the latest winning. The clock is the test's.
struct Sitzung : Signalgeber {
    explicit Sitzung(bool vonSelbst = true, Lernstandablage* ablage = nullptr,
                     std::vector<QString> woerter = {QStringLiteral("Sonne")})
        : s(eingebetteterCode(), ablage ? *ablage : speicher, std::move(woerter), *this),
          vonSelbst(vonSelbst)
    {
        s.setPause(std::chrono::hours(1));
        s.setAbstand(std::chrono::milliseconds(0));
        s.setUhr([this] { return jetzt; });
    }
    bool beginne(Uebungsart art, std::optional<std::uint64_t> startwert = 7)
    {
        s.setArt(art);
        s.setStartwert(startwert);
        s.beginnen();
        return s.zustand() == Uebungssitzung::Zustand::Frage;
    }
    void stehe()
    {
        if (!std::exchange(folgt, false)) {
            laeuft = false;
            s.telegrafSteht();
        } else if (vonSelbst) {
            QTimer::singleShot(0, &s, [this] { stehe(); });
        }
    }
    void bewegen(const Stellung& z, char) override
    {
        gezeigt = z;
        gesendet += zeichenBei(z);
        if (!(folgt = std::exchange(laeuft, true)) && vonSelbst)
            QTimer::singleShot(0, &s, [this] { stehe(); });
    }
    void stelle(const Stellung& z, char) override
    {
        gezeigt = z;
        laeuft = folgt = false;
    }
    void schreibe(char) override {}
    void anhalten() override { laeuft = folgt = false; }
    bool bewegungLaeuft() const override { return laeuft; }
    Stellung endstellung() const override { return gezeigt; }

    Speicher speicher;
    Uebungssitzung s;
    const bool vonSelbst;
    std::chrono::steady_clock::time_point jetzt;
    Stellung gezeigt = ruhestellung;
    QString gesendet; // every signal the telegraph turned to, in order
    bool laeuft = false;
    bool folgt = false;
};

using Zustand = Uebungssitzung::Zustand;

} // namespace

class TstUebungssitzung : public QObject {
    Q_OBJECT
private slots:
    void neueWahlBeendetDieRunde_data();
    void neueWahlBeendetDieRunde();
    void jedeAntwortGespeichert();
    void antwortUndKasten_data();
    void antwortUndKasten();
    void speicherfehlerBeimBeginnen();
    void stellenBeginntNichtBeimGefragten();
    void gleicheZeichenSichtbar_data();
    void gleicheZeichenSichtbar();
    void trennstellungGanzImBild();
    void richtigesSignalStehtDiePause();
    void zeitAbErstemFrame_data();
    void zeitAbErstemFrame();
    void leerGelesenErstNachDemWort();
    void jedesZeichenStehtDenAbstand_data();
    void jedesZeichenStehtDenAbstand();
    void mitlesenPruefungFolgtDemStartwert();
    void ergebnisGerundet_data();
    void ergebnisGerundet();
};

void TstUebungssitzung::neueWahlBeendetDieRunde_data()
{
    QTest::addColumn<int>("was");
    QTest::newRow("Übung") << 0;
    QTest::newRow("Zeichen") << 1;
    QTest::newRow("Fragen") << 2;
}

// A choice changed during a round ends it, so no input is left that the round does not take,
// and the telegraph returns to rest.
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
    QCOMPARE(t.s.zustand(), Zustand::Bereit);
    QCOMPARE(t.gezeigt, ruhestellung);
    t.s.erkannt('A');
    t.s.pruefen();
    QCOMPARE(t.s.zustand(), Zustand::Bereit);
    QVERIFY(t.s.antworten().empty());
}

// Every answer of practice is kept in the progress file at once, also beside a second trainer
// open on the same file: each answer counts, whichever trainer saved last.
void TstUebungssitzung::jedeAntwortGespeichert()
{
    QTemporaryDir ordner;
    Fortschrittsdatei datei[2]{Fortschrittsdatei(ordner.path()), Fortschrittsdatei(ordner.path())};
    Sitzung a(true, &datei[0]), b(true, &datei[1]);
    QVERIFY(a.beginne(Uebungsart::Erkennen, std::nullopt));
    QVERIFY(b.beginne(Uebungsart::Erkennen, std::nullopt));
    std::size_t antworten = 0;
    for (Sitzung* t : {&a, &b, &a}) {
        QTRY_VERIFY(!t->laeuft);
        t->s.erkannt(zeichenBei(t->gezeigt).toLatin1());
        t->s.weiter();
        QCOMPARE(ladeFortschritt(ordner.path()).lernstand.letzteAntworten.size(), ++antworten);
    }
}

void TstUebungssitzung::antwortUndKasten_data()
{
    QTest::addColumn<std::optional<std::uint64_t>>("startwert");
    QTest::addColumn<bool>("richtig");
    QTest::addColumn<int>("vorher");
    QTest::addColumn<int>("nachher");
    const std::optional<std::uint64_t> ueben, pruefung = 7;
    QTest::newRow("Prüfung, richtig") << pruefung << true << 3 << 3;
    QTest::newRow("Prüfung, falsch") << pruefung << false << 3 << 3;
    for (int k = 1; k <= 5; ++k)
        QTest::addRow("Üben, falsch aus Kasten %d", k) << ueben << false << k << 1;
}

// A character answered wrong in practice goes back to box 1, whatever box it was in; an
// examination, a round with a seed, leaves the boxes and the latest answers alone.
void TstUebungssitzung::antwortUndKasten()
{
    QFETCH(std::optional<std::uint64_t>, startwert);
    QFETCH(bool, richtig);
    QFETCH(int, vorher);
    QFETCH(int, nachher);
    Sitzung t;
    for (const char c : zeichenVon(Uebungssatz::Alle))
        t.speicher.gespeichert.kaesten[c] = vorher;
    QVERIFY(t.beginne(Uebungsart::Erkennen, startwert));
    QTRY_VERIFY(!t.laeuft);
    const char gefragt = zeichenBei(t.gezeigt).toLatin1();
    t.s.erkannt(richtig ? gefragt : gefragt == 'Z' ? 'Y' : 'Z');
    QCOMPARE(t.speicher.gespeichert.kaesten.at(gefragt), nachher);
    QCOMPARE(t.speicher.gespeichert.letzteAntworten.empty(), startwert.has_value());
}

// A round of practice saves the characters it introduces; when that fails, its first question
// says so.
void TstUebungssitzung::speicherfehlerBeimBeginnen()
{
    Sitzung t;
    t.speicher.fehler = QStringLiteral("Der Fortschritt wurde nicht gespeichert.");
    QVERIFY(t.beginne(Uebungsart::Erkennen, std::nullopt));
    QCOMPARE(t.s.status(), QStringLiteral("Welches Zeichen zeigt der Telegraf? (Frage 1 von 10) "
                                          "Der Fortschritt wurde nicht gespeichert."));
}

// Setting starts from a picture that is not the asked signal, also for "E", whose picture the
// rest position is; Return before any beam moved is no answer.
void TstUebungssitzung::stellenBeginntNichtBeimGefragten()
{
    Sitzung t; // as the telegraph
    Stellen regel(eingebetteterCode());
    for (const char gefragt : {'E', 'A', 'Z'}) {
        regel.stelleFrage(QString(QLatin1Char(gefragt)), t);
        QVERIFY(zeichenBei(t.gezeigt) != QLatin1Char(gefragt));
        const Urteil urteil = regel.pruefe({}, t);
        QVERIFY(!urteil.gilt && urteil.text.startsWith("Stelle zuerst das Signal für „"));
        // A beam turned makes the next Return an answer, for this question only.
        regel.drehe(Balken::Indikator1, 1, t);
        QVERIFY(regel.pruefe({}, t).gilt);
    }
}

void TstUebungssitzung::gleicheZeichenSichtbar_data()
{
    QTest::addColumn<QString>("gesendet"); // the row's word; '-' for no character's picture
    QTest::addColumn<bool>("erkennen");    // naming instead, from the seed 1, which asks E first
    QTest::newRow("Sonne") << "SON-NE" << false;
    QTest::newRow("Ebbe") << "-EB-BE" << false; // E's picture is the rest position's
    QTest::newRow("Aaa") << "A-A-A" << false;
    QTest::newRow("Tal") << "TAL" << false; // the last character too
    QTest::newRow("Erkennen: E") << "-E" << true;
}

// Each character of a word is seen to come, the second of two equal ones and the last too;
// and so is a character to be named whose picture stands already.
void TstUebungssitzung::gleicheZeichenSichtbar()
{
    QFETCH(QString, gesendet);
    QFETCH(bool, erkennen);
    Sitzung t(true, nullptr, {QString::fromUtf8(QTest::currentDataTag())});
    QVERIFY(erkennen ? t.beginne(Uebungsart::Erkennen, 1) : t.beginne(Uebungsart::Mitlesen));
    QTRY_COMPARE(t.gesendet, gesendet);
    QTest::qWait(20);
    QCOMPARE(t.gesendet, gesendet);
}

// The position between two equal characters is drawn whole, inside the scene as every signal.
void TstUebungssitzung::trennstellungGanzImBild()
{
    const Drehpunkt d = szenenmasse(szeneBreite, szeneHoehe, 225, 316).drehpunkt;
    for (const Kasten& k : umrisse(fluegel(trennstellung, d)))
        QVERIFY(std::min(k.x1, k.x2) >= 0 && std::max(k.x1, k.x2) <= szeneBreite &&
                std::min(k.y1, k.y2) >= 0 && std::max(k.y1, k.y2) <= szeneHoehe);
}

// After a wrong answer the right signal stands for the pause once the telegraph has turned to
// it, however long the turning took.
void TstUebungssitzung::richtigesSignalStehtDiePause()
{
    Sitzung t(false);
    t.s.setPause(std::chrono::milliseconds(50));
    QVERIFY(t.beginne(Uebungsart::Stellen));
    t.stelle(trennstellung, ' ');
    t.s.gestellt();
    t.s.pruefen();
    QVERIFY(t.s.status().startsWith(QStringLiteral("Falsch")) && t.laeuft);
    QTest::qWait(200);
    t.stehe();
    QCOMPARE(t.s.zustand(), Zustand::Beantwortet);
    QTRY_COMPARE(t.s.zustand(), Zustand::Frage);
}

void TstUebungssitzung::zeitAbErstemFrame_data()
{
    QTest::addColumn<bool>("steht"); // whether the signal stands before the answer
    QTest::newRow("während der Bewegung") << false;
    QTest::newRow("nachdem das Signal steht") << true;
}

// The time an answer took counts from the question's first frame, for an answer given while
// the telegraph still turns and for one given after its signal stood at 500 ms.
void TstUebungssitzung::zeitAbErstemFrame()
{
    QFETCH(bool, steht);
    Sitzung t(false);
    QVERIFY(t.beginne(Uebungsart::Erkennen));
    t.jetzt += std::chrono::milliseconds(500);
    while (steht && t.laeuft)
        t.stehe();
    t.jetzt += std::chrono::milliseconds(200);
    t.s.erkannt('A');
    QCOMPARE(t.s.antworten().at(0).zeit, std::chrono::milliseconds(700));
}

// Nothing read is no answer while the word is still being sent, and is one once it was sent.
void TstUebungssitzung::leerGelesenErstNachDemWort()
{
    Sitzung t(true, nullptr, {QStringLiteral("Tal")});
    QVERIFY(t.beginne(Uebungsart::Mitlesen));
    t.s.pruefen();
    QCOMPARE(t.s.zustand(), Zustand::Frage);
    QTRY_VERIFY(t.gesendet == QLatin1String("TAL") && !t.laeuft);
    t.s.pruefen();
    QCOMPARE(t.s.zustand(), Zustand::Beantwortet);
}

void TstUebungssitzung::jedesZeichenStehtDenAbstand_data()
{
    QTest::addColumn<int>("abstand");
    QTest::newRow("1,0 s") << 1000;
    QTest::newRow("4,0 s") << 4000;
}

// Reading along on the real telegraph, whose frames come 4 ms apart on the test's clock: every
// character of "Tee", the doubled E and the last too, stands for the interval within a frame
// before the next movement starts, and an empty answer counts only after that.
void TstUebungssitzung::jedesZeichenStehtDenAbstand()
{
    using namespace std::chrono;
    QFETCH(int, abstand);
    steady_clock::time_point jetzt;
    Telegraf telegraf;
    telegraf.setUhr([&] { return jetzt; });
    telegraf.resize(szeneBreite, szeneHoehe);
    telegraf.show();
    QVERIFY(QTest::qWaitForWindowExposed(&telegraf));
    telegraf.stelle(ruhestellung, ' ');
    Speicher speicher;
    Uebungssitzung s(eingebetteterCode(), speicher, {QStringLiteral("Tee")}, telegraf);
    s.setUhr([&] { return jetzt; });
    s.setAbstand(milliseconds(abstand));
    connect(&telegraf, &Telegraf::steht, &s, &Uebungssitzung::telegrafSteht);
    QList<std::pair<QChar, steady_clock::time_point>> seit; // each picture and when it came
    connect(&telegraf, &Telegraf::gezeichnet, &s, [&] {
        if (seit.isEmpty() || seit.back().first != zeichenBei(telegraf.winkel()))
            seit.append({zeichenBei(telegraf.winkel()), jetzt});
        jetzt += milliseconds(4);
    });
    s.setArt(Uebungsart::Mitlesen);
    s.beginnen();
    while (s.zustand() == Zustand::Frage && jetzt.time_since_epoch() < minutes(1)) {
        if (!telegraf.bewegungLaeuft()) {
            jetzt += milliseconds(1);
            s.wecke();
            s.pruefen();
        }
        QCoreApplication::processEvents();
    }
    seit.append({u'!', jetzt}); // the empty answer taken
    QString gestanden;
    for (qsizetype i = 0; i + 1 < seit.size(); ++i) {
        const auto stand = duration_cast<milliseconds>(seit[i + 1].second - seit[i].second);
        // Left out: the rest position the question starts from, a frame of a movement, and the
        // separating position, which is left at once.
        if (i == 0 || seit[i].first == u'?' || stand == milliseconds(4))
            continue;
        gestanden += seit[i].first;
        QVERIFY2(
            stand.count() >= abstand && stand.count() <= abstand + 4,
            qPrintable(QStringLiteral("%1 stand %2 ms").arg(seit[i].first).arg(stand.count())));
    }
    QCOMPARE(gestanden, QStringLiteral("TEE"));
}

// A reading examination sends the words its seed gives, whatever is read; its result names words.
void TstUebungssitzung::mitlesenPruefungFolgtDemStartwert()
{
    QStringList gesendet[2];
    for (int durchgang = 0; durchgang < 2; ++durchgang) {
        Sitzung t(true, nullptr,
                  woerterAus(eingebetteteDatei(QStringLiteral("woerter.txt"))).woerter);
        QVERIFY(t.beginne(Uebungsart::Mitlesen, 11));
        for (int i = 0; i < 10; ++i) {
            QTRY_COMPARE(t.s.zustand(), Zustand::Frage);
            t.s.pruefen(durchgang == 0 ? QStringLiteral("xyz") : QStringLiteral("a"));
            gesendet[durchgang] << t.s.antworten().back().gefragt;
            t.s.weiter();
        }
        QTRY_COMPARE(t.s.zustand(), Zustand::Ende);
        QVERIFY(t.s.ergebnisCsv().contains(";Mitlesen;Wörter;11;1;"));
    }
    QCOMPARE(gesendet[0], gesendet[1]);
    QCOMPARE(QSet<QString>(gesendet[0].begin(), gesendet[0].end()).size(), 10);
}

void TstUebungssitzung::ergebnisGerundet_data()
{
    QTest::addColumn<int>("fragen");
    QTest::addColumn<int>("richtig");
    QTest::addColumn<QString>("ergebnis");
    QTest::newRow("2 von 3") << 3 << 2 << "Ergebnis: 2 von 3 richtig (67 %).";
    QTest::newRow("1 von 3") << 3 << 1 << "Ergebnis: 1 von 3 richtig (33 %).";
    QTest::newRow("1 von 8") << 8 << 1 << "Ergebnis: 1 von 8 richtig (13 %).";
}

// The result in whole percent, rounded half up.
void TstUebungssitzung::ergebnisGerundet()
{
    QFETCH(int, fragen);
    QFETCH(int, richtig);
    QFETCH(QString, ergebnis);
    Sitzung t;
    t.s.setAnzahl(fragen);
    QVERIFY(t.beginne(Uebungsart::Erkennen));
    for (int i = 0; i < fragen; ++i) {
        QTRY_VERIFY(!t.laeuft);
        const char gezeigt = zeichenBei(t.gezeigt).toLatin1();
        t.s.erkannt(i < richtig ? gezeigt : gezeigt == 'Z' ? 'Y' : 'Z');
        t.s.weiter();
    }
    QVERIFY2(t.s.status().startsWith(ergebnis), qPrintable(t.s.status()));
}

QTEST_MAIN(TstUebungssitzung)
#include "tst_uebungssitzung.moc"
