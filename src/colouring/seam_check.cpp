#include "seam_check.h"

#include "tiling/seams.h"

#include <algorithm>
#include <map>

namespace colouring {

std::vector<SeamBreak> seamBreaks(const QImage& design, const QImage& drawn,
                                  tiling::Repeat repeat) {
    const int width = design.width();
    const auto colourAt = [width](const QImage& image, int pixel) {
        return image.pixel(pixel % width, pixel / width) | 0xFF000000u;
    };
    const auto links = tiling::SeamLinks::of(design.size(), repeat);
    std::vector<int> broken;
    for (const auto& [a, b] : links->pairs()) {
        if (colourAt(drawn, a) == colourAt(drawn, b) &&
            colourAt(design, a) != colourAt(design, b)) {
            broken.push_back(a);
        }
    }
    std::sort(broken.begin(), broken.end());
    std::vector<std::uint8_t> found(std::size_t(width) * std::size_t(design.height()), 0);
    std::vector<SeamBreak> breaks;
    for (const int pixel : broken) {
        if (found[std::size_t(pixel)] != 0) {
            continue;
        }
        const QPoint at(pixel % width, pixel / width);
        CellRegion region = regionCells(drawn, at, repeat);
        std::map<QRgb, int> areas;
        for (std::size_t cell = 0; cell < region.cells.size(); ++cell) {
            if (region.cells[cell] != 0) {
                found[cell] = 1;
                ++areas[colourAt(design, int(cell))];
            }
        }
        const auto largest =
            std::max_element(areas.begin(), areas.end(), [](const auto& left, const auto& right) {
                return left.second < right.second;
            });
        breaks.push_back({std::move(region), at, largest->first});
    }
    return breaks;
}

} // namespace colouring
