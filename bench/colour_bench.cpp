// The designer's colour tools through the real window: a symmetric press across the seams with
// its repaint, the same-colour fill, the palette panel's update and six colourways.
#include "app/colour_menu.h"
#include "app/colourways_window.h"
#include "app/form1.h"
#include "app/main_window.h"
#include "app/palette_dock.h"
#include "canvas/fonts.h"
#include "patterns/catalogue.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

// The window showing "万事如意", the pattern with the most regions, with the given menu choices.
std::unique_ptr<app::MainWindow> windowWithManyRegions(std::initializer_list<const char*> actions) {
    canvas::installFontSubstitutes();
    auto window = std::make_unique<app::MainWindow>();
    window->show();
    for (const patterns::Figure& figure : patterns::catalogue()) {
        if (patterns::caption(figure) == QStringLiteral("万事如意")) {
            window->form().findChild<QPushButton*>(patterns::controlName(figure))->click();
        }
    }
    for (const char* action : actions) {
        window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    QApplication::processEvents();
    return window;
}

void pressDesignView(QWidget* view, QPointF position) {
    QMouseEvent press(QEvent::MouseButtonPress, position, view->mapToGlobal(position),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    view->repaint();
}

void BM_ColourPressEightWaysAcrossSeams(benchmark::State& state) {
    const auto window = windowWithManyRegions({"actionSymmetryEight", "actionScopeWrap"});
    QWidget* design = window->form().findChild<QWidget*>(QStringLiteral("Picture1"));
    for (auto _ : state) {
        pressDesignView(design, QPointF(14, 14));
    }
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

void BM_PaletteUpdateAfterPress(benchmark::State& state) {
    const auto window = windowWithManyRegions({"actionPalette"});
    app::PaletteDock& dock = window->paletteDock();
    QApplication::processEvents();
    for (auto _ : state) {
        dock.refresh();
        dock.chipArea()->repaint();
    }
}
BENCHMARK(BM_PaletteUpdateAfterPress)->Unit(benchmark::kMicrosecond);

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

} // namespace
