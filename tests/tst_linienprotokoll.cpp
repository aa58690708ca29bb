// The teacher's record of a line's run and its table: who set what, where each character first
// went wrong, and which cells are known as the line runs.
#include "assets/eingebettet.h"
#include "display/wegzeitbild.h"
#include "linie/linienprotokoll.h"
#include "widgets/wegzeitansicht.h"
#include "widgets/werlaswas.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <map>

using namespace std::chrono_literals;
using Zelle = Linienprotokoll::Zelle;

Q_DECLARE_METATYPE(std::vector<Zelle>)

namespace {

const Stellung S{135, -45, -135};
const Stellung O{135, -45, 135};
const Stellung B{135, -45, -45};
const Stellung Sgedreht{-45, -135, -45}; // draws like S: the regulator half round, ends swapped
const Stellung keinZeichen{135, -45, 0};

// "SOS" over 4 stations, built by hand, one movement of 100 ms each, a station starting 1 s
// after the one before; the third character goes through the separating position first at
// station 3. Char 1 is misread as B at station 2; char 2 ends on no character at station 4.
Linienplan sosVonHand()
{
    const auto b = [](int station, int zeichen, Stellung von, Stellung nach, int ab) {
        return Linienbewegung{station,
                              zeichen,
                              von,
                              nach,
                              std::chrono::milliseconds(ab),
                              std::chrono::milliseconds(ab + 100)};
    };
    Linienplan plan;
    plan.bewegungen = {
        b(0, 0, ruhestellung, S, 0),
        b(1, 0, ruhestellung, S, 1000),
        b(0, 1, S, O, 1500),
        b(2, 0, ruhestellung, Sgedreht, 2000),
        b(1, 1, S, B, 2500),
        b(0, 2, O, S, 3000),
        b(3, 0, ruhestellung, S, 3000),
        b(2, 1, Sgedreht, B, 3500),
        b(1, 2, B, S, 4000),
        b(3, 1, S, keinZeichen, 4500),
        b(2, 2, B, trennstellung, 5000),
        b(2, 2, trennstellung, S, 5200),
        b(3, 2, keinZeichen, {135, 0, -135}, 6300),
    };
    plan.dauer = 6400ms;
    return plan;
}

} // namespace

class TstLinienprotokoll : public QObject {
    Q_OBJECT
private slots:
    void vonHand();
    void bekanntMitDerZeit_data();
    void bekanntMitDerZeit();
    void zuerstFalschMitStartwert_data();
    void zuerstFalschMitStartwert();
    void tabelle();
    void bildFolgtDemLauf();
};

// What each station set, typed by hand; a picture that draws like the sent one is no error, and
// a cell spans every movement of its station for the character.
void TstLinienprotokoll::vonHand()
{
    const Linienprotokoll p("SOS", 4, sosVonHand(), eingebetteterCode());
    QCOMPARE(p.zeichen(), 3);
    QCOMPARE(p.stationen(), 4);
    const std::vector<std::string> gesetzt{"SSSS", "OBB?", "SSS?"};
    const std::vector<std::optional<int>> ersteFalsche{std::nullopt, 1, 3};
    for (int z = 0; z < 3; ++z) {
        std::string zeile;
        for (int s = 0; s < 4; ++s)
            zeile += p.eintrag(z, s).gesetzt;
        QCOMPARE(zeile, gesetzt[static_cast<std::size_t>(z)]);
        QCOMPARE(p.ersteFalsche(z), ersteFalsche[static_cast<std::size_t>(z)]);
    }
    QCOMPARE(p.eintrag(2, 2).beginn, 5000ms);
    QCOMPARE(p.eintrag(2, 2).ende, 5300ms);
    QCOMPARE(p.eintrag(1, 3).beginn, 4500ms);
    QCOMPARE(p.dauer(), 6400ms);
}

void TstLinienprotokoll::bekanntMitDerZeit_data()
{
    QTest::addColumn<int>("von");
    QTest::addColumn<int>("bis");
    QTest::addColumn<std::vector<Zelle>>("neu");
    QTest::newRow("vor dem ersten Ende") << -1 << 99 << std::vector<Zelle>{};
    QTest::newRow("genau beim Ende") << -1 << 100 << std::vector<Zelle>{{0, 0}};
    QTest::newRow("ab dem Ende") << 100 << 1100 << std::vector<Zelle>{{0, 1}};
    QTest::newRow("mehrere") << 1100 << 3100
                             << std::vector<Zelle>{{0, 2}, {0, 3}, {1, 0}, {1, 1}, {2, 0}};
    // Not at the separating position's end, only once it stands in the signal.
    QTest::newRow("über die Trennstellung") << 5000 << 5299 << std::vector<Zelle>{};
    QTest::newRow("bis zum Schluss") << 5000 << 99999 << std::vector<Zelle>{{2, 2}, {2, 3}};
}

// A cell becomes known when its station stands in it, and only once.
void TstLinienprotokoll::bekanntMitDerZeit()
{
    QFETCH(int, von);
    QFETCH(int, bis);
    QFETCH(std::vector<Zelle>, neu);
    const Linienprotokoll p("SOS", 4, sosVonHand(), eingebetteterCode());
    auto gefunden = p.neuBekannt(std::chrono::milliseconds(von), std::chrono::milliseconds(bis));
    // Cells that stand at the same moment may come in any order.
    std::sort(gefunden.begin(), gefunden.end(), [](Zelle a, Zelle b) {
        return std::pair(a.zeichen, a.station) < std::pair(b.zeichen, b.station);
    });
    QVERIFY(gefunden == neu);
    for (const Zelle z : neu)
        QVERIFY(p.bekannt(z, std::chrono::milliseconds(bis)) &&
                !p.bekannt(z, std::chrono::milliseconds(von)));
}

void TstLinienprotokoll::zuerstFalschMitStartwert_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("stationen");
    QTest::addColumn<int>("prozent");
    QTest::addColumn<int>("startwert");
    QTest::addColumn<int>("falsche"); // how many characters went wrong with this seed
    QTest::newRow("TELEGRAFENLINIE") << QByteArray("TELEGRAFENLINIE") << 6 << 20 << 7 << 11;
    QTest::newRow("ohne Fehler") << QByteArray("TELEGRAFENLINIE") << 6 << 0 << 7 << 0;
    QTest::newRow("doppelt") << QByteArray("SSOOSS") << 8 << 30 << 3 << 6;
}

// The marked station of each character is the first whose last movement for it ended on
// another character than the sent one, read straight from the course.
void TstLinienprotokoll::zuerstFalschMitStartwert()
{
    QFETCH(QByteArray, text);
    QFETCH(int, stationen);
    QFETCH(int, prozent);
    QFETCH(int, startwert);
    QFETCH(int, falsche);
    const Signalcode& code = eingebetteterCode();
    const Linienwahl wahl{text.toStdString(), stationen, 1000ms, prozent,
                          static_cast<std::uint64_t>(startwert)};
    const Linienplan plan = linienplan(wahl, code);
    const Linienprotokoll p(wahl.nachricht, stationen, plan, code);
    std::map<std::pair<int, int>, Linienbewegung> letzte; // by character and station
    for (const Linienbewegung& b : plan.bewegungen)
        if (!letzte.count({b.zeichen, b.station}) || letzte[{b.zeichen, b.station}].ende <= b.ende)
            letzte[{b.zeichen, b.station}] = b;
    int gezaehlt = 0;
    std::string empfangen;
    for (int z = 0; z < text.size(); ++z) {
        std::optional<int> erste;
        for (int s = 0; s < stationen; ++s) {
            const char gesehen = code.zeichenDesBildes(letzte.at({z, s}).nach);
            QCOMPARE(p.eintrag(z, s).gesetzt, gesehen);
            if (!erste && gesehen != text[z])
                erste = s;
        }
        QCOMPARE(p.ersteFalsche(z), erste);
        gezaehlt += erste.has_value();
        empfangen += p.eintrag(z, stationen - 1).gesetzt;
    }
    QCOMPARE(gezaehlt, falsche);
    QCOMPARE(empfangen, plan.empfangen);
}

// The table fills in as the time advances, announcing only the cells that became known, marks
// the first wrong cell, and keeps everything after the end.
void TstLinienprotokoll::tabelle()
{
    WerLasWasModell modell;
    modell.setProtokoll(Linienprotokoll("SOS", 4, sosVonHand(), eingebetteterCode()));
    QCOMPARE(modell.rowCount(), 3);
    QCOMPARE(modell.columnCount(), 4);
    QCOMPARE(modell.headerData(3, Qt::Horizontal).toString(), QStringLiteral("Station 4"));
    QCOMPARE(modell.headerData(1, Qt::Vertical).toString(), QStringLiteral("2  O"));
    QSignalSpy geaendert(&modell, &QAbstractItemModel::dataChanged);
    modell.setZeit(2600ms);
    QCOMPARE(geaendert.size(), 5); // (0,0) (0,1) (1,0) (0,2) (1,1)
    for (const QList<QVariant>& s : geaendert)
        QCOMPARE(s[0].toModelIndex(), s[1].toModelIndex());
    QCOMPARE(geaendert.last()[0].toModelIndex(), modell.index(1, 1));
    const QModelIndex falsch = modell.index(1, 1);
    QCOMPARE(modell.data(falsch).toString(), QStringLiteral("B"));
    QCOMPARE(modell.data(falsch, Qt::AccessibleTextRole).toString(), QStringLiteral("B, falsch"));
    QCOMPARE(modell.data(falsch, Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 221, 0));
    QVERIFY(!modell.data(modell.index(0, 1), Qt::BackgroundRole).isValid());
    QVERIFY(!modell.data(modell.index(1, 2)).isValid()); // not yet set
    geaendert.clear();
    modell.setZeit(2000ms); // back in time: nothing
    modell.setZeit(100000ms);
    QCOMPARE(geaendert.size(), 12 - 5);
    QCOMPARE(modell.data(modell.index(1, 3)).toString(), QStringLiteral("?"));
    QCOMPARE(modell.data(modell.index(1, 3), Qt::AccessibleTextRole).toString(),
             QStringLiteral("kein Zeichen"));
    QCOMPARE(modell.data(modell.index(2, 3), Qt::AccessibleTextRole).toString(),
             QStringLiteral("kein Zeichen, falsch"));
}

// The chart on screen is the run's size and scrolls down with it, and back up for a new run.
void TstLinienprotokoll::bildFolgtDemLauf()
{
    const Linienwahl wahl{"TELEGRAFENLINIE", 6, 1000ms, 20, 7};
    const Linienprotokoll p(wahl.nachricht, 6, linienplan(wahl, eingebetteterCode()),
                            eingebetteterCode());
    WegZeitAnsicht ansicht;
    ansicht.resize(400, 300);
    ansicht.show();
    ansicht.setProtokoll(p);
    QCOMPARE(ansicht.widget()->size(), wegZeitGroesse(p));
    ansicht.setZeit(p.dauer());
    QCOMPARE(ansicht.verticalScrollBar()->value(), ansicht.verticalScrollBar()->maximum());
    QVERIFY(ansicht.verticalScrollBar()->maximum() > 0);
    ansicht.setProtokoll(p);
    QCOMPARE(ansicht.verticalScrollBar()->value(), 0);
}

QTEST_MAIN(TstLinienprotokoll)
#include "tst_linienprotokoll.moc"
