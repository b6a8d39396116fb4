#include "tiling/tiling.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <numbers>
#include <random>

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
        std::string tile;
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
        // Each column lowered, or each row shifted, a third or a quarter of a tile more.
        {"ab/cd/ef", Repeat::HalfDropThird, "abefcd/cdabef/efcdab"},
        {"a/b/c/d", Repeat::HalfDropQuarter, "adcb/badc/cbad/dcba"},
        {"abc/def", Repeat::BrickThird, "abcabc/defdef/cabcab/fdefde/bcabca/efdefd"},
        {"abcd/efgh", Repeat::BrickQuarter, "abcd/efgh/dabc/hefg/cdab/ghef/bcda/fghe"},
        // A second copy at the centre of a cell twice the tile's size, the rest the tile's ground.
        {"ab/cd", Repeat::Centre, "abaa/cdaa/aaab/aacd"},
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

TEST(Tiling, EveryRepeatsRowsAgreeWithItsPixelMapAndRepeatAfterItsPeriod) {
    const QImage tile = image("abcde/fghij/klmno");
    for (int index = 0; index < tiling::kRepeatCount; ++index) {
        SCOPED_TRACE(tiling::kRepeatNames[index]);
        const Repeat repeat = Repeat(index);
        const QSize period = tiling::pagePeriod(tile.size(), repeat);
        const QImage page = tiling::repeatOver(tile, period * 2 + QSize(3, 3), repeat);
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QPoint shown = tiling::tilePixelAt({x, y}, tile.size(), repeat);
                ASSERT_EQ(page.pixel(x, y), tile.pixel(shown)) << x << "," << y;
                ASSERT_EQ(tiling::tilePixelAt({x - period.width(), y - 2 * period.height()},
                                              tile.size(), repeat),
                          shown)
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

// A symmetry of the plane on pixel centres: mirrored left-right first if asked, turned about the
// origin, then moved by a fraction of the page's period.
struct PlaneMap {
    int degrees = 0;
    bool mirrored = false;
    double acrossPeriods = 0;
    double downPeriods = 0;
};

// The share of page pixels (of one period) showing the same colour as the pixel nearest to where
// the map takes their centre.
double unmovedShare(const QImage& page, const PlaneMap& map) {
    const double cosine = std::cos(map.degrees * std::numbers::pi / 180);
    const double sine = std::sin(map.degrees * std::numbers::pi / 180);
    long long same = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const double cx = (map.mirrored ? -1 : 1) * (x + 0.5), cy = y + 0.5;
            const int toX =
                int(std::floor(cosine * cx - sine * cy + map.acrossPeriods * page.width()));
            const int toY =
                int(std::floor(sine * cx + cosine * cy + map.downPeriods * page.height()));
            same += page.pixel(x, y) == page.pixel(tiling::wrapped(toX, page.width()),
                                                   tiling::wrapped(toY, page.height()));
        }
    }
    return double(same) / (double(page.width()) * page.height());
}

TEST(Tiling, EveryWallpaperGroupMapsThePageOntoItselfAndNotUnderASymmetryItLacks) {
    const PlaneMap mirror{0, true}, flip{180, true}, halfTurn{180}, quarterTurn{90},
        diagonal{90, true}, centring{0, false, 0.5, 0.5}, sixthTurn{60}, thirdTurn{120};
    const struct {
        Repeat group;
        std::vector<PlaneMap> symmetries;
        PlaneMap lacked;
    } cases[] = {
        {Repeat::P1, {{0, false, 1, 0}}, halfTurn},
        {Repeat::P2, {halfTurn}, mirror},
        {Repeat::Pm, {mirror}, halfTurn},
        {Repeat::Pg, {{0, true, 0, 0.5}}, mirror},
        {Repeat::Cm, {mirror, centring}, halfTurn},
        {Repeat::Pmm, {mirror, flip}, centring},
        {Repeat::Pmg, {halfTurn, {0, true, 0.5, 0}, {180, true, 0.5, 0}}, flip},
        {Repeat::Pgg, {halfTurn, {0, true, 0.5, 0.5}}, mirror},
        {Repeat::Cmm, {mirror, flip, centring}, {0, true, 0.5, 0}},
        {Repeat::P4, {quarterTurn}, mirror},
        {Repeat::P4m, {quarterTurn, mirror, diagonal}, centring},
        {Repeat::P4g, {quarterTurn, {0, true, 0.5, 0.5}}, mirror},
        {Repeat::P3, {thirdTurn}, halfTurn},
        {Repeat::P3m1, {thirdTurn, mirror}, flip},
        {Repeat::P31m, {thirdTurn, flip}, mirror},
        {Repeat::P6, {sixthTurn}, flip},
        {Repeat::P6m, {sixthTurn, flip}, {0, false, 0.5, 0}},
    };
    for (const auto& c : cases) {
        const char* name = tiling::kRepeatNames[int(c.group)];
        SCOPED_TRACE(name);
        // Hexagonal: sqrt(3) W nearly whole, keeping the angles. Rectangular: an odd width.
        const bool hexagonal = c.group >= Repeat::P3;
        const QSize designSize = hexagonal ? QSize(780, 675) : QSize(171, 94);
        // An F, which no symmetry keeps, amid the part the group uses, sized to the part so that
        // moved wrongly it is missed while its edges' nearest-pixel differences stay few.
        const QPolygonF part = tiling::usedPart(designSize, c.group);
        const QRectF around =
            part.isEmpty() ? QRectF(QPointF(0, 0), designSize) : part.boundingRect();
        const int side = int(0.12 * std::sqrt(around.width() * around.height()));
        QImage design(designSize, QImage::Format_RGB32);
        design.fill(Qt::white);
        // The exact groups take any design: noise, in which every pixel differs.
        std::mt19937 noise(int(c.group));
        auto* pixels = reinterpret_cast<QRgb*>(design.bits());
        std::generate_n(pixels, hexagonal ? 0 : design.width() * design.height(),
                        [&] { return noise() | 0xFF000000u; });
        QPainter painter(&design);
        painter.translate(around.center() - QPointF(side / 4.0, side / 2.0));
        painter.fillRect(QRect(0, 0, side / 5, side), Qt::black);
        painter.fillRect(QRect(0, 0, side * 2 / 3, side / 5), Qt::black);
        painter.fillRect(QRect(0, side * 9 / 20, side * 9 / 20, side / 5), Qt::black);
        painter.end();
        const QImage page =
            tiling::repeatOver(design, tiling::pagePeriod(designSize, c.group), c.group);
        const double least = hexagonal ? 0.999 : 1.0;
        for (const PlaneMap& symmetry : c.symmetries) {
            EXPECT_GE(unmovedShare(page, symmetry), least) << symmetry.degrees;
        }
        EXPECT_LT(unmovedShare(page, c.lacked), 0.999);
        // Well inside the used part, the page shows the design stretched to the group's cell.
        const QSizeF cell(page.width(), hexagonal ? page.height() / 2.0 : page.height());
        const auto inside = [&](QPointF at) {
            return part.isEmpty() || part.containsPoint(at, Qt::OddEvenFill);
        };
        for (int y = 0; y < int(cell.height()); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QPointF at((x + 0.5) * designSize.width() / cell.width(),
                                 (y + 0.5) * designSize.height() / cell.height());
                if (inside(at + QPointF(1, 1)) && inside(at - QPointF(1, 1)) &&
                    inside(at + QPointF(1, -1)) && inside(at - QPointF(1, -1))) {
                    ASSERT_EQ(page.pixel(x, y), design.pixel(int(at.x()), int(at.y())))
                        << x << "," << y;
                }
            }
        }
    }
}

} // namespace
