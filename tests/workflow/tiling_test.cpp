#include "workflow/tiling.h"

#include <QPainter>
#include <QTransform>
#include <gtest/gtest.h>

namespace {

using workflow::Repeat;

QImage distinctPixels(QSize size) {
    QImage tile(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            tile.setPixel(x, y, qRgb(x * 20, y * 20, 7));
        }
    }
    return tile;
}

QImage rolled(const QImage& tile, int dx, int dy) {
    QImage result(tile.size(), tile.format());
    QPainter painter(&result);
    for (const int x : {dx - tile.width(), dx}) {
        for (const int y : {dy - tile.height(), dy}) {
            painter.drawImage(x, y, tile);
        }
    }
    return result;
}

// The smallest block whose plain repetition is the page, built from Qt's own image operations.
QImage block(const QImage& tile, Repeat repeat) {
    const int w = tile.width();
    const int h = tile.height();
    const auto turned = [&](int degrees) { return tile.transformed(QTransform().rotate(degrees)); };
    struct Placed {
        QPoint at;
        QImage image;
    };
    std::vector<Placed> cells;
    switch (repeat) {
    case Repeat::Straight:
        cells = {{{0, 0}, tile}};
        break;
    case Repeat::HalfDrop:
        cells = {{{0, 0}, tile}, {{w, 0}, rolled(tile, 0, h / 2)}};
        break;
    case Repeat::Brick:
        cells = {{{0, 0}, tile}, {{0, h}, rolled(tile, w / 2, 0)}};
        break;
    case Repeat::Mirror:
        cells = {{{0, 0}, tile},
                 {{w, 0}, tile.mirrored(true, false)},
                 {{0, h}, tile.mirrored(false, true)},
                 {{w, h}, tile.mirrored(true, true)}};
        break;
    case Repeat::Rotate:
        cells = {
            {{0, 0}, tile}, {{w, 0}, turned(90)}, {{w, h}, turned(180)}, {{0, h}, turned(270)}};
        break;
    }
    QImage result(2 * w, 2 * h, QImage::Format_RGB32);
    result.fill(Qt::black);
    QPainter painter(&result);
    for (const Placed& cell : cells) {
        painter.drawImage(cell.at, cell.image);
    }
    painter.end();
    const bool wide = cells.size() > 1 && repeat != Repeat::Brick;
    const bool tall = cells.size() > 1 && repeat != Repeat::HalfDrop;
    return result.copy(0, 0, wide ? 2 * w : w, tall ? 2 * h : h);
}

TEST(Tiling, EveryRepeatShowsItsBlockAndMapsPagePixelsBackToTheTile) {
    const Repeat repeats[] = {Repeat::Straight, Repeat::HalfDrop, Repeat::Brick, Repeat::Mirror,
                              Repeat::Rotate};
    const QSize tiles[] = {{4, 4}, {5, 5}, {1, 1}, {7, 3}};
    const QSize page(23, 17);
    for (const Repeat repeat : repeats) {
        for (const QSize size : tiles) {
            if (repeat == Repeat::Rotate && size.width() != size.height()) {
                continue;
            }
            const QImage tile = distinctPixels(size);
            const QImage expected = block(tile, repeat);
            const QImage page1 = workflow::repeatOver(tile, page, repeat);
            for (int y = 0; y < page.height(); ++y) {
                for (int x = 0; x < page.width(); ++x) {
                    const QRgb want = expected.pixel(x % expected.width(), y % expected.height());
                    ASSERT_EQ(page1.pixel(x, y), want)
                        << int(repeat) << " tile " << size.width() << " at " << x << "," << y;
                    ASSERT_EQ(tile.pixel(workflow::tilePixelAt({x, y}, size, repeat)), want);
                }
            }
        }
    }
}

TEST(Tiling, QuarterTurnsOfAnOblongTileAreStretchedBackToItsSize) {
    // 4 x 2 tile: a quarter turn is 2 x 4, stretched to 4 x 2 by nearest pixels.
    const QSize tile(4, 2);
    const workflow::CellOrientation quarter{1, false};
    const std::vector<std::pair<QPoint, QPoint>> cases = {
        {{0, 0}, {0, 1}}, {{1, 0}, {0, 1}}, {{2, 0}, {0, 0}}, {{3, 1}, {2, 0}}};
    for (const auto& [inCell, source] : cases) {
        EXPECT_EQ(workflow::tilePixelInCell(inCell, tile, quarter), source) << inCell.x();
    }
}

TEST(Tiling, WrappedArithmeticFloorsNegativeCoordinates) {
    const std::vector<std::array<int, 4>> cases = {
        {7, 3, 2, 1}, {-1, 3, -1, 2}, {-3, 3, -1, 0}, {-4, 3, -2, 2}, {0, 5, 0, 0}};
    for (const auto& [value, period, cell, inside] : cases) {
        EXPECT_EQ(workflow::floorDiv(value, period), cell) << value;
        EXPECT_EQ(workflow::wrapped(value, period), inside) << value;
    }
}

} // namespace
