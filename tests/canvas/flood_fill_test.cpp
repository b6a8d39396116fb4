#include "ascii_picture.h"
#include "canvas/flood_fill.h"
#include "canvas/surface.h"

#include <gtest/gtest.h>

namespace {

using Picture = std::vector<std::string>;

const ascii::Legend kLegend{{'.', 0xFFFFFF}, {'#', 0}, {'r', 0x0000FF}, {'f', 0x123456}};

// A surface whose client area holds the given picture, with a solid fill brush of colour 'f'.
canvas::Surface surfaceWith(const Picture& picture) {
    canvas::SurfaceSetup setup;
    setup.outerWidth = float(picture.front().size()) + 4;
    setup.outerHeight = float(picture.size()) + 4;
    setup.fillStyle = canvas::kFillSolid;
    setup.fillColor = 0x123456;
    canvas::Surface surface(setup);
    surface.setPicture(ascii::toImage(picture, kLegend));
    return surface;
}

Picture surfaceFill(const Picture& picture, int x, int y) {
    canvas::Surface surface = surfaceWith(picture);
    surface.floodFillSurface(x, y, canvas::Colour(surface.point(float(x), float(y))));
    return ascii::fromImage(surface.imageRef(), kLegend);
}

TEST(SurfaceFill, FillsOnlyTheFourConnectedRegionOfOneColour) {
    const Picture before{
        "....#...", "....#...", "#####...", "...#....", "...#....",
    };
    const Picture after{
        "ffff#...", "ffff#...", "#####...", "...#....", "...#....",
    };
    EXPECT_EQ(surfaceFill(before, 1, 1), after);
}

TEST(SurfaceFill, DiagonalLinesStopTheFill) {
    const Picture before{
        "#.....", ".#....", "..#...", "...#..", "....#.",
    };
    const Picture after{
        "#fffff", ".#ffff", "..#fff", "...#ff", "....#f",
    };
    EXPECT_EQ(surfaceFill(before, 5, 0), after);
}

TEST(SurfaceFill, PressOnALineRecoloursTheWholeConnectedLine) {
    const Picture before{
        "..#...r.",
        "..#...r.",
        "######r#",
        "..#...r.",
    };
    const Picture after{
        "..f...r.",
        "..f...r.",
        "ffffffr#",
        "..f...r.",
    };
    EXPECT_EQ(surfaceFill(before, 2, 0), after);
}

TEST(SurfaceFill, ReachesIntoEverySerpentineBendWithoutRecursion) {
    const Picture before{
        "........", "#######.", "........", ".#######", "........", "#######.", "........",
    };
    const Picture after{
        "ffffffff", "#######f", "ffffffff", "f#######", "ffffffff", "#######f", "ffffffff",
    };
    EXPECT_EQ(surfaceFill(before, 0, 6), after);
}

TEST(SurfaceFill, WrongStartColourOwnColourOrHollowBrushChangeNothing) {
    const Picture picture{
        "..#",
        "..#",
    };
    canvas::Surface surface = surfaceWith(picture);
    surface.floodFillSurface(0, 0, 0); // the pixel is white, not black
    EXPECT_EQ(ascii::fromImage(surface.imageRef(), kLegend), picture);

    surface.setFillColor(0xFFFFFF);
    surface.floodFillSurface(0, 0, 0xFFFFFF);
    EXPECT_EQ(ascii::fromImage(surface.imageRef(), kLegend), picture);

    surface.setFillColor(0x123456);
    surface.setFillStyle(canvas::kFillTransparent);
    surface.floodFillSurface(0, 0, 0xFFFFFF);
    EXPECT_EQ(ascii::fromImage(surface.imageRef(), kLegend), picture);

    surface.setFillStyle(canvas::kFillSolid);
    surface.floodFillSurface(-1, 0, 0xFFFFFF);
    surface.floodFillSurface(3, 0, 0xFFFFFF);
    EXPECT_EQ(ascii::fromImage(surface.imageRef(), kLegend), picture);
}

TEST(BorderFill, StopsOnlyAtTheBorderColourAndCrossesOthers) {
    const Picture before{
        "######", "#..r.#", "#.rr.#", "#....#", "######", "......",
    };
    const Picture after{
        "######", "#ffff#", "#ffff#", "#ffff#", "######", "......",
    };
    canvas::Surface surface = surfaceWith(before);
    surface.floodFillBorder(1, 1, 0);
    EXPECT_EQ(ascii::fromImage(surface.imageRef(), kLegend), after);
}

TEST(BorderFill, StartingOnTheBorderPaintsNothing) {
    const Picture picture{
        "..#..",
        "..#..",
    };
    canvas::Surface surface = surfaceWith(picture);
    surface.floodFillBorder(2, 0, 0);
    EXPECT_EQ(ascii::fromImage(surface.imageRef(), kLegend), picture);
}

TEST(BorderFill, PixelsAlreadyInTheFillColourDoNotSplitTheRegion) {
    const Picture before{
        "#####",
        "#.f.#",
        "#.f.#",
        "#####",
    };
    const Picture after{
        "#####",
        "#fff#",
        "#fff#",
        "#####",
    };
    canvas::Surface surface = surfaceWith(before);
    surface.floodFillBorder(1, 1, 0);
    EXPECT_EQ(ascii::fromImage(surface.imageRef(), kLegend), after);
}

TEST(FillSpans, AreDisjointRunsCoveringTheRegionExactlyOnce) {
    const QImage image = ascii::toImage(
        {
            ".....",
            ".###.",
            ".#.#.",
            ".###.",
            ".....",
        },
        kLegend);
    canvas::FillScratch scratch;
    std::vector<canvas::Span> spans;
    canvas::surfaceFillSpans(image, 0, 0, canvas::toPixel(0xFFFFFF), scratch, spans);
    int covered = 0;
    for (const canvas::Span& span : spans) {
        covered += span.x1 - span.x0 + 1;
    }
    EXPECT_EQ(covered, 16); // the ring of white around the square, not its hole
}

} // namespace
