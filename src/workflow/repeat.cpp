#include "repeat.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>

namespace workflow {

std::vector<QPoint> tilePlacements(QSize tile, QSize area, Repeat repeat) {
    std::vector<QPoint> placements;
    if (tile.isEmpty() || area.isEmpty()) {
        return placements;
    }
    const int width = tile.width();
    const int height = tile.height();
    if (repeat == Repeat::HalfDrop) {
        for (int column = 0; column * width < area.width(); ++column) {
            const int drop = column % 2 == 1 ? height / 2 : 0;
            for (int y = drop > 0 ? drop - height : 0; y < area.height(); y += height) {
                placements.emplace_back(column * width, y);
            }
        }
        std::stable_sort(placements.begin(), placements.end(),
                         [](QPoint a, QPoint b) { return a.y() < b.y(); });
        return placements;
    }
    for (int row = 0; row * height < area.height(); ++row) {
        const int shift = repeat == Repeat::Brick && row % 2 == 1 ? width / 2 : 0;
        for (int x = shift > 0 ? shift - width : 0; x < area.width(); x += width) {
            placements.emplace_back(x, row * height);
        }
    }
    return placements;
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
    for (const QPoint origin : tilePlacements(tile.size(), area, repeat)) {
        const int left = std::max(origin.x(), 0);
        const int right = std::min(origin.x() + tile.width(), area.width());
        const int top = std::max(origin.y(), 0);
        const int bottom = std::min(origin.y() + tile.height(), area.height());
        const std::size_t bytes = std::size_t(right - left) * sizeof(QRgb);
        for (int y = top; y < bottom; ++y) {
            const auto* from = reinterpret_cast<const QRgb*>(tile.constScanLine(y - origin.y()));
            auto* to = reinterpret_cast<QRgb*>(result.scanLine(y));
            std::memcpy(to + left, from + (left - origin.x()), bytes);
        }
    }
    return result;
}

} // namespace workflow
