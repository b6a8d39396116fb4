// The zoom window at 8x: opening it with its first paint, and a press end to end (the colouring
// of the region, the refresh and the repaint of the enlarged design).
#include "app/zoom_window.h"
#include "canvas/random_source.h"
#include "colouring/colouring.h"
#include "colouring/surfaces.h"
#include "patterns/catalogue.h"

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

namespace {

constexpr int kZoom = 8;

// The grid pattern, so the enlarged design has many small cells.
canvas::Surface gridDesign() {
    canvas::Surface design(colouring::designCanvasSetup());
    std::int16_t savedFillStyle = 0;
    patterns::drawCatalogueFigure(design, *patterns::findFigure(u"Command11"), QStringLiteral("2"),
                                  QString(), savedFillStyle);
    return design;
}

QWidget* zoomCanvas(const app::ZoomWindow& window) {
    return window.findChild<QWidget*>(QStringLiteral("zoomCanvas"));
}

void BM_ZoomWindowOpenAndFirstPaint(benchmark::State& state) {
    const canvas::Surface design = gridDesign();
    for (auto _ : state) {
        app::ZoomWindow window(design);
        window.setZoom(kZoom);
        window.show();
        window.repaint();
        QApplication::processEvents();
        state.PauseTiming();
        window.close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ZoomWindowOpenAndFirstPaint)->Unit(benchmark::kMillisecond);

void BM_ZoomWindowPress(benchmark::State& state) {
    canvas::Surface design = gridDesign();
    canvas::RandomSource random(1);
    app::ZoomWindow window(design);
    window.setZoom(kZoom);
    QObject::connect(&window, &app::ZoomWindow::designPixelPressed, [&](int x, int y) {
        colouring::colourRegion(design, float(x), float(y), random);
        window.refresh();
    });
    window.show();
    QApplication::processEvents();
    QWidget* canvas = zoomCanvas(window);
    const QPointF cell(12 * kZoom + 3, 12 * kZoom + 3);
    for (auto _ : state) {
        // Each press recolours the same cell with a fresh colour.
        QMouseEvent press(QEvent::MouseButtonPress, cell, canvas->mapToGlobal(cell), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &press);
        QApplication::processEvents(); // the repaint of what changed
    }
}
BENCHMARK(BM_ZoomWindowPress)->Unit(benchmark::kMicrosecond);

} // namespace
