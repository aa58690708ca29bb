// What turning a pasted megabyte into sendable characters costs, once per playback tick: plain
// text, and text whose umlauts are written as a letter plus a combining mark; each without and
// with the source of every sent character, which the tick uses to mark it in the memo.
#include "normalisieren.h"

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

void BM_NormalisierenEinfach(benchmark::State& state)
{
    const QString text = megabyte(QStringLiteral("Grüße aus Köln & Jena 1900.\n"));
    for (auto _ : state)
        benchmark::DoNotOptimize(normalisieren(text));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

void BM_NormalisierenZerlegt(benchmark::State& state)
{
    const QString text = megabyte(QStringLiteral("Gru\u0308\u00DFe aus Ko\u0308ln & Jena 1900.\n"));
    for (auto _ : state)
        benchmark::DoNotOptimize(normalisieren(text));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

void BM_MitQuellenEinfach(benchmark::State& state)
{
    const QString text = megabyte(QStringLiteral("Grüße aus Köln & Jena 1900.\n"));
    for (auto _ : state)
        benchmark::DoNotOptimize(normalisierenMitQuellen(text));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

void BM_MitQuellenZerlegt(benchmark::State& state)
{
    const QString text = megabyte(QStringLiteral("Gru\u0308\u00DFe aus Ko\u0308ln & Jena 1900.\n"));
    for (auto _ : state)
        benchmark::DoNotOptimize(normalisierenMitQuellen(text));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

} // namespace

BENCHMARK(BM_NormalisierenEinfach)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MitQuellenEinfach)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NormalisierenZerlegt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MitQuellenZerlegt)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
