// The trainer's rules: rounds, the learner's boxes, setting a signal by hand, reading along.
#include "assets/eingebettet.h"
#include "geometrie/stellen.h"
#include "signal/gleichesbild.h"
#include "signal/zufall.h"
#include "tests/stellung_test.h"
#include "uebung/bewertung.h"
#include "uebung/ergebnistabelle.h"
#include "uebung/naechstefrage.h"
#include "uebung/pruefung.h"
#include "uebung/uebungsrunde.h"
#include "uebung/woerter.h"

#include <QTest>

#include <map>
#include <set>

using S = Stellung;
using P = QPointF;
Q_DECLARE_METATYPE(Uebungssatz)
Q_DECLARE_METATYPE(Lernstand)

namespace {

using Ecken = std::set<std::pair<int, int>>;

// What fluegel draws: the beams as sets of corners (the joints lie at the regulator's ends).
std::set<Ecken> bild(const Stellung& s)
{
    const Fluegelbild f = fluegel(s, {512, 251, 173, 99});
    std::set<Ecken> teile;
    for (const Balkenpolygon& b : f.balken)
        teile.insert(Ecken{{b[0].x, b[0].y}, {b[1].x, b[1].y}, {b[2].x, b[2].y}, {b[3].x, b[3].y}});
    return teile;
}

} // namespace

class TestUebung : public QObject {
    Q_OBJECT
private slots:
    void pruefungsfolge_data()
    {
        QTest::addColumn<quint64>("startwert");
        QTest::addColumn<Uebungssatz>("satz");
        QTest::addColumn<QString>("erwartet"); // from a separate program, or "?" as often as asked
        QTest::newRow("Buchstaben") << 42ull << Uebungssatz::Buchstaben << "VDWBQTEIFA";
        QTest::newRow("Ziffern") << 2024ull << Uebungssatz::Ziffern << "01745368923518729406";
        QTest::newRow("alle") << 1ull << Uebungssatz::Alle
                              << "WO0NYER6S91DTZKG8C57M3X2VHUILQB&4APF";
        for (quint64 w = 100; w < 300; ++w)
            QTest::addRow("%llu", w) << w << Uebungssatz::Ziffern << QString(36, '?');
    }

    // Every character once before any comes twice, never one twice in a row.
    void pruefungsfolge()
    {
        QFETCH(quint64, startwert);
        QFETCH(Uebungssatz, satz);
        QFETCH(QString, erwartet);
        const std::string folge = ::pruefungsfolge(startwert, satz, int(erwartet.size()));
        const QString gefragt = QString::fromStdString(folge);
        QCOMPARE(erwartet.startsWith(u'?') ? QString(gefragt.size(), u'?') : gefragt, erwartet);
        for (std::size_t i = 0; i < folge.size(); ++i) {
            QVERIFY(zeichenVon(satz).find(folge[i]) != std::string_view::npos);
            QVERIFY(i == 0 || folge[i] != folge[i - 1]);
            QCOMPARE(folge.find(folge[i], i - i % zeichenVon(satz).size()), i);
        }
    }

    void uebungsrunde_data()
    {
        QTest::addColumn<Uebungssatz>("satz");
        QTest::addColumn<Lernstand>("lernstand");
        QTest::addColumn<int>("falschJeZehn");
        const Lernstand fuenf{{{'A', 1}, {'E', 1}, {'I', 1}, {'N', 1}, {'S', 1}}, {}, false};
        QTest::newRow("Schritt für Schritt") << Uebungssatz::Buchstaben << fuenf << 1;
        QTest::newRow("alle Zeichen") << Uebungssatz::Alle << Lernstand{{}, {}, true} << 3;
        QTest::newRow("Ziffern, jede zweite falsch")
            << Uebungssatz::Ziffern << Lernstand{{}, {}, true} << 5;
        QTest::newRow("vier Zeichen, meist falsch") // all but the last waiting to come back
            << Uebungssatz::Buchstaben
            << Lernstand{{{'A', 1}, {'E', 1}, {'I', 1}, {'N', 1}}, {}, false} << 7;
    }

    // Random answers: only characters met (or all), no repeats, misses back after 2 to 5 others.
    void uebungsrunde()
    {
        QFETCH(Uebungssatz, satz);
        QFETCH(Lernstand, lernstand);
        QFETCH(int, falschJeZehn);
        Uebungsverlauf verlauf;
        Zufall zufall(5), antworten(6);
        std::string fragen;
        std::map<int, char> verfehlt; // question number, character
        for (int nummer = 1; nummer <= 2000; ++nummer) {
            const char frage = naechsteFrage(lernstand, satz, verlauf, zufall);
            QVERIFY(zeichenVon(satz).find(frage) != std::string_view::npos);
            QVERIFY(lernstand.alleZeichen || lernstand.kaesten.contains(frage));
            QVERIFY(fragen.empty() || fragen.back() != frage);
            fragen += frage;
            const bool falsch = antworten.unter(10) < std::uint64_t(falschJeZehn);
            if (falsch) {
                vermerkeFehler(verlauf, zufall);
                verfehlt[nummer] = frage;
            }
            ::werteAus(lernstand, satz, frage, !falsch);
        }
        for (const auto& [nummer, zeichen] : verfehlt) {
            const auto andere = int(fragen.find(zeichen, std::size_t(nummer))) - nummer;
            QVERIFY((andere >= 2 && andere <= 5) || nummer > 1994);
        }
        if (lernstand.alleZeichen)
            QCOMPARE(std::set<char>(fragen.begin(), fragen.end()).size(), zeichenVon(satz).size());
    }

    void niedrigeKaestenOefter()
    {
        const Lernstand stand{{{'A', 1}, {'E', 3}, {'I', 5}, {'N', 5}}, {}, false};
        Uebungsverlauf verlauf;
        Zufall zufall(11);
        std::map<char, int> anzahl;
        for (int i = 0; i < 4000; ++i)
            ++anzahl[naechsteFrage(stand, Uebungssatz::Buchstaben, verlauf, zufall)];
        QVERIFY(anzahl['A'] > anzahl['E'] && anzahl['E'] > 2 * anzahl['I'] && anzahl['N'] > 0);
    }

    // Answers after a learner's first characters: boxes, characters added, the latest ten.
    void werteAus_data()
    {
        QTest::addColumn<QString>("antworten"); // "alle", or how often, character, + or -
        QTest::addColumn<Uebungssatz>("satz");
        QTest::addColumn<QString>("nachher");
        const auto B = Uebungssatz::Buchstaben;
        QTest::newRow("bis 5, falsch: 1") << "5*A+ E+ E-" << B << "A=5 E=1 I=1 N=1; ; 7";
        QTest::newRow("9 von 10") << "9*A+ E-" << B << "A=5 E=1 I=1 N=1 S=1; S; 0";
        QTest::newRow("8 von 10") << "8*A+ 2*E-" << B << "A=5 E=1 I=1 N=1; ; 10";
        QTest::newRow("die letzten 10") << "2*A- 9*A+" << B << "A=5 E=1 I=1 N=1 S=1; S; 0";
        QTest::newRow("danach frisch") << "10*A+ 9*E+" << B << "A=5 E=5 I=1 N=1 S=1; S; 9";
        QTest::newRow("Ziffern") << "10*1+" << Uebungssatz::Ziffern << "1=5 2=1 3=1 4=1 5=1; 5; 0";
        QTest::newRow("alle Zeichen") << "alle 9*A+ Z-" << B << "A=5 E=1 I=1 N=1 Z=1; ; 10";
    }

    void werteAus()
    {
        QFETCH(QString, antworten);
        QFETCH(Uebungssatz, satz);
        QFETCH(QString, nachher);
        Lernstand lernstand{{}, {}, antworten.startsWith(QStringLiteral("alle"))};
        bereiteVor(lernstand, satz);
        QString hinzu;
        for (const QString& zug : antworten.split(u' ')) {
            const int n = zug.contains(u'*') ? zug.section(u'*', 0, 0).toInt() : zug != "alle";
            for (int i = 0; i < n; ++i) {
                const char c = zug.at(zug.size() - 2).toLatin1();
                if (const auto neu = ::werteAus(lernstand, satz, c, zug.endsWith(u'+')))
                    hinzu += QLatin1Char(*neu);
            }
        }
        QStringList k;
        for (const auto& [zeichen, kasten] : lernstand.kaesten)
            k << QStringLiteral("%1=%2").arg(QLatin1Char(zeichen)).arg(kasten);
        const auto fenster = lernstand.letzteAntworten.size();
        QCOMPARE(QStringLiteral("%1; %2; %3").arg(k.join(u' '), hinzu).arg(fenster), nachher);
    }

    // All positions in steps of 45 degrees, from -180 to 360, against the corners fluegel draws.
    void gleichesBildWieGezeichnet()
    {
        std::map<std::set<Ecken>, int> bilder;
        std::vector<std::pair<S, int>> alle; // position, number of its picture
        for (int r = -180; r <= 360; r += 45)
            for (int i = -180; i <= 360; i += 45)
                for (int j = -180; j <= 360; j += 45)
                    alle.emplace_back(S{r, i, j},
                                      bilder.emplace(bild({r, i, j}), bilder.size()).first->second);
        for (const auto& [s, bildS] : alle)
            for (const auto& [t, bildT] : alle)
                if (::gleichesBild(s, t) != (bildS == bildT))
                    QFAIL(qPrintable(QStringLiteral("%1 und %2").arg(toString(s), toString(t))));
    }

    // Right turns clockwise on screen; angles stay within -135 ... 180 (225 becomes -135).
    void drehe()
    {
        const S ruhe{180, 90, 90};
        QCOMPARE(::drehe(ruhe, Balken::Regulator, 1), (S{135, 90, 90}));
        QCOMPARE(::drehe(ruhe, Balken::Regulator, -1), (S{-135, 90, 90}));
        QCOMPARE(::drehe(S{0, 0, 225}, Balken::Indikator2, 1), (S{0, 0, -90}));
    }

    // A press holds the handle under it, tips first; dragging turns its beam in 45-degree steps.
    void ziehen_data()
    {
        QTest::addColumn<S>("vorher");
        QTest::addColumn<int>("L");
        QTest::addColumn<P>("druck");
        QTest::addColumn<P>("zug");
        QTest::addColumn<S>("nachher");
        const S r{180, 90, 90}; // the tips run from y 350 to 370 at x 339 and 685
        QTest::newRow("E1 auf 20°") << r << 99 << P(349, 260) << P(606, 217) << S{0, 90, 90};
        QTest::newRow("E1 auf 25°") << r << 99 << P(339, 251) << P(603, 209) << S{45, 90, 90};
        QTest::newRow("zu weit von E1") << r << 99 << P(352, 260) << P(603, 209) << r;
        QTest::newRow("E1 auf Drehpunkt") << r << 99 << P(339, 251) << P(512, 251) << r;
        QTest::newRow("E2 runter") << r << 99 << P(685, 251) << P(512, 400) << S{90, 90, 90};
        QTest::newRow("Spitze 1") << r << 99 << P(339, 383) << P(339, 150) << S{180, -90, 90};
        QTest::newRow("Spitze 2") << r << 99 << P(690, 337) << P(735, 201) << S{180, 90, -45};
        // A first indicator as long as the regulator, pointing right, ends on E2.
        QTest::newRow("vor E2") << S{180, 0, 90} << 326 << P(685, 251) << P(339, 0)
                                << S{180, -90, 90};
    }

    void ziehen()
    {
        QFETCH(S, vorher);
        QFETCH(int, L);
        QFETCH(P, druck);
        QFETCH(P, zug);
        QFETCH(S, nachher);
        const Drehpunkt d{512, 251, 173, L};
        const std::optional<Griff> griff = griffAn(vorher, d, druck.x(), druck.y());
        QCOMPARE(griff ? rasteEin(vorher, d, *griff, zug.x(), zug.y()) : vorher, nachher);
    }

    // The built-in list passes the loader's checks: nothing longer than 12 characters as sent.
    void woerter()
    {
        QCOMPARE(woerterAus(eingebetteteDatei("woerter.txt")).woerter.size(), std::size_t(213));
        QCOMPARE(woerterAus("Haus\r\nMir geht es gut\n").woerter.size(), std::size_t(2));
        QVERIFY(!woerterAus("Haus\nAuf Wiedersehn").fehler.isEmpty());
    }

    // Characters read right: those sent less the fewest edits, as the telegraph sends them.
    void bewertung()
    {
        QCOMPARE(::bewertung("BRIEF", "BRIEE"), (Lesewertung{5, 4}));
        QCOMPARE(::bewertung("Grüße, Jana!", "gruessejana"), (Lesewertung{11, 11}));
        QCOMPARE(::bewertung("Haus", "Hausaufgaben"), (Lesewertung{4, 0}));
    }

    // An examination asks what its seed says, whatever the answers, and ends after its
    // questions; the result counts them and names the worst answered first.
    void pruefungsrundeUndErgebnis()
    {
        std::vector<QString> gefragt[2];
        Rundenergebnis ergebnis;
        for (const bool allesRichtig : {true, false}) {
            Lernstand stand;
            Uebungsrunde runde({Uebungsart::Erkennen, Uebungssatz::Buchstaben, 10, 42}, stand, {},
                               allesRichtig ? 1 : 2);
            for (int i = 0; i < 10; ++i) {
                gefragt[allesRichtig].push_back(runde.naechsteFrage());
                const bool richtig = allesRichtig || i % 3 != 0; // wrong at 1, 4, 7, 10
                runde.beantworte("A", richtig, 1, std::chrono::milliseconds(100 * i));
            }
            QVERIFY(runde.fertig());
            QCOMPARE(runde.naechsteFrage(), QString());
            ergebnis = rundenergebnis(runde.antworten());
        }
        QCOMPARE(gefragt[0], gefragt[1]);
        QCOMPARE(QStringList(gefragt[0].begin(), gefragt[0].end()).join(QString()), "VDWBQTEIFA");
        QCOMPARE(ergebnis.richtig, 6);
        QCOMPARE(ergebnis.prozent, 60);
        // All four wrong once; the slower first: the tenth question (A, 900 ms) leads.
        QCOMPARE(ergebnis.schwerste, (std::vector<QString>{"A", "E", "B"}));
    }

    // The result as a teacher's spreadsheet reads it: every row names its round, times have a
    // decimal comma and no thousands point, a field with a semicolon or a quotation mark is quoted.
    void ergebnisAlsCsv()
    {
        const std::vector<Antwort> antworten{
            {"Sonne", "SONE", 4, 5, std::chrono::milliseconds(1234560)},
            {"Ja; \"nein\"", "IANEIN", 6, 6, std::chrono::milliseconds(150)}};
        const QDateTime ende(QDate(2026, 12, 8), QTime(9, 5));
        QCOMPARE(
            ::ergebnisAlsCsv(antworten, {Uebungsart::Mitlesen, {}, 10, 42}, "Wörter", ende),
            QStringLiteral(
                "\uFEFFDatum;Übung;Zeichen;Startwert;Frage;Gefragt;Geantwortet;Richtig;"
                "Von;Zeit in s\r\n"
                "2026-12-08 09:05;Mitlesen;Wörter;42;1;Sonne;SONE;4;5;1234,6\r\n"
                "2026-12-08 09:05;Mitlesen;Wörter;42;2;\"Ja; \"\"nein\"\"\";IANEIN;6;6;0,2\r\n")
                .toUtf8());
        QVERIFY(::ergebnisAlsCsv(antworten, {}, "Ziffern", ende).contains(";Erkennen;Ziffern;;1;"));
    }
};

QTEST_GUILESS_MAIN(TestUebung)
#include "tst_uebung.moc"
