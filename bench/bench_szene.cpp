// What a frame of the telegraph scene costs, measured against the floor of any frame: writing
// 800 x 694 pixels of 32 bits once and copying them once. After the benchmarks the program
// prints each result as a multiple of that floor, so that figures from different machines can
// be compared. The aims: a whole scene at most twice the floor, and a frame of a movement, which
// is composed and sent only where a beam turned, less than the floor.

#include "assets/eingebettet.h"
#include "bedienung/bewegung.h"
#include "bedienung/feldraster.h"
#include "display/szene.h"
#include "drawing/canvas.h"
#include "linie/linienplan.h"
#include "signal/alphabet.h"
#include "signal/signalcode.h"
#include "signal/stellung.h"
#include "widgets/alphabetfeld.h"
#include "widgets/station.h"
#include "widgets/telegraf.h"
#include "window/leitstellenfenster.h"
#include "window/linienfenster.h"
#include "window/umix2.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int breite = 800;
constexpr int hoehe = 694;

// A change between two characters whose beams all differ by half a turn: 178 frames for each
// of the three beams and the final drawing.
constexpr char zeichenHin = 'A';
constexpr char zeichenHer = 'E';
constexpr int zeichnungenJeWechsel = 3 * 178 + 1;

void pumpen()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// A shown main window with every pending event handled, its telegraph, and a count of the
// scene's drawings.
struct GezeigtesFenster {
    Tpformx11 w{eingebetteterCode()};
    Telegraf& telegraf = *w.findChild<Telegraf*>();
    long zeichnungen = 0;

    GezeigtesFenster()
    {
        telegraf.setTakt(std::chrono::milliseconds::zero()); // the drawing's cost, not the pace
        QObject::connect(&telegraf, &Telegraf::gezeichnet, [this] { ++zeichnungen; });
        w.show();
        for (int i = 0; i < 10; ++i)
            pumpen();
    }

    // A press on the grid, as the user makes it, and the movement it starts, to its end.
    void druecke(char zeichen)
    {
        QWidget* feld = w.findChild<QWidget*>(QStringLiteral("PBz"));
        QMouseEvent druck(QEvent::MouseButtonPress, feldMitte(zeichen),
                          feld->mapToGlobal(feldMitte(zeichen)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(feld, &druck);
        while (telegraf.bewegungLaeuft())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }

    static QPoint feldMitte(char zeichen);
};

// The centre of a character's cell in the alphabet grid; the space lies below its last row.
QPoint GezeigtesFenster::feldMitte(char zeichen)
{
    if (zeichen == ' ')
        return {15, 180};
    const auto index = static_cast<int>(alphabet.find(zeichen));
    return {(index % feldSpalten) * feldRaster + feldRaster / 2,
            (index / feldSpalten) * feldRaster + feldRaster / 2};
}

void BM_Boden(benchmark::State& state)
{
    QImage quelle(breite, hoehe, QImage::Format_RGB32);
    QImage ziel(breite, hoehe, QImage::Format_RGB32);
    ziel.fill(Qt::black);
    unsigned farbe = 0;
    for (auto _ : state) {
        quelle.fill(QColor::fromRgb(farbe++ & 0xffffffu));
        QPainter maler(&ziel);
        maler.setCompositionMode(QPainter::CompositionMode_Source);
        maler.drawImage(0, 0, quelle);
        maler.end();
        benchmark::DoNotOptimize(ziel.constBits());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 2 * ziel.sizeInBytes());
}

void BM_Szene(benchmark::State& state)
{
    const Szenenbilder& bilder = telegrafbilder();
    if (bilder.stich.isNull() || bilder.pergament.isNull() || bilder.holz.isNull()) {
        state.SkipWithError("the pictures are missing from the resources");
        return;
    }
    const Stellung stellung{135, 45, -135};

    QImage ziel(breite, hoehe, QImage::Format_RGB32);
    ziel.fill(Qt::black);
    QPainter maler(&ziel);
    Canvas leinwand(maler);
    // The whole scene, as a window draws it when shown or uncovered.
    Szene szene(bilder);
    const QRegion ganz(0, 0, breite, hoehe);
    for (auto _ : state) {
        szene.zeichne(leinwand, ganz, breite, hoehe, stellung, 'A');
        benchmark::DoNotOptimize(ziel.constBits());
        benchmark::ClobberMemory();
    }
    maler.end();
    // A scene that was not drawn would leave the target black.
    if (ziel.pixel(0, 0) != qRgb(255, 255, 255))
        state.SkipWithError("the scene did not reach the target");
}

void BM_Fensterframe(benchmark::State& state)
{
    GezeigtesFenster f;
    f.telegraf.stelle(Stellung{135, 45, -135}, 'A');
    pumpen();
    const long vorher = f.zeichnungen;
    for (auto _ : state)
        f.telegraf.repaint();
    if (f.zeichnungen - vorher != static_cast<long>(state.iterations()))
        state.SkipWithError("drawNow() did not draw the scene once per call");
}

// The frames of real movements as the window draws and shows them: rest to "A" turns both
// indicators, "A" to "8" and "8" to "E" single beams, "E" to rest all three. Each iteration is
// one movement; the counter gives its drawings, by which the time is divided for the ratio.
void BM_Bewegungsframe(benchmark::State& state)
{
    GezeigtesFenster f;
    const std::array<char, 4> folge{'A', '8', 'E', ' '};
    std::size_t naechstes = 0;
    const long vorher = f.zeichnungen;
    for (auto _ : state) {
        const char gewaehlt = folge[naechstes++ % folge.size()];
        f.druecke(gewaehlt);
        if (f.telegraf.zeichen() != gewaehlt) {
            state.SkipWithError("a press did not move the telegraph to its character");
            return;
        }
    }
    state.counters["Zeichnungen"] = benchmark::Counter(static_cast<double>(f.zeichnungen - vorher),
                                                       benchmark::Counter::kAvgIterations);
}

void BM_Zeichenwechsel(benchmark::State& state)
{
    GezeigtesFenster f;
    const Stellung hin = winkelholen(eingebetteterCode(), zeichenHin);
    const Stellung her = winkelholen(eingebetteterCode(), zeichenHer);
    for (int Stellung::*balken :
         {&Stellung::regulator, &Stellung::indikator1, &Stellung::indikator2}) {
        if (std::abs(kurzerWeg(hin.*balken - her.*balken)) != 180) {
            state.SkipWithError("the two characters are not half a turn apart in every beam");
            return;
        }
    }
    const QPoint mitteHin = GezeigtesFenster::feldMitte(zeichenHin);
    const QPoint mitteHer = GezeigtesFenster::feldMitte(zeichenHer);
    if (zeichenAn(mitteHin.x(), mitteHin.y()) != zeichenHin ||
        zeichenAn(mitteHer.x(), mitteHer.y()) != zeichenHer) {
        state.SkipWithError("the presses do not hit the characters' cells");
        return;
    }

    bool zumHin = true;
    long falsch = 0;
    for (auto _ : state) {
        // Stand on the opposite character, then press the other one.
        const char gewaehlt = zumHin ? zeichenHin : zeichenHer;
        f.telegraf.stelle(zumHin ? her : hin, zumHin ? zeichenHer : zeichenHin);
        pumpen();
        const long vorher = f.zeichnungen;
        f.druecke(gewaehlt);
        if (f.zeichnungen - vorher != zeichnungenJeWechsel ||
            f.telegraf.winkel() != (zumHin ? hin : her))
            ++falsch;
        zumHin = !zumHin;
    }
    if (falsch != 0)
        state.SkipWithError("a change did not draw 535 frames and end on its character");
    state.counters["Zeichnungen"] = zeichnungenJeWechsel;
}

// A frame of the line of stations with all eight moving at once, each turning one beam by a
// degree, as the line's window shows them: each station repaints where its beam moved, and the
// window sends what changed in one go. The stations go through the same movements as
// BM_Bewegungsframe, each starting at another point of them.
void BM_Linienframe(benchmark::State& state)
{
    Linienfenster fenster(eingebetteterCode());
    fenster.setStationen(meisteStationen);
    fenster.show();
    for (int i = 0; i < 10; ++i)
        pumpen();
    const QList<Station*> stationen = fenster.findChildren<Station*>();
    std::vector<Stellung> bilder;
    Stellung von = ruhestellung;
    for (const char zeichen : {'A', '8', 'E', ' '}) {
        const Stellung nach = winkelholen(eingebetteterCode(), zeichen);
        for (const Stellung& s : bewegungsplan(von, nach))
            bilder.push_back(s);
        von = nach;
    }
    std::size_t bild = 0;
    for (auto _ : state) {
        for (int k = 0; k < stationen.size(); ++k)
            stationen[k]->zeige(bilder[(bild + static_cast<std::size_t>(k) * 97) % bilder.size()]);
        ++bild;
        pumpen();
    }
}

// A frame of the Leitstelle's window with its thirty stations all moving at once, as
// BM_Linienframe does it for the line of eight: the window's own frame step on the Leitstelle's
// clock, one movement frame later each time, and what changed painted. Each station goes
// through the same movements, starting at another point of them, and begins its next movement
// as soon as one ends, as the Leitstelle tells the window.
void BM_Leitstellenframe(benchmark::State& state)
{
    using std::chrono::milliseconds;
    Leitstellenfenster fenster(eingebetteterCode());
    fenster.setStationen(meisteStationenImNetz);
    fenster.show();
    for (int i = 0; i < 10; ++i)
        pumpen();
    std::vector<Stellung> ziele;
    for (const char zeichen : {'A', '8', 'E', ' '})
        ziele.push_back(winkelholen(eingebetteterCode(), zeichen));
    const auto dauer = [](Stellung von, Stellung nach) {
        return static_cast<long>(bewegungsplan(von, nach).size()) * bewegungsTakt;
    };
    std::vector<Linienbewegung> laufend(meisteStationenImNetz);
    std::vector<std::size_t> ziel(meisteStationenImNetz);
    milliseconds jetzt{0};
    // Each station's movement began k x 97 frames before the first frame.
    for (int k = 0; k < meisteStationenImNetz; ++k) {
        ziel[k] = static_cast<std::size_t>(k) % ziele.size();
        const Stellung von = ziele[(ziel[k] + ziele.size() - 1) % ziele.size()];
        const milliseconds beginn = -(k % 4) * 97 * bewegungsTakt;
        laufend[k] = {k, 0, von, ziele[ziel[k]], beginn, beginn + dauer(von, ziele[ziel[k]]), '\0'};
        emit fenster.leitstelle().bewegt(laufend[k]);
    }
    for (auto _ : state) {
        jetzt += bewegungsTakt;
        for (Linienbewegung& b : laufend) {
            if (jetzt < b.ende)
                continue;
            auto& z = ziel[static_cast<std::size_t>(b.station)];
            z = (z + 1) % ziele.size();
            b = {b.station, 0, b.nach, ziele[z], jetzt, jetzt + dauer(b.nach, ziele[z]), '\0'};
            emit fenster.leitstelle().bewegt(b);
        }
        fenster.zeigeBild(jetzt);
        pumpen();
    }
}

BENCHMARK(BM_Boden)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Szene)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Fensterframe)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Bewegungsframe)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Zeichenwechsel)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Linienframe)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Leitstellenframe)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);

// The console output as usual, and each benchmark's wall time per iteration collected for the
// ratios. With repetitions the median of the repetitions counts.
class Sammler : public benchmark::ConsoleReporter {
public:
    std::map<std::string, std::vector<double>> nanosekunden;
    std::map<std::string, double> mediane;
    std::map<std::string, double> zeichnungen; // drawings per iteration, where counted

    void ReportRuns(const std::vector<Run>& laeufe) override
    {
        ConsoleReporter::ReportRuns(laeufe);
        for (const Run& lauf : laeufe) {
            if (lauf.error_occurred)
                continue;
            const double ns =
                lauf.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(lauf.time_unit);
            const std::string& name = lauf.run_name.function_name;
            // The aggregates' counters are statistics of the counter (its spread among them),
            // not drawings: only a run's own counter or the median's counts.
            const bool zaehlt =
                lauf.run_type == Run::RT_Iteration || lauf.aggregate_name == "median";
            if (const auto z = lauf.counters.find("Zeichnungen");
                z != lauf.counters.end() && zaehlt)
                zeichnungen[name] = z->second;
            if (lauf.run_type == Run::RT_Iteration)
                nanosekunden[name].push_back(ns);
            else if (lauf.aggregate_name == "median")
                mediane[name] = ns;
        }
    }

    // Zero when the benchmark did not run or failed.
    double zeit(const std::string& name) const
    {
        if (const auto m = mediane.find(name); m != mediane.end())
            return m->second;
        const auto n = nanosekunden.find(name);
        if (n == nanosekunden.end() || n->second.empty())
            return 0;
        std::vector<double> werte = n->second;
        std::nth_element(werte.begin(), werte.begin() + werte.size() / 2, werte.end());
        return werte[werte.size() / 2];
    }
};

void verhaeltnisDrucken(const char* zeile, double zaehler, double nenner)
{
    if (zaehler > 0 && nenner > 0)
        std::printf("%-40s %8.2f\n", zeile, zaehler / nenner);
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING"))
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");

    // The benchmark library takes its flags out first; the rest is Qt's.
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);

    Sammler sammler;
    benchmark::RunSpecifiedBenchmarks(&sammler);

    const double boden = sammler.zeit("BM_Boden");
    const double szene = sammler.zeit("BM_Szene");
    const double fenster = sammler.zeit("BM_Fensterframe");
    const double bewegung = sammler.zeit("BM_Bewegungsframe");
    const double wechsel = sammler.zeit("BM_Zeichenwechsel");
    const double linie = sammler.zeit("BM_Linienframe");
    std::printf("\nMultiples of the floor (writing and copying one %d x %d frame, %.1f us):\n",
                breite, hoehe, boden / 1e3);
    verhaeltnisDrucken("Szene / Boden:", szene, boden);
    verhaeltnisDrucken("Fensterframe / Boden:", fenster, boden);
    verhaeltnisDrucken(
        "Bewegungsframe / Boden:", bewegung / sammler.zeichnungen["BM_Bewegungsframe"], boden);
    verhaeltnisDrucken("Zeichenwechsel / Boden:", wechsel, boden);
    verhaeltnisDrucken("Zeichenwechsel / 535 drawings / Boden:", wechsel / zeichnungenJeWechsel,
                       boden);
    verhaeltnisDrucken("Linienframe (8 Stationen) / Bewegungsframe:", linie,
                       bewegung / sammler.zeichnungen["BM_Bewegungsframe"]);
    verhaeltnisDrucken(
        "Leitstellenframe (30) / Linienframe (8):", sammler.zeit("BM_Leitstellenframe"), linie);
    std::fflush(stdout);

    benchmark::Shutdown();
    return 0;
}
