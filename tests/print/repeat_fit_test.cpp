#include "print/repeat_fit.h"

#include <gtest/gtest.h>

namespace {

TEST(RepeatFit, TheNearestWholeNumberOfTilesFillsTheTargetExactlyInPixels) {
    const struct {
        const char* target;
        double tilePixels, dotsPerInch;
        int repeats, tilePixelsFitted;
        const char* rule;
    } cases[] = {
        {"rotary-64cm", 1772, 300, 4, 1890, "640 mm ÷ 4 = 160 mm"}, // a 15 cm tile
        {"rotary-91.4cm", 142, 150, 38, 142, "914 mm ÷ 38 = 24.053 mm"},
        {"wallpaper-53cm", 9000, 300, 1, 6260, "530 mm ÷ 1 = 530 mm"}, // larger than the target
        {"panel-24in", 100, 100, 24, 100, "24 in ÷ 24 = 1 in"},
        // 2.44 repeats: three tiles of 800 come nearer to 984 than two of 1200.
        {"panel-24in", 984, 100, 3, 800, "24 in ÷ 3 = 8 in"},
        {"50cm", 1000, 300, 6, 984, "50 cm ÷ 6 = 8.3333 cm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        const std::optional<print::RepeatTarget> target = print::parseRepeatTarget(c.target);
        ASSERT_TRUE(target.has_value());
        const print::RepeatFit fit = print::fitRepeat(*target, c.tilePixels, c.dotsPerInch);
        EXPECT_EQ(fit.repeats, c.repeats);
        EXPECT_EQ(fit.tilePixels, c.tilePixelsFitted);
        EXPECT_EQ(fit.rule, QString::fromUtf8(c.rule));
        EXPECT_EQ(fit.pagePixels, qint64(c.repeats) * c.tilePixelsFitted);
        const double targetPixels = print::inInches(target->length, target->unit) * c.dotsPerInch;
        EXPECT_LE(std::abs(fit.pagePixels - targetPixels), c.repeats / 2.0);
    }
    for (const char* refused : {"rotary", "50", "50x60cm", "0cm", "-3in"}) {
        EXPECT_FALSE(print::parseRepeatTarget(refused).has_value()) << refused;
    }
}

} // namespace
