#include "canvas/colour.h"
#include "canvas/numbers.h"
#include "canvas/random_source.h"
#include "scripted_random.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(Numbers, RoundingTakesHalvesToTheEvenNeighbour) {
    EXPECT_EQ(canvas::roundHalfEven(2.5), 2);
    EXPECT_EQ(canvas::roundHalfEven(3.5), 4);
    EXPECT_EQ(canvas::roundHalfEven(-2.5), -2);
    EXPECT_EQ(canvas::roundHalfEven(33.5), 34);
    EXPECT_EQ(canvas::roundHalfEven(110.6), 111);
    EXPECT_GT(canvas::roundHalfEven(3e38), 9'000'000'000'000'000'000);
    EXPECT_LT(canvas::roundHalfEven(-HUGE_VAL), -9'000'000'000'000'000'000);
    EXPECT_EQ(canvas::roundHalfEven(NAN), 0);
}

TEST(Numbers, DrawWidthTextAcceptsOnlyWidthsFromOneUp) {
    EXPECT_EQ(canvas::parseDrawWidth("2"), 2);
    EXPECT_EQ(canvas::parseDrawWidth(" 120 "), 120);
    EXPECT_EQ(canvas::parseDrawWidth("2.5"), 2);
    EXPECT_EQ(canvas::parseDrawWidth("3.5"), 4);
    EXPECT_EQ(canvas::parseDrawWidth("32767"), 32767);
    for (const char* bad : {"", "abc", "0", "-3", "0.4", "32768", "1e30", "nan", "inf", "2px"}) {
        EXPECT_FALSE(canvas::parseDrawWidth(bad).has_value()) << bad;
    }
}

TEST(Numbers, TileSizeTextMustBeAFiniteSizeOfAtLeastOne) {
    EXPECT_EQ(canvas::parseTileSize("80"), 80.0f);
    EXPECT_EQ(canvas::parseTileSize("12.5"), 12.5f);
    EXPECT_EQ(canvas::parseTileSize("1"), 1.0f);
    EXPECT_EQ(canvas::parseTileSize("1000"), 1000.0f);
    for (const char* bad : {"", "x", "0", "0.5", "-80", "NaN", "inf", "1e30", "1000.5"}) {
        EXPECT_FALSE(canvas::parseTileSize(bad).has_value()) << bad;
    }
}

TEST(Random, ColourComponentsStayBelow235AndRedComesFirst) {
    test_support::ScriptedRandom source({0.999999, 0.0, 0.5}, test_support::FailWhenUsedUp{});
    EXPECT_EQ(canvas::randomColour(source), canvas::rgbColour(234, 0, 117));
}

TEST(Random, ReseedingFromTheSameClockRepeatsTheDraws) {
    canvas::RandomSource source;
    source.setClock([] { return std::uint64_t(42); });
    source.reseedFromClock();
    const double first = source.next();
    source.next();
    source.reseedFromClock();
    EXPECT_EQ(source.next(), first);
    for (int i = 0; i < 1000; ++i) {
        const double u = source.next();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
    }
}

} // namespace
