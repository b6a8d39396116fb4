#include "app/form1.h"
#include "canvas/fonts.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The real window, shown, so every handler ends with a real repaint of what it changed.
struct ShownWindow {
    ShownWindow() {
        canvas::installFontSubstitutes();
        form = std::make_unique<app::Form1>();
        form->show();
        QApplication::processEvents();
        design = form->findChild<QWidget*>(QStringLiteral("Picture1"));
    }
    void click(const char* button) const {
        form->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }
    void pressDesign(QPointF position) const {
        QMouseEvent press(QEvent::MouseButtonPress, position, design->mapToGlobal(position),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(design, &press);
    }

    std::unique_ptr<app::Form1> form;
    QWidget* design = nullptr;
};

void BM_WindowGridPattern(benchmark::State& state) {
    ShownWindow window;
    for (auto _ : state) {
        window.click("Command11");
        window.design->repaint();
    }
}
BENCHMARK(BM_WindowGridPattern)->Unit(benchmark::kMicrosecond);

void BM_WindowClickFill(benchmark::State& state) {
    ShownWindow window;
    window.click("Command11");
    for (auto _ : state) {
        // Each press recolours the same cell with a fresh colour.
        window.pressDesign({12, 12});
        window.design->repaint();
    }
}
BENCHMARK(BM_WindowClickFill)->Unit(benchmark::kMicrosecond);

void BM_WindowSaveDesign(benchmark::State& state) {
    ShownWindow window;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("design.bmp"));
    window.form->setSavePathDialog([&](QWidget*, const QString&) { return path; });
    window.click("Command11");
    for (auto _ : state) {
        window.click("Command2");
        window.design->repaint();
    }
}
BENCHMARK(BM_WindowSaveDesign)->Unit(benchmark::kMicrosecond);

} // namespace
