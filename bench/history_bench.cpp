#include "canvas/random_source.h"
#include "colouring/colouring.h"
#include "colouring/surfaces.h"
#include "design/history.h"
#include "tiling/tiling.h"

#include <benchmark/benchmark.h>

namespace {

canvas::Surface colouredDesign() {
    canvas::Surface design(colouring::designCanvasSetup());
    design.setDrawWidth(2);
    design.line(0, 73, 146, 73, 0);
    design.line(73, 0, 73, 146, 0);
    return design;
}

// A click fill with and without recording the step first: the difference is what undo costs a
// handler, the copy of the canvas that the fill's first write makes included.
void BM_ClickFill(benchmark::State& state) {
    canvas::Surface design = colouredDesign();
    canvas::RandomSource random(5);
    design::DesignHistory history;
    const bool record = state.range(0) != 0;
    for (auto _ : state) {
        if (record) {
            history.record({design.snapshot(), QStringLiteral("设计经典格子"), {}});
        }
        colouring::colourRegion(design, 20, 20, random);
        benchmark::DoNotOptimize(design.imageRef().constBits());
    }
}
BENCHMARK(BM_ClickFill)->Arg(0)->Arg(1)->ArgName("recorded");

void BM_UndoThenRedo(benchmark::State& state) {
    canvas::Surface design = colouredDesign();
    canvas::RandomSource random(5);
    design::DesignHistory history;
    history.record({design.snapshot(), QString(), {}});
    colouring::colourRegion(design, 20, 20, random);
    for (auto _ : state) {
        design.restore(history.undo({design.snapshot(), QString(), {}})->canvas);
        design.restore(history.redo({design.snapshot(), QString(), {}})->canvas);
        benchmark::DoNotOptimize(design.imageRef().constBits());
    }
    state.counters["steps"] =
        benchmark::Counter(2.0, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_UndoThenRedo);

// An A4 page at 300 dots per inch tiled with the design, as pattern-render writes it.
void BM_TileA4(benchmark::State& state) {
    const QImage tile = colouredDesign().image();
    const auto repeat = tiling::Repeat(state.range(0));
    for (auto _ : state) {
        const QImage page = tiling::repeatOver(tile, QSize(2480, 3508), repeat);
        benchmark::DoNotOptimize(page.constBits());
    }
}
BENCHMARK(BM_TileA4)
    ->Arg(int(tiling::Repeat::Straight))
    ->Arg(int(tiling::Repeat::HalfDrop))
    ->Arg(int(tiling::Repeat::Brick))
    ->ArgName("repeat")
    ->Unit(benchmark::kMillisecond);

} // namespace
