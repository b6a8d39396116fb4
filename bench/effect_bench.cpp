// The effect picture: the design repeated at its own size and at chosen sizes, with a plain copy
// of the whole effect view as the peer.
#include "canvas/fonts.h"
#include "canvas/text_stamp.h"
#include "colouring/surfaces.h"
#include "effect/effect.h"

#include <QDate>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

struct EffectBench {
    EffectBench() {
        canvas::installFontSubstitutes();
        design.line(0, 0, 141, 141, 0x0000FF);
        design.circle(70, 70, 40, 0x00FF00);
        design.setFillColor(0x3399CC);
        design.floodFillSurface(70, 70, design.backColor());
    }
    canvas::Surface design{colouring::designCanvasSetup()};
    canvas::Surface effect{colouring::effectViewSetup()};
    canvas::Surface strip{colouring::stripSetup()};
    const QString credit = effect::creditLine(QDate(2024, 3, 5));
};

void BM_EffectOwnSize(benchmark::State& state) {
    EffectBench bench;
    for (auto _ : state) {
        effect::renderEffectOwnSize(bench.effect, bench.design, bench.strip, bench.credit);
        benchmark::DoNotOptimize(bench.effect.imageRef().constBits());
    }
}
BENCHMARK(BM_EffectOwnSize);

// Sizes as the list offers them (10 ... 300), and one with a fractional step.
void BM_EffectChosenSize(benchmark::State& state) {
    EffectBench bench;
    effect::renderEffectOwnSize(bench.effect, bench.design, bench.strip, bench.credit);
    const QString size = state.range(1) == 0 ? QString::number(state.range(0))
                                             : QString::number(state.range(0)) + ".5";
    for (auto _ : state) {
        effect::renderEffectChosenSize(bench.effect, bench.strip, bench.design, size, bench.credit);
        benchmark::DoNotOptimize(bench.effect.imageRef().constBits());
    }
}
BENCHMARK(BM_EffectChosenSize)
    ->Args({10, 0})
    ->Args({80, 0})
    ->Args({300, 0})
    ->Args({10, 1})
    ->Args({80, 1});

// Alternating among three sizes, all of which the stretch cache keeps (it holds eight): the warm
// path of switching sizes back and forth.
void BM_EffectChosenSizeAlternatingCached(benchmark::State& state) {
    EffectBench bench;
    effect::renderEffectOwnSize(bench.effect, bench.design, bench.strip, bench.credit);
    const QString sizes[] = {QStringLiteral("10"), QStringLiteral("80.5"), QStringLiteral("300")};
    std::size_t next = 0;
    for (auto _ : state) {
        effect::renderEffectChosenSize(bench.effect, bench.strip, bench.design, sizes[next],
                                       bench.credit);
        next = (next + 1) % 3;
        benchmark::DoNotOptimize(bench.effect.imageRef().constBits());
    }
}
BENCHMARK(BM_EffectChosenSizeAlternatingCached);

// The cold path: the first rendering after a design change, when the kept copy is new and no
// stretched tile of it exists yet. The change itself is not timed. Arg: tile size.
void BM_EffectChosenSizeCold(benchmark::State& state) {
    EffectBench bench;
    const QString size = QString::number(state.range(0));
    canvas::Colour colour = 0;
    for (auto _ : state) {
        state.PauseTiming();
        bench.design.line(0, 0, 0, 0, colour++ & 0xFFFFFF);
        bench.strip.setPicture(bench.design.image());
        state.ResumeTiming();
        effect::renderEffectChosenSize(bench.effect, bench.strip, bench.design, size, bench.credit);
        benchmark::DoNotOptimize(bench.effect.imageRef().constBits());
    }
}
BENCHMARK(BM_EffectChosenSizeCold)->Arg(10)->Arg(80)->Arg(300);

// The chosen size 80 in each repeat type (Arg: tiling::Repeat), as a live effect view renders it
// after every change: the kept copy refreshed first, so the tile is stretched anew each time.
void BM_EffectChosenSizeRepeat(benchmark::State& state) {
    EffectBench bench;
    const auto repeat = tiling::Repeat(state.range(0));
    for (auto _ : state) {
        bench.strip.setPicture(bench.design.image());
        effect::renderEffectChosenSize(bench.effect, bench.strip, bench.design,
                                       QStringLiteral("80"), bench.credit, repeat);
        benchmark::DoNotOptimize(bench.effect.imageRef().constBits());
    }
}
BENCHMARK(BM_EffectChosenSizeRepeat)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// The peer: one plain copy of the 643 x 643 view.
void BM_PlainViewCopy(benchmark::State& state) {
    EffectBench bench;
    const QImage source = bench.effect.image();
    QImage target(source.size(), QImage::Format_RGB32);
    const std::size_t bytes = std::size_t(source.width()) * sizeof(QRgb);
    for (auto _ : state) {
        for (int row = 0; row < source.height(); ++row) {
            std::memcpy(target.scanLine(row), source.constScanLine(row), bytes);
        }
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_PlainViewCopy);

// The parts of a rendering: clearing the view and printing the credit line with the surface.
void BM_EffectClear(benchmark::State& state) {
    EffectBench bench;
    for (auto _ : state) {
        bench.effect.cls();
        benchmark::DoNotOptimize(bench.effect.imageRef().constBits());
    }
}
BENCHMARK(BM_EffectClear);

void BM_CreditLine(benchmark::State& state) {
    EffectBench bench;
    for (auto _ : state) {
        bench.effect.setCurrentX(0);
        bench.effect.setCurrentY(0);
        bench.effect.print(bench.credit);
        benchmark::DoNotOptimize(bench.effect.imageRef().constBits());
    }
}
BENCHMARK(BM_CreditLine);

// The same line through the stamp the renderings use.
void BM_CreditLineStamped(benchmark::State& state) {
    EffectBench bench;
    canvas::TextStamp stamp;
    for (auto _ : state) {
        bench.effect.setCurrentX(0);
        bench.effect.setCurrentY(0);
        stamp.print(bench.effect, bench.credit);
        benchmark::DoNotOptimize(bench.effect.imageRef().constBits());
    }
}
BENCHMARK(BM_CreditLineStamped);

} // namespace
