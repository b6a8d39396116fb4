// The designer's colour tools through the real window: a symmetric press across the seams with
// its repaint, the same-colour fill, the palette panel's update, six colourways and 减少颜色.
#include "app/colour_menu.h"
#include "app/colourways_window.h"
#include "app/form1.h"
#include "app/main_window.h"
#include "app/palette_dock.h"
#include "app/reduce_colours_dialog.h"
#include "canvas/fonts.h"
#include "patterns/catalogue.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSlider>
#include <benchmark/benchmark.h>

namespace {

// The window showing the catalogue figure of a control, with the given menu choices.
std::unique_ptr<app::MainWindow> windowShowing(const QString& controlName,
                                               std::initializer_list<const char*> actions) {
    canvas::installFontSubstitutes();
    auto window = std::make_unique<app::MainWindow>();
    window->show();
    window->form().findChild<QPushButton*>(controlName)->click();
    for (const char* action : actions) {
        window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    QApplication::processEvents();
    return window;
}

// The window showing "万事如意", the pattern with the most regions.
std::unique_ptr<app::MainWindow> windowWithManyRegions(std::initializer_list<const char*> actions) {
    for (const patterns::Figure& figure : patterns::catalogue()) {
        if (patterns::caption(figure) == QStringLiteral("万事如意")) {
            return windowShowing(patterns::controlName(figure), actions);
        }
    }
    return nullptr;
}

void pressDesignView(QWidget* view, QPointF position) {
    QMouseEvent press(QEvent::MouseButtonPress, position, view->mapToGlobal(position),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    view->repaint();
}

// The design pixels one press at `point` changes under the menu choices; the press is undone.
QImage filledBy(app::MainWindow& window, QPointF point,
                std::initializer_list<const char*> actions) {
    for (const char* action : actions) {
        window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    const QImage before = window.designCanvas().image();
    pressDesignView(window.form().findChild<QWidget*>(QStringLiteral("Picture1")), point);
    const QImage after = window.designCanvas().image();
    window.findChild<QAction*>(QStringLiteral("actionUndo"))->trigger();
    QImage filled(before.size(), QImage::Format_Mono);
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            filled.setPixel(x, y, before.pixel(x, y) != after.pixel(x, y));
        }
    }
    return filled;
}

void timePresses(benchmark::State& state, app::MainWindow& window, QPointF point) {
    QWidget* design = window.form().findChild<QWidget*>(QStringLiteral("Picture1"));
    for (auto _ : state) {
        pressDesignView(design, point);
    }
}

// A region of the scarf Command52 that a seam cuts and whose mirror points lie in other regions.
const QString kSeamFigure = QStringLiteral("Command52");
constexpr QPointF kSeparateRegion(64, 31);

void BM_ColourPressPlain(benchmark::State& state) {
    const auto window = windowShowing(kSeamFigure, {});
    timePresses(state, *window, kSeparateRegion);
}
BENCHMARK(BM_ColourPressPlain)->Unit(benchmark::kMicrosecond);

// The press of the same region mirrored eight ways and continued across the seams: the set-up
// checks that the plain, eight-way, wrap and eight-way wrap fills there all differ.
void BM_ColourPressEightWaysAcrossSeams(benchmark::State& state) {
    const auto window = windowShowing(kSeamFigure, {});
    // The last choices stay: the timed presses are eight-way across the seams.
    const QImage fills[] = {
        filledBy(*window, kSeparateRegion, {"actionSymmetryNone", "actionScopeRegion"}),
        filledBy(*window, kSeparateRegion, {"actionSymmetryEight", "actionScopeRegion"}),
        filledBy(*window, kSeparateRegion, {"actionSymmetryNone", "actionScopeWrap"}),
        filledBy(*window, kSeparateRegion, {"actionSymmetryEight", "actionScopeWrap"})};
    for (std::size_t a = 0; a < std::size(fills); ++a) {
        for (std::size_t b = a + 1; b < std::size(fills); ++b) {
            if (fills[a] == fills[b]) {
                state.SkipWithError("the plain, eight-way and wrap fills are the same there");
                return;
            }
        }
    }
    timePresses(state, *window, kSeparateRegion);
}
BENCHMARK(BM_ColourPressEightWaysAcrossSeams)->Unit(benchmark::kMicrosecond);

// The fill alone: every pixel of the pressed colour, which alternates between two colours.
void BM_ColourFillSameColourEverywhere(benchmark::State& state) {
    const auto window = windowWithManyRegions({});
    canvas::Surface& design = window->designCanvas();
    canvas::RandomSource random(1);
    const canvas::Colour colours[] = {canvas::rgbColour(200, 10, 10),
                                      canvas::rgbColour(10, 200, 10)};
    colouring::PressOptions options{colouring::ColourRule::Chosen, colours[0],
                                    colouring::FillScope::Global, colouring::Symmetry::None};
    int turn = 0;
    for (auto _ : state) {
        options.current = colours[turn ^= 1];
        colouring::pressDesign(design, 12, 12, options, random);
    }
}
BENCHMARK(BM_ColourFillSameColourEverywhere)->Unit(benchmark::kMicrosecond);

// A design of `colours` colours in bands of random widths, each colour at random.
QImage designOfManyColours(int colours) {
    QRandomGenerator random(7);
    QImage design(142, 142, QImage::Format_RGB32);
    std::vector<QRgb> values(static_cast<std::size_t>(colours));
    for (QRgb& value : values) {
        value = 0xFF000000u | random.bounded(0x1000000u);
    }
    for (int pixel = 0; pixel < 142 * 142; ++pixel) {
        // Each colour at least once, the rest in runs.
        const int colour = pixel < colours ? pixel : int(random.bounded(colours));
        design.setPixel(pixel % 142, pixel / 142, values[std::size_t(colour)]);
    }
    return design;
}

// The 调色板's update after a press (not timed) at a point of its own on a design of that many
// colours.
void BM_PaletteUpdateAfterPress(benchmark::State& state) {
    const auto window = windowWithManyRegions({"actionPalette"});
    window->loadImportedPicture(designOfManyColours(int(state.range(0))));
    app::PaletteDock& dock = window->paletteDock();
    QApplication::processEvents();
    canvas::Surface& design = window->designCanvas();
    canvas::RandomSource random(1);
    int press = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++press;
        colouring::pressDesign(design, float(press * 37 % 142), float(press * 61 % 142), {},
                               random);
        state.ResumeTiming();
        dock.refresh();
        dock.chipArea()->repaint();
    }
}
BENCHMARK(BM_PaletteUpdateAfterPress)->Arg(2)->Arg(1024)->Arg(16384)->Unit(benchmark::kMicrosecond);

void BM_SixColourways(benchmark::State& state) {
    const auto window = windowWithManyRegions({"actionColourways"});
    auto* colourways = window->findChild<app::ColourwaysWindow*>();
    QApplication::processEvents();
    for (auto _ : state) {
        colourways->drawAgain();
        colourways->repaint();
    }
}
BENCHMARK(BM_SixColourways)->Unit(benchmark::kMillisecond);

// The whole reduction as pattern-render makes it: the palette, its conversion and the merges.
void BM_ReduceColours500To8(benchmark::State& state) {
    const QImage design = designOfManyColours(500);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            colouring::reduceColours(design, {}, {colouring::ColourReduction::Mode::Count, 0, 8}));
    }
}
BENCHMARK(BM_ReduceColours500To8)->Unit(benchmark::kMillisecond);

// One step of the dialog's tolerance slider on the same design: the reduction, the preview
// picture and the count, painted.
void BM_ReduceColoursPreviewStep(benchmark::State& state) {
    app::ReduceColoursDialog dialog(designOfManyColours(500), {});
    dialog.show();
    auto* slider = dialog.findChild<QSlider*>(QStringLiteral("tolerance"));
    dialog.findChild<QWidget*>(QStringLiteral("byTolerance"))->setProperty("checked", true);
    QApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        slider->setValue(5 + (step++ % 20));
        dialog.repaint();
    }
}
BENCHMARK(BM_ReduceColoursPreviewStep)->Unit(benchmark::kMillisecond);

// The largest palette a design can have: every pixel its own colour.
void BM_ReduceColoursEveryPixelTo8(benchmark::State& state) {
    const QImage design = designOfManyColours(142 * 142);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            colouring::reduceColours(design, {}, {colouring::ColourReduction::Mode::Count, 0, 8}));
    }
}
BENCHMARK(BM_ReduceColoursEveryPixelTo8)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
