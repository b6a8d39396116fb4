#include "ascii_picture.h"
#include "canvas/fonts.h"
#include "canvas/surface.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

using Picture = std::vector<std::string>;
constexpr canvas::Colour kBack = 0xAE5C44;
constexpr canvas::Colour kRed = 255;
constexpr canvas::Colour kGreen = 65280;
constexpr canvas::Colour kBlue = 16711680;
const ascii::Legend kLegend{{'.', kBack}, {'#', 0}, {'r', kRed}, {'g', kGreen}, {'b', kBlue}};

// The design canvas as the window sets it up: 146 x 146 outside, 142 x 142 inside.
canvas::Surface designCanvas() {
    canvas::SurfaceSetup setup;
    setup.backColor = kBack;
    setup.fillStyle = canvas::kFillSolid;
    return canvas::Surface(setup);
}

int countPixels(const QImage& image, canvas::Colour colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += canvas::fromPixel(image.pixel(x, y)) == colour;
        }
    }
    return count;
}

QSet<QRgb> coloursOf(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return colours;
}

TEST(SurfaceState, SizesUnitsAndSystemColours) {
    canvas::Surface canvas = designCanvas();
    EXPECT_EQ(canvas.width(), 146.0f);
    EXPECT_EQ(canvas.scaleWidth(), 142.0f);
    EXPECT_EQ(canvas.image().size(), QSize(142, 142));
    EXPECT_EQ(canvas.point(141, 141), std::int32_t(kBack));
    EXPECT_EQ(canvas.point(142, 0), -1);
    EXPECT_EQ(canvas.point(0, -1), -1);

    canvas::SurfaceSetup twips;
    twips.outerWidth = 57;
    twips.outerHeight = 9;
    twips.scaleMode = canvas::ScaleMode::Twips;
    twips.backColor = canvas::kTitleBarTextColour;
    canvas::Surface strip(twips);
    EXPECT_EQ(strip.scaleWidth(), 53.0f * 15);
    EXPECT_EQ(strip.scaleHeight(), 5.0f * 15);
    EXPECT_EQ(strip.point(52 * 15, 4 * 15), 0xFFFFFF);
    EXPECT_EQ(strip.point(53 * 15, 0), -1);
    EXPECT_EQ(canvas::resolveColour(canvas::kButtonTextColour), 0u);
}

TEST(SurfaceLine, CoversTheClientWidthAndClipsTheRest) {
    canvas::Surface canvas = designCanvas();
    canvas.line(0, canvas.height() / 2, canvas.width(), canvas.height() / 2, 0);
    for (int x = 0; x < 142; ++x) {
        ASSERT_EQ(canvas.point(float(x), 73), 0) << x;
    }
    EXPECT_EQ(countPixels(canvas.imageRef(), 0), 142);
    EXPECT_EQ(canvas.currentX(), 146.0f);
    EXPECT_EQ(canvas.currentY(), 73.0f);
}

TEST(SurfaceLine, IsExactlyDrawWidthPixelsThickInBothDirections) {
    for (std::int16_t width : {1, 2, 3, 5, 120}) {
        canvas::Surface canvas = designCanvas();
        canvas.setDrawWidth(width);
        canvas.line(-200, 70, 400, 70, 0);
        EXPECT_EQ(countPixels(canvas.imageRef(), 0), 142 * std::min<int>(width, 142)) << width;

        canvas::Surface reversed = designCanvas();
        reversed.setDrawWidth(width);
        reversed.line(400, 70, -200, 70, 0);
        EXPECT_EQ(reversed.imageRef(), canvas.imageRef()) << width;
    }
}

TEST(SurfaceLine, WideEndsAreRoundAndNothingIsBlended) {
    canvas::Surface canvas = designCanvas();
    canvas.setDrawWidth(5);
    canvas.line(10, 10, 10, 10, kRed);
    const Picture dot{
        ".....", ".rrr.", "rrrrr", "rrrrr", "rrrrr", ".rrr.", ".....",
    };
    EXPECT_EQ(ascii::fromImage(canvas.imageRef(), kLegend, 8, 7, 5, 7), dot);

    canvas.setDrawWidth(7);
    canvas.line(0, 0, 141, 100, kBlue);
    EXPECT_EQ(coloursOf(canvas.imageRef()),
              (QSet<QRgb>{canvas::toPixel(kBack), canvas::toPixel(kRed), canvas::toPixel(kBlue)}));
}

TEST(SurfaceLine, FarAndNonFiniteCoordinatesAreHarmless) {
    canvas::Surface canvas = designCanvas();
    canvas.setDrawWidth(3);
    canvas.line(-1e30f, 71, 1e30f, 71, 0);
    EXPECT_EQ(countPixels(canvas.imageRef(), 0), 3 * 142);
    canvas.line(std::numeric_limits<float>::quiet_NaN(), 0, 10, 10, kRed);
    canvas.line(0, std::numeric_limits<float>::infinity(), 10, 10, kRed);
    EXPECT_EQ(countPixels(canvas.imageRef(), kRed), 0);
}

TEST(SurfaceCircle, SolidStyleFillsTheInteriorTransparentLeavesIt) {
    canvas::Surface canvas = designCanvas();
    canvas.setFillColor(kGreen);
    canvas.circle(71, 71, 30, 0);
    EXPECT_EQ(canvas.point(71, 71), std::int32_t(kGreen));
    EXPECT_EQ(canvas.point(71 + 30, 71), 0);
    EXPECT_EQ(canvas.point(71, 71 - 30), 0);
    EXPECT_EQ(canvas.point(71 + 32, 71), std::int32_t(kBack));

    canvas::Surface outline = designCanvas();
    outline.setFillStyle(canvas::kFillTransparent);
    outline.setFillColor(kGreen);
    outline.circle(71, 71, 30, kBlue);
    EXPECT_EQ(outline.point(71, 71), std::int32_t(kBack));
    EXPECT_EQ(countPixels(outline.imageRef(), kGreen), 0);
    EXPECT_EQ(outline.point(41, 71), std::int32_t(kBlue));
}

TEST(SurfaceCircle, OutlineIsClosedSoTheInsideFillsAlone) {
    for (std::int16_t width : {1, 2, 3}) {
        for (float radius : {3.0f, 10.5f, 40.25f}) {
            canvas::Surface canvas = designCanvas();
            canvas.setFillStyle(canvas::kFillTransparent);
            canvas.setDrawWidth(width);
            canvas.circle(70, 70, radius, 0);
            canvas.setFillStyle(canvas::kFillSolid);
            canvas.setFillColor(kRed);
            canvas.floodFillSurface(70, 70, kBack);
            EXPECT_EQ(canvas.point(0, 0), std::int32_t(kBack)) << width << " " << radius;
            EXPECT_EQ(canvas.point(70, 70), std::int32_t(kRed));
        }
    }
}

TEST(SurfaceCircle, ArcWrapsThroughZeroFromStartToEnd) {
    canvas::Surface canvas = designCanvas();
    canvas.arc(71, 71, 40, 0, 6.28f, 3.5f);
    EXPECT_EQ(canvas.point(71, 31), 0);                    // top
    EXPECT_EQ(canvas.point(111, 71), 0);                   // three o'clock
    EXPECT_EQ(canvas.point(31, 71), 0);                    // nine o'clock
    EXPECT_EQ(canvas.point(71, 111), std::int32_t(kBack)); // bottom stays open
    // about 20 degrees below nine o'clock is the arc's end
    EXPECT_EQ(canvas.point(71 - 40 * 0.97f, 71 + 40 * 0.24f), 0);
    EXPECT_EQ(canvas.point(71 - 40 * 0.77f, 71 + 40 * 0.64f), std::int32_t(kBack));
    EXPECT_EQ(canvas.point(71, 71), std::int32_t(kBack)); // never filled, no radius lines
}

TEST(SurfacePoint, WidthThreeDotIsAFixedMaskEverywhere) {
    canvas::Surface canvas = designCanvas();
    canvas.setForeColor(kRed);
    canvas.pset(5, 5);
    canvas.setDrawWidth(3);
    canvas.pset(10, 5);
    canvas.setDrawWidth(4);
    canvas.pset(16, 5);
    const Picture expected{
        "...............rr...", ".........rrr..rrrr..", ".....r...rrr..rrrr..",
        ".........rrr...rr...", "....................",
    };
    EXPECT_EQ(ascii::fromImage(canvas.imageRef(), kLegend, 0, 3, 20, 5), expected);

    canvas.setDrawWidth(3);
    canvas.pset(0, 141);
    EXPECT_EQ(countPixels(canvas.imageRef(), kRed), 1 + 9 + 12 + 4);
}

TEST(SurfaceClear, ClsKeepsThePictureAndBackColourRemovesDrawing) {
    canvas::Surface canvas = designCanvas();
    QImage pad(145, 145, QImage::Format_RGB32);
    pad.fill(canvas::toPixel(kGreen));
    canvas.setPicture(pad);
    canvas.line(0, 10, 141, 10, kRed);
    canvas.cls();
    EXPECT_EQ(countPixels(canvas.imageRef(), kGreen), 142 * 142);
    EXPECT_EQ(canvas.currentX(), 0.0f);

    canvas.setPicture({});
    EXPECT_EQ(countPixels(canvas.imageRef(), kBack), 142 * 142);
    canvas.line(0, 10, 141, 10, kRed);
    canvas.setBackColor(kBlue);
    EXPECT_EQ(countPixels(canvas.imageRef(), kBlue), 142 * 142);
}

TEST(SurfacePaintPicture, CopiesExactlyAndStretchesWithoutBlending) {
    QImage tile = ascii::toImage({"r#", "#r"}, kLegend);
    canvas::Surface canvas = designCanvas();
    canvas.paintPicture(tile, 1, 1, 2, 2);
    canvas.paintPicture(tile, 4, 1, 4, 4);
    const Picture expected{
        ".........", ".r#.rr##.", ".#r.rr##.", "....##rr.", "....##rr.", ".........",
    };
    EXPECT_EQ(ascii::fromImage(canvas.imageRef(), kLegend, 0, 0, 9, 6), expected);
}

TEST(SurfacePaintPicture, FractionalTilesAbutWithoutGaps) {
    QImage tile(10, 10, QImage::Format_RGB32);
    tile.fill(canvas::toPixel(kRed));
    canvas::Surface canvas = designCanvas();
    for (float x = 0; x < 142; x += 12.5f) {
        canvas.paintPicture(tile, x, 0, 12.5f, 12.5f);
    }
    for (int x = 0; x < 142; ++x) {
        ASSERT_EQ(canvas.point(float(x), 0), std::int32_t(kRed)) << x;
    }
}

TEST(SurfaceResize, KeepsDrawingAndShowsThePictureInTheNewArea) {
    canvas::SurfaceSetup setup;
    setup.outerWidth = 57;
    setup.outerHeight = 9;
    canvas::Surface strip(setup);
    QImage kept(142, 142, QImage::Format_RGB32);
    kept.fill(canvas::toPixel(kGreen));
    strip.setPicture(kept);
    strip.setWidth(80);
    strip.setHeight(80);
    EXPECT_EQ(strip.image().size(), QSize(76, 76));
    EXPECT_EQ(countPixels(strip.imageRef(), kGreen), 76 * 76);
    strip.setWidth(2);
    EXPECT_EQ(strip.image().width(), 0);
    EXPECT_EQ(strip.point(0, 0), -1);
}

TEST(SurfaceText, PrintsInForeColourOnATransparentBackgroundThenMovesDown) {
    canvas::installFontSubstitutes();
    canvas::SurfaceSetup setup;
    setup.outerWidth = 647;
    setup.outerHeight = 647;
    setup.backColor = 0x59C8A2;
    setup.foreColor = 0x80FF80;
    setup.font = QFont(QStringLiteral("黑体"), 9);
    canvas::Surface effect(setup);
    effect.print(QStringLiteral(" 澄川软件公元"));
    const QSet<QRgb> colours = coloursOf(effect.imageRef());
    EXPECT_EQ(colours, (QSet<QRgb>{canvas::toPixel(0x59C8A2), canvas::toPixel(0x80FF80)}));
    EXPECT_GT(countPixels(effect.imageRef(), 0x80FF80), 60); // real CJK glyphs, not boxes
    EXPECT_EQ(effect.currentX(), 0.0f);
    EXPECT_GT(effect.currentY(), 9.0f);
    EXPECT_LT(effect.currentY(), 20.0f);
}

TEST(SurfaceText, RotatedTextTurnsCounterClockwiseAboutItsTopLeft) {
    canvas::SurfaceSetup setup;
    setup.foreColor = kRed;
    canvas::Surface pad(setup);
    pad.textOut(70, 70, QStringLiteral("IIII"), QFont(QStringLiteral("DejaVu Sans"), 14), 90);
    // Turned a quarter counter-clockwise, the text runs upwards from the press point.
    int above = 0;
    int below = 0;
    for (int y = 0; y < 142; ++y) {
        for (int x = 0; x < 142; ++x) {
            if (canvas::fromPixel(pad.imageRef().pixel(x, y)) == kRed) {
                (y < 70 ? above : below) += 1;
            }
        }
    }
    EXPECT_GT(above, 20);
    EXPECT_EQ(below, 0);
}

TEST(SurfacePolygon, AlternateOutlineAndWindingRegion) {
    // A pentagram: the alternate rule leaves the inner pentagon open, the winding rule fills it.
    const QPolygon star{QPoint(71, 11), QPoint(106, 120), QPoint(14, 52), QPoint(128, 52),
                        QPoint(36, 120)};
    canvas::Surface outlined = designCanvas();
    outlined.setFillColor(kGreen);
    outlined.setForeColor(kRed);
    outlined.polygon(star);
    EXPECT_EQ(outlined.point(71, 75), std::int32_t(kBack));
    EXPECT_EQ(outlined.point(71, 25), std::int32_t(kGreen));
    EXPECT_EQ(outlined.point(71, 11), std::int32_t(kRed));

    canvas::Surface filled = designCanvas();
    filled.fillPolygonRegion(star, kBlue);
    EXPECT_EQ(filled.point(71, 75), std::int32_t(kBlue));
    EXPECT_EQ(filled.point(71, 25), std::int32_t(kBlue));
    EXPECT_EQ(filled.point(5, 5), std::int32_t(kBack));
}

} // namespace
