#include "pad_test_support.h"

#include "pads/pad_setup.h"
#include "pads/random_art.h"

#include <gtest/gtest.h>

using pads::ArtMode;
using pads_test::boundsOf;
using pads_test::changedPixels;
using pads_test::pixelColour;
using pads_test::ScriptedRandom;

namespace {

constexpr canvas::Colour kWhite = 0xFFFFFF;

class RandomArtPad : public ::testing::Test {
  protected:
    void press(std::optional<ArtMode> mode, float x, float y, const QString& width = "2") {
        pads::pressRandomArtPad(pad, random, state, mode, x, y, width);
    }

    canvas::Surface pad{pads::randomArtPadSetup()};
    ScriptedRandom random{{}, pads_test::kAfterScript};
    pads::RandomArtState state;
};

TEST_F(RandomArtPad, StartsWhiteWithWidthTwoAndNoPersistentDrawing) {
    EXPECT_EQ(pixelColour(pad, 70, 70), kWhite);
    EXPECT_EQ(pad.drawWidth(), 2);
    EXPECT_FALSE(pad.autoRedraw());
    EXPECT_EQ(pad.clientPixelWidth(), 142);
}

TEST_F(RandomArtPad, RingsAreThreeConcentricOutlinesEachInItsOwnRoundedColour) {
    // Per ring: radius factor, then red, green, blue rounded from 235 * u.
    for (const double draw : {0.5, 0.5, 0.0, 0.0,    // radius 10, RGB(118, 0, 0): 117.5 to even
                              0.5, 0.0, 0.5, 0.0,    // radius 5, RGB(0, 118, 0)
                              0.5, 0.0, 0.0, 0.5}) { // radius 3, RGB(0, 0, 118)
        random.push(draw);
    }
    press(ArtMode::Rings, 70, 70);
    EXPECT_TRUE(pad.autoRedraw());
    EXPECT_EQ(random.drawCount, 12);
    EXPECT_EQ(pixelColour(pad, 80, 70), canvas::rgbColour(118, 0, 0));
    EXPECT_EQ(pixelColour(pad, 70, 60), canvas::rgbColour(118, 0, 0));
    EXPECT_EQ(pixelColour(pad, 75, 70), canvas::rgbColour(0, 118, 0));
    EXPECT_EQ(pixelColour(pad, 70, 67), canvas::rgbColour(0, 0, 118));
    // Outlines only: the centre stays white.
    EXPECT_EQ(pixelColour(pad, 70, 70), kWhite);
    EXPECT_FALSE(state.timerEnabled);
}

TEST_F(RandomArtPad, ArcsCoverTheTopAndLeaveTheBottom) {
    for (int ring = 0; ring < 3; ++ring) {
        for (const double draw : {0.999, 0.0, 0.0, 0.0}) {
            random.push(draw);
        }
    }
    press(ArtMode::Arcs, 70, 70);
    const int radius = 20;                                 // 19.98
    EXPECT_EQ(pixelColour(pad, 70, 70 - radius), 0u);      // twelve o'clock
    EXPECT_EQ(pixelColour(pad, 70 - radius, 70), 0u);      // nine o'clock
    EXPECT_EQ(pixelColour(pad, 70, 70 + radius), kWhite);  // six o'clock
    EXPECT_EQ(pixelColour(pad, 70 - 14, 70 + 14), kWhite); // half past seven
    EXPECT_EQ(pixelColour(pad, 70 + 14, 70 + 14), kWhite); // half past four
    // The arc reaches on to about 20 degrees below nine o'clock.
    EXPECT_EQ(pixelColour(pad, 70 - 20, 70 + 5), 0u);
}

TEST_F(RandomArtPad, DotStreamPressStoresTheCentreWithYRoundedToEven) {
    for (const double draw : {0.5, 0.0, 0.999, /* circle */ 0.0, 0.0, 0.0, 0.0}) {
        random.push(draw);
    }
    press(ArtMode::DotStream, 10.6f, 20.5f);
    EXPECT_TRUE(state.timerEnabled);
    EXPECT_FLOAT_EQ(state.centre.x, 10.6f);
    EXPECT_EQ(state.centre.y, 20);
    // Dot colour components are floored: 117.5 -> 117, 234.765 -> 234.
    EXPECT_EQ(pad.foreColor(), canvas::rgbColour(117, 0, 234));
    EXPECT_EQ(random.drawCount, 7);

    press(ArtMode::DotStream, 30.0f, 21.5f);
    EXPECT_EQ(state.centre.y, 22);
}

TEST_F(RandomArtPad, TicksSprinkleNineDotsWithinTwoUnitsInTheDotColour) {
    press(ArtMode::DotStream, 70.0f, 70.0f);
    const canvas::Colour ink = pad.foreColor();
    pad.setDrawWidth(5);
    const QImage before = pad.image();
    ScriptedRandom spread({}, 0.99);
    for (int tick = 0; tick < 50; ++tick) {
        pads::tickDotStream(pad, spread, state.centre);
    }
    EXPECT_EQ(spread.drawCount, 50 * 18);
    EXPECT_EQ(pad.drawWidth(), 1);
    const auto changed = changedPixels(before, pad.image());
    ASSERT_FALSE(changed.empty());
    EXPECT_TRUE(QRect(68, 68, 5, 5).contains(boundsOf(changed)));
    for (const QPoint& p : changed) {
        EXPECT_EQ(pixelColour(pad, p.x(), p.y()), ink);
    }
    // With u = v = 0.99 the corners land 1.98 away, on the pixel two steps out.
    EXPECT_EQ(pixelColour(pad, 68, 68), ink);
    EXPECT_EQ(pixelColour(pad, 72, 72), ink);
    EXPECT_EQ(pixelColour(pad, 70, 70), ink);
}

TEST_F(RandomArtPad, DotsKeepTheirOldCentreWhileOtherModesDraw) {
    press(ArtMode::DotStream, 20.0f, 20.0f);
    press(ArtMode::Rings, 100.0f, 100.0f);
    EXPECT_TRUE(state.timerEnabled);
    EXPECT_EQ(state.centre.y, 20);
}

TEST_F(RandomArtPad, CrossLinesSpanThePadThenAdoptTheListWidth) {
    for (const double draw : {1.0 / 235, 0.0, 0.0, 0.0, 2.0 / 235, 0.0}) {
        random.push(draw);
    }
    press(ArtMode::CrossLines, 40, 90, "5");
    const canvas::Colour horizontal = canvas::rgbColour(1, 0, 0);
    const canvas::Colour vertical = canvas::rgbColour(0, 2, 0);
    for (const int x : {0, 20, 141}) {
        EXPECT_EQ(pixelColour(pad, x, 90), horizontal) << x;
    }
    for (const int y : {0, 60, 141}) {
        EXPECT_EQ(pixelColour(pad, 40, y), vertical) << y;
    }
    // Drawn two pixels wide (the width before the press), then the width becomes 5.
    EXPECT_EQ(pixelColour(pad, 10, 88), kWhite);
    EXPECT_EQ(pixelColour(pad, 10, 92), kWhite);
    EXPECT_EQ(pad.drawWidth(), 5);

    for (const char* notAWidth : {"wide", "0", "-3", ""}) {
        press(ArtMode::CrossLines, 40, 90, notAWidth);
        EXPECT_EQ(pad.drawWidth(), 5) << notAWidth;
    }
}

TEST_F(RandomArtPad, NoModeSelectedDrawsNothingAndDrawsNoNumbers) {
    const QImage before = pad.image();
    press(std::nullopt, 70, 70);
    EXPECT_TRUE(changedPixels(before, pad.image()).empty());
    EXPECT_EQ(random.drawCount, 0);
    EXPECT_FALSE(pad.autoRedraw());
}

TEST_F(RandomArtPad, ResetStopsTheDotsDropsThePictureAndTakesAFlooredBackground) {
    press(ArtMode::DotStream, 50.0f, 50.0f);
    pad.setPicture(QImage(10, 10, QImage::Format_RGB32));
    ScriptedRandom backgroundDraws({0.5, 0.999, 0.0}, pads_test::kAfterScript);
    pads::resetRandomArtPad(pad, backgroundDraws, state, "7");
    EXPECT_FALSE(state.timerEnabled);
    EXPECT_TRUE(pad.picture().isNull());
    EXPECT_EQ(pad.drawWidth(), 7);
    EXPECT_EQ(pad.backColor(), canvas::rgbColour(117, 234, 0));
    EXPECT_EQ(pixelColour(pad, 50, 50), canvas::rgbColour(117, 234, 0));

    for (const char* notAWidth : {"", "0", "-2", "x"}) {
        pads::resetRandomArtPad(pad, backgroundDraws, state, notAWidth);
        EXPECT_EQ(pad.drawWidth(), 7) << notAWidth;
    }
}

TEST(PadReset, TwoResetsInARowGiveTwoBackgrounds) {
    canvas::Surface pad(pads::figurePadSetup());
    pad.pset(10, 10);
    ScriptedRandom random({0.1, 0.2, 0.3, 0.4, 0.5, 0.6}, pads_test::kAfterScript);
    pads::resetPad(pad, random);
    const canvas::Colour first = pixelColour(pad, 10, 10);
    EXPECT_EQ(first, canvas::rgbColour(23, 47, 70));
    pads::resetPad(pad, random);
    EXPECT_EQ(pixelColour(pad, 10, 10), canvas::rgbColour(94, 117, 141));
}

} // namespace
