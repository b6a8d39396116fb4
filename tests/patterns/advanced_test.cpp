#include "design_pixels.h"
#include "patterns/advanced.h"
#include "scripted_random.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using design_pixels::at;
using design_pixels::countInRow;
using design_pixels::makeDesignCanvas;

namespace {

using test_support::ScriptedRandom;

// Background draws 0.5, 0.25, 0.5 and figure draws 0.75, 0.875, 0.125 around the count draw.
ScriptedRandom drawsForCount(double countDraw) {
    return ScriptedRandom({0.5, 0.25, 0.5, countDraw, 0.75, 0.875, 0.125});
}

constexpr canvas::Colour largeBackground = canvas::rgbColour(115, 58, 118);
constexpr canvas::Colour smallBackground = canvas::rgbColour(115, 58, 102);
constexpr canvas::Colour figureColour = canvas::rgbColour(172, 201, 29);
constexpr canvas::Colour black = 0;

struct Drawn {
    canvas::Surface design = makeDesignCanvas();
    QString title;
};

Drawn press(int array, int index, double countDraw, int fillFlag, const QString& width = "1") {
    Drawn result;
    ScriptedRandom random = drawsForCount(countDraw);
    result.title =
        patterns::drawAdvancedPattern(result.design, array, index, fillFlag, width, random);
    EXPECT_EQ(random.drawCount, 7);
    return result;
}

int countColour(const canvas::Surface& design, canvas::Colour colour) {
    int count = 0;
    for (int y = 0; y < design.clientPixelHeight(); ++y) {
        count += countInRow(design, y, 0, design.clientPixelWidth() - 1, colour);
    }
    return count;
}

// Whether the colour shows within one pixel of (x, y).
bool near(const canvas::Surface& design, double x, double y, canvas::Colour colour) {
    const int cx = int(std::lround(x));
    const int cy = int(std::lround(y));
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (at(design, cx + dx, cy + dy) == colour) {
                return true;
            }
        }
    }
    return false;
}

constexpr double kPi = 3.14159265358979;

} // namespace

TEST(PolarPoint, AngleZeroIsTheTopAndAnglesTurnClockwise) {
    std::int32_t x = 0;
    std::int32_t y = 0;
    ASSERT_TRUE(patterns::PolarPoint(100, 100, 0, 50, 40, x, y));
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 60);
    ASSERT_TRUE(patterns::PolarPoint(100, 100, 90, 50, 40, x, y));
    EXPECT_EQ(x, 150);
    EXPECT_EQ(y, 100);
    ASSERT_TRUE(patterns::PolarPoint(100, 100, 180, 50, 40, x, y));
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 140);
    ASSERT_TRUE(patterns::PolarPoint(100, 100, 270, 50, 40, x, y));
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 100);
    x = 7;
    EXPECT_FALSE(patterns::PolarPoint(2147483000, 0, 90, 2147483000, 0, x, y));
    EXPECT_EQ(x, 7);
}

TEST(DrawStar, RaisesSmallCountsToFivePointsAndRestoresThePen) {
    canvas::Surface design = makeDesignCanvas();
    std::int16_t points = 2;
    patterns::DrawStar(design, 160, 160, 1800, 1800, points, 0, figureColour);
    EXPECT_EQ(points, 5);
    EXPECT_EQ(design.foreColor(), canvas::kButtonTextColour);
    EXPECT_EQ(at(design, 71, 11), figureColour);
}

TEST(AdvancedPatterns, OutlinedPentagramKeepsItsInnerPentagon) {
    const Drawn drawn = press(70, 1, 0.25, 0);
    EXPECT_EQ(drawn.title, QStringLiteral("设计高级图案"));
    const canvas::Surface& design = drawn.design;
    EXPECT_EQ(at(design, 0, 0), largeBackground);
    EXPECT_EQ(at(design, 71, 11), figureColour); // the top point
    EXPECT_EQ(at(design, 71, 22), black);        // inside the top point: the fill brush
    EXPECT_EQ(at(design, 71, 71), largeBackground);
    EXPECT_EQ(at(design, 71, 80), largeBackground);
    for (int k = 0; k < 5; ++k) {
        const double angle = k * 72 * kPi / 180;
        EXPECT_TRUE(
            near(design, 70.67 + 60 * std::sin(angle), 70.67 - 60 * std::cos(angle), figureColour))
            << k;
    }
}

TEST(AdvancedPatterns, FilledPentagramIsPaintedWhole) {
    for (int flag : {1, 2}) {
        const Drawn drawn = press(70, 1, 0.25, flag);
        EXPECT_EQ(at(drawn.design, 71, 71), figureColour) << flag;
        EXPECT_EQ(at(drawn.design, 71, 22), figureColour) << flag;
        EXPECT_EQ(at(drawn.design, 5, 5), largeBackground) << flag;
        EXPECT_EQ(drawn.design.fillColor(), 0u);
        EXPECT_EQ(drawn.design.fillStyle(), canvas::kFillSolid);
    }
}

TEST(AdvancedPatterns, TwelvePointsAreFourTurnedTrianglesBetweenBands) {
    const Drawn drawn = press(71, 1, 0.6, 0);
    const canvas::Surface& design = drawn.design;
    EXPECT_EQ(at(design, 0, 0), largeBackground);
    EXPECT_EQ(countInRow(design, 34, 0, 141, black), 142);
    EXPECT_EQ(countInRow(design, 111, 0, 141, black), 142);
    for (int k = 0; k < 12; ++k) {
        const double corner = k * 30 * kPi / 180;
        EXPECT_TRUE(
            near(design, 74 + 30 * std::sin(corner), 74 - 30 * std::cos(corner), figureColour))
            << k;
        const double between = corner + 15 * kPi / 180;
        EXPECT_EQ(at(design, int(std::lround(74 + 27 * std::sin(between))),
                     int(std::lround(74 - 27 * std::cos(between)))),
                  largeBackground)
            << k;
    }
    EXPECT_EQ(at(design, 74, 74), black);
}

TEST(AdvancedPatterns, PolygonWithNoCornersShowsOnlyTheBackground) {
    const Drawn large = press(70, 2, 0.0, 1);
    EXPECT_EQ(countColour(large.design, largeBackground), 142 * 142);
    EXPECT_EQ(large.title, QStringLiteral("设计高级图案"));

    const Drawn small = press(71, 2, 0.0, 1);
    EXPECT_EQ(countColour(small.design, black), 2 * 142);
    EXPECT_EQ(countColour(small.design, smallBackground), 140 * 142);
    EXPECT_EQ(at(small.design, 0, 34), black);
    EXPECT_EQ(at(small.design, 141, 111), black);
}

TEST(AdvancedPatterns, SingleCornerFloodsTheCanvasBeforeTheBandsAreDrawn) {
    // A single corner draws nothing, so the fill from the centre meets no border: the bands
    // come only after the figure.
    const Drawn filled = press(71, 2, 0.05, 1);
    EXPECT_EQ(countColour(filled.design, figureColour), 140 * 142);
    EXPECT_EQ(countColour(filled.design, black), 2 * 142);
    EXPECT_EQ(at(filled.design, 74, 34), black);

    const Drawn large = press(70, 2, 0.05, 2);
    EXPECT_EQ(countColour(large.design, figureColour), 142 * 142);

    const Drawn outlined = press(71, 2, 0.05, 0);
    EXPECT_EQ(countColour(outlined.design, smallBackground), 140 * 142);
}

TEST(AdvancedPatterns, TwoCornersDrawAVerticalLineThatStopsTheFill) {
    // 20 * 0.125 = 2.5 rounds to the even 2.
    const Drawn drawn = press(70, 2, 0.125, 1);
    const canvas::Surface& design = drawn.design;
    EXPECT_EQ(countColour(design, figureColour), 0);
    EXPECT_EQ(at(design, 70, 70), black);
    EXPECT_EQ(at(design, 70, 10), black);
    EXPECT_EQ(at(design, 70, 130), black);
    EXPECT_EQ(at(design, 70, 9), largeBackground);
    EXPECT_EQ(at(design, 70, 131), largeBackground);
    EXPECT_EQ(countColour(design, black), 121);
}

TEST(AdvancedPatterns, WidthTextAppliesToTheNextDrawing) {
    const Drawn drawn = press(70, 2, 0.125, 0, "7");
    EXPECT_EQ(drawn.design.drawWidth(), 7);
    EXPECT_EQ(countInRow(drawn.design, 60, 0, 141, black), 1);

    for (const char* text : {"x", "", "0", "-2", "40000"}) {
        canvas::Surface design = makeDesignCanvas();
        design.setDrawWidth(4);
        ScriptedRandom random = drawsForCount(0.125);
        EXPECT_EQ(patterns::drawAdvancedPattern(design, 70, 2, 0, text, random),
                  QStringLiteral("设计高级图案"));
        EXPECT_EQ(design.drawWidth(), 4) << text;
        EXPECT_EQ(countInRow(design, 60, 0, 141, black), 4) << text;
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
    for (int array : {70, 71}) {
        for (int index : {1, 2}) {
            for (int count = 0; count <= 20; ++count) {
                for (int flag : {0, 1, 2}) {
                    ScriptedRandom random({0.3, 0.6, 0.9, count / 20.0, 0.2, 0.4, 0.6});
                    const QString width = count % 2 == 0 ? "120" : "2";
                    EXPECT_EQ(
                        patterns::drawAdvancedPattern(design, array, index, flag, width, random),
                        QStringLiteral("设计高级图案"));
                    EXPECT_EQ(design.foreColor(), canvas::kButtonTextColour);
                    EXPECT_EQ(design.fillStyle(), canvas::kFillSolid);
                    EXPECT_EQ(design.fillColor(), 0u);
                }
            }
        }
    }
}
