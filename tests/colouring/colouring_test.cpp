#include "colouring/colour_tools.h"
#include "colouring/colouring.h"
#include "colouring/design_record.h"
#include "colouring/strokes.h"
#include "colouring/surfaces.h"
#include "tiling/seams.h"
#include "pixel_pictures.h"
#include "scripted_random.h"

#include <QColor>
#include <QPainter>
#include <QRandomGenerator>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

using colouring::FillScope;
using colouring::Symmetry;

constexpr canvas::Colour kInk = 0x000000;
constexpr canvas::Colour kPaper = 0xFFFFFF;
constexpr canvas::Colour kPaint = 0x0000FF;

// Exactly the scripted draws: one more fails the test.
test_support::ScriptedRandom exactDraws(std::vector<double> draws) {
    return test_support::ScriptedRandom(std::move(draws), test_support::FailWhenUsedUp{});
}

// The design's pixels, `fill` shown as 'o'.
std::string picture(const canvas::Surface& design, canvas::Colour fill) {
    return pictures::read(design.imageRef(), {{kInk, '#'}, {kPaper, '.'}, {fill, 'o'}});
}

// Two cells split by a vertical line, and a separate short line that touches nothing.
const std::string kTwoCells = "...#..../...#..../...#..#./...#..#./...#....";

TEST(ClickColouring, FillsWhatIsUnderThePressInAColourOfThreeDraws) {
    const struct {
        const std::string before;
        float x;
        float y;
        double red, green, blue;
        canvas::Colour fill; // each component floor(draw * 235)
        const char* after;
    } cases[] = {
        {kTwoCells, 1, 1, 0.0, 0.5, 0.9999999, canvas::rgbColour(0, 117, 234),
         "ooo#..../ooo#..../ooo#..#./ooo#..#./ooo#...."},
        {kTwoCells, 0, 0, 0.9999999999, 0.9999999999, 0.9999999999,
         canvas::rgbColour(234, 234, 234), "ooo#..../ooo#..../ooo#..#./ooo#..#./ooo#...."},
        {kTwoCells, 0, 0, 0.0, 0.004, 0.0043, canvas::rgbColour(0, 0, 1),
         "ooo#..../ooo#..../ooo#..#./ooo#..#./ooo#...."},
        // A press on a line recolours the connected line only.
        {kTwoCells, 3, 4, 0.0, 0.0, 0.5, canvas::rgbColour(0, 0, 117),
         "...o..../...o..../...o..#./...o..#./...o...."},
        // The press position rounds halves to even: 2.5 goes down to the line at 2, 3.5 up to
        // the line at 4; 3.4 stays in the cell between.
        {"..#.#./..#.#.", 2.5, 0, 0.5, 0.5, 0.5, canvas::rgbColour(117, 117, 117), "..o.#./..o.#."},
        {"..#.#./..#.#.", 3.5, 0, 0.5, 0.5, 0.5, canvas::rgbColour(117, 117, 117), "..#.o./..#.o."},
        {"..#.#./..#.#.", 3.4, 0, 0.5, 0.5, 0.5, canvas::rgbColour(117, 117, 117), "..#o#./..#o#."},
    };
    for (const auto& press : cases) {
        SCOPED_TRACE(press.after);
        // The default press options are exactly the click colouring.
        canvas::Surface clicked = pictures::drawn(press.before, kInk, kPaper);
        auto random = exactDraws({press.red, press.green, press.blue});
        colouring::colourRegion(clicked, press.x, press.y, random);
        canvas::Surface pressed = pictures::drawn(press.before, kInk, kPaper);
        auto again = exactDraws({press.red, press.green, press.blue});
        EXPECT_EQ(colouring::pressDesign(pressed, press.x, press.y, {}, again), press.fill);
        EXPECT_EQ(clicked.fillColor(), press.fill);
        EXPECT_EQ(picture(clicked, press.fill), press.after);
        EXPECT_EQ(pressed.image(), clicked.image());
        EXPECT_EQ(random.log + again.log, "rdddrddd") << "each reseeds from the clock, then draws";
    }
}

TEST(ClickColouring, SecondPressRecoloursAndTouchingEqualCellsJoin) {
    canvas::Surface design = pictures::drawn(kTwoCells, kInk, kPaper);
    auto random = exactDraws({0.0, 0.5, 0.5, 0.5, 0.0, 0.0});
    colouring::colourRegion(design, 0, 0, random);
    ASSERT_EQ(design.point(0, 0), canvas::rgbColour(0, 117, 117));
    colouring::colourRegion(design, 2, 3, random);
    EXPECT_EQ(picture(design, canvas::rgbColour(117, 0, 0)),
              "ooo#..../ooo#..../ooo#..#./ooo#..#./ooo#....");

    // Colour the line like the left cell: from then on they flood as one area.
    canvas::Surface joined = pictures::drawn(kTwoCells, kInk, kPaper);
    auto same = exactDraws({0.5, 0.0, 0.0, 0.5, 0.0, 0.0, 0.9, 0.9, 0.9});
    for (const float x : {0, 3, 0}) {
        colouring::colourRegion(joined, x, 0, same);
    }
    EXPECT_EQ(picture(joined, canvas::rgbColour(211, 211, 211)),
              "oooo..../oooo..../oooo..#./oooo..#./oooo....");
}

TEST(ClickColouring, PressRightAfterStartUpFillsTheWholeCanvas) {
    canvas::Surface design(colouring::designCanvasSetup());
    canvas::Surface effect(colouring::effectViewSetup());
    design.paintPicture(effect.image(), 0, 0, effect.scaleWidth(), effect.scaleHeight());
    ASSERT_EQ(design.point(70, 70), effect.backColor());

    auto random = exactDraws({0.25, 0.5, 0.75});
    colouring::colourRegion(design, 100, 20, random);
    QImage filled(142, 142, QImage::Format_RGB32);
    filled.fill(canvas::toPixel(canvas::rgbColour(58, 117, 176)));
    EXPECT_EQ(design.image().convertToFormat(QImage::Format_RGB32), filled);
}

TEST(PressDesign, ScopesAndSymmetriesFillWhatTheyName) {
    const std::string ring = "..#../..#../##.##/..#../..#..";
    const std::string cells = "#.#.#/.###./#####/.###./#.#.#";
    // Each press is at (x, 0).
    const struct {
        const std::string& before;
        int x;
        FillScope scope;
        Symmetry symmetry;
        const char* after;
    } cases[] = {
        {ring, 0, FillScope::Region, Symmetry::None, "oo#../oo#../##.##/..#../..#.."},
        {ring, 0, FillScope::Wrap, Symmetry::None, "oo#oo/oo#oo/##.##/oo#oo/oo#oo"},
        {ring, 0, FillScope::Global, Symmetry::None, "oo#oo/oo#oo/##o##/oo#oo/oo#oo"},
        {ring, 0, FillScope::Region, Symmetry::LeftRight, "oo#oo/oo#oo/##.##/..#../..#.."},
        {ring, 0, FillScope::Region, Symmetry::TopBottom, "oo#../oo#../##.##/oo#../oo#.."},
        {cells, 1, FillScope::Region, Symmetry::Four, "#o#o#/.###./#####/.###./#o#o#"},
        {cells, 1, FillScope::Region, Symmetry::Eight, "#o#o#/o###o/#####/o###o/#o#o#"},
    };
    for (const auto& press : cases) {
        SCOPED_TRACE(press.after);
        canvas::Surface design = pictures::drawn(press.before, kInk, kPaper);
        test_support::ScriptedRandom random;
        const colouring::PressOptions options{colouring::ColourRule::Chosen, kPaint, press.scope,
                                              press.symmetry};
        EXPECT_EQ(colouring::pressDesign(design, float(press.x), 0, options, random), kPaint);
        EXPECT_EQ(picture(design, kPaint), press.after);
        EXPECT_EQ(random.drawCount, 0) << "a chosen colour draws nothing";
    }
}

TEST(HarmonyRules, EveryDrawStaysWithinItsRule) {
    const canvas::Colour orange = canvas::rgbColour(200, 100, 0); // hue 30°
    const struct {
        colouring::ColourRule rule;
        std::vector<double> allowedHues; // centres, each ± spread
        double spread;
    } rules[] = {
        {colouring::ColourRule::Analogous, {30}, 30},
        {colouring::ColourRule::Complementary, {30, 210}, 15},
        {colouring::ColourRule::Triadic, {30, 150, 270}, 15},
        {colouring::ColourRule::Mono, {30}, 1.5},
    };
    for (const auto& rule : rules) {
        // Seven draws against three or four a press: every draw meets every role in turn.
        test_support::ScriptedRandom random({0.0, 0.999, 0.5, 0.3, 0.7, 0.01, 0.62},
                                            test_support::RepeatScript{});
        std::set<int> centresSeen;
        for (int draw = 0; draw < 200; ++draw) {
            const QColor colour =
                QColor::fromRgb(canvas::toPixel(colouring::pressColour(rule.rule, orange, random)));
            EXPECT_LE(std::max({colour.red(), colour.green(), colour.blue()}), 234);
            const double hue = colour.hsvHueF() * 360.0;
            bool within = false;
            for (std::size_t centre = 0; centre < rule.allowedHues.size(); ++centre) {
                if (std::abs(std::remainder(hue - rule.allowedHues[centre], 360)) <=
                    rule.spread + 1.5) {
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
    EXPECT_NE(colouring::pressColour(colouring::ColourRule::Analogous, 0x808080, random),
              0x808080u);
}

TEST(Palette, CountsAreasAndColourwaysKeepLockedColours) {
    canvas::Surface design = pictures::drawn("##.../##.../.....", kInk, kPaper);
    colouring::replaceColour(design, canvas::toPixel(kPaper), canvas::toPixel(kPaint));
    const auto colours = colouring::palette(design.imageRef());
    ASSERT_EQ(colours.size(), 2u);
    EXPECT_EQ(colours[0].colour, canvas::toPixel(kPaint));
    EXPECT_EQ(colours[0].pixels, 11);
    EXPECT_EQ(colours[1].pixels, 4);

    test_support::ScriptedRandom random({0.1, 0.2, 0.3}, test_support::RepeatScript{});
    const auto mapping = colouring::colourwayMapping(colours, {canvas::toPixel(kInk)},
                                                     colouring::ColourRule::Random, 0, random);
    const QImage recoloured = colouring::applyColourway(design.imageRef(), mapping);
    EXPECT_EQ(recoloured.pixel(0, 0), canvas::toPixel(kInk) | 0xFF000000u);
    EXPECT_EQ(recoloured.pixel(4, 2), canvas::toPixel(canvas::rgbColour(23, 47, 70)) | 0xFF000000u);
}

TEST(Colourways, RecolourEveryUnlockedColourOrSayWhyNot) {
    const QRgb ink = canvas::toPixel(kInk) | 0xFF000000u;
    const QRgb paper = canvas::toPixel(kPaper) | 0xFF000000u;
    const struct {
        const char* picture;
        QSet<QRgb> locked;
        colouring::ColourwayLimit limit;
    } cases[] = {
        {".../...", {}, colouring::ColourwayLimit::OneColour},
        {"#../...", {ink, paper}, colouring::ColourwayLimit::AllLocked},
        {"#../...", {ink}, colouring::ColourwayLimit::None},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(int(test.limit));
        canvas::Surface design = pictures::drawn(test.picture, kInk, kPaper);
        test_support::ScriptedRandom random({0.1, 0.5, 0.9, 0.3}, test_support::RepeatScript{});
        const colouring::ColourwaySet set = colouring::makeColourways(
            design.imageRef(), test.locked, colouring::ColourRule::Random, 0, random, 6);
        EXPECT_EQ(set.limit, test.limit);
        ASSERT_EQ(set.ways.size(), 6u);
        const QImage original = design.image().convertToFormat(QImage::Format_RGB32);
        for (const colouring::Colourway& way : set.ways) {
            EXPECT_EQ(way.image.pixel(0, 0), original.pixel(0, 0));
            EXPECT_EQ(way.image == original, test.limit != colouring::ColourwayLimit::None);
            // Choosing a colourway makes the design its picture, even after other changes.
            canvas::Surface chosen = pictures::drawn("###/###", kInk, kPaper);
            colouring::chooseColourway(chosen, way);
            EXPECT_EQ(chosen.image().convertToFormat(QImage::Format_RGB32), way.image);
        }
    }
}

// A drag begun near (10, 10) with Shift held: a line keeps to eighth turns, a shape to a square
// of its longer side, on design pixels; a freehand stroke takes the point as it is.
TEST(Strokes, ShiftKeepsLinesToEighthTurnsAndShapesSquare) {
    using enum colouring::StrokeKind;
    const std::tuple<colouring::StrokeKind, QPointF, QPointF> cases[] = {
        {Line, {39.8, 18.3}, {40, 10}},     {Line, {14, -20}, {10, -20}},
        {Line, {30.4, 26}, {30, 30}},       {Line, {-10, 28}, {-10, 30}},
        {Rectangle, {30, -0.2}, {30, -10}}, {Ellipse, {5, 40}, {-20, 40}},
        {Pen, {33.3, 7}, {33.3, 7}},
    };
    for (const auto& [kind, end, expected] : cases) {
        SCOPED_TRACE(colouring::kStrokeKindNames[int(kind)]);
        colouring::StrokeChange stroke = colouring::beginStroke(kind, {10.3, 9.8}, 2, 0);
        colouring::dragStroke(stroke, end, true);
        EXPECT_EQ(stroke.points.back(), expected);
    }
}

// Each change in turn, from a design of 1,024 colours, many of one area.
TEST(Palette, KeptUpToDateByChangesIsTheCountAfresh) {
    QRandomGenerator random(3);
    QImage shown(142, 142, QImage::Format_RGB32);
    for (int pixel = 0; pixel < 142 * 142; ++pixel) {
        const QRgb colour = pixel < 1024 ? pixel : random.bounded(1024);
        shown.setPixel(pixel % 142, pixel / 142, 0xFF000000u | (colour * 0x3F1Fu));
    }
    const QImage start = shown;
    const std::function<void(QImage&)> changes[] = {
        [](QImage& image) { QPainter(&image).fillRect(10, 10, 30, 20, QColor(0x123456)); },
        [](QImage& image) { QPainter(&image).fillRect(0, 50, 142, 9, QColor(image.pixel(0, 0))); },
        [](QImage& image) { image.setPixel(3, 3, image.pixel(141, 141)); },
        [](QImage& image) { image.mirror(true, false); },     // no area changes
        [](QImage& image) { image.invertPixels(); },          // every colour changes
        [&](QImage& image) { image = start; },                // an undo
        [&](QImage& image) { image = start.scaled(71, 71); }, // counted afresh
    };
    std::vector<colouring::PaletteEntry> entries = colouring::palette(shown);
    for (std::size_t step = 0; step < std::size(changes); ++step) {
        QImage next = shown.copy();
        changes[step](next);
        colouring::updatePalette(entries, shown, next);
        EXPECT_EQ(entries, colouring::palette(next)) << "change " << step;
        shown = next;
    }
}

} // namespace

namespace {

// The tile pixels a seam fill at `pressed` reaches, found on the page: the drawn tile repeated
// over three periods each way, flooded 4-connected from the copies in the middle period of what
// is reached so far, read back to the tile, again until nothing is added (each tile pixel fills
// all its copies, so a region joined at one copy is joined at every one).
std::set<std::pair<int, int>> regionOnThePage(const QImage& drawn, QPoint pressed,
                                              tiling::Repeat repeat) {
    const QSize period = tiling::pagePeriod(drawn.size(), repeat);
    const QImage page = tiling::repeatOver(drawn, period * 3, repeat);
    const QRgb colour = drawn.pixel(pressed);
    std::set<std::pair<int, int>> reached{{pressed.x(), pressed.y()}};
    for (std::size_t before = 0; before != reached.size();) {
        before = reached.size();
        std::vector<std::uint8_t> seen(std::size_t(page.width() * page.height()), 0);
        std::vector<QPoint> pending;
        for (int y = period.height(); y < 2 * period.height(); ++y) {
            for (int x = period.width(); x < 2 * period.width(); ++x) {
                const QPoint tile = tiling::tilePixelAt({x, y}, drawn.size(), repeat);
                if (reached.contains({tile.x(), tile.y()})) {
                    pending.emplace_back(x, y);
                }
            }
        }
        while (!pending.empty()) {
            const QPoint at = pending.back();
            pending.pop_back();
            std::uint8_t& mark = seen[std::size_t(at.y() * page.width() + at.x())];
            if (mark != 0 || page.pixel(at) != colour) {
                continue;
            }
            mark = 1;
            const QPoint tile = tiling::tilePixelAt(at, drawn.size(), repeat);
            reached.insert({tile.x(), tile.y()});
            for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                if (page.rect().contains(at + step)) {
                    pending.push_back(at + step);
                }
            }
        }
    }
    return reached;
}

TEST(SeamFill, ColoursTheDrawnRegionAsTheRepeatedPageJoinsIt) {
    QImage art(142, 142, QImage::Format_RGB32);
    art.fill(Qt::white);
    {
        QPainter painter(&art);
        painter.setPen(QPen(Qt::black, 3));
        painter.drawEllipse(QPoint(0, 50), 30, 24);
        painter.drawEllipse(QPoint(100, 141), 25, 30);
        painter.drawLine(0, 110, 141, 10);
        painter.drawRect(40, -5, 30, 25);
    }
    const QPoint points[] = {{2, 40}, {55, 2}, {100, 139}, {140, 130}, {1, 1}};
    for (std::size_t name = 0; name < std::size(tiling::kRepeatNames); ++name) {
        const auto repeat = tiling::Repeat(name);
        for (const QPoint point : points) {
            SCOPED_TRACE(std::string(tiling::kRepeatNames[name]) + " at " +
                         std::to_string(point.x()) + "," + std::to_string(point.y()));
            if (!tiling::SeamLinks::of({142, 142}, repeat)->shown(point)) {
                continue; // a part of the design the group leaves unused: no page shows it
            }
            canvas::Surface design(colouring::designCanvasSetup());
            colouring::showPicture(design, {art});
            colouring::DesignRecord record{
                design.backColor(), {art}, colouring::PictureSource{}, {}};
            // Half of the shape coloured apart first: the seam fill still takes it whole.
            canvas::RandomSource unused;
            colouring::pressAndRecord(design, record, float(point.x()), float(point.y()),
                                      {colouring::ColourRule::Chosen, 0x00A000}, unused);
            const QImage before = design.image();
            colouring::pressAndRecord(
                design, record, float(point.x()), float(point.y()),
                {colouring::ColourRule::Chosen, kPaint, FillScope::Wrap, Symmetry::None, repeat},
                unused);
            const auto region = regionOnThePage(design.picture(), point, repeat);
            int wrong = 0;
            for (int y = 0; y < 142; ++y) {
                for (int x = 0; x < 142; ++x) {
                    const QRgb expected =
                        region.contains({x, y}) ? canvas::toPixel(kPaint) : before.pixel(x, y);
                    wrong += design.imageRef().pixel(x, y) != expected;
                }
            }
            EXPECT_EQ(wrong, 0);
            canvas::Surface replayed(colouring::designCanvasSetup());
            colouring::rebuildDesign(record, replayed);
            EXPECT_EQ(replayed.imageRef(), design.imageRef());
        }
    }
}

} // namespace
