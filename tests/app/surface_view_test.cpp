#include "app/surface_view.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

canvas::SurfaceSetup smallSurface(canvas::ScaleMode mode) {
    canvas::SurfaceSetup setup;
    setup.outerWidth = 24;
    setup.outerHeight = 20;
    setup.scaleMode = mode;
    setup.backColor = 0x0000FF;
    return setup;
}

QRgb shownPixel(QWidget& view, int x, int y) {
    return view.grab().toImage().pixel(x, y) | 0xFF000000u;
}

TEST(SurfaceView, TakesTheSurfaceSizeAndShowsItsImageInsideTheBorder) {
    canvas::Surface surface(smallSurface(canvas::ScaleMode::Pixels));
    app::SurfaceView view(surface, QStringLiteral("Picture9"), nullptr);
    EXPECT_EQ(view.objectName(), QStringLiteral("Picture9"));
    EXPECT_EQ(view.size(), QSize(24, 20));
    EXPECT_EQ(shownPixel(view, 2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(shownPixel(view, 21, 17), qRgb(255, 0, 0));
    EXPECT_NE(shownPixel(view, 0, 0), qRgb(255, 0, 0));
    EXPECT_NE(shownPixel(view, 23, 19), qRgb(255, 0, 0));
}

TEST(SurfaceView, ShowsDrawingDoneAfterItWasCreated) {
    canvas::Surface surface(smallSurface(canvas::ScaleMode::Pixels));
    app::SurfaceView view(surface, QStringLiteral("Picture9"), nullptr);
    (void)view.grab();
    surface.line(0, 5, 19, 5, 0x00FF00);
    EXPECT_EQ(shownPixel(view, 2 + 10, 2 + 5), qRgb(0, 255, 0));
    EXPECT_EQ(shownPixel(view, 2 + 10, 2 + 6), qRgb(255, 0, 0));
}

TEST(SurfaceView, FollowsAChangeOfTheSurfaceSize) {
    canvas::Surface surface(smallSurface(canvas::ScaleMode::Pixels));
    app::SurfaceView view(surface, QStringLiteral("Picture9"), nullptr);
    surface.setWidth(40);
    surface.setHeight(30);
    EXPECT_EQ(view.size(), QSize(40, 30));
}

TEST(SurfaceView, ReportsPressesInTheSurfaceUnits) {
    canvas::Surface pixels(smallSurface(canvas::ScaleMode::Pixels));
    canvas::Surface twips(smallSurface(canvas::ScaleMode::Twips));
    app::SurfaceView pixelView(pixels, QStringLiteral("A"), nullptr);
    app::SurfaceView twipView(twips, QStringLiteral("B"), nullptr);
    QSignalSpy pixelPresses(&pixelView, &app::SurfaceView::pressed);
    QSignalSpy twipPresses(&twipView, &app::SurfaceView::pressed);

    QTest::mouseClick(&pixelView, Qt::RightButton, {}, QPoint(12, 7));
    QTest::mouseClick(&twipView, Qt::LeftButton, {}, QPoint(12, 7));

    ASSERT_EQ(pixelPresses.count(), 1);
    EXPECT_FLOAT_EQ(pixelPresses[0][0].toFloat(), 10.0f);
    EXPECT_FLOAT_EQ(pixelPresses[0][1].toFloat(), 5.0f);
    EXPECT_EQ(pixelPresses[0][2].value<Qt::MouseButton>(), Qt::RightButton);
    ASSERT_EQ(twipPresses.count(), 1);
    EXPECT_FLOAT_EQ(twipPresses[0][0].toFloat(), 150.0f);
    EXPECT_FLOAT_EQ(twipPresses[0][1].toFloat(), 75.0f);
}

TEST(SurfaceView, ScalesWithoutSmoothingOnADenseScreen) {
    canvas::Surface surface(smallSurface(canvas::ScaleMode::Pixels));
    surface.pset(10, 8);
    app::SurfaceView view(surface, QStringLiteral("Picture9"), nullptr);
    QImage shown(view.size() * 2, QImage::Format_RGB32);
    shown.setDevicePixelRatio(2.0);
    view.render(&shown);
    // The one black pixel becomes a 2 x 2 block with no blended neighbours.
    const int x = (2 + 10) * 2;
    const int y = (2 + 8) * 2;
    for (const QPoint offset : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
        EXPECT_EQ(shown.pixel(QPoint(x, y) + offset) | 0xFF000000u, qRgb(0, 0, 0));
    }
    for (const QPoint outside : {QPoint(-1, 0), QPoint(2, 0), QPoint(0, -1), QPoint(0, 2)}) {
        EXPECT_EQ(shown.pixel(QPoint(x, y) + outside) | 0xFF000000u, qRgb(255, 0, 0));
    }
}

} // namespace

namespace {

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
    canvas::Surface surface(smallSurface(canvas::ScaleMode::Pixels));
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
    EXPECT_EQ(shownPixel(view, 2 + 19, 2 + 9), canvas::toPixel(canvas::kButtonTextColour));
}

} // namespace
