#include "design_pixels.h"
#include "patterns/catalogue.h"

#include <gtest/gtest.h>
#include <set>

using design_pixels::at;
using design_pixels::countInColumn;
using design_pixels::countInRow;
using design_pixels::makeDesignCanvas;
using design_pixels::regionCount;

namespace {

constexpr canvas::Colour background = 0xAE5C44;
constexpr canvas::Colour black = 0;
constexpr canvas::Colour red = 255;
constexpr canvas::Colour green = 65280;
constexpr canvas::Colour blue = 16711680;

// Draws a catalogue figure the way its button does, at the given line width.
canvas::Surface drawn(const char* name, const QString& width = QStringLiteral("1")) {
    canvas::Surface design = makeDesignCanvas();
    const patterns::Figure* figure = patterns::findFigure(QString::fromLatin1(name));
    EXPECT_NE(figure, nullptr) << name;
    if (figure != nullptr) {
        std::int16_t saved = -1;
        patterns::drawCatalogueFigure(design, *figure, width, QStringLiteral("x"), saved);
    }
    return design;
}

const patterns::Figure& figure(const char* name) {
    return *patterns::findFigure(QString::fromLatin1(name));
}

} // namespace

TEST(Catalogue, HoldsFortyEightButtonsEachFoundByItsName) {
    const auto all = patterns::catalogue();
    EXPECT_EQ(all.size(), 48u);
    std::set<QString> names;
    for (const patterns::Figure& entry : all) {
        names.insert(patterns::controlName(entry));
        EXPECT_EQ(patterns::findFigure(patterns::controlName(entry)), &entry);
        EXPECT_FALSE(patterns::family(entry).isEmpty());
        EXPECT_FALSE(entry.lines.empty() && entry.circles.empty()) << entry.controlName;
    }
    EXPECT_EQ(names.size(), 48u);
    EXPECT_EQ(patterns::findFigure(u"Command70"), nullptr);
    EXPECT_EQ(patterns::findFigure(u"Command14"), nullptr);
    EXPECT_EQ(patterns::findFigure(u""), nullptr);
    EXPECT_EQ(patterns::family(figure("Command7")), QStringLiteral("T-shirt"));
    EXPECT_EQ(patterns::family(figure("Command54")), QStringLiteral("wall tiles"));
}

TEST(Catalogue, CoordinatesFollowTheCanvasSizeInSinglePrecision) {
    // The third stripe of the second tie: W / 1.35 - 2.5 across.
    const patterns::Coordinate x = figure("Command5").lines[2].x1;
    EXPECT_FLOAT_EQ(x.evaluate(146, 146), 146.0f / 1.35f - 2.5f);
    EXPECT_NEAR(x.evaluate(146, 146), 105.648, 0.001);
    EXPECT_NEAR(x.evaluate(200, 146), 200 / 1.35 - 2.5, 0.001);
}

TEST(PatternFrame, SetsTheTitleFromTheButtonsCaption) {
    canvas::Surface design = makeDesignCanvas();
    std::int16_t saved = 0;
    EXPECT_EQ(patterns::drawCatalogueFigure(design, figure("Command11"), "2",
                                            QStringLiteral("经典格子"), saved),
              QStringLiteral("设计经典格子"));
    EXPECT_EQ(patterns::drawCatalogueFigure(design, figure("Command13"), "2",
                                            QStringLiteral("金钻格子"), saved),
              QStringLiteral("设计金钻格子"));
}

TEST(PatternFrame, RestoresTheFillStyleAndLeavesCircleInteriorsOpen) {
    for (std::int16_t style : {std::int16_t(0), std::int16_t(1), std::int16_t(5)}) {
        canvas::Surface design = makeDesignCanvas();
        design.setFillStyle(style);
        std::int16_t saved = -1;
        patterns::drawCatalogueFigure(design, figure("Command53"), "2", "", saved);
        EXPECT_EQ(design.fillStyle(), style);
        EXPECT_EQ(saved, style);
        // Inside the ring of radius 30 around (72, 72).
        EXPECT_EQ(at(design, 72, 72), background);
        EXPECT_EQ(at(design, 72, 50), background);
    }
}

TEST(PatternFrame, LineWidthComesFromTheWidthText) {
    // The horizontal line of the cross lies at y = 73, the vertical one at x = 73.
    const canvas::Surface thin = drawn("Command11", "1");
    EXPECT_EQ(countInColumn(thin, 10, 0, 141, black), 1);
    EXPECT_EQ(at(thin, 10, 73), black);
    EXPECT_EQ(countInRow(thin, 10, 0, 141, black), 1);
    EXPECT_EQ(thin.drawWidth(), 1);

    const canvas::Surface wide = drawn("Command11", "5");
    EXPECT_EQ(countInColumn(wide, 10, 0, 141, black), 5);
    EXPECT_EQ(countInRow(wide, 10, 0, 141, black), 5);
    EXPECT_EQ(wide.drawWidth(), 5);

    // Circle outlines take the width too: the ring of radius 30 around (72, 72), left of centre.
    EXPECT_EQ(countInRow(drawn("Command53", "5"), 72, 37, 72, blue), 5);
    EXPECT_EQ(countInRow(drawn("Command53", "1"), 72, 37, 72, blue), 1);
}

TEST(PatternFrame, InvalidWidthTextKeepsTheWidth) {
    for (const char* text : {"abc", "", "0", "-3", "99999", "1e9", "nan"}) {
        canvas::Surface design = makeDesignCanvas();
        design.setDrawWidth(3);
        std::int16_t saved = 0;
        const QString title =
            patterns::drawCatalogueFigure(design, figure("Command11"), text, "c", saved);
        EXPECT_EQ(title, QStringLiteral("设计c")) << text;
        EXPECT_EQ(design.drawWidth(), 3) << text;
        EXPECT_EQ(countInColumn(design, 10, 0, 141, black), 3) << text;
    }
    EXPECT_EQ(drawn("Command11", "2.5").drawWidth(), 2);
    EXPECT_EQ(drawn("Command11", "3.5").drawWidth(), 4);
}

TEST(PatternFrame, RedrawsFromScratchOnTheCurrentBackground) {
    canvas::Surface design = makeDesignCanvas();
    std::int16_t saved = 0;
    patterns::drawCatalogueFigure(design, figure("Command46"), "2", "", saved);
    const QImage first = design.image();
    design.setFillColor(0x123456);
    design.floodFillSurface(73, 73, background);
    patterns::drawCatalogueFigure(design, figure("Command1"), "2", "", saved);
    patterns::drawCatalogueFigure(design, figure("Command46"), "2", "", saved);
    EXPECT_EQ(design.image(), first);

    design.setBackColor(0x00FF00);
    patterns::drawCatalogueFigure(design, figure("Command11"), "1", "", saved);
    EXPECT_EQ(at(design, 5, 5), canvas::Colour(0x00FF00));
}

TEST(GridPatterns, DiamondDiagonalsRunCornerToCorner) {
    const canvas::Surface design = drawn("Command12");
    for (int i = 0; i < 142; ++i) {
        EXPECT_EQ(at(design, i, 141 - i), black) << i;
        if (i < 69 || i > 72) {
            EXPECT_EQ(at(design, i, i), red) << i;
        }
    }
    EXPECT_EQ(at(design, 1, 0), background);
    EXPECT_EQ(at(design, 140, 0), background);
}

TEST(GridPatterns, GoldenDiamondCrossSitsAboveAndLeftOfTheCentre) {
    const canvas::Surface design = drawn("Command13");
    EXPECT_EQ(at(design, 20, 71), black);
    EXPECT_EQ(at(design, 20, 72), background);
    EXPECT_EQ(at(design, 71, 20), green);
    EXPECT_EQ(at(design, 71, 130), green);
    EXPECT_EQ(at(design, 72, 20), background);
}

TEST(TiePatterns, FirstStripeEndsWhereTheRingsRimBegins) {
    // Stripe from (6, 71) to (136, 71); ring of radius 65 around (70, 71) drawn over it.
    const canvas::Surface design = drawn("Command1");
    EXPECT_EQ(at(design, 4, 71), background);
    EXPECT_EQ(at(design, 5, 71), blue);
    EXPECT_EQ(at(design, 6, 71), black);
    EXPECT_EQ(at(design, 134, 71), black);
    EXPECT_EQ(at(design, 135, 71), blue);
    EXPECT_EQ(at(design, 136, 71), black);
    EXPECT_EQ(at(design, 137, 71), background);
    EXPECT_EQ(at(design, 70, 6), blue);
    EXPECT_EQ(at(design, 70, 136), blue);
}

TEST(TiePatterns, SecondTiesThirdStripeStandsLeftOfTheStripePosition) {
    const canvas::Surface design = drawn("Command5");
    // x = 105.65, from y = 17 to y = 127.
    EXPECT_EQ(at(design, 106, 17), green);
    EXPECT_EQ(at(design, 105, 60), background);
    EXPECT_EQ(at(design, 107, 60), background);
    EXPECT_EQ(at(design, 106, 127), green);
    EXPECT_EQ(at(design, 106, 128), background);
}

TEST(ScarfPatterns, EdgeMedallionsCentreOnOrBeyondTheEdges) {
    const canvas::Surface design = drawn("Command52");
    // Horizontal arm from 35 to 111 at y = 73; right circle around (144, 73) radius 35.
    EXPECT_EQ(at(design, 35, 73), blue);
    EXPECT_EQ(at(design, 36, 73), black);
    EXPECT_EQ(at(design, 109, 73), blue);
    EXPECT_EQ(at(design, 110, 73), black);
    EXPECT_EQ(at(design, 111, 73), black);
    EXPECT_EQ(at(design, 112, 73), background);
    // Top circle around (73, 0) meets the vertical arm at y = 35.
    EXPECT_EQ(at(design, 73, 35), blue);
    EXPECT_EQ(at(design, 73, 36), black);
}

TEST(ScarfPatterns, FirstScarfRingCentresAtSeventy) {
    const canvas::Surface design = drawn("Command3");
    EXPECT_EQ(at(design, 70, 20), blue);
    EXPECT_EQ(at(design, 20, 70), blue);
    EXPECT_EQ(at(design, 120, 70), blue);
    EXPECT_EQ(at(design, 70, 120), blue);
}

TEST(BedsheetPatterns, LargeCircleEnclosesTheMiddleSquare) {
    const canvas::Surface design = drawn("Command28");
    const auto ring = design_pixels::regionAt(design, 71, 20);
    // The band between the square and the circle goes all round the square.
    EXPECT_TRUE(design_pixels::contains(ring, 20, 71));
    EXPECT_TRUE(design_pixels::contains(ring, 122, 71));
    EXPECT_TRUE(design_pixels::contains(ring, 71, 122));
    EXPECT_TRUE(design_pixels::contains(ring, 40, 34));
    EXPECT_FALSE(design_pixels::contains(ring, 1, 1));
    EXPECT_FALSE(design_pixels::contains(ring, 50, 50));
    // Its vertical centre line stands at x = 72.2.
    EXPECT_EQ(at(design, 72, 60), black);
    EXPECT_EQ(at(design, 73, 60), background);
}

TEST(BedsheetPatterns, OnlyBlackCircleOfTheTextiles) {
    const canvas::Surface design = drawn("Command10");
    EXPECT_EQ(at(design, 73, 23), black);
    EXPECT_EQ(at(design, 22, 73), black);
    EXPECT_EQ(at(design, 21, 73), background);
    EXPECT_EQ(at(design, 124, 73), black);
    EXPECT_EQ(at(design, 125, 73), background);
}

TEST(ShirtPatterns, StripesReachBothEdges) {
    const canvas::Surface shirt = drawn("Command6");
    for (int x : {70, 34, 106}) {
        EXPECT_EQ(countInColumn(shirt, x, 0, 141, green), 142) << x;
    }
    const canvas::Surface tshirt = drawn("Command7");
    for (int y : {71, 34, 106}) {
        EXPECT_EQ(countInRow(tshirt, y, 0, 141, black), 142) << y;
    }
}

TEST(WallTilePatterns, RingsLieOverTheCrossAtTheCrossings) {
    // Rings of radius 23 around (71, 36) and (36, 73) cut the cross at x = 71 and y = 73.
    const canvas::Surface design = drawn("Command48");
    EXPECT_EQ(at(design, 71, 13), blue);
    EXPECT_EQ(at(design, 71, 59), blue);
    EXPECT_EQ(at(design, 13, 73), blue);
    EXPECT_EQ(at(design, 59, 73), blue);
    EXPECT_EQ(at(design, 71, 5), black);
    EXPECT_EQ(at(design, 5, 73), black);
}

TEST(CeramicPatterns, RingCrossesBothArmsOnTop) {
    const canvas::Surface design = drawn("Command38");
    EXPECT_EQ(at(design, 73, 43), blue);
    EXPECT_EQ(at(design, 43, 73), blue);
    EXPECT_EQ(at(design, 103, 73), blue);
    EXPECT_EQ(at(design, 73, 103), blue);
    EXPECT_EQ(at(design, 73, 60), black);
}

TEST(FloorTilePatterns, SquareFrameIsOffsetToTheLeft) {
    const canvas::Surface design = drawn("Command19");
    // Left side at x = 34.5 (34 after rounding), top side at y = 36.5 (36).
    EXPECT_EQ(at(design, 34, 50), black);
    EXPECT_EQ(at(design, 35, 50), background);
    EXPECT_EQ(at(design, 50, 36), black);
    EXPECT_EQ(countInColumn(design, 71, 0, 141, black), 142);
    EXPECT_EQ(countInRow(design, 73, 0, 141, black), 142);
}

TEST(PackagingPatterns, VerticalLineStopsThirteenBeforeTheBottom) {
    const canvas::Surface design = drawn("Command32");
    EXPECT_EQ(at(design, 73, 133), black);
    EXPECT_EQ(at(design, 73, 134), background);
    EXPECT_EQ(at(design, 73, 30), black);
}

TEST(EmblemPatterns, TaijiHalvesTouchAtWidthTwo) {
    const canvas::Surface design = drawn("Command55", "2");
    const auto upper = design_pixels::regionAt(design, 73, 62);
    EXPECT_EQ(at(design, 73, 62), background);
    EXPECT_EQ(at(design, 73, 85), background);
    EXPECT_FALSE(design_pixels::contains(upper, 73, 85));
    // The upper and lower half-moons beside them are also cut apart by the touching circles.
    const auto left = design_pixels::regionAt(design, 30, 73);
    EXPECT_FALSE(design_pixels::contains(left, 116, 73));
}

TEST(EmblemPatterns, FourRingsShowOnlyBlueOutlines) {
    const canvas::Surface design = drawn("Command46", "2");
    EXPECT_EQ(countInRow(design, 73, 0, 141, black), 0);
    EXPECT_EQ(at(design, 73, 73), background);
}

struct RegionCase {
    const char* name;
    int regions;
};

class ColourableRegions : public testing::TestWithParam<RegionCase> {};

TEST_P(ColourableRegions, AtWidthOne) {
    const canvas::Surface design = drawn(GetParam().name, "1");
    EXPECT_EQ(regionCount(design, background), GetParam().regions);
}

// Counted from each figure's geometry: the cross makes four quarters, nested squares make
// rings, the four overlapping rings make four lenses, four crescents and a middle.
INSTANTIATE_TEST_SUITE_P(Figures, ColourableRegions,
                         testing::Values(RegionCase{"Command11", 4}, RegionCase{"Command12", 4},
                                         RegionCase{"Command18", 4}, RegionCase{"Command20", 5},
                                         RegionCase{"Command23", 5}, RegionCase{"Command43", 5},
                                         RegionCase{"Command46", 10}, RegionCase{"Command35", 8}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ColourableRegions, PressFillsOnlyItsOwnRegion) {
    canvas::Surface design = drawn("Command11", "1");
    design.setFillColor(0x0000FF);
    design.floodFillSurface(10, 10, background);
    EXPECT_EQ(at(design, 72, 72), canvas::Colour(0x0000FF));
    EXPECT_EQ(at(design, 74, 74), background);
    EXPECT_EQ(at(design, 74, 10), background);
    EXPECT_EQ(at(design, 10, 74), background);
}

TEST(Catalogue, EveryFigureDrawsAtEveryListedWidth) {
    const QImage blank = makeDesignCanvas().image();
    for (const patterns::Figure& entry : patterns::catalogue()) {
        for (const char* width : {"1", "2", "10", "120"}) {
            canvas::Surface design = makeDesignCanvas();
            std::int16_t saved = 0;
            patterns::drawCatalogueFigure(design, entry, width, "", saved);
            EXPECT_NE(design.image(), blank) << entry.controlName << " at " << width;
            EXPECT_EQ(design.fillStyle(), canvas::kFillSolid);
        }
    }
}
