#pragma once

#include "tiling.h"

#include <QPoint>
#include <QSize>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace tiling {

// The tile pixels a repeat puts side by side across its seams: a and b are linked when two
// 4-adjacent page pixels show them (tilePixelAt) and they are neither the same pixel nor
// 4-neighbours inside the tile, which join them anyway. Worked out from tilePixelAt over one
// pagePeriod, so every repeat has its links without a rule of its own. Pixels are indices
// y * width + x.
class SeamLinks {
  public:
    // The links of a repeat for a tile of this size, worked out once and kept (thread-safe).
    static std::shared_ptr<const SeamLinks> of(QSize tile, Repeat repeat);

    SeamLinks(QSize tile, Repeat repeat);
    QSize tile() const { return tile_; }
    // The pixels linked to one pixel.
    std::span<const int> linked(int pixel) const {
        return {linked_.data() + firstLink_[std::size_t(pixel)],
                linked_.data() + firstLink_[std::size_t(pixel) + 1]};
    }
    // Every link once, the smaller index first.
    const std::vector<std::pair<int, int>>& pairs() const { return pairs_; }
    // Whether the page shows the pixel at all: a wallpaper group leaves part of the design unused.
    bool shown(QPoint pixel) const { return (page_[cell(pixel)] & kShown) != 0; }
    // Whether a region spreads from `pixel` to its tile neighbour `pixel + step` (a unit step):
    // when the page shows the two side by side, or shows neither of them.
    bool joinedInTile(QPoint pixel, QPoint step) const;

  private:
    enum : std::uint8_t { kJoinedRight = 1, kJoinedDown = 2, kShown = 4 };
    std::size_t cell(QPoint pixel) const {
        return std::size_t(pixel.y() * tile_.width() + pixel.x());
    }

    QSize tile_;
    std::vector<std::uint8_t> page_; // per pixel: how the page shows it (the flags above)
    std::vector<std::pair<int, int>> pairs_;
    std::vector<int> firstLink_; // where each pixel's links start in linked_, and one past the end
    std::vector<int> linked_;
};

} // namespace tiling
