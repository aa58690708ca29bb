// What turning a pasted megabyte into sendable characters costs, once per playback tick: plain
// text, and text whose umlauts are written as a letter plus a combining mark. The tick itself
// also keeps the source of the character it shows, to mark it in the memo; that should cost
// next to nothing on top of normalising.
#include "normalisieren.h"
#include "wiedergabe.h"

#include <benchmark/benchmark.h>

#include <QString>

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

// What the tick does when the playback has come near the end of the text: the sent characters
// with the sources of the next one and the first one, the step, and the source it shows.
void BM_Tick(benchmark::State& state, const QString& stueck)
{
    const QString text = megabyte(stueck);
    const int position = static_cast<int>(normalisieren(text).size()) - 10;
    for (auto _ : state) {
        const Gesendet nachricht =
            normalisierenMitQuellen(text, {static_cast<std::size_t>(position), 0});
        const Wiedergabeschritt schritt = naechsterSchritt(nachricht.zeichen, position);
        benchmark::DoNotOptimize(
            nachricht.quellen.find(static_cast<std::size_t>(schritt.position - 1))->second);
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

} // namespace

BENCHMARK_CAPTURE(BM_Normalisieren, Einfach, einfach)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tick, Einfach, einfach)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Normalisieren, Zerlegt, zerlegt)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Tick, Zerlegt, zerlegt)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
