#include "tiling.h"

#include "canvas/raster.h"

#include <algorithm>
#include <cstring>

namespace tiling {
namespace {

struct CellPosition {
    int column;
    int row;
    QPoint inCell;
};

// The cell a page pixel falls in. Half-drop lowers odd columns and brick shifts odd rows by half
// a tile; the other repeats keep a plain grid.
CellPosition cellAt(QPoint page, QSize tile, Repeat repeat) {
    const int width = tile.width();
    const int height = tile.height();
    int x = page.x();
    int y = page.y();
    if (repeat == Repeat::HalfDrop && (floorDiv(x, width) & 1) != 0) {
        y -= height / 2;
    }
    if (repeat == Repeat::Brick && (floorDiv(y, height) & 1) != 0) {
        x -= width / 2;
    }
    return {floorDiv(x, width), floorDiv(y, height), {wrapped(x, width), wrapped(y, height)}};
}

CellOrientation orientationOf(int column, int row, Repeat repeat) {
    const bool oddColumn = (column & 1) != 0;
    const bool oddRow = (row & 1) != 0;
    if (repeat == Repeat::Mirror) {
        // A top-bottom flip is a left-right mirror followed by a half turn.
        return {oddRow ? 2 : 0, oddColumn != oddRow};
    }
    if (repeat == Repeat::Rotate) {
        static constexpr int kTurns[2][2] = {{0, 1}, {3, 2}};
        return {kTurns[oddRow][oddColumn], false};
    }
    return {};
}

// Copies `count` pixels of Size bytes, the i-th read at from + i * step.
template <int Size> void copyPixels(uchar* out, const uchar* from, qsizetype step, int count) {
    if (step == Size) {
        std::memcpy(out, from, std::size_t(count) * Size);
        return;
    }
    for (int i = 0; i < count; ++i) {
        std::memcpy(out + qsizetype(i) * Size, from + qsizetype(i) * step, Size);
    }
}

void copyPixels(uchar* out, const uchar* from, qsizetype step, int count, int bytesPerPixel) {
    switch (bytesPerPixel) {
    case 1:
        copyPixels<1>(out, from, step, count);
        break;
    case 3:
        copyPixels<3>(out, from, step, count);
        break;
    default:
        copyPixels<4>(out, from, step, count);
        break;
    }
}

} // namespace

QPoint tilePixelInCell(QPoint inCell, QSize tile, CellOrientation orientation) {
    const int width = tile.width();
    const int height = tile.height();
    const int x = inCell.x();
    const int y = inCell.y();
    // A quarter-turned tile is height x width; u, v are the cell point stretched onto it.
    const int u = int(qint64(x) * height / width);
    const int v = int(qint64(y) * width / height);
    QPoint unturned;
    switch (orientation.quarterTurns & 3) {
    case 0:
        unturned = {x, y};
        break;
    case 1:
        unturned = {v, height - 1 - u};
        break;
    case 2:
        unturned = {width - 1 - x, height - 1 - y};
        break;
    default:
        unturned = {width - 1 - v, u};
        break;
    }
    if (orientation.mirrored) {
        unturned.setX(width - 1 - unturned.x());
    }
    return unturned;
}

QPoint tilePixelAt(QPoint pagePixel, QSize tile, Repeat repeat) {
    const CellPosition cell = cellAt(pagePixel, tile, repeat);
    return tilePixelInCell(cell.inCell, tile, orientationOf(cell.column, cell.row, repeat));
}

QSize pagePeriod(QSize tile, Repeat repeat) {
    const int width = tile.width();
    const int height = tile.height();
    switch (repeat) {
    case Repeat::Straight:
        return tile;
    case Repeat::HalfDrop:
        return {2 * width, height};
    case Repeat::Brick:
        return {width, 2 * height};
    default:
        return {2 * width, 2 * height};
    }
}

TiledRows::TiledRows(TileBytes tile, int pageWidth, Repeat repeat)
    : tile_(tile), pageWidth_(pageWidth), repeat_(repeat) {
    const bool twoCellPeriod =
        repeat == Repeat::HalfDrop || repeat == Repeat::Mirror || repeat == Repeat::Rotate;
    period_ = tile.size.width() * (twoCellPeriod ? 2 : 1);
}

const uchar* TiledRows::pixelAt(QPoint tilePixel) const {
    return tile_.bits + qsizetype(tilePixel.y()) * tile_.bytesPerLine +
           qsizetype(tilePixel.x()) * tile_.bytesPerPixel;
}

void TiledRows::fill(int y, uchar* row) const {
    const int width = tile_.size.width();
    const int bytesPerPixel = tile_.bytesPerPixel;
    const int periodEnd = std::min(period_, pageWidth_);
    for (int x = 0; x < periodEnd;) {
        const CellPosition cell = cellAt({x, y}, tile_.size, repeat_);
        const CellOrientation orientation = orientationOf(cell.column, cell.row, repeat_);
        const int span = std::min(width - cell.inCell.x(), periodEnd - x);
        uchar* out = row + qsizetype(x) * bytesPerPixel;
        const QPoint first = tilePixelInCell(cell.inCell, tile_.size, orientation);
        if ((orientation.quarterTurns & 1) != 0 && width != tile_.size.height()) {
            // A stretched quarter turn steps unevenly through the tile: pixel by pixel.
            for (int i = 0; i < span; ++i) {
                const QPoint source =
                    tilePixelInCell(cell.inCell + QPoint(i, 0), tile_.size, orientation);
                copyPixels(out + qsizetype(i) * bytesPerPixel, pixelAt(source), 0, 1,
                           bytesPerPixel);
            }
        } else {
            // Along a tile row, forwards or backwards, or down or up a column of a square tile.
            const QPoint second =
                span > 1 ? tilePixelInCell(cell.inCell + QPoint(1, 0), tile_.size, orientation)
                         : first + QPoint(1, 0);
            const qsizetype step = (second.y() - first.y()) * tile_.bytesPerLine +
                                   (second.x() - first.x()) * bytesPerPixel;
            copyPixels(out, pixelAt(first), step, span, bytesPerPixel);
        }
        x += span;
    }
    // Every row repeats with the period: copy what is made onto the rest, doubling each time.
    const std::size_t total = std::size_t(pageWidth_) * std::size_t(bytesPerPixel);
    std::size_t filled = std::size_t(periodEnd) * std::size_t(bytesPerPixel);
    while (filled < total) {
        const std::size_t chunk = std::min(filled, total - filled);
        std::memcpy(row + filled, row, chunk);
        filled += chunk;
    }
}

QImage repeatOver(const QImage& source, QSize area, Repeat repeat) {
    const QImage tile = source.convertToFormat(QImage::Format_RGB32);
    QImage result = canvas::largeImage(area);
    if (result.isNull() || tile.isNull()) {
        return result;
    }
    const TiledRows rows({tile.constBits(), tile.bytesPerLine(), tile.size(), 4}, area.width(),
                         repeat);
    for (int y = 0; y < area.height(); ++y) {
        rows.fill(y, result.scanLine(y));
    }
    return result;
}

} // namespace tiling
