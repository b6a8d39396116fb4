#include "ascii_picture.h"
#include "pads/pad_setup.h"
#include "pads/random_art.h"
#include "scripted_random.h"

#include <gtest/gtest.h>

using ascii::changedPixels;
using ascii::colourAt;
using ascii::expectColours;
using ascii::Probe;
using pads::ArtMode;
using test_support::ScriptedRandom;

namespace {

constexpr canvas::Colour kWhite = 0xFFFFFF;

class RandomArtPad : public ::testing::Test {
  protected:
    // A press with the given draws scripted ahead of it; the pad starts at width 2.
    void press(std::optional<ArtMode> mode, float x, float y, std::vector<double> draws = {},
               const QString& width = "2") {
        for (const double draw : draws) {
            random.push(draw);
        }
        pads::pressRandomArtPad(pad, random, state, mode, x, y, width);
    }

    canvas::Surface pad{pads::randomArtPadSetup()};
    ScriptedRandom random{{}, 0.25};
    pads::RandomArtState state;
};

TEST_F(RandomArtPad, RingsAreThreeConcentricOutlinesEachInItsOwnRoundedColour) {
    // Per ring: radius factor, then red, green, blue rounded from 235 * u (117.5 to the even 118):
    // radius 10 in RGB(118, 0, 0), radius 5 in RGB(0, 118, 0), radius 3 in RGB(0, 0, 235).
    press(ArtMode::Rings, 70, 70, {0.5, 0.5, 0, 0, 0.5, 0, 0.5, 0, 0.5, 0, 0, 0.999});
    EXPECT_TRUE(pad.autoRedraw());
    EXPECT_EQ(random.drawCount, 12);
    EXPECT_FALSE(state.timerEnabled);
    const canvas::Colour red = canvas::rgbColour(118, 0, 0);
    expectColours(pad, {Probe{80, 70, red}, Probe{70, 60, red},
                        Probe{75, 70, canvas::rgbColour(0, 118, 0)},
                        Probe{70, 67, canvas::rgbColour(0, 0, 235)}, Probe{70, 70, kWhite}});
}

TEST_F(RandomArtPad, ArcsCoverTheTopAndLeaveTheBottom) {
    // Radius 19.98 in black, three times; the arc reaches on to about 20 degrees below nine
    // o'clock.
    press(ArtMode::Arcs, 70, 70, {0.999, 0, 0, 0, 0.999, 0, 0, 0, 0.999, 0, 0, 0});
    expectColours(pad, {Probe{70, 50, 0}, Probe{50, 70, 0}, Probe{50, 75, 0}, Probe{70, 90, kWhite},
                        Probe{56, 84, kWhite}, Probe{84, 84, kWhite}});
}

TEST_F(RandomArtPad, DotStreamPressStoresTheCentreWithYRoundedToEven) {
    press(ArtMode::DotStream, 10.6f, 20.5f, {0.5, 0.0, 0.999, /* circle */ 0, 0, 0, 0});
    EXPECT_TRUE(state.timerEnabled);
    EXPECT_FLOAT_EQ(state.centre.x, 10.6f);
    EXPECT_EQ(state.centre.y, 20);
    // Dot colour components are floored: 117.5 -> 117, 234.765 -> 234.
    EXPECT_EQ(pad.foreColor(), canvas::rgbColour(117, 0, 234));
    EXPECT_EQ(random.drawCount, 7);

    press(ArtMode::DotStream, 30.0f, 21.5f);
    EXPECT_EQ(state.centre.y, 22);
    // Other modes leave the dots going about their old centre.
    press(ArtMode::Rings, 100.0f, 100.0f);
    EXPECT_TRUE(state.timerEnabled);
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
    EXPECT_TRUE(QRect(68, 68, 5, 5).contains(ascii::boundsOf(changed)));
    for (const QPoint& p : changed) {
        EXPECT_EQ(colourAt(pad, p.x(), p.y()), ink);
    }
    // With u = v = 0.99 the corners land 1.98 away, on the pixel two steps out.
    expectColours(pad, {Probe{68, 68, ink}, Probe{72, 72, ink}, Probe{70, 70, ink}});
}

TEST_F(RandomArtPad, CrossLinesSpanThePadThenAdoptTheListWidth) {
    press(ArtMode::CrossLines, 40, 90, {1.0 / 235, 0, 0, 0, 2.0 / 235, 0}, "5");
    const canvas::Colour across = canvas::rgbColour(1, 0, 0), down = canvas::rgbColour(0, 2, 0);
    // Drawn two pixels wide (the width before the press), then the width becomes 5.
    expectColours(pad, {Probe{0, 90, across}, Probe{20, 90, across}, Probe{141, 90, across},
                        Probe{40, 0, down}, Probe{40, 60, down}, Probe{40, 141, down},
                        Probe{10, 88, kWhite}, Probe{10, 92, kWhite}});
    EXPECT_EQ(pad.drawWidth(), 5);

    for (const char* notAWidth : {"wide", "0", "-3", ""}) {
        press(ArtMode::CrossLines, 40, 90, {}, notAWidth);
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
    ScriptedRandom backgroundDraws({0.5, 0.999, 0.0}, 0.25);
    pads::resetRandomArtPad(pad, backgroundDraws, state, "7");
    EXPECT_FALSE(state.timerEnabled);
    EXPECT_TRUE(pad.picture().isNull());
    EXPECT_EQ(pad.drawWidth(), 7);
    EXPECT_EQ(pad.backColor(), canvas::rgbColour(117, 234, 0));
    EXPECT_EQ(colourAt(pad, 50, 50), canvas::rgbColour(117, 234, 0));

    for (const char* notAWidth : {"", "0", "-2", "x"}) {
        pads::resetRandomArtPad(pad, backgroundDraws, state, notAWidth);
        EXPECT_EQ(pad.drawWidth(), 7) << notAWidth;
    }
}

TEST(PadReset, TwoResetsInARowGiveTwoBackgrounds) {
    canvas::Surface pad(pads::figurePadSetup());
    pad.pset(10, 10);
    ScriptedRandom random({0.1, 0.2, 0.3, 0.4, 0.5, 0.6}, 0.25);
    pads::resetPad(pad, random);
    EXPECT_EQ(colourAt(pad, 10, 10), canvas::rgbColour(23, 47, 70));
    pads::resetPad(pad, random);
    EXPECT_EQ(colourAt(pad, 10, 10), canvas::rgbColour(94, 117, 141));
}

} // namespace
