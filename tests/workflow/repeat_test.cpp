#include "workflow/repeat.h"

#include <gtest/gtest.h>

namespace {

using workflow::Repeat;
using workflow::tilePlacements;

std::vector<QPoint> points(std::initializer_list<QPoint> list) {
    return list;
}

TEST(Repeat, StraightTilesStartAtMultiplesOfTheTile) {
    EXPECT_EQ(tilePlacements({10, 10}, {25, 15}, Repeat::Straight),
              points({{0, 0}, {10, 0}, {20, 0}, {0, 10}, {10, 10}, {20, 10}}));
}

TEST(Repeat, HalfDropLowersEveryOtherColumnByHalfATile) {
    EXPECT_EQ(tilePlacements({10, 10}, {20, 12}, Repeat::HalfDrop),
              points({{10, -5}, {0, 0}, {10, 5}, {0, 10}}));
}

TEST(Repeat, BrickShiftsEveryOtherRowByHalfATile) {
    EXPECT_EQ(tilePlacements({10, 10}, {12, 20}, Repeat::Brick),
              points({{0, 0}, {10, 0}, {-5, 10}, {5, 10}}));
}

TEST(Repeat, EveryPixelOfTheAreaComesFromTheTileAtItsOffset) {
    QImage tile(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            tile.setPixel(x, y, qRgb(x * 60, y * 60, 7));
        }
    }
    const QImage half = workflow::repeatOver(tile, {9, 9}, Repeat::HalfDrop);
    const QImage brick = workflow::repeatOver(tile, {9, 9}, Repeat::Brick);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            const int drop = (x / 4) % 2 == 1 ? 2 : 0;
            ASSERT_EQ(half.pixel(x, y), tile.pixel(x % 4, (y - drop + 4) % 4)) << x << "," << y;
            const int shift = (y / 4) % 2 == 1 ? 2 : 0;
            ASSERT_EQ(brick.pixel(x, y), tile.pixel((x - shift + 4) % 4, y % 4)) << x << "," << y;
        }
    }
}

TEST(Repeat, EmptyTileOrAreaGivesNoTiles) {
    EXPECT_TRUE(tilePlacements({0, 10}, {100, 100}, Repeat::Straight).empty());
    EXPECT_TRUE(tilePlacements({10, 10}, {0, 100}, Repeat::Brick).empty());
}

} // namespace
