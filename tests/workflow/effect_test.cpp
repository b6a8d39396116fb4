#include "canvas/fonts.h"
#include "workflow/surfaces.h"
#include "workflow/workflow.h"

#include <QFontMetrics>
#include <QLocale>
#include <gtest/gtest.h>

namespace {

constexpr canvas::Colour kViewBackground = 0x0059C8A2;
constexpr canvas::Colour kCreditColour = 0x0080FF80;
const QString kCredit = workflow::creditLine(QDate(2024, 3, 5));

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
    canvas::Surface design{workflow::designCanvasSetup()};
    canvas::Surface effect{workflow::effectViewSetup()};
    canvas::Surface strip{workflow::stripSetup()};
};

// The effect view as the tile loop draws it one tile at a time, for comparison.
QImage tiledOneByOne(const QImage& picture, float step, const QString& credit) {
    canvas::Surface effect(workflow::effectViewSetup());
    for (const float y : workflow::tileOrigins(step, effect.scaleHeight())) {
        for (const float x : workflow::tileOrigins(step, effect.scaleWidth())) {
            effect.paintPicture(picture, x, y, step, step);
        }
    }
    effect.print(credit);
    return effect.image();
}

int lineHeight(const canvas::Surface& effect) {
    return QFontMetrics(effect.font(), &effect.imageRef()).height();
}

TEST(TileOrigins, IntegerStepsOfTheDesignOverTheView) {
    EXPECT_EQ(workflow::tileOrigins(142, 643), (std::vector<int>{0, 142, 284, 426, 568}));
    EXPECT_EQ(workflow::tileOrigins(643, 643), (std::vector<int>{0}));
    EXPECT_TRUE(workflow::tileOrigins(0, 643).empty());
}

TEST(TileOrigins, ChosenSizes) {
    const auto at80 = workflow::tileOrigins(80.0f, 643.0f);
    ASSERT_EQ(at80.size(), 9u);
    EXPECT_EQ(at80.back(), 640.0f);
    EXPECT_EQ(workflow::tileOrigins(300.0f, 643.0f), (std::vector<float>{0, 300, 600}));
    const auto at10 = workflow::tileOrigins(10.0f, 643.0f);
    ASSERT_EQ(at10.size(), 65u);
    EXPECT_EQ(at10.front(), 0.0f);
    EXPECT_EQ(at10.back(), 640.0f);
    EXPECT_EQ(workflow::tileOrigins(142.0f, 643.0f).size(), 5u);
    EXPECT_TRUE(workflow::tileOrigins(0.0f, 643.0f).empty());
}

TEST(CreditLine, MakerTextDateAndAddress) {
    const QDate day(2024, 3, 5);
    const QString line = workflow::creditLine(day);
    EXPECT_TRUE(line.startsWith(QStringLiteral(" 澄川软件公元")));
    EXPECT_TRUE(line.endsWith(QStringLiteral("设计出品 http://www.chengchuan-soft.cn")));
    const QString date =
        line.section(QStringLiteral("公元"), 1).section(QStringLiteral("设计"), 0, 0);
    EXPECT_TRUE(date.contains(QLatin1Char('5'))) << date.toStdString();
    EXPECT_TRUE(date.contains(QLatin1Char('3'))) << date.toStdString();
    for (const QChar c : date) {
        EXPECT_FALSE(c.isLetter()) << date.toStdString(); // a numeric date in every locale
    }
    EXPECT_FALSE(line.contains(QLatin1Char('\n')));
}

TEST(OwnSizeEffect, RightAfterStartUpTheViewIsPlainWithTheCreditLine) {
    Workbench bench;
    canvas::Surface design(workflow::designCanvasSetup());
    design.paintPicture(bench.effect.image(), 0, 0, 643, 643);
    workflow::renderEffectOwnSize(bench.effect, design, bench.strip, kCredit);

    const QImage view = bench.effect.image();
    const int textRows = lineHeight(bench.effect);
    int credit = 0;
    for (int y = 0; y < view.height(); ++y) {
        for (int x = 0; x < view.width(); ++x) {
            const canvas::Colour colour = canvas::fromPixel(view.pixel(x, y));
            if (colour == kCreditColour && y < textRows) {
                ++credit;
            } else {
                ASSERT_EQ(colour, kViewBackground) << x << "," << y;
            }
        }
    }
    EXPECT_GT(credit, 100);
}

TEST(OwnSizeEffect, RepeatsTheDesignUnscaledAndKeepsACopyInTheStrip) {
    Workbench bench;
    workflow::renderEffectOwnSize(bench.effect, bench.design, bench.strip, kCredit);

    const QImage design = bench.design.image();
    const QImage view = bench.effect.image();
    const int textRows = lineHeight(bench.effect);
    for (int y = 0; y < view.height(); ++y) {
        for (int x = 0; x < view.width(); ++x) {
            const QRgb tile = design.pixel(x % 142, y % 142);
            if (y < textRows && canvas::fromPixel(view.pixel(x, y)) == kCreditColour) {
                continue;
            }
            ASSERT_EQ(view.pixel(x, y), tile) << x << "," << y;
        }
    }
    EXPECT_EQ(bench.strip.picture(), design);
    EXPECT_EQ(bench.strip.width(), 57.0f) << "the strip keeps its size";
    EXPECT_EQ(bench.strip.clientPixelWidth(), 53);
}

TEST(OwnSizeEffect, CreditLineIsTheOnlyTextAndARepeatReplacesIt) {
    Workbench bench;
    workflow::renderEffectOwnSize(bench.effect, bench.design, bench.strip, QString());
    const QImage bare = bench.effect.image();
    workflow::renderEffectOwnSize(bench.effect, bench.design, bench.strip, QStringLiteral("XXXX"));
    workflow::renderEffectOwnSize(bench.effect, bench.design, bench.strip, kCredit);
    const QImage credited = bench.effect.image();

    int text = 0;
    int right = 0;
    for (int y = 0; y < bare.height(); ++y) {
        for (int x = 0; x < bare.width(); ++x) {
            if (bare.pixel(x, y) != credited.pixel(x, y)) {
                ++text;
                right = std::max(right, x);
                ASSERT_EQ(canvas::fromPixel(credited.pixel(x, y)), kCreditColour);
                ASSERT_LT(y, lineHeight(bench.effect));
            }
        }
    }
    EXPECT_GT(text, 100);
    // The line runs well into the picture: maker text, date and address on one line.
    EXPECT_GT(right, 250);

    canvas::Surface fresh(workflow::effectViewSetup());
    workflow::renderEffectOwnSize(fresh, bench.design, bench.strip, kCredit);
    EXPECT_EQ(credited, fresh.image());
}

TEST(ChosenSizeEffect, MatchesTilingOneTileAtATime) {
    for (const char* size : {"10", "80", "300", "80.3", "33.3", "10.5", "141.7", "2.5", "643"}) {
        SCOPED_TRACE(size);
        Workbench bench;
        workflow::renderEffectOwnSize(bench.effect, bench.design, bench.strip, kCredit);
        ASSERT_TRUE(workflow::renderEffectChosenSize(bench.effect, bench.strip, bench.design,
                                                     QString::fromLatin1(size), kCredit));
        const float step = QString::fromLatin1(size).toFloat();
        EXPECT_EQ(bench.effect.image(), tiledOneByOne(bench.design.image(), step, kCredit));
    }
}

TEST(ChosenSizeEffect, ResizesTheStripToTheChosenSize) {
    Workbench bench;
    workflow::renderEffectOwnSize(bench.effect, bench.design, bench.strip, kCredit);
    ASSERT_TRUE(workflow::renderEffectChosenSize(bench.effect, bench.strip, bench.design,
                                                 QStringLiteral("80"), kCredit));
    EXPECT_EQ(bench.strip.width(), 80.0f);
    EXPECT_EQ(bench.strip.height(), 80.0f);
    EXPECT_EQ(bench.strip.image().size(), QSize(76, 76));
    // The strip shows the kept copy unscaled from its corner.
    EXPECT_EQ(bench.strip.image(), bench.design.image().copy(0, 0, 76, 76));
}

TEST(ChosenSizeEffect, UsesTheKeptCopyNotLaterColouring) {
    Workbench bench;
    workflow::renderEffectOwnSize(bench.effect, bench.design, bench.strip, kCredit);
    const QImage atKeep = bench.effect.image();
    const QImage kept = bench.design.image();

    bench.design.setFillColor(0x0000AA);
    bench.design.floodFillSurface(5, 120, bench.design.backColor());
    ASSERT_NE(bench.design.image(), kept);

    ASSERT_TRUE(workflow::renderEffectChosenSize(bench.effect, bench.strip, bench.design,
                                                 QStringLiteral("142"), kCredit));
    EXPECT_EQ(bench.effect.image(), atKeep);
    ASSERT_TRUE(workflow::renderEffectChosenSize(bench.effect, bench.strip, bench.design,
                                                 QStringLiteral("80"), kCredit));
    EXPECT_EQ(bench.effect.image(), tiledOneByOne(kept, 80, kCredit));

    workflow::renderEffectOwnSize(bench.effect, bench.design, bench.strip, kCredit);
    ASSERT_TRUE(workflow::renderEffectChosenSize(bench.effect, bench.strip, bench.design,
                                                 QStringLiteral("80"), kCredit));
    EXPECT_EQ(bench.effect.image(), tiledOneByOne(bench.design.image(), 80, kCredit));
}

TEST(ChosenSizeEffect, BeforeAnyOwnSizeRenderingKeepsTheDesignFirst) {
    Workbench bench;
    ASSERT_TRUE(bench.strip.picture().isNull());
    ASSERT_TRUE(workflow::renderEffectChosenSize(bench.effect, bench.strip, bench.design,
                                                 QStringLiteral("80"), kCredit));
    EXPECT_EQ(bench.strip.picture(), bench.design.image());
    EXPECT_EQ(bench.effect.image(), tiledOneByOne(bench.design.image(), 80, kCredit));
}

TEST(ChosenSizeEffect, SizesThatAreNoTileSizeChangeNothing) {
    Workbench bench;
    workflow::renderEffectOwnSize(bench.effect, bench.design, bench.strip, kCredit);
    const QImage view = bench.effect.image();
    const QImage kept = bench.strip.picture();
    for (const char* text :
         {"abc", "", " ", "0", "0.5", "-80", "NaN", "nan", "inf", "1e30", "80px"}) {
        SCOPED_TRACE(text);
        bench.design.line(0, 70, 141, 70, 0x000000);
        EXPECT_FALSE(workflow::renderEffectChosenSize(bench.effect, bench.strip, bench.design,
                                                      QString::fromLatin1(text), kCredit));
        EXPECT_EQ(bench.effect.image(), view);
        EXPECT_EQ(bench.strip.picture(), kept);
        EXPECT_EQ(bench.strip.width(), 57.0f);
        EXPECT_EQ(bench.strip.height(), 9.0f);
    }

    // Nor does a bad size before any rendering keep a copy.
    Workbench untouched;
    EXPECT_FALSE(workflow::renderEffectChosenSize(untouched.effect, untouched.strip,
                                                  untouched.design, QStringLiteral("x"), kCredit));
    EXPECT_TRUE(untouched.strip.picture().isNull());
}

} // namespace
