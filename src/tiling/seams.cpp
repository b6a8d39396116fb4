#include "seams.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <numeric>
#include <tuple>

namespace tiling {

SeamLinks::SeamLinks(QSize tile, Repeat repeat) : tile_(tile) {
    const int width = tile.width();
    const QSize period = pagePeriod(tile, repeat);
    const auto index = [width](QPoint pixel) { return pixel.y() * width + pixel.x(); };
    page_.assign(std::size_t(width) * std::size_t(tile.height()), 0);
    for (int y = 0; y < period.height(); ++y) {
        for (int x = 0; x < period.width(); ++x) {
            const QPoint here = tilePixelAt({x, y}, tile, repeat);
            page_[cell(here)] |= kShown;
            // The page repeats, so the neighbours past the period's edges are those around it.
            for (const QPoint next : {QPoint(x + 1, y), QPoint(x, y + 1)}) {
                const QPoint there = tilePixelAt(next, tile, repeat);
                const QPoint step = there - here;
                if (step.manhattanLength() > 1) {
                    pairs_.push_back(std::minmax(index(here), index(there)));
                } else if (step.manhattanLength() == 1) {
                    const bool forward = step.x() + step.y() > 0;
                    page_[cell(forward ? here : there)] |=
                        step.x() != 0 ? kJoinedRight : kJoinedDown;
                }
            }
        }
    }
    std::sort(pairs_.begin(), pairs_.end());
    pairs_.erase(std::unique(pairs_.begin(), pairs_.end()), pairs_.end());
    firstLink_.assign(std::size_t(width) * std::size_t(tile.height()) + 1, 0);
    for (const auto& [a, b] : pairs_) {
        ++firstLink_[std::size_t(a) + 1];
        ++firstLink_[std::size_t(b) + 1];
    }
    std::partial_sum(firstLink_.begin(), firstLink_.end(), firstLink_.begin());
    linked_.resize(pairs_.size() * 2);
    std::vector<int> filled(firstLink_.begin(), firstLink_.end() - 1);
    for (const auto& [a, b] : pairs_) {
        linked_[std::size_t(filled[std::size_t(a)]++)] = b;
        linked_[std::size_t(filled[std::size_t(b)]++)] = a;
    }
}

bool SeamLinks::joinedInTile(QPoint pixel, QPoint step) const {
    const QPoint next = pixel + step;
    const bool forward = step.x() + step.y() > 0;
    const std::uint8_t joined = step.x() != 0 ? kJoinedRight : kJoinedDown;
    return (page_[cell(forward ? pixel : next)] & joined) != 0 || (!shown(pixel) && !shown(next));
}

std::shared_ptr<const SeamLinks> SeamLinks::of(QSize tile, Repeat repeat) {
    // Designs come in few sizes; a handful of entries serves them all.
    constexpr std::size_t kKept = 16;
    static std::mutex guard;
    static std::map<std::tuple<int, int, Repeat>, std::shared_ptr<const SeamLinks>> kept;
    const std::lock_guard lock(guard);
    const std::tuple key(tile.width(), tile.height(), repeat);
    if (const auto found = kept.find(key); found != kept.end()) {
        return found->second;
    }
    if (kept.size() >= kKept) {
        kept.clear();
    }
    auto links = std::make_shared<const SeamLinks>(tile, repeat);
    kept.emplace(key, links);
    return links;
}

} // namespace tiling
