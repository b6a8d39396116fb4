#include "colour_reduction.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <queue>

namespace colouring {
namespace {

// How many nearest colours each colour keeps from the start; a merge rarely takes them all.
constexpr std::size_t kKnownNearest = 6;

// What bounds CIEDE2000 from below. Its rotation term R_T is at most sin(60°) R_C in size, so
// chroma and hue together weigh at least 1 - |R_T| / 2 (at least 1 - sin(60°) always); S_H never
// exceeds S_C (T is below 3), and S_C is at most 1 + 0.045 * 1.5 * the mean chroma (a' stretches
// a by at most 1.5).
constexpr double kMostRotation = 0.8661;
constexpr double kLeastChromaHueShare = 1 - kMostRotation;
constexpr double kChromaWeightGrowth = 0.045;
constexpr double kStretchedChromaWeightGrowth = 0.0675;

double seventhPower(double value) {
    const double cube = value * value * value;
    return cube * cube * value;
}

// C^7 / (C^7 + 25^7), the share CIEDE2000's G and R_C grow with.
double chromaShare(double chroma) {
    const double power = seventhPower(chroma);
    return power / (power + 6103515625.0);
}

} // namespace

ColourReducer::ColourReducer(std::vector<PaletteEntry> colours, const QSet<QRgb>& locked)
    : colours_(std::move(colours)) {
    std::vector<QRgb> values;
    for (const PaletteEntry& entry : colours_) {
        values.push_back(entry.colour);
        locked_.push_back(locked.contains(entry.colour | 0xFF000000u));
    }
    labs_ = labOf(values);
    for (const Lab& lab : labs_) {
        chromas_.push_back(std::hypot(lab.a, lab.b));
    }
    const int count = colourCount();
    byLightness_.resize(std::size_t(count));
    std::iota(byLightness_.begin(), byLightness_.end(), 0);
    std::stable_sort(byLightness_.begin(), byLightness_.end(), [this](int one, int other) {
        return labs_[std::size_t(one)].lightness < labs_[std::size_t(other)].lightness;
    });
    const LightnessLinks links = everyColourLinked();
    for (int colour = 0; colour < count; ++colour) {
        firstNearest_.push_back(nearestTo(colour, links, kKnownNearest));
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

bool ColourReducer::beyondReach(int first, int second, double reach) const {
    const Lab& one = labs_[std::size_t(first)];
    const Lab& other = labs_[std::size_t(second)];
    const double meanChroma = (chromas_[std::size_t(first)] + chromas_[std::size_t(second)]) / 2;
    const double lightness = one.lightness - other.lightness;
    const double b = one.b - other.b;
    // First by the coarsest weights, then by the pair's own where it matters: the time goes to
    // the pairs near each other in lightness.
    const double a = one.a - other.a;
    const double lightnessPart = lightness / kLightnessBound;
    const double coarseChromaWeight = 1 + kStretchedChromaWeightGrowth * meanChroma;
    // A hair beyond, so that rounding never puts a colour at the reach beyond it.
    const double reachSquared = reach * reach * (1 + 1e-9);
    if (lightnessPart * lightnessPart +
            kLeastChromaHueShare * (a * a + b * b) / (coarseChromaWeight * coarseChromaWeight) >
        reachSquared) {
        return true;
    }
    const double stretch = 1 + 0.5 * (1 - std::sqrt(chromaShare(meanChroma)));
    const double oneA = stretch * one.a;
    const double otherA = stretch * other.a;
    const double meanStretchedChroma =
        (std::sqrt(oneA * oneA + one.b * one.b) + std::sqrt(otherA * otherA + other.b * other.b)) /
        2;
    const double chromaWeight = 1 + kChromaWeightGrowth * meanStretchedChroma;
    const double chromaHueShare = 1 - kMostRotation * std::sqrt(chromaShare(meanStretchedChroma));
    const double fromMidLightness = (one.lightness + other.lightness) / 2 - 50;
    const double lightnessWeight = 1 + 0.015 * fromMidLightness * fromMidLightness /
                                           std::sqrt(20 + fromMidLightness * fromMidLightness);
    const double stretchedA = oneA - otherA;
    return (lightness * lightness) / (lightnessWeight * lightnessWeight) +
               chromaHueShare * (stretchedA * stretchedA + b * b) / (chromaWeight * chromaWeight) >
           reachSquared;
}

std::vector<ColourReducer::Nearest> ColourReducer::nearestTo(int group, const LightnessLinks& links,
                                                             std::size_t most) const {
    std::vector<Nearest> nearest;
    // Nothing beyond this difference can join the nearest any more.
    const auto reach = [&] {
        return nearest.size() < most ? std::numeric_limits<double>::infinity()
                                     : nearest.back().difference;
    };
    const Lab& lab = labs_[std::size_t(group)];
    // Outwards in lightness each way, until the lightness alone puts the rest out of reach.
    for (const std::vector<int>* towards : {&links.next, &links.previous}) {
        for (int other = (*towards)[std::size_t(group)]; other >= 0;
             other = (*towards)[std::size_t(other)]) {
            const Lab& otherLab = labs_[std::size_t(other)];
            if (std::abs(otherLab.lightness - lab.lightness) > kLightnessBound * reach()) {
                break;
            }
            if (!mayMerge(group, other) || beyondReach(group, other, reach())) {
                continue;
            }
            const Nearest candidate{other, colourDifference(lab, otherLab)};
            if (nearest.size() < most || candidate < nearest.back()) {
                nearest.insert(std::upper_bound(nearest.begin(), nearest.end(), candidate),
                               candidate);
                if (nearest.size() > most) {
                    nearest.pop_back();
                }
            }
        }
    }
    return nearest;
}

ReducedColours ColourReducer::reduce(const ColourReduction& reduction) const {
    const int count = colourCount();
    LightnessLinks links = everyColourLinked();
    std::vector<int> mergedInto(static_cast<std::size_t>(count));
    std::iota(mergedInto.begin(), mergedInto.end(), 0);
    const auto live = [&](int colour) { return mergedInto[std::size_t(colour)] == colour; };

    // A group's nearest: the first left of those known from the start, else a search.
    std::vector<std::size_t> knownLeft(std::size_t(count), 0);
    const auto nearestLeft = [&](int group) {
        const std::vector<Nearest>& known = firstNearest_[std::size_t(group)];
        std::size_t& next = knownLeft[std::size_t(group)];
        while (next < known.size() && !live(known[next].group)) {
            ++next;
        }
        if (next < known.size()) {
            return known[next];
        }
        // Fewer than were sought: there was no other to merge with.
        if (known.size() < kKnownNearest) {
            return Nearest{};
        }
        const std::vector<Nearest> found = nearestTo(group, links, 1);
        return found.empty() ? Nearest{} : found.front();
    };
    std::vector<Nearest> nearest(static_cast<std::size_t>(count));
    // Who has which group as its nearest (some no longer: they are checked when it goes).
    std::vector<std::vector<int>> nearestOf(static_cast<std::size_t>(count));
    // The pairs by difference, the larger group first: a pair whose group went or found another
    // nearest is passed over.
    using Pair = std::pair<Nearest, int>; // (the nearest, the group)
    std::priority_queue<Pair, std::vector<Pair>, std::greater<>> pairs;
    const auto findNearest = [&](int group) {
        const Nearest found = nearestLeft(group);
        nearest[std::size_t(group)] = found;
        if (found.group >= 0) {
            nearestOf[std::size_t(found.group)].push_back(group);
            pairs.push({{group, found.difference}, found.group});
        }
    };
    for (int group = 0; group < count; ++group) {
        findNearest(group);
    }

    int left = count;
    const auto mergeMore = [&](double difference) {
        return reduction.mode == ColourReduction::Mode::Tolerance ? difference < reduction.tolerance
                                                                  : left > reduction.count;
    };
    while (!pairs.empty()) {
        const auto [pair, second] = pairs.top();
        const int first = pair.group;
        if (!live(first) || nearest[std::size_t(first)].group != second) {
            pairs.pop();
            continue;
        }
        if (!mergeMore(pair.difference)) {
            break;
        }
        pairs.pop();
        // The merged group keeps the colour of its locked member, else of its largest.
        const int kept = locked_[std::size_t(first)]    ? first
                         : locked_[std::size_t(second)] ? second
                                                        : std::min(first, second);
        const int gone = kept == first ? second : first;
        mergedInto[std::size_t(gone)] = kept;
        --left;
        const int before = links.previous[std::size_t(gone)];
        const int after = links.next[std::size_t(gone)];
        if (before >= 0) {
            links.next[std::size_t(before)] = after;
        }
        if (after >= 0) {
            links.previous[std::size_t(after)] = before;
        }
        // The kept group has the colour and lock it had: only the groups nearest to the one gone
        // look again.
        for (const int group : nearestOf[std::size_t(gone)]) {
            if (live(group) && nearest[std::size_t(group)].group == gone) {
                findNearest(group);
            }
        }
    }

    ReducedColours reduced{{}, left};
    for (int colour = 0; colour < count; ++colour) {
        int group = colour;
        while (!live(group)) {
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
