#include "ascii_picture.h"
#include "pads/figures.h"
#include "pads/pad_setup.h"
#include "scripted_random.h"

#include <cmath>
#include <gtest/gtest.h>

using ascii::changedPixels;
using ascii::colourAt;
using pads::FigureParams;
using pads::FigureRoutine;
using test_support::ScriptedRandom;

namespace {

constexpr canvas::Colour kInitialInk = 0x000000; // the figure pad's button-text colour
constexpr canvas::Colour kPadBackground = 0x400000;

FigureParams params(int bigR, int smallR, int pen, int lastStep) {
    return {QString::number(bigR), QString::number(smallR), QString::number(pen),
            QString::number(lastStep)};
}

class FigureEngine : public ::testing::Test {
  protected:
    const QImage blank = canvas::Surface(pads::figurePadSetup()).image();
    canvas::Surface pad{pads::figurePadSetup()};
    ScriptedRandom random{{0.5}, 0.25};
};

TEST_F(FigureEngine, EqualRadiiGiveOneDotAboveTheCentreForSineRoutinesRightOfItForFine) {
    const std::pair<FigureRoutine, QPoint> cases[] = {{FigureRoutine::Coarse, QPoint(72, 62)},
                                                      {FigureRoutine::Medium, QPoint(72, 62)},
                                                      {FigureRoutine::Fine, QPoint(82, 72)}};
    for (const auto& [routine, dot] : cases) {
        canvas::Surface fresh(pads::figurePadSetup());
        pads::drawFigure(fresh, random, routine, params(40, 40, 10, 2880));
        // A 3 x 3 dot: nine pixels within its 3 x 3 bounds.
        const auto changed = changedPixels(blank, fresh.image());
        EXPECT_EQ(ascii::boundsOf(changed), QRect(dot - QPoint(1, 1), QSize(3, 3)));
        EXPECT_EQ(ascii::count(fresh.imageRef(), {kInitialInk}), 9);
        EXPECT_EQ(changed.size(), 9u);
    }
}

TEST_F(FigureEngine, SecondFigureTakesTheColourChosenAfterTheFirst) {
    pads::drawFigure(pad, random, FigureRoutine::Fine, params(40, 40, 10, 5));
    const canvas::Colour chosen = pad.foreColor();
    // 0.5 * 15461355 = 7730677.5, which rounds to the even neighbour.
    EXPECT_EQ(chosen, 7730678u);
    pads::drawFigure(pad, random, FigureRoutine::Fine, params(40, 40, 10, 5));
    EXPECT_EQ(colourAt(pad, 82, 72), chosen);
}

TEST_F(FigureEngine, UnusableParametersDrawNothingAndStillStepTheColour) {
    const FigureParams bad[] = {
        {"120", "30", "10", "1"},              // fewer than two steps
        {"120", "30", "ten", "2880"},          // not a number
        {"120", "0", "10", "2880"},            // rolling radius zero
        {"2147483647", "-10", "10", "2880"},   // R - r overflows
        {"120", "30", "10", "99999999999999"}, // beyond 32 bits
        {"", "30", "10", "2880"},              // empty text
    };
    for (const FigureParams& fields : bad) {
        const int drawsBefore = random.drawCount;
        pads::drawFigure(pad, random, FigureRoutine::Medium, fields);
        EXPECT_TRUE(changedPixels(blank, pad.image()).empty()) << fields[0].toStdString();
        EXPECT_EQ(random.drawCount, drawsBefore + 1);
    }
}

// Every step plotted straight from the curve formulas with the library's sine and cosine.
canvas::Surface plottedStepByStep(FigureRoutine routine, int bigR, int smallR, int pen,
                                  int lastStep, std::int16_t width) {
    canvas::Surface pad(pads::figurePadSetup());
    pad.setDrawWidth(width);
    const float step = routine == FigureRoutine::Coarse   ? float(M_PI / 20)
                       : routine == FigureRoutine::Medium ? float(M_PI / 60)
                                                          : float(M_PI / 360);
    const double m = bigR - smallR;
    for (int t = 2; t <= lastStep; ++t) {
        const float a = float(double(t) * double(step));
        const float c = float(double(bigR) / double(smallR) * double(a)) - a;
        // The fine routine traces the textbook curve; the sine routines run the pen a quarter
        // turn ahead.
        const bool fine = routine == FigureRoutine::Fine;
        const double penX = fine ? std::cos(double(c)) : std::sin(double(c));
        const double penY = fine ? std::sin(double(c)) : std::cos(double(c));
        pad.pset(float(m * std::cos(double(a)) + pen * penX + 72),
                 float(m * std::sin(double(a)) - pen * penY + 72));
    }
    return pad;
}

TEST(FigurePixels, EveryFigureMatchesPlottingEachStepWithTheLibraryTrigonometry) {
    struct Case {
        FigureRoutine routine;
        int bigR, smallR, pen, lastStep;
        std::int16_t width = 3;
    };
    const Case cases[] = {
        {FigureRoutine::Fine, 15, 6, 3, 12880},   // the heaviest first click
        {FigureRoutine::Fine, 130, 1, 2, 12880},  // a fast pen, far beyond the pad
        {FigureRoutine::Fine, 73, 1, 2, 2880, 2}, // two-pixel dots just beyond the edges
        {FigureRoutine::Fine, 1, 170, 170, 8600}, // rolling circle larger: R - r is negative
        {FigureRoutine::Fine, 1, 120, 120, 400},    {FigureRoutine::Coarse, 4, 17, 3, 1440},
        {FigureRoutine::Coarse, 60, 20, 15, 40},    {FigureRoutine::Medium, 60, 12, 40, 2880},
        {FigureRoutine::Medium, 90, 100, 37, 2880},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bigR << "/" << c.smallR << "/" << c.pen);
        canvas::Surface pad(pads::figurePadSetup());
        ScriptedRandom random{{}, 0.25};
        pad.setDrawWidth(c.width);
        pads::drawFigure(pad, random, c.routine, params(c.bigR, c.smallR, c.pen, c.lastStep));
        const canvas::Surface expected =
            plottedStepByStep(c.routine, c.bigR, c.smallR, c.pen, c.lastStep, c.width);
        EXPECT_TRUE(changedPixels(expected.image(), pad.image()).empty());
        EXPECT_FLOAT_EQ(pad.currentX(), expected.currentX());
        EXPECT_FLOAT_EQ(pad.currentY(), expected.currentY());
    }
}

class FigurePresets : public ::testing::Test {
  protected:
    int indexOf(const char* caption) {
        const auto& presets = pads::figurePresets();
        const auto found = std::ranges::find_if(presets, [&](const pads::FigurePreset& preset) {
            return QString::fromUtf8(preset.caption) == QString::fromUtf8(caption);
        });
        EXPECT_NE(found, presets.end()) << caption;
        return int(found - presets.begin()) % pads::kFigurePresetCount;
    }

    canvas::Surface pad{pads::figurePadSetup()};
    ScriptedRandom random{{}, 0.25};
    FigureParams fields{"Text1", "Text1", "Text1", "Text1"};
};

// One click: the shared counter steps, the fields take the preset's values for the stepped
// counter, and past the preset's limit the pad is cleared and the counter restarts at 1.
struct PresetClick {
    const char* caption;
    std::int16_t counter, counterAfter;
    FigureParams fields;
    bool clears;
    int leastInked; // pixels in the ink, where the figure shows on the pad
};

TEST_F(FigurePresets, ClickStepsTheCounterWritesTheFieldsAndClearsPastTheLimit) {
    const PresetClick clicks[] = {
        {"图1", 0, 5, params(120, 30, 10, 2880), false, 100},
        {"图1", 115, 120, params(120, 30, 125, 2880), false, 0},
        {"图1", 120, 1, params(120, 30, 130, 2880), true, 0},
        {"图1", 1, 6, params(120, 30, 11, 2880), false, 0},
        {"图14", 40, 1, params(60, 12, 82, 2880), true, 1},      // a small family clears at once
        {"图25", 150, 170, params(1, 270, 270, 8600), false, 0}, // the wide family goes on to 260
        {"图2", 170, 1, params(40, 30, 180, 2880), true, 0},
    };
    for (const PresetClick& click : clicks) {
        SCOPED_TRACE(testing::Message() << click.caption << " at " << click.counter);
        // A mark in a corner no figure here reaches, to see whether the pad was cleared.
        canvas::Surface fresh(pads::figurePadSetup());
        const canvas::Colour ink = click.counter == 0 ? kInitialInk : 0x123456;
        fresh.setForeColor(0x00FFFF);
        fresh.pset(1, 1);
        fresh.setForeColor(ink);
        std::int16_t counter = click.counter;
        pads::runFigurePreset(indexOf(click.caption), counter, fields, fresh, random);
        EXPECT_EQ(counter, click.counterAfter);
        EXPECT_EQ(fields, click.fields);
        EXPECT_EQ(colourAt(fresh, 1, 1) == 0x00FFFF, !click.clears);
        // The figure is drawn in the ink held before the click, even after a clearing.
        const int inked = ascii::count(fresh.imageRef(), {ink});
        EXPECT_GE(inked, click.leastInked);
        if (click.clears) {
            EXPECT_EQ(inked + ascii::count(fresh.imageRef(), {kPadBackground}),
                      fresh.clientPixelWidth() * fresh.clientPixelHeight());
        }
    }
}

TEST_F(FigurePresets, EveryPresetStepsTheColourAndMostShowOnTheirFirstClick) {
    // Some first figures (a small rolling circle far from the centre) lie wholly off the pad.
    int visible = 0;
    for (int i = 0; i < pads::kFigurePresetCount; ++i) {
        canvas::Surface fresh(pads::figurePadSetup());
        std::int16_t counter = 0;
        const int drawsBefore = random.drawCount;
        pads::runFigurePreset(i, counter, fields, fresh, random);
        visible += !changedPixels(pad.image(), fresh.image()).empty();
        EXPECT_EQ(random.drawCount, drawsBefore + 1) << "preset " << i + 1;
    }
    EXPECT_GE(visible, 25);
}

} // namespace
