#include "tiling/tiling.h"

#include <gtest/gtest.h>

namespace {

using tiling::Repeat;

// Pictures as text, rows separated by '/': each letter is a pixel of a colour of its own.
QImage image(const std::string& picture) {
    const int width = int(picture.find('/'));
    QImage result(width, int(picture.size() + 1) / (width + 1), QImage::Format_RGB32);
    for (int i = 0; i < int(picture.size()); ++i) {
        if (picture[i] != '/') {
            result.setPixel(i % (width + 1), i / (width + 1), qRgb(picture[i], picture[i], 0));
        }
    }
    return result;
}

std::string text(const QImage& image) {
    std::string picture;
    for (int y = 0; y < image.height(); ++y) {
        picture += y > 0 ? "/" : "";
        for (int x = 0; x < image.width(); ++x) {
            picture += char(qRed(image.pixel(x, y)));
        }
    }
    return picture;
}

TEST(Tiling, EveryRepeatLaysItsTilesOutAndMapsPagePixelsBackToTheTile) {
    const std::string square = "abcd/efgh/ijkl/mnop";
    const std::string oblong = "abc/def";
    const struct {
        const std::string& tile;
        Repeat repeat;
        const char* page;
    } cases[] = {
        {square, Repeat::Straight,
         "abcdabcdab/efghefghef/ijklijklij/mnopmnopmn/abcdabcdab/efghefghef/ijklijklij/mnopmnopmn"},
        // Odd columns lowered by half a tile.
        {square, Repeat::HalfDrop,
         "abcdijklab/efghmnopef/ijklabcdij/mnopefghmn/abcdijklab/efghmnopef/ijklabcdij/mnopefghmn"},
        {oblong, Repeat::HalfDrop, "abcdefabc/defabcdef/abcdefabc/defabcdef/abcdefabc/defabcdef"},
        // Odd rows shifted by half a tile.
        {square, Repeat::Brick,
         "abcdabcdab/efghefghef/ijklijklij/mnopmnopmn/cdabcdabcd/ghefghefgh/klijklijkl/opmnopmnop"},
        {oblong, Repeat::Brick, "abcabcabc/defdefdef/cabcabcab/fdefdefde/abcabcabc/defdefdef"},
        {square, Repeat::Mirror,
         "abcddcbaab/efghhgfeef/ijkllkjiij/mnopponmmn/mnopponmmn/ijkllkjiij/efghhgfeef/abcddcbaab"},
        {oblong, Repeat::Mirror, "abccbaabc/deffeddef/deffeddef/abccbaabc/abccbaabc/deffeddef"},
        // Quarter turns clockwise: none and one along the top, three and two below.
        {square, Repeat::Rotate,
         "abcdmieaab/efghnjfbef/ijklokgcij/mnopplhdmn/dhlpponmdh/cgkolkjicg/bfjnhgfebf/aeimdcbaae"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        const QImage tile = image(c.tile);
        const QImage page = image(c.page);
        EXPECT_EQ(text(tiling::repeatOver(tile, page.size(), c.repeat)), c.page);
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                ASSERT_EQ(tile.pixel(tiling::tilePixelAt({x, y}, tile.size(), c.repeat)),
                          page.pixel(x, y))
                    << x << "," << y;
            }
        }
    }
}

TEST(Tiling, QuarterTurnsOfAnOblongTileAreStretchedBackToItsSize) {
    // 4 x 2 tile: a quarter turn is 2 x 4, stretched to 4 x 2 by nearest pixels.
    const std::pair<QPoint, QPoint> cases[] = {
        {{0, 0}, {0, 1}}, {{1, 0}, {0, 1}}, {{2, 0}, {0, 0}}, {{3, 1}, {2, 0}}};
    for (const auto& [inCell, source] : cases) {
        EXPECT_EQ(tiling::tilePixelInCell(inCell, {4, 2}, {1, false}), source) << inCell.x();
    }
}

TEST(Tiling, WrappedArithmeticFloorsNegativeCoordinates) {
    const std::array<int, 4> cases[] = {
        {7, 3, 2, 1}, {-1, 3, -1, 2}, {-3, 3, -1, 0}, {-4, 3, -2, 2}, {0, 5, 0, 0}};
    for (const auto& [value, period, cell, inside] : cases) {
        EXPECT_EQ(tiling::floorDiv(value, period), cell) << value;
        EXPECT_EQ(tiling::wrapped(value, period), inside) << value;
    }
}

} // namespace
