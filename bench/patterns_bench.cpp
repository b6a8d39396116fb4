#include "canvas/random_source.h"
#include "canvas/surface.h"
#include "colouring/surfaces.h"
#include "patterns/advanced.h"
#include "patterns/catalogue.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// One catalogue button press: the frame, the figure and the title.
void catalogueFigure(benchmark::State& state, const patterns::Figure* figure, QString width) {
    canvas::Surface design(colouring::designCanvasSetup());
    const QString caption = QStringLiteral("图案");
    std::int16_t savedFillStyle = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            patterns::drawCatalogueFigure(design, *figure, width, caption, savedFillStyle));
    }
}

// One advanced button press with the check box set or not; the random counts cover 0 to 20.
void advancedPattern(benchmark::State& state, int array, int index, int fillFlag, QString width) {
    canvas::Surface design(colouring::designCanvasSetup());
    design.setDrawWidth(std::int16_t(width.toInt()));
    canvas::RandomSource random(12345);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            patterns::drawAdvancedPattern(design, array, index, fillFlag, width, random));
    }
}

const bool registered = [] {
    for (const char* width : {"2", "120"}) {
        for (const patterns::Figure& figure : patterns::catalogue()) {
            const std::string name =
                std::string("Pattern/") + figure.controlName + "/width:" + width;
            benchmark::RegisterBenchmark(name.c_str(), catalogueFigure, &figure,
                                         QString::fromLatin1(width))
                ->Repetitions(5)
                ->ReportAggregatesOnly(true)
                ->MinTime(0.02);
        }
        for (int array : {70, 71}) {
            for (int index : {1, 2}) {
                for (int fill : {0, 1}) {
                    const std::string name = "Advanced/Command" + std::to_string(array) + "(" +
                                             std::to_string(index) +
                                             ")/fill:" + std::to_string(fill) + "/width:" + width;
                    benchmark::RegisterBenchmark(name.c_str(), advancedPattern, array, index, fill,
                                                 QString::fromLatin1(width))
                        ->Repetitions(5)
                        ->ReportAggregatesOnly(true)
                        ->MinTime(0.02);
                }
            }
        }
    }
    return true;
}();

} // namespace
