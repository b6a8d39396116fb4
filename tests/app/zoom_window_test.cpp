#include "app/zoom_window.h"
#include "workflow/surfaces.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

namespace {

QWidget* zoomCanvas(app::ZoomWindow& window) {
    return window.findChild<QWidget*>(QStringLiteral("zoomCanvas"));
}

TEST(ZoomWindow, APressNamesTheDesignPixelUnderIt) {
    canvas::Surface design(workflow::designCanvasSetup());
    app::ZoomWindow window(design);
    QSignalSpy presses(&window, &app::ZoomWindow::designPixelPressed);
    struct PressCase {
        int zoom;
        QPoint at;
        Qt::KeyboardModifiers modifiers;
        std::optional<QPoint> pixel;
    };
    const std::vector<PressCase> cases = {
        {2, {1, 1}, Qt::NoModifier, QPoint(0, 0)},
        {2, {3, 5}, Qt::ShiftModifier, QPoint(1, 2)},
        {2, {283, 283}, Qt::NoModifier, QPoint(141, 141)},
        {2, {284, 10}, Qt::NoModifier, std::nullopt},
        {8, {7, 7}, Qt::NoModifier, QPoint(0, 0)},
        {8, {8, 15}, Qt::ControlModifier, QPoint(1, 1)},
        {8, {1135, 1000}, Qt::NoModifier, QPoint(141, 125)},
        {8, {1136, 4}, Qt::NoModifier, std::nullopt},
    };
    for (const PressCase& c : cases) {
        window.setZoom(c.zoom);
        presses.clear();
        QTest::mouseClick(zoomCanvas(window), Qt::LeftButton, c.modifiers, c.at);
        ASSERT_EQ(presses.count(), c.pixel ? 1 : 0) << c.zoom << "x at " << c.at.x();
        if (c.pixel) {
            EXPECT_EQ(QPoint(presses[0][0].toInt(), presses[0][1].toInt()), *c.pixel);
            EXPECT_EQ(presses[0][2].value<Qt::KeyboardModifiers>(), c.modifiers);
        }
    }
}

TEST(ZoomWindow, ShowsTheRefreshedDesignInSquaresWithAGridFromSixOn) {
    canvas::Surface design(workflow::designCanvasSetup());
    app::ZoomWindow window(design);
    const QRgb blue = canvas::toPixel(design.backColor());
    design.pset(1, 1);
    window.refresh();
    for (const int zoom : {4, 6}) {
        window.setZoom(zoom);
        const QImage shown = zoomCanvas(window)->grab().toImage();
        ASSERT_EQ(shown.size(), QSize(142, 142) * zoom);
        // The middle of pixel (1, 1) is black; inside pixel (2, 2), its top-left corner shows
        // the grid from 6 on and the design colour below.
        EXPECT_EQ(shown.pixel(zoom + zoom / 2, zoom + zoom / 2) | 0xFF000000u, qRgb(0, 0, 0));
        EXPECT_EQ(shown.pixel(2 * zoom + 1, 2 * zoom + 1) | 0xFF000000u, blue);
        EXPECT_EQ((shown.pixel(2 * zoom, 2 * zoom) | 0xFF000000u) != blue, zoom >= 6) << zoom;
    }
}

} // namespace
