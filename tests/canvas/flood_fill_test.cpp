#include "ascii_picture.h"
#include "canvas/flood_fill.h"
#include "canvas/surface.h"

#include <gtest/gtest.h>
#include <numeric>
#include <sstream>

namespace {

using Picture = std::vector<std::string>;

const ascii::Legend kLegend{{'.', 0xFFFFFF}, {'#', 0}, {'r', 0x0000FF}, {'f', 0x123456}};

// A surface whose client area holds the given picture, with a solid fill brush of colour 'f'.
canvas::Surface surfaceWith(const Picture& picture) {
    canvas::Surface surface({.outerWidth = float(picture.front().size()) + 4,
                             .outerHeight = float(picture.size()) + 4,
                             .fillColor = 0x123456,
                             .fillStyle = canvas::kFillSolid,
                             .font = {}});
    surface.setPicture(ascii::toImage(picture, kLegend));
    return surface;
}

// A press at (x, y) with the surface fill (the colour under the press is the target) or the
// border fill with a border colour; one row of pixels a line, "before -> after".
constexpr std::int64_t kSurfaceFill = -1;
struct FillCase {
    const char* behaviour;
    int x, y;
    std::int64_t border;
    const char* rows;
};

const FillCase kFills[] = {
    {"fills only the 4-connected region of one colour", 1, 1, kSurfaceFill,
     "....#... -> ffff#...\n"
     "....#... -> ffff#...\n"
     "#####... -> #####...\n"
     "...#.... -> ...#....\n"
     "...#.... -> ...#....\n"},
    {"diagonal lines stop the fill", 5, 0, kSurfaceFill,
     "#..... -> #fffff\n"
     ".#.... -> .#ffff\n"
     "..#... -> ..#fff\n"
     "...#.. -> ...#ff\n"
     "....#. -> ....#f\n"},
    {"a press on a line recolours the whole connected line", 2, 0, kSurfaceFill,
     "..#...r. -> ..f...r.\n"
     "..#...r. -> ..f...r.\n"
     "######r# -> ffffffr#\n"
     "..#...r. -> ..f...r.\n"},
    {"reaches into every serpentine bend", 0, 6, kSurfaceFill,
     "........ -> ffffffff\n"
     "#######. -> #######f\n"
     "........ -> ffffffff\n"
     ".####### -> f#######\n"
     "........ -> ffffffff\n"
     "#######. -> #######f\n"
     "........ -> ffffffff\n"},
    {"every tooth of a comb is reached", 0, 0, kSurfaceFill,
     "....... -> fffffff\n"
     ".#.#.#. -> f#f#f#f\n"
     "####### -> #######\n"},
    {"the border fill stops only at the border colour", 1, 1, 0,
     "###### -> ######\n"
     "#..r.# -> #ffff#\n"
     "#.rr.# -> #ffff#\n"
     "#....# -> #ffff#\n"
     "###### -> ######\n"
     "...... -> ......\n"},
    {"a border fill started on the border paints nothing", 2, 0, 0,
     "..#.. -> ..#..\n"
     "..#.. -> ..#..\n"},
    {"pixels already in the fill colour do not split a border fill", 1, 1, 0,
     "##### -> #####\n"
     "#.f.# -> #fff#\n"
     "#.f.# -> #fff#\n"
     "##### -> #####\n"},
};

TEST(Fill, PaintsThePressedRegion) {
    for (const FillCase& fill : kFills) {
        SCOPED_TRACE(fill.behaviour);
        Picture before, after;
        std::istringstream rows(fill.rows);
        for (std::string row; std::getline(rows, row);) {
            const std::size_t arrow = row.find(" -> ");
            before.push_back(row.substr(0, arrow));
            after.push_back(row.substr(arrow + 4));
        }
        canvas::Surface surface = surfaceWith(before);
        if (fill.border == kSurfaceFill) {
            surface.floodFillSurface(fill.x, fill.y,
                                     canvas::Colour(surface.point(float(fill.x), float(fill.y))));
        } else {
            surface.floodFillBorder(fill.x, fill.y, canvas::Colour(fill.border));
        }
        EXPECT_EQ(ascii::fromImage(surface.imageRef(), kLegend), after);
    }
}

TEST(Fill, WrongStartColourOwnColourHollowBrushOrOutsideChangeNothing) {
    const Picture picture{"..#", "..#"};
    canvas::Surface surface = surfaceWith(picture);
    const auto expectUnchanged = [&] {
        EXPECT_EQ(ascii::fromImage(surface.imageRef(), kLegend), picture);
    };
    surface.floodFillSurface(0, 0, 0); // the pixel is white, not black
    expectUnchanged();
    surface.setFillColor(0xFFFFFF);
    surface.floodFillSurface(0, 0, 0xFFFFFF);
    expectUnchanged();
    surface.setFillColor(0x123456);
    surface.setFillStyle(canvas::kFillTransparent);
    surface.floodFillSurface(0, 0, 0xFFFFFF);
    expectUnchanged();
    surface.setFillStyle(canvas::kFillSolid);
    surface.floodFillSurface(-1, 0, 0xFFFFFF);
    surface.floodFillSurface(3, 0, 0xFFFFFF);
    expectUnchanged();
}

TEST(FillSpans, AreDisjointRunsCoveringTheRegionExactlyOnce) {
    const QImage image = ascii::toImage({".....", ".###.", ".#.#.", ".###.", "....."}, kLegend);
    canvas::FillScratch scratch;
    std::vector<canvas::Span> spans;
    canvas::surfaceFillSpans(image, 0, 0, canvas::toPixel(0xFFFFFF), scratch, spans);
    const int covered = std::accumulate(spans.begin(), spans.end(), 0, [](int sum, auto span) {
        return sum + span.x1 - span.x0 + 1;
    });
    EXPECT_EQ(covered, 16); // the ring of white around the square, not its hole
}

} // namespace
