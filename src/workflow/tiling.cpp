#include "tiling.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>

namespace workflow {
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

TiledRows::TiledRows(TileBytes tile, int pageWidth, Repeat repeat)
    : tile_(tile), pageWidth_(pageWidth), repeat_(repeat) {
    const bool twoCellPeriod =
        repeat == Repeat::HalfDrop || repeat == Repeat::Mirror || repeat == Repeat::Rotate;
    period_ = tile.size.width() * (twoCellPeriod ? 2 : 1);
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
        if ((orientation.quarterTurns & 1) == 0) {
            // Upright or half-turned: one tile row, read forwards or backwards.
            const QPoint first = tilePixelInCell(cell.inCell, tile_.size, orientation);
            const uchar* from = tile_.bits + qsizetype(first.y()) * tile_.bytesPerLine +
                                qsizetype(first.x()) * bytesPerPixel;
            const bool backwards = ((orientation.quarterTurns & 2) != 0) != orientation.mirrored;
            if (!backwards) {
                std::memcpy(out, from, std::size_t(span) * std::size_t(bytesPerPixel));
            } else {
                for (int i = 0; i < span; ++i) {
                    std::memcpy(out + qsizetype(i) * bytesPerPixel,
                                from - qsizetype(i) * bytesPerPixel, std::size_t(bytesPerPixel));
                }
            }
        } else {
            for (int i = 0; i < span; ++i) {
                const QPoint source =
                    tilePixelInCell(cell.inCell + QPoint(i, 0), tile_.size, orientation);
                std::memcpy(out + qsizetype(i) * bytesPerPixel,
                            tile_.bits + qsizetype(source.y()) * tile_.bytesPerLine +
                                qsizetype(source.x()) * bytesPerPixel,
                            std::size_t(bytesPerPixel));
            }
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

namespace {

// A page-sized tiling is mostly the cost of first touching its memory: ask for huge pages, which
// take one fault where small pages take hundreds.
QImage largeImage(QSize size) {
    constexpr std::size_t kHugePage = std::size_t(2) << 20;
    const qsizetype bytesPerLine = qsizetype(size.width()) * qsizetype(sizeof(QRgb));
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(std::max(size.height(), 0));
    if (size.isEmpty() || bytes < kHugePage) {
        return QImage(size, QImage::Format_RGB32);
    }
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* memory = std::aligned_alloc(kHugePage, rounded);
    if (memory == nullptr) {
        return QImage(size, QImage::Format_RGB32);
    }
    madvise(memory, rounded, MADV_HUGEPAGE);
    return QImage(static_cast<uchar*>(memory), size.width(), size.height(), bytesPerLine,
                  QImage::Format_RGB32, std::free, memory);
}

} // namespace

QImage repeatOver(const QImage& source, QSize area, Repeat repeat) {
    const QImage tile = source.convertToFormat(QImage::Format_RGB32);
    QImage result = largeImage(area);
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

} // namespace workflow
