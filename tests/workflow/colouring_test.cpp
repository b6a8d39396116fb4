#include "pixel_pictures.h"
#include "scripted_random.h"
#include "workflow/surfaces.h"
#include "workflow/workflow.h"

#include <gtest/gtest.h>

namespace {

constexpr canvas::Colour kBlack = 0x000000;
constexpr canvas::Colour kWhite = 0xFFFFFF;
constexpr canvas::Colour kStartupCanvas = 0x0059C8A2;

// Exactly the scripted draws: one more fails the test.
test_support::ScriptedRandom exactDraws(std::vector<double> draws) {
    return test_support::ScriptedRandom(std::move(draws), test_support::FailWhenUsedUp{});
}

// Two cells split by a vertical line, and a separate short line that touches nothing.
const std::vector<std::string> kTwoCells = {
    "...#....", //
    "...#....", //
    "...#..#.", //
    "...#..#.", //
    "...#....", //
};

TEST(ClickColouring, FillsTheCellUnderThePressUpToItsLines) {
    canvas::Surface design = pictures::drawn(kTwoCells, kBlack, kWhite);
    auto random = exactDraws({0.0, 0.5, 0.9999999});
    workflow::colourRegion(design, 1, 1, random);

    const canvas::Colour fill = canvas::rgbColour(0, 117, 234);
    EXPECT_EQ(design.fillColor(), fill);
    const std::vector<std::string> expected = {
        "FFF#....", //
        "FFF#....", //
        "FFF#..#.", //
        "FFF#..#.", //
        "FFF#....", //
    };
    EXPECT_EQ(pictures::read(design.imageRef(), {{kBlack, '#'}, {kWhite, '.'}, {fill, 'F'}}),
              expected);
}

TEST(ClickColouring, ReseedsFromTheClockBeforeEachPressDrawsItsColour) {
    canvas::Surface design = pictures::drawn(kTwoCells, kBlack, kWhite);
    auto random = exactDraws({0.1, 0.2, 0.3, 0.4, 0.5, 0.6});
    workflow::colourRegion(design, 0, 0, random);
    workflow::colourRegion(design, 5, 0, random);
    EXPECT_EQ(random.log, "rdddrddd");
}

TEST(ClickColouring, ReseedingUsesTheInjectedClock) {
    canvas::Surface design = pictures::drawn(kTwoCells, kBlack, kWhite);
    canvas::RandomSource random;
    int ticks = 0;
    random.setClock([&ticks] { return std::uint64_t(++ticks); });
    workflow::colourRegion(design, 0, 0, random);
    const canvas::Colour first = design.fillColor();
    workflow::colourRegion(design, 0, 0, random);
    EXPECT_EQ(ticks, 2);

    // The same clock reading gives the same colour: the colour comes from the fresh seed alone.
    canvas::RandomSource replay;
    replay.seed(1);
    EXPECT_EQ(canvas::randomColour(replay), first);
}

TEST(ClickColouring, ComponentsAreFlooredIntoZeroTo234) {
    canvas::Surface design = pictures::drawn(kTwoCells, kBlack, kWhite);
    auto random = exactDraws({0.9999999999, 0.9999999999, 0.9999999999, 0.0, 0.004, 0.0043});
    workflow::colourRegion(design, 0, 0, random);
    EXPECT_EQ(design.fillColor(), canvas::rgbColour(234, 234, 234));
    EXPECT_EQ(design.point(0, 0), canvas::rgbColour(234, 234, 234));
    workflow::colourRegion(design, 0, 0, random);
    EXPECT_EQ(design.fillColor(), canvas::rgbColour(0, 0, 1));
}

TEST(ClickColouring, PressOnALineRecoloursTheConnectedLineOnly) {
    canvas::Surface design = pictures::drawn(kTwoCells, kBlack, kWhite);
    auto random = exactDraws({0.0, 0.0, 0.5});
    workflow::colourRegion(design, 3, 4, random);
    const canvas::Colour fill = canvas::rgbColour(0, 0, 117);
    const std::vector<std::string> expected = {
        "...L....", //
        "...L....", //
        "...L..#.", //
        "...L..#.", //
        "...L....", //
    };
    EXPECT_EQ(pictures::read(design.imageRef(), {{kBlack, '#'}, {kWhite, '.'}, {fill, 'L'}}),
              expected);
}

TEST(ClickColouring, SecondPressRecoloursAndTouchingEqualCellsJoin) {
    canvas::Surface design = pictures::drawn(kTwoCells, kBlack, kWhite);
    auto random = exactDraws({0.0, 0.5, 0.5, 0.5, 0.0, 0.0, 0.9, 0.9, 0.9});
    workflow::colourRegion(design, 0, 0, random);
    const canvas::Colour first = canvas::rgbColour(0, 117, 117);
    ASSERT_EQ(design.point(0, 0), first);

    workflow::colourRegion(design, 2, 3, random);
    const canvas::Colour second = canvas::rgbColour(117, 0, 0);
    EXPECT_EQ(design.point(0, 0), second);
    EXPECT_EQ(design.point(5, 0), kWhite);

    // Colour the line like the left cell: from then on they flood as one area.
    canvas::Surface joined = pictures::drawn(kTwoCells, kBlack, kWhite);
    auto same = exactDraws({0.5, 0.0, 0.0, 0.5, 0.0, 0.0, 0.9, 0.9, 0.9});
    workflow::colourRegion(joined, 0, 0, same);
    workflow::colourRegion(joined, 3, 0, same);
    workflow::colourRegion(joined, 0, 0, same);
    const canvas::Colour third = canvas::rgbColour(211, 211, 211);
    const std::vector<std::string> expected = {
        "TTTT....", //
        "TTTT....", //
        "TTTT..#.", //
        "TTTT..#.", //
        "TTTT....", //
    };
    EXPECT_EQ(pictures::read(joined.imageRef(), {{kBlack, '#'}, {kWhite, '.'}, {third, 'T'}}),
              expected);
}

TEST(ClickColouring, PressPositionRoundsHalvesToEven) {
    // Lines at columns 2 and 4 with a one-pixel cell between them.
    const std::vector<std::string> split = {
        "..#.#.", //
        "..#.#.", //
    };
    auto pressAt = [&split](float x) {
        canvas::Surface design = pictures::drawn(split, kBlack, kWhite);
        auto random = exactDraws({0.5, 0.5, 0.5});
        workflow::colourRegion(design, x, 0, random);
        const canvas::Colour fill = canvas::rgbColour(117, 117, 117);
        return pictures::read(design.imageRef(), {{kBlack, '#'}, {kWhite, '.'}, {fill, 'F'}});
    };
    // 2.5 goes down to the line at 2, 3.5 up to the line at 4; 3.4 stays in the cell between.
    EXPECT_EQ(pressAt(2.5f), (std::vector<std::string>{"..F.#.", "..F.#."}));
    EXPECT_EQ(pressAt(3.5f), (std::vector<std::string>{"..#.F.", "..#.F."}));
    EXPECT_EQ(pressAt(3.4f), (std::vector<std::string>{"..#F#.", "..#F#."}));
}

TEST(ClickColouring, PressRightAfterStartUpFillsTheWholeCanvas) {
    canvas::Surface design(workflow::designCanvasSetup());
    canvas::Surface effect(workflow::effectViewSetup());
    design.paintPicture(effect.image(), 0, 0, effect.scaleWidth(), effect.scaleHeight());
    ASSERT_EQ(design.point(70, 70), kStartupCanvas);

    auto random = exactDraws({0.25, 0.5, 0.75});
    workflow::colourRegion(design, 100, 20, random);
    const QImage image = design.image();
    const QRgb fill = canvas::toPixel(canvas::rgbColour(58, 117, 176));
    int others = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            others += image.pixel(x, y) != fill;
        }
    }
    EXPECT_EQ(image.size(), QSize(142, 142));
    EXPECT_EQ(others, 0);
}

TEST(PadTransfer, LoadShowsThePadPictureAndDropsEarlierDrawing) {
    canvas::Surface design(workflow::designCanvasSetup());
    design.line(0, 10, 141, 10, kBlack);
    canvas::SurfaceSetup figurePad;
    figurePad.outerWidth = 149;
    figurePad.outerHeight = 149;
    figurePad.backColor = 0x00400000;
    figurePad.foreColor = 0x0000FF;
    canvas::Surface pad(figurePad);
    pad.pset(0, 0);
    pad.pset(141, 141);
    pad.pset(143, 143);

    workflow::loadPictureIntoDesign(design, pad.image());
    EXPECT_EQ(design.point(0, 0), 0x0000FF);
    EXPECT_EQ(design.point(141, 141), 0x0000FF);
    EXPECT_EQ(design.point(50, 10), 0x400000);
    EXPECT_EQ(design.clientPixelWidth(), 142);
    EXPECT_EQ(pad.point(0, 0), 0x0000FF) << "loading leaves the pad as it was";

    // A later clear keeps the picture; colouring works on the combined pixels.
    design.cls();
    EXPECT_EQ(design.point(0, 0), 0x0000FF);
}

TEST(PadTransfer, ClearingTheDesignLeavesAPlainCanvas) {
    canvas::Surface design(workflow::designCanvasSetup());
    canvas::Surface pad(workflow::designCanvasSetup());
    pad.setBackColor(0x123456);
    workflow::loadPictureIntoDesign(design, pad.image());
    design.line(0, 5, 141, 5, kBlack);
    design.setAutoRedraw(false);

    workflow::clearDesignPicture(design);
    EXPECT_TRUE(design.picture().isNull());
    EXPECT_TRUE(design.autoRedraw());
    const QImage plain = design.image();
    for (int y = 0; y < plain.height(); y += 7) {
        for (int x = 0; x < plain.width(); x += 7) {
            ASSERT_EQ(canvas::fromPixel(plain.pixel(x, y)), 0x00AE5C44u) << x << "," << y;
        }
    }
    EXPECT_EQ(design.point(70, 5), 0x00AE5C44);
}

} // namespace
