#include "app/form1.h"
#include "app/main_window.h"
#include "canvas/fonts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A press on the design through the real handlers, with the live effect view off (0) or on (1),
// tiles of 80 pixels in half-drop. Every view the press changed is repainted.
void BM_StudioPressLiveEffect(benchmark::State& state) {
    const bool live = state.range(0) != 0;
    canvas::installFontSubstitutes();
    app::MainWindow window;
    window.show();
    QApplication::processEvents();
    auto* form = &window.form();
    form->findChild<QPushButton*>(QStringLiteral("Command11"))->click();
    form->findChild<QComboBox*>(QStringLiteral("Combo1"))->setEditText(QStringLiteral("80"));
    window.findChild<QAction*>(QStringLiteral("actionRepeatHalfDrop"))->trigger();
    form->findChild<QPushButton*>(QStringLiteral("Command15"))->click();
    window.setLiveEffect(live);
    QWidget* design = form->findChild<QWidget*>(QStringLiteral("Picture1"));
    QWidget* effect = form->findChild<QWidget*>(QStringLiteral("Picture2"));
    const QPointF position(14, 14);
    QApplication::processEvents();
    for (auto _ : state) {
        QMouseEvent press(QEvent::MouseButtonPress, position, design->mapToGlobal(position),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(design, &press);
        design->repaint();
        if (live) {
            effect->repaint();
        }
    }
}
BENCHMARK(BM_StudioPressLiveEffect)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
