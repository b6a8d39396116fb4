#include "app/surface_view.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

canvas::SurfaceSetup smallSurface(canvas::ScaleMode mode = canvas::ScaleMode::Pixels) {
    canvas::SurfaceSetup setup;
    setup.outerWidth = 24;
    setup.outerHeight = 20;
    setup.scaleMode = mode;
    setup.backColor = 0x0000FF;
    return setup;
}

QRgb shownPixel(QWidget& view, QPoint at) {
    return view.grab().toImage().pixel(at) | 0xFF000000u;
}

TEST(SurfaceView, ShowsTheSurfaceInsideTheBorderUnsmoothedAndFollowsItsSize) {
    canvas::Surface surface(smallSurface());
    app::SurfaceView view(surface, QStringLiteral("Picture9"), nullptr);
    EXPECT_EQ(view.size(), QSize(24, 20));
    ASSERT_TRUE(surface.blankPixel()); // shown from its colour until drawn on
    const QRgb red = qRgb(255, 0, 0);
    const std::pair<QPoint, bool> spots[] = {
        {{2, 2}, true}, {{21, 17}, true}, {{0, 0}, false}, {{23, 19}, false}};
    for (const auto& [at, inside] : spots) {
        EXPECT_EQ(shownPixel(view, at) == red, inside) << at.x() << "," << at.y();
    }
    // On a dense screen, without smoothing: the one black pixel, client (10, 8), becomes a 2 x 2
    // block with no blended neighbours.
    surface.pset(10, 8);
    QImage shown(view.size() * 2, QImage::Format_RGB32);
    shown.setDevicePixelRatio(2.0);
    view.render(&shown);
    for (int y = -1; y <= 2; ++y) {
        for (int x = -1; x <= 2; ++x) {
            const bool black = x >= 0 && x <= 1 && y >= 0 && y <= 1;
            const QRgb expected = black ? qRgb(0, 0, 0) : red;
            EXPECT_EQ(shown.pixel(24 + x, 20 + y) | 0xFF000000u, expected) << x << "," << y;
        }
    }
    surface.setWidth(40);
    surface.setHeight(30);
    EXPECT_EQ(view.size(), QSize(40, 30));
}

TEST(SurfaceView, ReportsPressesInTheSurfaceUnits) {
    // The surface's units, the button and where a press at view point (12, 7) lands.
    const std::tuple<canvas::ScaleMode, Qt::MouseButton, float, float> cases[] = {
        {canvas::ScaleMode::Pixels, Qt::RightButton, 10.0f, 5.0f},
        {canvas::ScaleMode::Twips, Qt::LeftButton, 150.0f, 75.0f}};
    for (const auto& [mode, button, x, y] : cases) {
        canvas::Surface surface(smallSurface(mode));
        app::SurfaceView view(surface, QStringLiteral("A"), nullptr);
        QSignalSpy presses(&view, &app::SurfaceView::pressed);
        QTest::mouseClick(&view, button, {}, QPoint(12, 7));
        ASSERT_EQ(presses.count(), 1);
        EXPECT_FLOAT_EQ(presses[0][0].toFloat(), x);
        EXPECT_FLOAT_EQ(presses[0][1].toFloat(), y);
        EXPECT_EQ(presses[0][2].value<Qt::MouseButton>(), button);
    }
}

class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST(SurfaceView, AStreamOfChangesRepaintsOncePerFrameAndEndsOnTheLastOne) {
    canvas::Surface surface(smallSurface());
    app::SurfaceView view(surface, QStringLiteral("Picture9"), nullptr);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QTest::qWait(40);
    PaintCounter counter;
    view.installEventFilter(&counter);
    for (int i = 0; i < 200; ++i) {
        surface.pset(float(i % 20), float(i / 20));
        QCoreApplication::processEvents();
    }
    EXPECT_LE(counter.paints, 3);
    QTest::qWait(40);
    EXPECT_GE(counter.paints, 2); // the first change at once, the last one at the end of its frame
    EXPECT_EQ(shownPixel(view, {2 + 19, 2 + 9}), canvas::toPixel(canvas::kButtonTextColour));
}

} // namespace
