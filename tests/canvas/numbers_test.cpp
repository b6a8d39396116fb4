#include "canvas/colour.h"
#include "canvas/numbers.h"
#include "canvas/random_source.h"
#include "scripted_random.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(Numbers, RoundingTakesHalvesToTheEvenNeighbour) {
    const std::pair<double, std::int64_t> cases[] = {{2.5, 2},   {3.5, 4},     {-2.5, -2},
                                                     {33.5, 34}, {110.6, 111}, {NAN, 0}};
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(canvas::roundHalfEven(value), rounded) << value;
    }
    EXPECT_GT(canvas::roundHalfEven(3e38), 9'000'000'000'000'000'000);
    EXPECT_LT(canvas::roundHalfEven(-HUGE_VAL), -9'000'000'000'000'000'000);
}

TEST(Numbers, DrawWidthTextAcceptsOnlyWidthsFromOneUp) {
    const std::pair<const char*, int> good[] = {{"2", 2},   {" 120 ", 120}, {"2.5", 2},
                                                {"3.5", 4}, {"1", 1},       {"32767", 32767}};
    for (const auto& [text, width] : good) {
        EXPECT_EQ(canvas::parseDrawWidth(text), width) << text;
    }
    for (const char* bad : {"", "abc", "0", "-3", "0.4", "32768", "1e30", "nan", "inf", "2px"}) {
        EXPECT_FALSE(canvas::parseDrawWidth(bad).has_value()) << bad;
    }
}

TEST(Numbers, TileSizeTextMustBeAFiniteSizeOfAtLeastOne) {
    for (const float size : {80.0f, 12.5f, 1.0f, 1000.0f}) {
        EXPECT_EQ(canvas::parseTileSize(QString::number(size)), size);
    }
    for (const char* bad : {"", "x", "0", "0.5", "-80", "NaN", "inf", "1e30", "1000.5"}) {
        EXPECT_FALSE(canvas::parseTileSize(bad).has_value()) << bad;
    }
}

TEST(Random, ColoursStayBelow235RedFirstAndTheClockSeedRepeatsTheDraws) {
    test_support::ScriptedRandom source({0.999999, 0.0, 0.5}, test_support::FailWhenUsedUp{});
    EXPECT_EQ(canvas::randomColour(source), canvas::rgbColour(234, 0, 117));

    // Reseeding from the same clock repeats the draws.
    canvas::RandomSource seeded;
    seeded.setClock([] { return std::uint64_t(42); });
    seeded.reseedFromClock();
    const double first = seeded.next();
    seeded.next();
    seeded.reseedFromClock();
    EXPECT_EQ(seeded.next(), first);
    for (int i = 0; i < 1000; ++i) {
        const double u = seeded.next();
        ASSERT_TRUE(u >= 0.0 && u < 1.0) << u;
    }
}

} // namespace
