#include "canvas/fonts.h"
#include "colouring/surfaces.h"
#include "effect/effect.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr canvas::Colour kViewBackground = 0x0059C8A2;
constexpr canvas::Colour kCreditColour = 0x0080FF80;
const QString kCredit = effect::creditLine(QDate(2024, 3, 5));

// The window's three surfaces, with a design that differs in every corner so that misplaced,
// mirrored or wrongly stretched tiles show.
struct Workbench {
    Workbench() {
        canvas::installFontSubstitutes();
        design.line(0, 0, 141, 141, 0x0000FF);
        design.line(0, 100, 141, 20, 0xFFFFFF);
        design.circle(30, 110, 20, 0x00FF00);
        design.setFillColor(0x3399CC);
        design.floodFillSurface(120, 5, design.backColor());
        design.pset(141, 0);
        design.pset(0, 141);
    }
    canvas::Surface design{colouring::designCanvasSetup()};
    canvas::Surface effect{colouring::effectViewSetup()};
    canvas::Surface strip{colouring::stripSetup()};
};

// The effect view as the tile loop draws it one tile at a time, for comparison.
QImage tiledOneByOne(const QImage& picture, float step, const QString& credit) {
    canvas::Surface effect(colouring::effectViewSetup());
    for (const float y : effect::tileOrigins(step, effect.scaleHeight())) {
        for (const float x : effect::tileOrigins(step, effect.scaleWidth())) {
            effect.paintPicture(picture, x, y, step, step);
        }
    }
    effect.print(credit);
    return effect.image();
}

// Checks that the view shows `expected` everywhere but in credit-coloured pixels within the first
// line of text; returns how many credit pixels there are and the rightmost one's column.
std::pair<int, int> creditOver(const canvas::Surface& effect,
                               const std::function<QRgb(int, int)>& expected) {
    const QImage view = effect.image();
    const int textRows = QFontMetrics(effect.font(), &effect.imageRef()).height();
    int credit = 0;
    int right = 0;
    for (int y = 0; y < view.height(); ++y) {
        for (int x = 0; x < view.width(); ++x) {
            if (y < textRows && canvas::fromPixel(view.pixel(x, y)) == kCreditColour) {
                ++credit;
                right = std::max(right, x);
            } else if (view.pixel(x, y) != expected(x, y)) {
                ADD_FAILURE() << "at " << x << "," << y;
                return {credit, right};
            }
        }
    }
    return {credit, right};
}

TEST(TileOrigins, StepsOfTheTileOverTheView) {
    EXPECT_EQ(effect::tileOrigins(142, 643), (std::vector<int>{0, 142, 284, 426, 568}));
    EXPECT_EQ(effect::tileOrigins(643, 643), (std::vector<int>{0}));
    EXPECT_TRUE(effect::tileOrigins(0, 643).empty());
    const std::tuple<float, std::size_t, float> cases[] = {
        {80, 9, 640}, {300, 3, 600}, {10, 65, 640}, {142, 5, 568}};
    for (const auto& [step, count, last] : cases) {
        const auto origins = effect::tileOrigins(step, 643.0f);
        ASSERT_EQ(origins.size(), count) << step;
        EXPECT_EQ(origins.front(), 0.0f);
        EXPECT_EQ(origins.back(), last) << step;
    }
    EXPECT_TRUE(effect::tileOrigins(0.0f, 643.0f).empty());
}

TEST(CreditLine, MakerTextNumericDateAndAddressOnOneLine) {
    // The date is numeric in every locale.
    const QRegularExpression shape(
        QStringLiteral("^ 澄川软件公元([^\\p{L}\\n]+)设计出品 http://www\\.chengchuan-soft\\.cn$"));
    const QRegularExpressionMatch match = shape.match(effect::creditLine(QDate(2024, 3, 5)));
    ASSERT_TRUE(match.hasMatch()) << effect::creditLine(QDate(2024, 3, 5)).toStdString();
    EXPECT_TRUE(match.captured(1).contains('3') && match.captured(1).contains('5'));
}

TEST(OwnSizeEffect, RightAfterStartUpTheViewIsPlainWithTheCreditLine) {
    Workbench bench;
    canvas::Surface design(colouring::designCanvasSetup());
    design.paintPicture(bench.effect.image(), 0, 0, 643, 643);
    effect::renderEffectOwnSize(bench.effect, design, bench.strip, kCredit);
    const QRgb background = canvas::toPixel(kViewBackground) | 0xFF000000u;
    EXPECT_GT(creditOver(bench.effect, [&](int, int) { return background; }).first, 100);
}

TEST(OwnSizeEffect, RepeatsTheDesignUnscaledUnderOneCreditLineAndKeepsACopyInTheStrip) {
    Workbench bench;
    effect::renderEffectOwnSize(bench.effect, bench.design, bench.strip, QStringLiteral("XXXX"));
    effect::renderEffectOwnSize(bench.effect, bench.design, bench.strip, kCredit);
    const QImage design = bench.design.image();
    const auto [credit, right] =
        creditOver(bench.effect, [&](int x, int y) { return design.pixel(x % 142, y % 142); });
    EXPECT_GT(credit, 100);
    // The line runs well into the picture: maker text, date and address on one line.
    EXPECT_GT(right, 250);
    // Each rendering replaces the text before it.
    canvas::Surface fresh(colouring::effectViewSetup());
    effect::renderEffectOwnSize(fresh, bench.design, bench.strip, kCredit);
    EXPECT_EQ(bench.effect.image(), fresh.image());

    EXPECT_EQ(bench.strip.picture(), design);
    EXPECT_EQ(bench.strip.width(), 57.0f) << "the strip keeps its size";
    EXPECT_EQ(bench.strip.clientPixelWidth(), 53);
}

TEST(ChosenSizeEffect, MatchesTilingOneTileAtATime) {
    for (const char* size : {"10", "80", "300", "80.3", "33.3", "10.5", "141.7", "2.5", "643"}) {
        SCOPED_TRACE(size);
        Workbench bench;
        effect::renderEffectOwnSize(bench.effect, bench.design, bench.strip, kCredit);
        ASSERT_TRUE(effect::renderEffectChosenSize(bench.effect, bench.strip, bench.design,
                                                   QString::fromLatin1(size), kCredit));
        const float step = QString::fromLatin1(size).toFloat();
        EXPECT_EQ(bench.effect.image(), tiledOneByOne(bench.design.image(), step, kCredit));
    }
}

TEST(ChosenSizeEffect, TilesAndShowsTheKeptCopyNotLaterColouring) {
    Workbench bench;
    auto chosen = [&bench](const char* size) {
        EXPECT_TRUE(effect::renderEffectChosenSize(bench.effect, bench.strip, bench.design,
                                                   QString::fromLatin1(size), kCredit));
        return bench.effect.image();
    };
    // Before any own-size rendering, the first chosen size keeps the design as it is.
    ASSERT_TRUE(bench.strip.picture().isNull());
    EXPECT_EQ(chosen("80"), tiledOneByOne(bench.design.image(), 80, kCredit));
    EXPECT_EQ(bench.strip.picture(), bench.design.image());

    effect::renderEffectOwnSize(bench.effect, bench.design, bench.strip, kCredit);
    const QImage atKeep = bench.effect.image();
    const QImage kept = bench.design.image();
    bench.design.setFillColor(0x0000AA);
    bench.design.floodFillSurface(5, 120, bench.design.backColor());
    ASSERT_NE(bench.design.image(), kept);
    EXPECT_EQ(chosen("142"), atKeep);
    EXPECT_EQ(chosen("80"), tiledOneByOne(kept, 80, kCredit));
    // The strip takes the chosen size and shows the kept copy unscaled from its corner.
    EXPECT_EQ(bench.strip.width(), 80.0f);
    EXPECT_EQ(bench.strip.height(), 80.0f);
    EXPECT_EQ(bench.strip.image(), kept.copy(0, 0, 76, 76));

    effect::renderEffectOwnSize(bench.effect, bench.design, bench.strip, kCredit);
    EXPECT_EQ(chosen("80"), tiledOneByOne(bench.design.image(), 80, kCredit));
}

TEST(ChosenSizeEffect, SizesThatAreNoTileSizeChangeNothing) {
    Workbench untouched;
    EXPECT_FALSE(effect::renderEffectChosenSize(untouched.effect, untouched.strip, untouched.design,
                                                QStringLiteral("x"), kCredit));
    EXPECT_TRUE(untouched.strip.picture().isNull()) << "nor keeps a copy before any rendering";

    Workbench bench;
    effect::renderEffectOwnSize(bench.effect, bench.design, bench.strip, kCredit);
    const QImage view = bench.effect.image();
    const QImage kept = bench.strip.picture();
    for (const char* text :
         {"abc", "", " ", "0", "0.5", "-80", "NaN", "nan", "inf", "1e30", "80px"}) {
        SCOPED_TRACE(text);
        bench.design.line(0, 70, 141, 70, 0x000000);
        EXPECT_FALSE(effect::renderEffectChosenSize(bench.effect, bench.strip, bench.design,
                                                    QString::fromLatin1(text), kCredit));
        EXPECT_EQ(bench.effect.image(), view);
        EXPECT_EQ(bench.strip.picture(), kept);
        EXPECT_EQ(bench.strip.width(), 57.0f);
        EXPECT_EQ(bench.strip.height(), 9.0f);
    }
}

} // namespace
