// Flood fills on the design canvas: the surface fill of a press, the border fill, and OpenCV's
// floodFill on the same pixels as the peer. Every benchmark first checks that the canvas fills
// paint exactly the pixels OpenCV paints. Then a seam press under each repeat on a catalogue
// design, beside a plain press at the same point, where the two fill different pixels.
#include "canvas/surface.h"
#include "colouring/design_record.h"
#include "colouring/guided_fill.h"
#include "colouring/surfaces.h"
#include "patterns/catalogue.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <optional>
#include <random>

#ifdef PW_HAVE_OPENCV
// OpenCV 4.6's headers mix enumeration types, which C++20 warns about.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-enum-enum-conversion"
#include <opencv2/imgproc.hpp>
#pragma GCC diagnostic pop
#endif

namespace {

constexpr canvas::Colour kFirst = 0x0059C8A2;
constexpr canvas::Colour kSecond = 0x00123456;
constexpr canvas::Colour kWall = 0x00000000;

canvas::Surface plainCanvas() {
    canvas::Surface design(colouring::designCanvasSetup());
    design.setBackColor(kFirst);
    return design;
}

// Walls everywhere but a one-pixel corridor that winds row by row across the whole canvas: the
// odd rows are walls with one gap, at the right and the left end in turn.
canvas::Surface serpentineCanvas() {
    canvas::Surface design = plainCanvas();
    design.setForeColor(kWall);
    const int size = design.clientPixelWidth();
    for (int y = 1; y < size; y += 2) {
        const int gap = (y / 2) % 2 == 0 ? size - 1 : 0;
        for (int x = 0; x < size; ++x) {
            if (x != gap) {
                design.pset(float(x), float(y));
            }
        }
    }
    return design;
}

// Random line art with cells of every shape, for the exactness check.
canvas::Surface lineArtCanvas(unsigned seed) {
    canvas::Surface design = plainCanvas();
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> coordinate(-10.0f, 152.0f);
    for (int i = 0; i < 25; ++i) {
        design.setDrawWidth(std::int16_t(1 + i % 3));
        design.line(coordinate(random), coordinate(random), coordinate(random), coordinate(random),
                    i % 4 == 0 ? kSecond : kWall);
    }
    design.setDrawWidth(1);
    for (int i = 0; i < 6; ++i) {
        design.circle(coordinate(random), coordinate(random), coordinate(random) / 3, kWall);
    }
    return design;
}

#ifdef PW_HAVE_OPENCV
// The pixels of an RGB32 image wrapped as one 32-bit channel, without copying.
cv::Mat wrap(QImage& image) {
    return cv::Mat(image.height(), image.width(), CV_32SC1, image.bits(),
                   std::size_t(image.bytesPerLine()));
}

int openCvSurfaceFill(cv::Mat& pixels, int x, int y, QRgb brush) {
    return cv::floodFill(pixels, cv::Point(x, y), cv::Scalar(double(std::int32_t(brush))), nullptr,
                         cv::Scalar(0), cv::Scalar(0), 4);
}

// OpenCV has no border mode: fill the non-border pixels of a 0/1 map, then paint them.
void openCvBorderFill(QImage& image, int x, int y, QRgb border, QRgb brush) {
    cv::Mat walls(image.height(), image.width(), CV_8UC1);
    for (int row = 0; row < image.height(); ++row) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(row));
        for (int column = 0; column < image.width(); ++column) {
            walls.at<std::uint8_t>(row, column) = pixels[column] == border ? 1 : 0;
        }
    }
    if (walls.at<std::uint8_t>(y, x) != 0) {
        return;
    }
    cv::floodFill(walls, cv::Point(x, y), cv::Scalar(2), nullptr, cv::Scalar(0), cv::Scalar(0), 4);
    for (int row = 0; row < image.height(); ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int column = 0; column < image.width(); ++column) {
            if (walls.at<std::uint8_t>(row, column) == 2) {
                pixels[column] = brush;
            }
        }
    }
}
#endif

// Both canvas fills against OpenCV from many starting points on several pictures.
bool fillsMatchOpenCv(std::string& failure) {
#ifdef PW_HAVE_OPENCV
    std::vector<canvas::Surface> pictures{plainCanvas(), serpentineCanvas()};
    for (unsigned seed = 1; seed <= 6; ++seed) {
        pictures.push_back(lineArtCanvas(seed));
    }
    const QRgb brush = canvas::toPixel(0x00ABCDEF);
    for (std::size_t p = 0; p < pictures.size(); ++p) {
        for (int start = 0; start < 142 * 142; start += 997) {
            const int x = start % 142;
            const int y = start / 142;
            for (const bool border : {false, true}) {
                canvas::Surface canvasFill = pictures[p];
                canvasFill.setFillColor(0x00ABCDEF);
                QImage expected = pictures[p].image();
                if (border) {
                    canvasFill.floodFillBorder(x, y, kWall);
                    openCvBorderFill(expected, x, y, canvas::toPixel(kWall), brush);
                } else {
                    const canvas::Colour target =
                        canvas::Colour(canvasFill.point(float(x), float(y)));
                    canvasFill.floodFillSurface(x, y, target);
                    cv::Mat pixels = wrap(expected);
                    openCvSurfaceFill(pixels, x, y, brush);
                }
                if (canvasFill.imageRef() != expected) {
                    failure = std::string(border ? "border" : "surface") + " fill differs from " +
                              "OpenCV on picture " + std::to_string(p) + " from (" +
                              std::to_string(x) + ", " + std::to_string(y) + ")";
                    return false;
                }
            }
        }
    }
#endif
    return true;
}

bool checked(benchmark::State& state) {
    static std::string failure;
    static const bool match = fillsMatchOpenCv(failure);
    if (!match) {
        state.SkipWithError(failure.c_str());
    }
    return match;
}

// Whole-canvas surface fill, as a press right after start-up; the colours alternate so that every
// iteration floods all 142 x 142 pixels.
void BM_SurfaceFillWholeCanvas(benchmark::State& state) {
    if (!checked(state)) {
        return;
    }
    canvas::Surface design = plainCanvas();
    canvas::Colour current = kFirst;
    for (auto _ : state) {
        const canvas::Colour next = current == kFirst ? kSecond : kFirst;
        design.setFillColor(next);
        design.floodFillSurface(70, 70, current);
        current = next;
        benchmark::DoNotOptimize(design.imageRef().constBits());
    }
}
BENCHMARK(BM_SurfaceFillWholeCanvas);

void BM_BorderFillWholeCanvas(benchmark::State& state) {
    if (!checked(state)) {
        return;
    }
    canvas::Surface design = plainCanvas();
    bool first = true;
    for (auto _ : state) {
        design.setFillColor(first ? kSecond : kFirst);
        design.floodFillBorder(70, 70, kWall);
        first = !first;
        benchmark::DoNotOptimize(design.imageRef().constBits());
    }
}
BENCHMARK(BM_BorderFillWholeCanvas);

void BM_SurfaceFillSerpentine(benchmark::State& state) {
    if (!checked(state)) {
        return;
    }
    canvas::Surface design = serpentineCanvas();
    canvas::Colour current = kFirst;
    for (auto _ : state) {
        const canvas::Colour next = current == kFirst ? kSecond : kFirst;
        design.setFillColor(next);
        design.floodFillSurface(0, 0, current);
        current = next;
        benchmark::DoNotOptimize(design.imageRef().constBits());
    }
}
BENCHMARK(BM_SurfaceFillSerpentine);

#ifdef PW_HAVE_OPENCV
void BM_OpenCvFloodFillWholeCanvas(benchmark::State& state) {
    if (!checked(state)) {
        return;
    }
    QImage image = plainCanvas().image();
    cv::Mat pixels = wrap(image);
    bool first = true;
    for (auto _ : state) {
        openCvSurfaceFill(pixels, 70, 70, canvas::toPixel(first ? kSecond : kFirst));
        first = !first;
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_OpenCvFloodFillWholeCanvas);

void BM_OpenCvFloodFillSerpentine(benchmark::State& state) {
    if (!checked(state)) {
        return;
    }
    QImage image = serpentineCanvas().image();
    cv::Mat pixels = wrap(image);
    bool first = true;
    for (auto _ : state) {
        openCvSurfaceFill(pixels, 0, 0, canvas::toPixel(first ? kSecond : kFirst));
        first = !first;
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_OpenCvFloodFillSerpentine);
#endif

// A catalogue design as the window draws it, with its record.
struct CatalogueDesign {
    canvas::Surface design{colouring::designCanvasSetup()};
    colouring::DesignRecord record;

    explicit CatalogueDesign(const patterns::Figure& figure) {
        design.setBackColor(0xFFFFFF);
        const colouring::CatalogueSource source{patterns::controlName(figure), 2};
        std::int16_t fillStyle = 0;
        patterns::drawCatalogueFigure(design, figure, QStringLiteral("2"), {}, fillStyle);
        record = colouring::DesignRecord::startedBy({}, design, source);
    }
};

// A pixel on the left or top edge whose region the seams of `repeat` make larger.
std::optional<QPoint> seamPoint(const QImage& design, tiling::Repeat repeat) {
    for (int i = 0; i < design.width() + design.height(); ++i) {
        const QPoint point = i < design.width() ? QPoint(i, 0) : QPoint(0, i - design.width());
        if (std::ranges::count(colouring::regionCells(design, point, repeat).cells, 1) >
            std::ranges::count(colouring::regionCells(design, point).cells, 1)) {
            return point;
        }
    }
    return std::nullopt;
}

// One press after another, in two colours by turns, on the first catalogue design with a region
// the seams of the repeat join, at such a region, the record kept as long. Under a repeat whose
// seams join no region (mirror: every edge meets itself) the first design's corner serves.
void pressAtTheSeam(benchmark::State& state, colouring::FillScope scope) {
    const auto repeat = tiling::Repeat(state.range(0));
    const auto figures = patterns::catalogue();
    std::optional<CatalogueDesign> made;
    std::optional<QPoint> point;
    for (std::size_t i = 0; i < figures.size() && !point; ++i) {
        point = seamPoint(made.emplace(figures[i]).design.imageRef(), repeat);
    }
    state.SetLabel(std::string(tiling::kRepeatNames[state.range(0)]) +
                   (point ? "" : ", no region joined"));
    if (!point) {
        made.emplace(figures.front());
        point = QPoint(0, 0);
    }
    canvas::RandomSource unused;
    colouring::PressOptions options{colouring::ColourRule::Chosen, kFirst, scope,
                                    colouring::Symmetry::None, repeat};
    for (auto _ : state) {
        options.current = options.current == kFirst ? kSecond : kFirst;
        colouring::pressAndRecord(made->design, made->record, float(point->x()), float(point->y()),
                                  options, unused);
        made->record.changes.pop_back();
    }
}

// The plain press at the point the seam press of the same repeat uses.
void BM_PlainPressOnCatalogueDesign(benchmark::State& state) {
    pressAtTheSeam(state, colouring::FillScope::Region);
}
BENCHMARK(BM_PlainPressOnCatalogueDesign)
    ->DenseRange(0, std::size(tiling::kRepeatNames) - 1)
    ->Unit(benchmark::kMicrosecond);

void BM_SeamPressOnCatalogueDesign(benchmark::State& state) {
    pressAtTheSeam(state, colouring::FillScope::Wrap);
}
BENCHMARK(BM_SeamPressOnCatalogueDesign)
    ->DenseRange(0, std::size(tiling::kRepeatNames) - 1)
    ->Unit(benchmark::kMicrosecond);

} // namespace
