#include "design_pixels.h"
#include "patterns/catalogue.h"

#include <gtest/gtest.h>

using ascii::all;
using ascii::expectColours;
using ascii::Probe;
using design_pixels::at;
using design_pixels::contains;
using design_pixels::makeDesignCanvas;
using design_pixels::regionAt;

namespace {

constexpr canvas::Colour background = 0xAE5C44;
constexpr canvas::Colour black = 0;
constexpr canvas::Colour red = 255;
constexpr canvas::Colour green = 65280;
constexpr canvas::Colour blue = 16711680;

const patterns::Figure& figure(const char* name) {
    const patterns::Figure* found = patterns::findFigure(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found != nullptr ? *found : patterns::catalogue().front();
}

// Draws a catalogue figure the way its button does, at the given line width.
canvas::Surface drawn(const char* name, const QString& width = QStringLiteral("1")) {
    canvas::Surface design = makeDesignCanvas();
    std::int16_t saved = -1;
    patterns::drawCatalogueFigure(design, figure(name), width, QStringLiteral("x"), saved);
    return design;
}

} // namespace

TEST(Catalogue, EveryButtonIsFoundByItsOwnName) {
    // Two buttons of one name would find the first of them twice.
    for (const patterns::Figure& entry : patterns::catalogue()) {
        EXPECT_EQ(patterns::findFigure(patterns::controlName(entry)), &entry);
        EXPECT_FALSE(patterns::family(entry).isEmpty());
        EXPECT_FALSE(entry.lines.empty() && entry.circles.empty()) << entry.controlName;
    }
    for (const char16_t* unknown : {u"Command70", u"Command14", u""}) {
        EXPECT_EQ(patterns::findFigure(unknown), nullptr);
    }
}

TEST(PatternFrame, RestoresTheFillStyleAndLeavesCircleInteriorsOpen) {
    for (std::int16_t style : {std::int16_t(0), std::int16_t(1), std::int16_t(5)}) {
        canvas::Surface design = makeDesignCanvas();
        design.setFillStyle(style);
        std::int16_t saved = -1;
        patterns::drawCatalogueFigure(design, figure("Command53"), "2", "", saved);
        EXPECT_EQ(design.fillStyle(), style);
        EXPECT_EQ(saved, style);
        // Inside the ring of radius 30 around (72, 72).
        expectColours(design, {Probe{72, 72, background}, Probe{72, 50, background}});
    }
}

TEST(PatternFrame, LineWidthComesFromTheWidthTextOrStaysWhenItIsNoWidth) {
    // The cross's lines lie at y = 73 and x = 73; the ring of radius 30 around (72, 72).
    const std::pair<const char*, int> cases[] = {{"1", 1},     {"5", 5},   {"2.5", 2}, {"3.5", 4},
                                                 {"abc", 3},   {"", 3},    {"0", 3},   {"-3", 3},
                                                 {"99999", 3}, {"1e9", 3}, {"nan", 3}};
    for (const auto& [text, width] : cases) {
        canvas::Surface cross = makeDesignCanvas();
        cross.setDrawWidth(3);
        std::int16_t saved = 0;
        EXPECT_EQ(patterns::drawCatalogueFigure(cross, figure("Command11"), text, "c", saved),
                  QStringLiteral("设计c"));
        EXPECT_EQ(cross.drawWidth(), width) << text;
        EXPECT_EQ(ascii::count(cross.imageRef(), {black}, QRect(10, 0, 1, 142)), width) << text;
        EXPECT_EQ(ascii::count(cross.imageRef(), {black}, QRect(0, 10, 142, 1)), width) << text;
    }
    EXPECT_EQ(at(drawn("Command11"), 10, 73), black);
    for (const char* width : {"1", "5"}) {
        const QImage ring = drawn("Command53", width).image();
        EXPECT_EQ(ascii::count(ring, {blue}, QRect(37, 72, 36, 1)), QString(width).toInt());
    }
}

TEST(PatternFrame, RedrawsFromScratchOnTheCurrentBackground) {
    canvas::Surface design = makeDesignCanvas();
    std::int16_t saved = 0;
    patterns::drawCatalogueFigure(design, figure("Command46"), "2", "", saved);
    const QImage first = design.image();
    design.setFillColor(0x123456);
    design.floodFillSurface(73, 73, background);
    patterns::drawCatalogueFigure(design, figure("Command1"), "2", "", saved);
    patterns::drawCatalogueFigure(design, figure("Command46"), "2", "", saved);
    EXPECT_EQ(design.image(), first);

    design.setBackColor(0x00FF00);
    patterns::drawCatalogueFigure(design, figure("Command11"), "1", "", saved);
    EXPECT_EQ(at(design, 5, 5), canvas::Colour(0x00FF00));
}

// Where each figure's lines and circles land at width 1, rounded to pixels, and which one lies
// on top where they cross; x or y `all` stands for a whole column or row of the colour.
const std::pair<const char*, std::vector<Probe>> kFigures[] = {
    // Golden diamond: the cross sits above and left of the centre.
    {"Command13",
     {Probe{20, 71, black}, Probe{20, 72, background}, Probe{71, 20, green}, Probe{71, 130, green},
      Probe{72, 20, background}}},
    // First tie: the stripe ends where the ring's rim begins.
    {"Command1",
     {Probe{4, 71, background}, Probe{5, 71, blue}, Probe{6, 71, black}, Probe{134, 71, black},
      Probe{135, 71, blue}, Probe{136, 71, black}, Probe{137, 71, background}, Probe{70, 6, blue},
      Probe{70, 136, blue}}},
    // Second tie: the third stripe at x = 105.65 runs from y = 17 to 127.
    {"Command5",
     {Probe{106, 17, green}, Probe{105, 60, background}, Probe{107, 60, background},
      Probe{106, 127, green}, Probe{106, 128, background}}},
    // Scarf: the edge medallions centre on or beyond the edges, over the arms.
    {"Command52",
     {Probe{35, 73, blue}, Probe{36, 73, black}, Probe{109, 73, blue}, Probe{110, 73, black},
      Probe{111, 73, black}, Probe{112, 73, background}, Probe{73, 35, blue},
      Probe{73, 36, black}}},
    // First scarf: the ring centres at 70.
    {"Command3",
     {Probe{70, 20, blue}, Probe{20, 70, blue}, Probe{120, 70, blue}, Probe{70, 120, blue}}},
    // Large bedsheet: the vertical centre line stands at x = 72.2.
    {"Command28", {Probe{72, 60, black}, Probe{73, 60, background}}},
    // The only black circle of the textiles.
    {"Command10",
     {Probe{73, 23, black}, Probe{22, 73, black}, Probe{21, 73, background}, Probe{124, 73, black},
      Probe{125, 73, background}}},
    // Shirt: the stripes reach both edges.
    {"Command6", {Probe{70, all, green}, Probe{34, all, green}, Probe{106, all, green}}},
    // T-shirt: the stripes reach both edges.
    {"Command7", {Probe{all, 71, black}, Probe{all, 34, black}, Probe{all, 106, black}}},
    // Wall tiles: the rings lie over the cross where they cut it.
    {"Command48",
     {Probe{71, 13, blue}, Probe{71, 59, blue}, Probe{13, 73, blue}, Probe{59, 73, blue},
      Probe{71, 5, black}, Probe{5, 73, black}}},
    // Ceramic: the ring crosses both arms on top.
    {"Command38",
     {Probe{73, 43, blue}, Probe{43, 73, blue}, Probe{103, 73, blue}, Probe{73, 103, blue},
      Probe{73, 60, black}}},
    // Floor tiles: the square frame's sides at 34.5 and 36.5 round to 34 and 36.
    {"Command19",
     {Probe{34, 50, black}, Probe{35, 50, background}, Probe{50, 36, black}, Probe{71, all, black},
      Probe{all, 73, black}}},
    // Packaging: the vertical line stops thirteen before the bottom.
    {"Command32", {Probe{73, 133, black}, Probe{73, 134, background}, Probe{73, 30, black}}},
    // Four rings: blue outlines only.
    {"Command46", {Probe{73, 73, background}}},
};

TEST(CatalogueFigures, DrawWhereTheirButtonsPlaceThem) {
    for (const auto& [name, probes] : kFigures) {
        SCOPED_TRACE(name);
        expectColours(drawn(name), probes);
    }
}

TEST(CatalogueFigures, RegionsApartStayApart) {
    // The band between the large bedsheet's square and circle goes all round the square.
    const canvas::Surface bedsheet = drawn("Command28");
    const auto band = regionAt(bedsheet, 71, 20);
    for (const QPoint inside : {QPoint(20, 71), QPoint(122, 71), QPoint(71, 122), QPoint(40, 34)}) {
        EXPECT_TRUE(contains(band, inside.x(), inside.y())) << inside.x() << ", " << inside.y();
    }
    EXPECT_FALSE(contains(band, 1, 1));
    EXPECT_FALSE(contains(band, 50, 50));

    // The taiji's halves touch at width 2, and so cut the half-moons beside them apart.
    const canvas::Surface taiji = drawn("Command55", "2");
    expectColours(taiji, {Probe{73, 62, background}, Probe{73, 85, background}});
    EXPECT_FALSE(contains(regionAt(taiji, 73, 62), 73, 85));
    EXPECT_FALSE(contains(regionAt(taiji, 30, 73), 116, 73));
    // The four rings draw no cross between them.
    EXPECT_EQ(ascii::count(drawn("Command46", "2").imageRef(), {black}, QRect(0, 73, 142, 1)), 0);
}

TEST(CatalogueFigures, DiamondDiagonalsRunCornerToCorner) {
    const canvas::Surface design = drawn("Command12");
    for (int i = 0; i < 142; ++i) {
        EXPECT_EQ(at(design, i, 141 - i), black) << i;
        if (i < 69 || i > 72) {
            EXPECT_EQ(at(design, i, i), red) << i;
        }
    }
    expectColours(design, {Probe{1, 0, background}, Probe{140, 0, background}});
}

TEST(CatalogueFigures, EachHasItsColourableRegionsAtWidthOne) {
    // Counted from each figure's geometry: the cross makes four quarters, nested squares make
    // rings, the four overlapping rings make four lenses, four crescents and a middle.
    const std::pair<const char*, int> cases[] = {
        {"Command11", 4}, {"Command12", 4}, {"Command18", 4},  {"Command20", 5},
        {"Command23", 5}, {"Command43", 5}, {"Command46", 10}, {"Command35", 8}};
    for (const auto& [name, regions] : cases) {
        EXPECT_EQ(design_pixels::regionCount(drawn(name), background), regions) << name;
    }
}

TEST(CatalogueFigures, EveryFigureDrawsAtEveryListedWidth) {
    const QImage blank = makeDesignCanvas().image();
    for (const patterns::Figure& entry : patterns::catalogue()) {
        for (const char* width : {"1", "2", "10", "120"}) {
            canvas::Surface design = makeDesignCanvas();
            std::int16_t saved = 0;
            patterns::drawCatalogueFigure(design, entry, width, "", saved);
            EXPECT_NE(design.image(), blank) << entry.controlName << " at " << width;
            EXPECT_EQ(design.fillStyle(), canvas::kFillSolid);
        }
    }
}
