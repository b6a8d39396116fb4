#include "ascii_picture.h"
#include "canvas/surface.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace {

using ascii::expectColours;
using ascii::Probe;
using Picture = std::vector<std::string>;
constexpr canvas::Colour kBack = 0xAE5C44, kRed = 255, kGreen = 65280, kBlue = 16711680;
const ascii::Legend kLegend{{'.', kBack}, {'#', 0}, {'r', kRed}, {'g', kGreen}, {'b', kBlue}};

// The design canvas as the window sets it up: 146 x 146 outside, 142 x 142 inside.
canvas::Surface designCanvas(std::int16_t drawWidth = 1) {
    return canvas::Surface(
        {.backColor = kBack, .fillStyle = canvas::kFillSolid, .drawWidth = drawWidth, .font = {}});
}

// Every pixel has one of the colours: nothing is blended.
void expectOnlyColours(const QImage& image, std::initializer_list<canvas::Colour> colours) {
    EXPECT_EQ(ascii::count(image, colours), image.width() * image.height());
}

TEST(SurfaceState, SizesUnitsAndSystemColours) {
    const canvas::Surface canvas = designCanvas();
    EXPECT_EQ(canvas.width(), 146.0f);
    EXPECT_EQ(canvas.scaleWidth(), 142.0f);
    EXPECT_EQ(canvas.image().size(), QSize(142, 142));
    EXPECT_EQ(canvas.point(141, 141), std::int32_t(kBack));
    EXPECT_EQ(canvas.point(142, 0), -1);
    EXPECT_EQ(canvas.point(0, -1), -1);

    const canvas::Surface strip({.outerWidth = 57,
                                 .outerHeight = 9,
                                 .scaleMode = canvas::ScaleMode::Twips,
                                 .backColor = canvas::kTitleBarTextColour,
                                 .font = {}});
    EXPECT_EQ(strip.scaleWidth(), 53.0f * 15);
    EXPECT_EQ(strip.scaleHeight(), 5.0f * 15);
    EXPECT_EQ(strip.point(52 * 15, 4 * 15), 0xFFFFFF);
    EXPECT_EQ(strip.point(53 * 15, 0), -1);
    EXPECT_EQ(canvas::resolveColour(canvas::kButtonTextColour), 0u);
}

TEST(SurfaceLine, CoversTheClientWidthAndClipsTheRestEvenFarOrNonFinite) {
    canvas::Surface canvas = designCanvas();
    canvas.line(0, canvas.height() / 2, canvas.width(), canvas.height() / 2, 0);
    expectColours(canvas, {Probe{ascii::all, 73, 0}});
    EXPECT_EQ(ascii::count(canvas.imageRef(), {0}), 142);
    EXPECT_EQ(canvas.currentX(), 146.0f);
    EXPECT_EQ(canvas.currentY(), 73.0f);

    canvas.line(-1e30f, 71, 1e30f, 71, 0);
    EXPECT_EQ(ascii::count(canvas.imageRef(), {0}), 2 * 142);
    canvas.line(std::numeric_limits<float>::quiet_NaN(), 0, 10, 10, kRed);
    canvas.line(0, std::numeric_limits<float>::infinity(), 10, 10, kRed);
    EXPECT_EQ(ascii::count(canvas.imageRef(), {kRed}), 0);
}

TEST(SurfaceLine, IsExactlyDrawWidthPixelsThickInBothDirections) {
    for (std::int16_t width : {1, 2, 3, 5, 120}) {
        canvas::Surface canvas = designCanvas(width);
        canvas.line(-200, 70, 400, 70, 0);
        EXPECT_EQ(ascii::count(canvas.imageRef(), {0}), 142 * std::min<int>(width, 142)) << width;
        canvas::Surface reversed = designCanvas(width);
        reversed.line(400, 70, -200, 70, 0);
        EXPECT_EQ(reversed.imageRef(), canvas.imageRef()) << width;
    }
}

TEST(SurfaceLine, WideEndsAreRoundAndNothingIsBlended) {
    canvas::Surface canvas = designCanvas(5);
    canvas.line(10, 10, 10, 10, kRed);
    const Picture dot{".....", ".rrr.", "rrrrr", "rrrrr", "rrrrr", ".rrr.", "....."};
    EXPECT_EQ(ascii::fromImage(canvas.imageRef(), kLegend, 8, 7, 5, 7), dot);

    canvas.setDrawWidth(7);
    canvas.line(0, 0, 141, 100, kBlue);
    expectOnlyColours(canvas.imageRef(), {kBack, kRed, kBlue});
}

TEST(SurfaceCircle, SolidStyleFillsTheInteriorTransparentLeavesIt) {
    canvas::Surface canvas = designCanvas();
    canvas.setFillColor(kGreen);
    canvas.circle(71, 71, 30, 0);
    expectColours(canvas, {Probe{71, 71, kGreen}, Probe{101, 71, 0}, Probe{71, 41, 0},
                           Probe{103, 71, kBack}});

    canvas.setFillStyle(canvas::kFillTransparent);
    canvas.setBackColor(kBack);
    canvas.circle(71, 71, 30, kBlue);
    expectColours(canvas, {Probe{71, 71, kBack}, Probe{41, 71, kBlue}});
    EXPECT_EQ(ascii::count(canvas.imageRef(), {kGreen}), 0);
}

TEST(SurfaceCircle, OutlineIsClosedSoTheInsideFillsAlone) {
    for (std::int16_t width : {1, 2, 3}) {
        for (float radius : {3.0f, 10.5f, 40.25f}) {
            canvas::Surface canvas = designCanvas(width);
            canvas.setFillStyle(canvas::kFillTransparent);
            canvas.circle(70, 70, radius, 0);
            canvas.setFillStyle(canvas::kFillSolid);
            canvas.setFillColor(kRed);
            canvas.floodFillSurface(70, 70, kBack);
            SCOPED_TRACE(testing::Message() << width << " " << radius);
            expectColours(canvas, {Probe{0, 0, kBack}, Probe{70, 70, kRed}});
        }
    }
    // At an even width the ring's edges lie on whole distances: the outer one is left out, the
    // inner one drawn.
    canvas::Surface ring = designCanvas(2);
    ring.setFillStyle(canvas::kFillTransparent);
    ring.circle(70, 70, 3, 0);
    expectColours(ring,
                  {Probe{74, 70, kBack}, Probe{73, 70, 0}, Probe{72, 70, 0}, Probe{71, 70, kBack}});
}

TEST(SurfaceCircle, ArcWrapsThroughZeroFromStartToEndWithoutRadiusLines) {
    canvas::Surface canvas = designCanvas();
    canvas.arc(71, 71, 40, 0, 6.28f, 3.5f);
    // Top, three and nine o'clock drawn, the bottom open, the arc ending about 20 degrees below
    // nine o'clock (not yet 40 degrees), the centre never filled.
    expectColours(canvas,
                  {Probe{71, 31, 0}, Probe{111, 71, 0}, Probe{31, 71, 0}, Probe{71, 111, kBack},
                   Probe{32, 81, 0}, Probe{40, 97, kBack}, Probe{71, 71, kBack}});
}

TEST(SurfacePoint, WidthThreeDotIsAFixedMaskEverywhere) {
    canvas::Surface canvas = designCanvas();
    canvas.setForeColor(kRed);
    canvas.pset(5, 5);
    canvas.setDrawWidth(3);
    canvas.pset(10, 5);
    canvas.setDrawWidth(4);
    canvas.pset(16, 5);
    const Picture expected{"...............rr...", ".........rrr..rrrr..", ".....r...rrr..rrrr..",
                           ".........rrr...rr...", "...................."};
    EXPECT_EQ(ascii::fromImage(canvas.imageRef(), kLegend, 0, 3, 20, 5), expected);

    canvas.setDrawWidth(3);
    canvas.pset(0, 141);
    EXPECT_EQ(ascii::count(canvas.imageRef(), {kRed}), 1 + 9 + 12 + 4);
}

TEST(SurfaceClear, ClsKeepsThePictureAndBackColourRemovesDrawing) {
    canvas::Surface canvas = designCanvas();
    QImage pad(145, 145, QImage::Format_RGB32);
    pad.fill(canvas::toPixel(kGreen));
    canvas.setPicture(pad);
    canvas.line(0, 10, 141, 10, kRed);
    canvas.cls();
    expectOnlyColours(canvas.imageRef(), {kGreen});
    EXPECT_EQ(canvas.currentX(), 0.0f);

    canvas.setPicture({});
    expectOnlyColours(canvas.imageRef(), {kBack});
    canvas.line(0, 10, 141, 10, kRed);
    canvas.setBackColor(kBlue);
    expectOnlyColours(canvas.imageRef(), {kBlue});

    // A scaled surface shows its picture enlarged, however far the picture goes beyond it.
    canvas::Surface scaled({.outerWidth = 8, .outerHeight = 8, .font = {}, .deviceScale = 500});
    scaled.setPicture(pad.scaled(2048, 2048));
    EXPECT_EQ(scaled.imageRef().size(), QSize(2000, 2000));
    expectOnlyColours(scaled.imageRef(), {kGreen});
}

TEST(SurfacePaintPicture, CopiesExactlyStretchesWithoutBlendingAndAbutsFractionalTiles) {
    const QImage tile = ascii::toImage({"r#", "#r"}, kLegend);
    canvas::Surface canvas = designCanvas();
    canvas.paintPicture(tile, 1, 1, 2, 2);
    canvas.paintPicture(tile, 4, 1, 4, 4);
    const Picture expected{".........", ".r#.rr##.", ".#r.rr##.",
                           "....##rr.", "....##rr.", "........."};
    EXPECT_EQ(ascii::fromImage(canvas.imageRef(), kLegend, 0, 0, 9, 6), expected);

    for (float x = 0; x < 142; x += 12.5f) {
        canvas.paintPicture(ascii::toImage({"rr", "rr"}, kLegend), x, 20, 12.5f, 12.5f);
    }
    expectColours(canvas, {Probe{ascii::all, 20, kRed}});
}

TEST(SurfaceResize, KeepsDrawingAndShowsThePictureInTheNewArea) {
    canvas::Surface strip({.outerWidth = 57, .outerHeight = 9, .font = {}});
    QImage kept(142, 142, QImage::Format_RGB32);
    kept.fill(canvas::toPixel(kGreen));
    strip.setPicture(kept);
    strip.setWidth(80);
    strip.setHeight(80);
    EXPECT_EQ(strip.image().size(), QSize(76, 76));
    expectOnlyColours(strip.imageRef(), {kGreen});
    strip.setWidth(2);
    EXPECT_EQ(strip.image().width(), 0);
    EXPECT_EQ(strip.point(0, 0), -1);
}

TEST(SurfaceBlank, KeepsNoPixelsUntilDrawnOnAndThenDrawsAsIfFilledWithItsBackColour) {
    struct Change {
        const char* name;
        std::function<void(canvas::Surface&)> apply;
        std::optional<QRgb> stillBlankIn;
    };
    const Change changes[] = {
        {"nothing", [](canvas::Surface&) {}, canvas::toPixel(kBack)},
        {"cls", [](canvas::Surface& s) { s.cls(); }, canvas::toPixel(kBack)},
        {"back colour", [](canvas::Surface& s) { s.setBackColor(kBlue); }, canvas::toPixel(kBlue)},
        {"resize", [](canvas::Surface& s) { s.setWidth(80); }, canvas::toPixel(kBack)},
        {"line", [](canvas::Surface& s) { s.line(0, 10, 141, 10, kRed); }, {}},
        {"resize, then draw",
         [](canvas::Surface& s) {
             s.setHeight(60);
             s.pset(3, 50);
         },
         {}},
        {"spans",
         [](canvas::Surface& s) {
             s.fillSpans({{2, 1, 9}}, kGreen);
         },
         {}},
        {"snapshot back", [](canvas::Surface& s) { s.restore(s.snapshot()); }, {}},
        {"picture", [](canvas::Surface& s) { s.setPicture(ascii::toImage({"rg"}, kLegend)); }, {}},
    };
    for (const Change& change : changes) {
        canvas::Surface blank = designCanvas();
        canvas::Surface drawn = designCanvas();
        EXPECT_EQ(blank.blankPixel(), canvas::toPixel(kBack));
        (void)drawn.imageRef();
        EXPECT_FALSE(drawn.blankPixel());
        change.apply(blank);
        change.apply(drawn);
        EXPECT_EQ(blank.blankPixel(), change.stillBlankIn) << change.name;
        EXPECT_EQ(blank.imageRef(), drawn.imageRef()) << change.name;
        EXPECT_EQ(blank.clientPixelWidth(), blank.imageRef().width()) << change.name;
    }
}

TEST(SurfaceText, RotatedTextTurnsCounterClockwiseAboutItsTopLeft) {
    canvas::Surface pad({.foreColor = kRed, .font = {}});
    pad.textOut(70, 70, QStringLiteral("IIII"), QFont(QStringLiteral("DejaVu Sans"), 14), 90);
    // Turned a quarter counter-clockwise, the text runs upwards from the press point.
    EXPECT_GT(ascii::count(pad.imageRef(), {kRed}, QRect(0, 0, 142, 70)), 20);
    EXPECT_EQ(ascii::count(pad.imageRef(), {kRed}, QRect(0, 70, 142, 72)), 0);
}

TEST(SurfacePolygon, AlternateOutlineAndWindingRegion) {
    // A pentagram: the alternate rule leaves the inner pentagon open, the winding rule fills it.
    const QPolygon star{QPoint(71, 11), QPoint(106, 120), QPoint(14, 52), QPoint(128, 52),
                        QPoint(36, 120)};
    canvas::Surface outlined = designCanvas();
    outlined.setFillColor(kGreen);
    outlined.setForeColor(kRed);
    outlined.polygon(star);
    expectColours(outlined, {Probe{71, 75, kBack}, Probe{71, 25, kGreen}, Probe{71, 11, kRed}});

    canvas::Surface filled = designCanvas();
    filled.fillPolygonRegion(star, kBlue);
    expectColours(filled, {Probe{71, 75, kBlue}, Probe{71, 25, kBlue}, Probe{5, 5, kBack}});
}

} // namespace
