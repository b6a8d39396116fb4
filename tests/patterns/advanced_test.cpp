#include "design_pixels.h"
#include "patterns/advanced.h"
#include "scripted_random.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using ascii::all;
using ascii::expectColours;
using ascii::Probe;
using design_pixels::at;
using design_pixels::makeDesignCanvas;
using test_support::ScriptedRandom;

namespace {

constexpr canvas::Colour largeBackground = canvas::rgbColour(115, 58, 118);
constexpr canvas::Colour smallBackground = canvas::rgbColour(115, 58, 102);
constexpr canvas::Colour figureColour = canvas::rgbColour(172, 201, 29);
constexpr canvas::Colour black = 0;
constexpr double kPi = 3.14159265358979;

// Background draws 0.5, 0.25, 0.5 and figure draws 0.75, 0.875, 0.125 around the count draw.
ScriptedRandom drawsForCount(double countDraw) {
    return ScriptedRandom({0.5, 0.25, 0.5, countDraw, 0.75, 0.875, 0.125});
}

// A press on an advanced pattern button, which names the design alike for every figure.
canvas::Surface press(int array, int index, double countDraw, int fillFlag,
                      const QString& width = "1") {
    canvas::Surface design = makeDesignCanvas();
    ScriptedRandom random = drawsForCount(countDraw);
    EXPECT_EQ(patterns::drawAdvancedPattern(design, array, index, fillFlag, width, random),
              QStringLiteral("设计高级图案"));
    EXPECT_EQ(random.drawCount, 7);
    return design;
}

// The pixel at `degrees` on the circle around (cx, cy), 0 at the top, clockwise.
QPoint onCircle(double cx, double cy, double radius, double degrees) {
    return {int(std::lround(cx + radius * std::sin(degrees * kPi / 180))),
            int(std::lround(cy - radius * std::cos(degrees * kPi / 180)))};
}

// Whether the colour shows within one pixel of the point.
bool near(const canvas::Surface& design, QPoint point, canvas::Colour colour) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (at(design, point.x() + dx, point.y() + dy) == colour) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

TEST(PolarPoint, AngleZeroIsTheTopAndAnglesTurnClockwise) {
    const std::array<int, 3> cases[] = {
        {0, 100, 60}, {90, 150, 100}, {180, 100, 140}, {270, 50, 100}};
    for (const auto& [angle, wantedX, wantedY] : cases) {
        std::int32_t x = 0, y = 0;
        ASSERT_TRUE(patterns::PolarPoint(100, 100, angle, 50, 40, x, y));
        EXPECT_EQ(QPoint(x, y), QPoint(wantedX, wantedY)) << angle;
    }
    std::int32_t x = 7, y = 0;
    EXPECT_FALSE(patterns::PolarPoint(2147483000, 0, 90, 2147483000, 0, x, y));
    EXPECT_EQ(x, 7);
}

TEST(AdvancedPatterns, OutlinedPentagramKeepsItsInnerPentagonAndHasAtLeastFivePoints) {
    // The top point, inside it the fill brush, the open middle.
    const canvas::Surface design = press(70, 1, 0.25, 0);
    expectColours(design,
                  {Probe{0, 0, largeBackground}, Probe{71, 11, figureColour}, Probe{71, 22, black},
                   Probe{71, 71, largeBackground}, Probe{71, 80, largeBackground}});
    for (int k = 0; k < 5; ++k) {
        EXPECT_TRUE(near(design, onCircle(70.67, 70.67, 60, k * 72), figureColour)) << k;
    }

    // A star asked for with fewer points gets five, and the pen comes back.
    canvas::Surface star = makeDesignCanvas();
    std::int16_t points = 2;
    patterns::DrawStar(star, 160, 160, 1800, 1800, points, 0, figureColour);
    EXPECT_EQ(points, 5);
    EXPECT_EQ(star.foreColor(), canvas::kButtonTextColour);
    EXPECT_EQ(at(star, 71, 11), figureColour);
    points = 8; // two squares, the second turned by 45 degrees
    patterns::DrawStar(star, 160, 160, 1800, 1800, points, 0, figureColour);
    const QPoint inside = onCircle(70.67, 70.67, 50, 45); // the turned square, off the pentagram
    EXPECT_EQ(at(star, inside.x(), inside.y()), black);
}

TEST(AdvancedPatterns, FilledPentagramIsPaintedWhole) {
    for (int flag : {1, 2}) {
        SCOPED_TRACE(flag);
        const canvas::Surface design = press(70, 1, 0.25, flag);
        expectColours(design, {Probe{71, 71, figureColour}, Probe{71, 22, figureColour},
                               Probe{5, 5, largeBackground}});
        EXPECT_EQ(design.fillColor(), 0u);
        EXPECT_EQ(design.fillStyle(), canvas::kFillSolid);
    }
}

TEST(AdvancedPatterns, TwelvePointsAreFourTurnedTrianglesBetweenBands) {
    const canvas::Surface design = press(71, 1, 0.6, 0);
    expectColours(design, {Probe{0, 0, largeBackground}, Probe{all, 34, black},
                           Probe{all, 111, black}, Probe{74, 74, black}});
    for (int k = 0; k < 12; ++k) {
        EXPECT_TRUE(near(design, onCircle(74, 74, 30, k * 30), figureColour)) << k;
        const QPoint between = onCircle(74, 74, 27, k * 30 + 15);
        EXPECT_EQ(at(design, between.x(), between.y()), largeBackground) << k;
    }
}

TEST(AdvancedPatterns, PolygonsWithFewCornersFillWhatTheirOutlineLeavesOpen) {
    // No corners show only the background. A single corner draws nothing, so the fill from the
    // centre meets no border: the bands come only after the figure. Two corners (20 * 0.125 = 2.5
    // rounds to the even 2) draw a vertical line that stops the fill.
    // Array, count draw and fill flag; a colour and how many pixels show it.
    const std::tuple<int, double, int, canvas::Colour, int> cases[] = {
        {70, 0.0, 1, largeBackground, 142 * 142},
        {71, 0.0, 1, black, 2 * 142},
        {71, 0.0, 1, smallBackground, 140 * 142},
        {71, 0.05, 1, figureColour, 140 * 142},
        {71, 0.05, 1, black, 2 * 142},
        {70, 0.05, 2, figureColour, 142 * 142},
        {71, 0.05, 0, smallBackground, 140 * 142},
        {70, 0.125, 1, figureColour, 0},
        {70, 0.125, 1, black, 121}};
    for (const auto& [array, countDraw, fill, colour, pixels] : cases) {
        EXPECT_EQ(ascii::count(press(array, 2, countDraw, fill).imageRef(), {colour}), pixels)
            << array << " " << countDraw << " " << fill << " " << std::hex << colour;
    }
    expectColours(press(71, 2, 0.0, 1), {Probe{0, 34, black}, Probe{141, 111, black}});
    expectColours(press(71, 2, 0.05, 1), {Probe{74, 34, black}});
    expectColours(press(70, 2, 0.125, 1),
                  {Probe{70, 70, black}, Probe{70, 10, black}, Probe{70, 130, black},
                   Probe{70, 9, largeBackground}, Probe{70, 131, largeBackground}});
}

TEST(AdvancedPatterns, WidthTextAppliesToTheNextDrawing) {
    const canvas::Surface design = press(70, 2, 0.125, 0, "7");
    EXPECT_EQ(design.drawWidth(), 7);
    EXPECT_EQ(ascii::count(design.imageRef(), {black}, QRect(0, 60, 142, 1)), 1);

    for (const char* text : {"x", "", "0", "-2", "40000"}) {
        canvas::Surface kept = makeDesignCanvas();
        kept.setDrawWidth(4);
        ScriptedRandom random = drawsForCount(0.125);
        EXPECT_EQ(patterns::drawAdvancedPattern(kept, 70, 2, 0, text, random),
                  QStringLiteral("设计高级图案"));
        EXPECT_EQ(kept.drawWidth(), 4) << text;
        EXPECT_EQ(ascii::count(kept.imageRef(), {black}, QRect(0, 60, 142, 1)), 4) << text;
    }
}

TEST(AdvancedPatterns, UnknownButtonDrawsNothing) {
    canvas::Surface design = makeDesignCanvas();
    const QImage before = design.image();
    ScriptedRandom random({0.5});
    EXPECT_TRUE(patterns::drawAdvancedPattern(design, 72, 1, 0, "1", random).isEmpty());
    EXPECT_TRUE(patterns::drawAdvancedPattern(design, 70, 3, 0, "1", random).isEmpty());
    EXPECT_EQ(design.image(), before);
    EXPECT_EQ(random.drawCount, 0);
}

TEST(AdvancedPatterns, EveryCountAndFlagDrawsAndRestoresTheCanvasState) {
    canvas::Surface design = makeDesignCanvas();
    // Each of the four buttons (arrays 70 and 71, indices 1 and 2), each count, each fill flag.
    for (int press = 0; press < 4 * 21 * 3; ++press) {
        const int array = 70 + press % 2, index = 1 + press / 2 % 2, count = press / 4 % 21;
        ScriptedRandom random({0.3, 0.6, 0.9, count / 20.0, 0.2, 0.4, 0.6});
        const QString width = count % 2 == 0 ? "120" : "2";
        EXPECT_EQ(patterns::drawAdvancedPattern(design, array, index, press / 84, width, random),
                  QStringLiteral("设计高级图案"));
        EXPECT_EQ(design.foreColor(), canvas::kButtonTextColour);
        EXPECT_EQ(design.fillStyle(), canvas::kFillSolid);
        EXPECT_EQ(design.fillColor(), 0u);
    }
}
