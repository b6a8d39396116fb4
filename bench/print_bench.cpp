// Print pages written by the engine in-process: each format at a few sizes, and the row producer
// alone, so the encoders' share of the time shows. Time per megapixel is reported as a counter.
#include "colouring/surfaces.h"
#include "patterns/catalogue.h"
#include "print/print_engine.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// The 142 x 142 design of the comparison benchmark: Command55 with one filled region.
QImage printDesign() {
    canvas::Surface design(colouring::designCanvasSetup());
    std::int16_t fillStyle = 0;
    patterns::drawCatalogueFigure(design, *patterns::findFigure(QStringLiteral("Command55")),
                                  QStringLiteral("2"), QString(), fillStyle);
    design.setFillColor(0x3399CC);
    design.floodFillSurface(70, 30, design.backColor());
    return design.image();
}

// Seconds of wall time per megapixel (shown with an SI prefix: 4.2m is 4.2 ms).
void reportMegapixels(benchmark::State& state, QSize page) {
    const double megapixels = double(page.width()) * page.height() / 1e6;
    state.counters["s_per_MP"] = benchmark::Counter(
        megapixels, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// A tile of 142 x 142 different colours, which no palette holds: pages of it are written as RGB.
QImage manyColours() {
    QImage tile(142, 142, QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y) {
        for (int x = 0; x < tile.width(); ++x) {
            tile.setPixel(x, y, qRgb(x, y, (x * y) % 256));
        }
    }
    return tile;
}

// The engine writing a whole page to a file. Args: format, width, height, and 1 for the RGB
// tile instead of the design's few colours.
void BM_PrintPage(benchmark::State& state) {
    const QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("page")));
    const QSize page(int(state.range(1)), int(state.range(2)));
    const print::PrintJob job{state.range(3) == 1 ? manyColours() : printDesign(),
                              page,
                              tiling::Repeat::Straight,
                              print::PrintFormat(state.range(0)),
                              300.0,
                              {}};
    for (auto _ : state) {
        if (!print::renderPrint(job, path).saved) {
            state.SkipWithError("the page was not written");
        }
    }
    reportMegapixels(state, page);
}
BENCHMARK(BM_PrintPage)
    ->UseRealTime()
    ->ArgNames({"format", "width", "height", "rgb"})
    ->Args({int(print::PrintFormat::Png), 1000, 1000, 0})
    ->Args({int(print::PrintFormat::Png), 2480, 3508, 0})
    ->Args({int(print::PrintFormat::Png), 2480, 3508, 1})
    ->Args({int(print::PrintFormat::Tiff), 1000, 1000, 0})
    ->Args({int(print::PrintFormat::Tiff), 2480, 3508, 0})
    ->Args({int(print::PrintFormat::Tiff), 2480, 3508, 1})
    ->Args({int(print::PrintFormat::Bmp), 1000, 1000, 0})
    ->Args({int(print::PrintFormat::Bmp), 2480, 3508, 0})
    ->Unit(benchmark::kMillisecond);

// The rows of an A4 page made by the producer alone, one byte a pixel as the palette PNG takes
// them; arg: repeat.
void BM_TiledRowsA4(benchmark::State& state) {
    const QImage tile = printDesign().convertToFormat(QImage::Format_Grayscale8);
    const QSize page(2480, 3508);
    const tiling::TiledRows rows({tile.constBits(), tile.bytesPerLine(), tile.size(), 1},
                                 page.width(), tiling::Repeat(state.range(0)));
    std::vector<uchar> row(std::size_t(page.width()));
    for (auto _ : state) {
        for (int y = 0; y < page.height(); ++y) {
            rows.fill(y, row.data());
        }
        benchmark::DoNotOptimize(row.data());
    }
    reportMegapixels(state, page);
}
BENCHMARK(BM_TiledRowsA4)
    ->UseRealTime()
    ->ArgName("repeat")
    ->DenseRange(0, 4)
    ->Unit(benchmark::kMillisecond);

} // namespace
