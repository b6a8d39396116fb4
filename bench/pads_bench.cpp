#include "pads/figures.h"
#include "pads/pad_setup.h"
#include "pads/random_art.h"
#include "pads/symbol_pad.h"

#include "canvas/random_source.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

// The fastest repetition, the figure least disturbed by other work on a shared machine.
double fastest(const std::vector<double>& times) {
    return times.empty() ? 0.0 : *std::min_element(times.begin(), times.end());
}

// The heaviest preset, "图5" on its first click: 12,880 dots of width 3.
void BM_PadsHeaviestFigure(benchmark::State& state) {
    canvas::Surface pad(pads::figurePadSetup());
    canvas::RandomSource random(7);
    const pads::FigureParams params{"15", "6", "3", "12880"};
    for (auto _ : state) {
        pads::drawFigure(pad, random, pads::FigureRoutine::Fine, params);
        benchmark::DoNotOptimize(pad.imageRef().constBits());
    }
    state.SetItemsProcessed(state.iterations() * 12879);
}
BENCHMARK(BM_PadsHeaviestFigure)->ComputeStatistics("min", fastest)->Unit(benchmark::kMicrosecond);

// One click of a preset button, clearing included every twelfth click.
void BM_PadsPresetClick(benchmark::State& state) {
    canvas::Surface pad(pads::figurePadSetup());
    canvas::RandomSource random(7);
    pads::FigureParams fields;
    std::int16_t counter = 0;
    for (auto _ : state) {
        pads::runFigurePreset(4, counter, fields, pad, random);
        benchmark::DoNotOptimize(pad.imageRef().constBits());
    }
}
BENCHMARK(BM_PadsPresetClick)->ComputeStatistics("min", fastest)->Unit(benchmark::kMicrosecond);

// One press on the symbol pad at the given angle; argument 1 stamps a pictogram.
void BM_PadsStamp(benchmark::State& state) {
    canvas::Surface pad(pads::symbolPadSetup());
    pads::FontDescription padFont = pads::symbolPadInitialFont();
    const bool pictogram = state.range(1) != 0;
    if (pictogram) {
        padFont.name = pads::symbolFontName(pads::SymbolFont::Wingdings);
    }
    pads::CLogFont fontObject([] { return 96; });
    pads::changeOutputAngle(fontObject, int(state.range(0)));
    canvas::RandomSource random(7);
    const QString text = pictogram ? QStringLiteral("J") : QStringLiteral("I love you");
    for (auto _ : state) {
        pads::stampSymbol(pad, padFont, fontObject, random, 1050.0f, 1050.0f, text, std::nullopt);
        benchmark::DoNotOptimize(pad.imageRef().constBits());
    }
}
BENCHMARK(BM_PadsStamp)
    ->Args({0, 0})
    ->Args({45, 0})
    ->Args({90, 0})
    ->Args({137, 0})
    ->Args({0, 1})
    ->Args({45, 1})
    ->ComputeStatistics("min", fastest)
    ->Unit(benchmark::kMicrosecond);

// One tick of the dot stream.
void BM_PadsDotTick(benchmark::State& state) {
    canvas::Surface pad(pads::randomArtPadSetup());
    canvas::RandomSource random(7);
    const pads::DotCentre centre{70.4f, 70};
    for (auto _ : state) {
        pads::tickDotStream(pad, random, centre);
        benchmark::DoNotOptimize(pad.imageRef().constBits());
    }
}
BENCHMARK(BM_PadsDotTick)->ComputeStatistics("min", fastest)->Unit(benchmark::kNanosecond);

} // namespace
