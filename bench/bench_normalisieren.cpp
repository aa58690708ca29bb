// What a playback tick costs on a pasted megabyte, against turning the text into sendable
// characters alone: plain text, and text whose umlauts are written as a letter plus a combining
// mark. The tick runs in the real window, near the end of the text: it normalises the memo's
// text, finds the source of the character it shows, and marks it in the memo, scrolling it into
// view. And what a key costs in the line's message field at its longest, against the
// normalisation of that text alone.
#include "assets/eingebettet.h"
#include "bedienung/normalisieren.h"
#include "linie/linienplan.h"
#include "widgets/wiedergabe.h"
#include "window/linienfenster.h"
#include "window/umix2.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace {

QString megabyte(const QString& stueck)
{
    QString text;
    text.reserve(1 << 20);
    while (text.size() < (1 << 20))
        text += stueck;
    return text;
}

const QString einfach = QStringLiteral("Grüße aus Köln & Jena 1900.\n");
const QString zerlegt = QStringLiteral("Gru\u0308\u00DFe aus Ko\u0308ln & Jena 1900.\n");

void BM_Normalisieren(benchmark::State& state, const QString& stueck)
{
    const QString text = megabyte(stueck);
    for (auto _ : state)
        benchmark::DoNotOptimize(normalisieren(text));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

// Each tick starts with the memo scrolled to its top, so that marking the character near the
// end scrolls it into view every time.
void BM_Tick(benchmark::State& state, const QString& stueck)
{
    const QString text = megabyte(stueck);
    Tpformx11 fenster(eingebetteterCode());
    fenster.show();
    auto& memo = *fenster.findChild<QPlainTextEdit*>();
    auto& wiedergabe = *fenster.findChild<Wiedergabe*>();
    memo.setPlainText(text);
    QCoreApplication::processEvents();
    const int position = static_cast<int>(normalisieren(text).size()) - 10;
    for (auto _ : state) {
        state.PauseTiming();
        memo.verticalScrollBar()->setValue(0);
        wiedergabe.setzeFort(position);
        state.ResumeTiming();
        benchmark::DoNotOptimize(wiedergabe.naechstesZeichen());
    }
    if (memo.verticalScrollBar()->value() == 0)
        state.SkipWithError("the mark was not scrolled into view");
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

// A key typed at the end of the line's message field, full to its 32,767 characters, with eight
// stations: the window works out what the message would send and how long it would take, and
// shows it.
void BM_Linientaste(benchmark::State& state)
{
    Linienfenster fenster(eingebetteterCode());
    fenster.setStationen(meisteStationen);
    fenster.show();
    auto& nachricht = *fenster.findChild<QLineEdit*>(QStringLiteral("nachricht"));
    const QString text = megabyte(einfach).left(nachricht.maxLength() - 1);
    nachricht.setText(text);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        nachricht.end(false);
        nachricht.insert(QStringLiteral("x"));
        QCoreApplication::processEvents(); // the window's new layout and drawing
        state.PauseTiming();
        nachricht.backspace();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_LinientasteNormalisieren(benchmark::State& state)
{
    const QString text = megabyte(einfach).left(32767);
    for (auto _ : state)
        benchmark::DoNotOptimize(normalisieren(text));
}

} // namespace

BENCHMARK_CAPTURE(BM_Normalisieren, Einfach, einfach)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tick, Einfach, einfach)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Normalisieren, Zerlegt, zerlegt)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tick, Zerlegt, zerlegt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Linientaste)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinientasteNormalisieren)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    QApplication anwendung(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
