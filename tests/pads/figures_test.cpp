#include "pad_test_support.h"

#include "pads/figures.h"
#include "pads/pad_setup.h"

#include <cmath>
#include <gtest/gtest.h>

using pads::FigureParams;
using pads::FigureRoutine;
using pads_test::changedPixels;
using pads_test::pixelColour;
using pads_test::ScriptedRandom;

namespace {

constexpr canvas::Colour kInitialInk = 0x000000; // the figure pad's button-text colour
constexpr canvas::Colour kPadBackground = 0x400000;

int presetIndex(const char* caption) {
    const auto& presets = pads::figurePresets();
    for (int i = 0; i < pads::kFigurePresetCount; ++i) {
        if (QString::fromUtf8(presets[std::size_t(i)].caption) == QString::fromUtf8(caption)) {
            return i;
        }
    }
    ADD_FAILURE() << "no preset " << caption;
    return 0;
}

class FigureEngine : public ::testing::Test {
  protected:
    canvas::Surface pad{pads::figurePadSetup()};
    ScriptedRandom random{{0.5}, pads_test::kAfterScript};
};

TEST_F(FigureEngine, FewerThanTwoStepsDrawsNothingButPicksTheNextColour) {
    const QImage before = pad.image();
    pads::drawFigure(pad, random, FigureRoutine::Fine, {"120", "30", "10", "1"});
    EXPECT_TRUE(changedPixels(before, pad.image()).empty());
    // 0.5 * 15461355 = 7730677.5, which rounds to the even neighbour.
    EXPECT_EQ(pad.foreColor(), 7730678u);
    EXPECT_EQ(random.drawCount, 1);
}

TEST_F(FigureEngine, EqualRadiiGiveOneDotAboveTheCentreForTheSineRoutines) {
    for (const FigureRoutine routine : {FigureRoutine::Coarse, FigureRoutine::Medium}) {
        canvas::Surface fresh(pads::figurePadSetup());
        pads::drawFigure(fresh, random, routine, {"40", "40", "10", "2880"});
        EXPECT_EQ(pads_test::pictureAround(fresh, 72, 62, 2, kInitialInk), ".....\n"
                                                                           ".###.\n"
                                                                           ".###.\n"
                                                                           ".###.\n"
                                                                           ".....\n");
        EXPECT_EQ(changedPixels(pad.image(), fresh.image()).size(), 9u);
    }
}

TEST_F(FigureEngine, EqualRadiiGiveOneDotRightOfTheCentreForTheFineRoutine) {
    pads::drawFigure(pad, random, FigureRoutine::Fine, {"40", "40", "10", "2880"});
    EXPECT_EQ(pads_test::pictureAround(pad, 82, 72, 2, kInitialInk), ".....\n"
                                                                     ".###.\n"
                                                                     ".###.\n"
                                                                     ".###.\n"
                                                                     ".....\n");
    EXPECT_EQ(changedPixels(canvas::Surface(pads::figurePadSetup()).image(), pad.image()).size(),
              9u);
}

TEST_F(FigureEngine, FineRoutineTracesTheTextbookCurveEvenWithTheRollingCircleLarger) {
    // R < r: m is negative and the formulas apply unchanged.
    const int bigR = 1, smallR = 120, pen = 120, steps = 400;
    pads::drawFigure(pad, random, FigureRoutine::Fine,
                     {QString::number(bigR), QString::number(smallR), QString::number(pen),
                      QString::number(steps)});
    const double m = bigR - smallR;
    for (int t = 2; t <= steps; t += 37) {
        const double theta = t * M_PI / 360.0;
        const double x = m * std::cos(theta) + pen * std::cos(m / smallR * theta) + 72;
        const double y = m * std::sin(theta) - pen * std::sin(m / smallR * theta) + 72;
        if (x < 1 || y < 1 || x > 143 || y > 143) {
            continue;
        }
        EXPECT_EQ(pixelColour(pad, int(std::lround(x)), int(std::lround(y))), kInitialInk)
            << "step " << t;
    }
}

TEST_F(FigureEngine, CoarseRoutineRunsThePenAQuarterTurnAhead) {
    pads::drawFigure(pad, random, FigureRoutine::Coarse, {"60", "20", "15", "40"});
    for (int t = 2; t <= 40; ++t) {
        const double a = t * M_PI / 20.0;
        const double c = 2.0 * a;
        const double x = 40 * std::cos(a) + 15 * std::sin(c) + 72;
        const double y = 40 * std::sin(a) - 15 * std::cos(c) + 72;
        EXPECT_EQ(pixelColour(pad, int(std::lround(x)), int(std::lround(y))), kInitialInk)
            << "step " << t;
    }
}

TEST_F(FigureEngine, SecondFigureTakesTheColourChosenAfterTheFirst) {
    const FigureParams params{"40", "40", "10", "5"};
    pads::drawFigure(pad, random, FigureRoutine::Fine, params);
    const canvas::Colour chosen = pad.foreColor();
    pads::drawFigure(pad, random, FigureRoutine::Fine, params);
    EXPECT_EQ(pixelColour(pad, 82, 72), chosen);
}

TEST_F(FigureEngine, UnusableParametersDrawNothingAndStillStepTheColour) {
    const FigureParams bad[] = {
        {"120", "30", "ten", "2880"},          // not a number
        {"120", "0", "10", "2880"},            // rolling radius zero
        {"2147483647", "-10", "10", "2880"},   // R - r overflows
        {"120", "30", "10", "99999999999999"}, // beyond 32 bits
        {"", "30", "10", "2880"},              // empty text
    };
    for (const FigureParams& params : bad) {
        const QImage before = pad.image();
        const int drawsBefore = random.drawCount;
        pads::drawFigure(pad, random, FigureRoutine::Medium, params);
        EXPECT_TRUE(changedPixels(before, pad.image()).empty()) << params[0].toStdString();
        EXPECT_EQ(random.drawCount, drawsBefore + 1);
    }
}

class FigurePresets : public ::testing::Test {
  protected:
    // A mark in a corner no early figure reaches, to see whether the pad was cleared.
    void markCorner() {
        pad.setForeColor(0x00FFFF);
        pad.pset(1, 1);
        pad.setForeColor(kInitialInk);
    }
    bool cornerMarked() const { return pixelColour(pad, 1, 1) == 0x00FFFF; }

    canvas::Surface pad{pads::figurePadSetup()};
    ScriptedRandom random{{}, pads_test::kAfterScript};
    FigureParams fields{"Text1", "Text1", "Text1", "Text1"};
    std::int16_t counter = 0;
};

TEST_F(FigurePresets, FirstClickOfTheFirstPresetWritesItsFieldsAndDrawsInTheInitialInk) {
    markCorner();
    pads::runFigurePreset(presetIndex("图1"), counter, fields, pad, random);
    EXPECT_EQ(counter, 5);
    EXPECT_EQ(fields, (FigureParams{"120", "30", "10", "2880"}));
    EXPECT_TRUE(cornerMarked());
    int inked = 0;
    for (int y = 0; y < pad.clientPixelHeight(); ++y) {
        for (int x = 0; x < pad.clientPixelWidth(); ++x) {
            inked += pixelColour(pad, x, y) == kInitialInk;
        }
    }
    EXPECT_GT(inked, 100);
}

TEST_F(FigurePresets, RepeatedClicksGrowThePenUntilTheClickThatClears) {
    const int first = presetIndex("图1");
    for (int click = 1; click <= 24; ++click) {
        pads::runFigurePreset(first, counter, fields, pad, random);
        EXPECT_EQ(fields[2], QString::number(5 * click + 5));
    }
    EXPECT_EQ(counter, 120);
    markCorner();
    pads::runFigurePreset(first, counter, fields, pad, random);
    EXPECT_EQ(fields[2], "130");
    EXPECT_EQ(counter, 1);
    EXPECT_FALSE(cornerMarked());
    pads::runFigurePreset(first, counter, fields, pad, random);
    EXPECT_EQ(counter, 6);
    EXPECT_EQ(fields[2], "11");
}

TEST_F(FigurePresets, SmallFamilyPresetClearsAtOnceAboveItsLimit) {
    counter = 40;
    markCorner();
    pads::runFigurePreset(presetIndex("图14"), counter, fields, pad, random);
    EXPECT_EQ(fields, (FigureParams{"60", "12", "82", "2880"}));
    EXPECT_EQ(counter, 1);
    EXPECT_FALSE(cornerMarked());
}

TEST_F(FigurePresets, WideFamilyPresetAddsWithoutClearingBetween121And260) {
    counter = 150;
    markCorner();
    pads::runFigurePreset(presetIndex("图25"), counter, fields, pad, random);
    EXPECT_EQ(counter, 170);
    EXPECT_EQ(fields, (FigureParams{"1", "270", "270", "8600"}));
    EXPECT_TRUE(cornerMarked());

    // Any ordinary preset clicked now clears.
    pads::runFigurePreset(presetIndex("图2"), counter, fields, pad, random);
    EXPECT_EQ(counter, 1);
    EXPECT_FALSE(cornerMarked());
}

TEST_F(FigurePresets, ClearingKeepsTheInkColour) {
    counter = 40;
    pad.setForeColor(0x123456);
    pads::runFigurePreset(presetIndex("图14"), counter, fields, pad, random);
    // The figure after the clearing is drawn in the colour held before it.
    int inked = 0;
    for (int y = 0; y < pad.clientPixelHeight(); ++y) {
        for (int x = 0; x < pad.clientPixelWidth(); ++x) {
            const canvas::Colour colour = pixelColour(pad, x, y);
            EXPECT_TRUE(colour == kPadBackground || colour == 0x123456);
            inked += colour == 0x123456;
        }
    }
    EXPECT_GT(inked, 0);
}

TEST_F(FigurePresets, EveryPresetStepsTheColourAndMostShowOnTheirFirstClick) {
    // Some first figures (a small rolling circle far from the centre) lie wholly off the pad.
    int visible = 0;
    for (int i = 0; i < pads::kFigurePresetCount; ++i) {
        canvas::Surface fresh(pads::figurePadSetup());
        std::int16_t c = 0;
        const int drawsBefore = random.drawCount;
        pads::runFigurePreset(i, c, fields, fresh, random);
        visible += !changedPixels(pad.image(), fresh.image()).empty();
        EXPECT_EQ(random.drawCount, drawsBefore + 1) << "preset " << i + 1;
    }
    EXPECT_GE(visible, 25);
}

} // namespace

namespace {

// Every step plotted straight from the curve formulas with the library's sine and cosine.
canvas::Surface plottedStepByStep(FigureRoutine routine, int bigR, int smallR, int pen,
                                  int lastStep) {
    canvas::Surface pad(pads::figurePadSetup());
    const float step = routine == FigureRoutine::Coarse   ? float(M_PI / 20)
                       : routine == FigureRoutine::Medium ? float(M_PI / 60)
                                                          : float(M_PI / 360);
    const double m = bigR - smallR;
    for (int t = 2; t <= lastStep; ++t) {
        const float a = float(double(t) * double(step));
        const float b = float(double(bigR) / double(smallR) * double(a));
        const float c = b - a;
        double x = 0;
        double y = 0;
        if (routine == FigureRoutine::Fine) {
            x = m * std::cos(double(a)) + pen * std::cos(double(c)) + 72;
            y = m * std::sin(double(a)) - pen * std::sin(double(c)) + 72;
        } else {
            x = m * std::cos(double(a)) + pen * std::sin(double(c)) + 72;
            y = m * std::sin(double(a)) - pen * std::cos(double(c)) + 72;
        }
        pad.pset(float(x), float(y));
    }
    return pad;
}

TEST(FigurePixels, EveryFigureMatchesPlottingEachStepWithTheLibraryTrigonometry) {
    struct Case {
        FigureRoutine routine;
        int bigR, smallR, pen, lastStep;
    };
    const Case cases[] = {
        {FigureRoutine::Fine, 15, 6, 3, 12880},   // the heaviest first click
        {FigureRoutine::Fine, 130, 1, 2, 12880},  // a fast pen, far beyond the pad
        {FigureRoutine::Fine, 1, 170, 170, 8600}, // rolling circle larger
        {FigureRoutine::Coarse, 4, 17, 3, 1440},    {FigureRoutine::Medium, 60, 12, 40, 2880},
        {FigureRoutine::Medium, 90, 100, 37, 2880},
    };
    for (const Case& c : cases) {
        canvas::Surface pad(pads::figurePadSetup());
        ScriptedRandom random{{}, pads_test::kAfterScript};
        pads::drawFigure(pad, random, c.routine,
                         {QString::number(c.bigR), QString::number(c.smallR),
                          QString::number(c.pen), QString::number(c.lastStep)});
        const canvas::Surface expected =
            plottedStepByStep(c.routine, c.bigR, c.smallR, c.pen, c.lastStep);
        EXPECT_TRUE(changedPixels(expected.image(), pad.image()).empty())
            << c.bigR << "/" << c.smallR << "/" << c.pen;
        EXPECT_FLOAT_EQ(pad.currentX(), expected.currentX());
        EXPECT_FLOAT_EQ(pad.currentY(), expected.currentY());
    }
}

} // namespace
