#include "pixel_pictures.h"
#include "scripted_random.h"
#include "workflow/colour_tools.h"

#include <QColor>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

using workflow::FillScope;
using workflow::Symmetry;

constexpr canvas::Colour kInk = 0x000000;
constexpr canvas::Colour kPaper = 0xFFFFFF;
constexpr canvas::Colour kPaint = 0x0000FF;
const std::map<canvas::Colour, char> kLegend{{kInk, '#'}, {kPaper, '.'}, {kPaint, 'o'}};

struct PressCase {
    const char* name;
    std::vector<std::string> before;
    QPoint press;
    FillScope scope;
    Symmetry symmetry;
    std::vector<std::string> after;
};

TEST(PressDesign, ScopesAndSymmetriesFillWhatTheyName) {
    const std::vector<std::string> ring{
        "..#..", "..#..", "##.##", "..#..", "..#..",
    };
    const std::vector<std::string> cells{
        "#.#.#", ".###.", "#####", ".###.", "#.#.#",
    };
    const PressCase cases[] = {
        {"region stops at the lines",
         ring,
         {0, 0},
         FillScope::Region,
         Symmetry::None,
         {"oo#..", "oo#..", "##.##", "..#..", "..#.."}},
        {"wrap goes on across every edge and corner",
         ring,
         {0, 0},
         FillScope::Wrap,
         Symmetry::None,
         {"oo#oo", "oo#oo", "##.##", "oo#oo", "oo#oo"}},
        {"global takes the colour anywhere",
         ring,
         {0, 0},
         FillScope::Global,
         Symmetry::None,
         {"oo#oo", "oo#oo", "##o##", "oo#oo", "oo#oo"}},
        {"left-right",
         ring,
         {0, 0},
         FillScope::Region,
         Symmetry::LeftRight,
         {"oo#oo", "oo#oo", "##.##", "..#..", "..#.."}},
        {"top-bottom",
         ring,
         {0, 0},
         FillScope::Region,
         Symmetry::TopBottom,
         {"oo#..", "oo#..", "##.##", "oo#..", "oo#.."}},
        {"four ways",
         cells,
         {1, 0},
         FillScope::Region,
         Symmetry::Four,
         {"#o#o#", ".###.", "#####", ".###.", "#o#o#"}},
        {"eight ways add the diagonals",
         cells,
         {1, 0},
         FillScope::Region,
         Symmetry::Eight,
         {"#o#o#", "o###o", "#####", "o###o", "#o#o#"}},
    };
    for (const PressCase& press : cases) {
        SCOPED_TRACE(press.name);
        canvas::Surface design = pictures::drawn(press.before, kInk, kPaper);
        test_support::ScriptedRandom random;
        const workflow::PressOptions options{workflow::ColourRule::Chosen, kPaint, press.scope,
                                             press.symmetry};
        EXPECT_EQ(workflow::pressDesign(design, float(press.press.x()), float(press.press.y()),
                                        options, random),
                  kPaint);
        EXPECT_EQ(pictures::read(design.image(), kLegend), press.after);
        EXPECT_EQ(random.drawCount, 0) << "a chosen colour draws nothing";
    }
}

TEST(PressDesign, DefaultOptionsAreTheRandomRegionPress) {
    canvas::Surface design = pictures::drawn({"..#..", "..#.."}, kInk, kPaper);
    test_support::ScriptedRandom random({0.5, 0.25, 0.75});
    const canvas::Colour colour = workflow::pressDesign(design, 0, 0, {}, random);
    EXPECT_EQ(random.log, "rddd");
    EXPECT_EQ(colour, canvas::rgbColour(117, 58, 176));
    EXPECT_EQ(canvas::fromPixel(design.imageRef().pixel(1, 1)), colour);
    EXPECT_EQ(canvas::fromPixel(design.imageRef().pixel(3, 0)), kPaper);
}

TEST(HarmonyRules, EveryDrawStaysWithinItsRule) {
    struct Rule {
        workflow::ColourRule rule;
        std::vector<double> allowedHues; // centres, each ± spread
        double spread;
    };
    const canvas::Colour orange = canvas::rgbColour(200, 100, 0); // hue 30°
    const Rule rules[] = {
        {workflow::ColourRule::Analogous, {30}, 30},
        {workflow::ColourRule::Complementary, {30, 210}, 15},
        {workflow::ColourRule::Triadic, {30, 150, 270}, 15},
        {workflow::ColourRule::Mono, {30}, 1.5},
    };
    for (const Rule& rule : rules) {
        // Seven draws against three or four a press: every draw meets every role in turn.
        test_support::ScriptedRandom random({0.0, 0.999, 0.5, 0.3, 0.7, 0.01, 0.62},
                                            test_support::RepeatScript{});
        std::set<int> centresSeen;
        for (int draw = 0; draw < 200; ++draw) {
            const QColor colour =
                QColor::fromRgb(canvas::toPixel(workflow::pressColour(rule.rule, orange, random)));
            EXPECT_LE(std::max({colour.red(), colour.green(), colour.blue()}), 234);
            const double hue = colour.hsvHueF() * 360.0;
            bool within = false;
            for (std::size_t centre = 0; centre < rule.allowedHues.size(); ++centre) {
                const double distance =
                    std::abs(std::remainder(hue - rule.allowedHues[centre], 360));
                if (distance <= rule.spread + 1.5) {
                    within = true;
                    centresSeen.insert(int(centre));
                }
            }
            EXPECT_TRUE(within) << int(rule.rule) << " hue " << hue;
        }
        EXPECT_EQ(centresSeen.size(), rule.allowedHues.size()) << "every partner hue is reached";
    }
    // A grey has no hue: the rule starts from a random one instead of failing.
    test_support::ScriptedRandom random({0.5});
    EXPECT_NE(workflow::pressColour(workflow::ColourRule::Analogous, 0x808080, random), 0x808080u);
}

TEST(Palette, CountsAreasAndColourwaysKeepLockedColours) {
    canvas::Surface design = pictures::drawn({"##...", "##...", "....."}, kInk, kPaper);
    workflow::replaceColour(design, canvas::toPixel(kPaper), canvas::toPixel(kPaint));
    const auto colours = workflow::palette(design.imageRef());
    ASSERT_EQ(colours.size(), 2u);
    EXPECT_EQ(colours[0].colour, canvas::toPixel(kPaint));
    EXPECT_EQ(colours[0].pixels, 11);
    EXPECT_EQ(colours[1].pixels, 4);

    test_support::ScriptedRandom random({0.1, 0.2, 0.3}, test_support::RepeatScript{});
    const QSet<QRgb> locked{canvas::toPixel(kInk)};
    const auto mapping =
        workflow::colourwayMapping(colours, locked, workflow::ColourRule::Random, 0, random);
    const QImage recoloured = workflow::applyColourway(design.imageRef(), mapping);
    EXPECT_EQ(recoloured.pixel(0, 0), canvas::toPixel(kInk) | 0xFF000000u);
    EXPECT_EQ(recoloured.pixel(4, 2), canvas::toPixel(canvas::rgbColour(23, 47, 70)) | 0xFF000000u);
}

TEST(Colourways, RecolourEveryUnlockedColourOrSayWhyNot) {
    const QRgb ink = canvas::toPixel(kInk) | 0xFF000000u;
    const QRgb paper = canvas::toPixel(kPaper) | 0xFF000000u;
    struct Case {
        const char* name;
        std::vector<std::string> picture;
        QSet<QRgb> locked;
        workflow::ColourwayLimit limit;
    };
    const Case cases[] = {
        {"one colour", {"...", "..."}, {}, workflow::ColourwayLimit::OneColour},
        {"all locked", {"#..", "..."}, {ink, paper}, workflow::ColourwayLimit::AllLocked},
        {"ink locked", {"#..", "..."}, {ink}, workflow::ColourwayLimit::None},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        canvas::Surface design = pictures::drawn(test.picture, kInk, kPaper);
        test_support::ScriptedRandom random({0.1, 0.5, 0.9, 0.3}, test_support::RepeatScript{});
        const workflow::ColourwaySet set = workflow::makeColourways(
            design.imageRef(), test.locked, workflow::ColourRule::Random, 0, random, 6);
        EXPECT_EQ(set.limit, test.limit);
        ASSERT_EQ(set.ways.size(), 6u);
        const QImage original = design.image().convertToFormat(QImage::Format_RGB32);
        for (const workflow::Colourway& way : set.ways) {
            EXPECT_EQ(way.image.pixel(0, 0), original.pixel(0, 0));
            EXPECT_EQ(way.image == original, test.limit != workflow::ColourwayLimit::None);
            // Choosing a colourway makes the design its picture, even after other changes.
            canvas::Surface chosen = pictures::drawn({"###", "###"}, kInk, kPaper);
            workflow::chooseColourway(chosen, way);
            EXPECT_EQ(chosen.image().convertToFormat(QImage::Format_RGB32), way.image);
        }
    }
}

} // namespace
