#include "repeat.h"

#include <algorithm>
#include <cstring>

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

QImage repeatOver(const QImage& source, QSize area, Repeat repeat) {
    const QImage tile = source.convertToFormat(QImage::Format_RGB32);
    QImage result(area, QImage::Format_RGB32);
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
