#include "colouring/colour_reduction.h"
#include "colouring/named_colours.h"

#include <gtest/gtest.h>

namespace {

using colouring::ColourReduction;
using Mode = colouring::ColourReduction::Mode;

TEST(ColourDifference, GivesThePublishedCiede2000Differences) {
    // Pairs 1, 7, 13 and 17 of Sharma, Wu and Dalal's test data (2005).
    const std::pair<colouring::Lab, colouring::Lab> pairs[] = {
        {{50, 2.6772, -79.7751}, {50, 0, -82.7485}},
        {{50, 0, 0}, {50, -1, 2}},
        {{50, 2.49, -0.001}, {50, -2.49, 0.0009}},
        {{50, 2.5, 0}, {73, 25, -18}},
    };
    const double published[] = {2.0425, 2.3669, 7.1792, 27.1492};
    for (int pair = 0; pair < 4; ++pair) {
        EXPECT_NEAR(colouring::colourDifference(pairs[pair].first, pairs[pair].second),
                    published[pair], 0.00005)
            << pair;
    }
}

constexpr QRgb kRed = 0xFFC00000, kRedToo = 0xFFC80A0A;   // 2.17 apart
constexpr QRgb kBlue = 0xFF2040C0, kBlueToo = 0xFF2848C8; // 2.57 apart
constexpr QRgb kGreen = 0xFF20A040, kYellow = 0xFFE0C020; // 34.5 apart; the rest 48 or more

TEST(ColourReduction, MergesTheClosestPairWhileBelowTheToleranceOrAboveTheCount) {
    // Largest area first, as the palette gives them.
    const std::vector<colouring::PaletteEntry> palette = {
        {kRed, 100}, {kRedToo, 60}, {kBlue, 50}, {kBlueToo, 40}, {kGreen, 30}, {kYellow, 20}};
    const struct {
        ColourReduction reduction;
        QSet<QRgb> locked;
        colouring::ColourMapping mapping;
        int colours;
    } cases[] = {
        {{Mode::Tolerance, 5, 0}, {}, {{kRedToo, kRed}, {kBlueToo, kBlue}}, 4},
        {{Mode::Tolerance, 2.3, 0}, {}, {{kRedToo, kRed}}, 5},
        {{Mode::Tolerance, 0, 0}, {}, {}, 6},
        {{Mode::Count, 0, 3}, {}, {{kRedToo, kRed}, {kBlueToo, kBlue}, {kYellow, kGreen}}, 3},
        {{Mode::Count, 0, 2},
         {},
         {{kRedToo, kRed}, {kBlue, kRed}, {kBlueToo, kRed}, {kYellow, kGreen}},
         2},
        // A locked colour absorbs a larger one and keeps its value; locked colours stay apart.
        {{Mode::Tolerance, 5, 0}, {kRedToo}, {{kRed, kRedToo}, {kBlueToo, kBlue}}, 4},
        {{Mode::Tolerance, 5, 0}, {kRed, kRedToo}, {{kBlueToo, kBlue}}, 5},
        {{Mode::Count, 0, 2},
         {kRed, kBlue, kGreen},
         {{kRedToo, kRed}, {kBlueToo, kBlue}, {kYellow, kGreen}},
         3},
    };
    for (const auto& c : cases) {
        const colouring::ReducedColours reduced =
            colouring::ColourReducer(palette, c.locked).reduce(c.reduction);
        EXPECT_EQ(reduced.mapping, c.mapping) << c.reduction.tolerance << " " << c.reduction.count;
        EXPECT_EQ(reduced.colours, c.colours) << c.reduction.tolerance << " " << c.reduction.count;
    }
}

TEST(NamedColours, NameTheNearestWithinFiveAndFindItByEitherName) {
    const std::pair<QRgb, const char*> cases[] = {
        {0xFFFF7F50, "珊瑚色"}, // coral itself
        {0xFFFF7F5C, "珊瑚色"}, // near it
        {0xFF123456, ""},       // nothing within 5
    };
    for (const auto& [colour, name] : cases) {
        EXPECT_EQ(colouring::nearestColourName(colour), QString::fromUtf8(name)) << colour;
    }
    EXPECT_EQ(colouring::namedColour(QStringLiteral("Coral")),
              colouring::namedColour(QStringLiteral("珊瑚色")));
    EXPECT_EQ(colouring::namedColour(QStringLiteral("珊瑚")), nullptr);
}

} // namespace
