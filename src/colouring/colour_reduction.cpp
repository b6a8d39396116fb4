#include "colour_reduction.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace colouring {

ColourReducer::ColourReducer(std::vector<PaletteEntry> colours, const QSet<QRgb>& locked)
    : colours_(std::move(colours)) {
    std::vector<QRgb> values;
    for (const PaletteEntry& entry : colours_) {
        values.push_back(entry.colour);
        locked_.push_back(locked.contains(entry.colour | 0xFF000000u));
    }
    labs_ = labOf(values);
    const int count = colourCount();
    byLightness_.resize(std::size_t(count));
    std::iota(byLightness_.begin(), byLightness_.end(), 0);
    std::stable_sort(byLightness_.begin(), byLightness_.end(), [this](int one, int other) {
        return labs_[std::size_t(one)].lightness < labs_[std::size_t(other)].lightness;
    });
    const LightnessLinks links = everyColourLinked();
    for (int colour = 0; colour < count; ++colour) {
        firstNearest_.push_back(nearestTo(colour, links));
    }
}

ColourReducer::LightnessLinks ColourReducer::everyColourLinked() const {
    const int count = colourCount();
    LightnessLinks links{std::vector<int>(std::size_t(count), -1),
                         std::vector<int>(std::size_t(count), -1)};
    for (int place = 0; place < count; ++place) {
        const std::size_t colour = std::size_t(byLightness_[std::size_t(place)]);
        links.previous[colour] = place > 0 ? byLightness_[std::size_t(place - 1)] : -1;
        links.next[colour] = place + 1 < count ? byLightness_[std::size_t(place + 1)] : -1;
    }
    return links;
}

ColourReducer::Nearest ColourReducer::nearestTo(int group, const LightnessLinks& links) const {
    Nearest best;
    const Lab& lab = labs_[std::size_t(group)];
    // Outwards in lightness each way, until the lightness alone puts the rest farther away.
    for (const std::vector<int>* towards : {&links.next, &links.previous}) {
        for (int other = (*towards)[std::size_t(group)]; other >= 0;
             other = (*towards)[std::size_t(other)]) {
            const Lab& otherLab = labs_[std::size_t(other)];
            if (best.group >= 0 &&
                std::abs(otherLab.lightness - lab.lightness) > kLightnessBound * best.difference) {
                break;
            }
            if (!mayMerge(group, other)) {
                continue;
            }
            const double difference = colourDifference(lab, otherLab);
            if (best.group < 0 || difference < best.difference ||
                (difference == best.difference && other < best.group)) {
                best = {other, difference};
            }
        }
    }
    return best;
}

ReducedColours ColourReducer::reduce(const ColourReduction& reduction) const {
    const int count = colourCount();
    LightnessLinks links = everyColourLinked();
    std::vector<int>& previous = links.previous;
    std::vector<int>& next = links.next;
    std::vector<Nearest> nearest = firstNearest_;
    std::vector<int> mergedInto(static_cast<std::size_t>(count));
    std::iota(mergedInto.begin(), mergedInto.end(), 0);
    std::vector<int> groups = mergedInto; // the live groups by their colour's place in the palette

    const auto mergeMore = [&](double difference) {
        return reduction.mode == ColourReduction::Mode::Tolerance
                   ? difference < reduction.tolerance
                   : int(groups.size()) > reduction.count;
    };
    for (;;) {
        int first = -1;
        for (const int group : groups) {
            const Nearest& candidate = nearest[std::size_t(group)];
            if (candidate.group >= 0 &&
                (first < 0 || candidate.difference < nearest[std::size_t(first)].difference)) {
                first = group;
            }
        }
        if (first < 0 || !mergeMore(nearest[std::size_t(first)].difference)) {
            break;
        }
        const int second = nearest[std::size_t(first)].group;
        // The merged group keeps the colour of its locked member, else of its largest.
        const int kept = locked_[std::size_t(first)]    ? first
                         : locked_[std::size_t(second)] ? second
                                                        : std::min(first, second);
        const int gone = kept == first ? second : first;
        mergedInto[std::size_t(gone)] = kept;
        if (previous[std::size_t(gone)] >= 0) {
            next[std::size_t(previous[std::size_t(gone)])] = next[std::size_t(gone)];
        }
        if (next[std::size_t(gone)] >= 0) {
            previous[std::size_t(next[std::size_t(gone)])] = previous[std::size_t(gone)];
        }
        groups.erase(std::find(groups.begin(), groups.end(), gone));
        // The kept group has the colour and lock it had: only the groups nearest to the one gone
        // look again.
        for (const int group : groups) {
            if (nearest[std::size_t(group)].group == gone) {
                nearest[std::size_t(group)] = nearestTo(group, links);
            }
        }
    }

    ReducedColours reduced{{}, int(groups.size())};
    for (int colour = 0; colour < count; ++colour) {
        int group = colour;
        while (mergedInto[std::size_t(group)] != group) {
            group = mergedInto[std::size_t(group)];
        }
        if (group != colour) {
            reduced.mapping.emplace_back(colours_[std::size_t(colour)].colour,
                                         colours_[std::size_t(group)].colour);
        }
    }
    return reduced;
}

ReducedColours reduceColours(const QImage& design, const QSet<QRgb>& locked,
                             const ColourReduction& reduction) {
    return ColourReducer(palette(design), locked).reduce(reduction);
}

} // namespace colouring
