#pragma once

#include "colour_difference.h"
#include "colour_tools.h"

#include <QImage>
#include <QSet>
#include <vector>

namespace colouring {

inline constexpr double kMostMergeTolerance = 30;
inline constexpr int kFewestReducedColours = 2;
inline constexpr int kMostReducedColours = 24;

// How far to reduce a design's colours: merge colours that differ by less than `tolerance`
// (CIEDE2000, 0 to 30), or merge until `count` colours (2 to 24) are left.
struct ColourReduction {
    enum class Mode { Tolerance, Count };
    Mode mode = Mode::Tolerance;
    double tolerance = 10;
    int count = 8;
    bool operator==(const ColourReduction&) const = default;
};

struct ReducedColours {
    ColourMapping mapping; // only the colours that change, each to the colour of its group
    int colours = 0;       // how many are left
};

// Reduces a palette by one rule. Every colour starts as a group of its own. Then, again and
// again, the two groups whose colours differ least are merged into one, while that difference is
// below the tolerance (Mode::Tolerance) or while more groups than the count are left
// (Mode::Count). A merged group takes the colour of its largest member by area; a group holding a
// locked colour keeps that colour, and two groups holding locked colours never merge, so the
// count may stay above its target. Of equal differences, the pair with the largest colour merges
// first, then with its largest partner.
//
// The palette's colours are converted once; each reduction starts from them afresh, so a preview
// can try one reduction after another.
class ColourReducer {
  public:
    // `colours` as `palette` gives them: distinct, largest area first.
    ColourReducer(std::vector<PaletteEntry> colours, const QSet<QRgb>& locked);

    ReducedColours reduce(const ColourReduction& reduction) const;
    int colourCount() const { return int(colours_.size()); }

  private:
    struct Nearest {
        int group = -1;
        double difference = 0;
        // Nearer, or as near and larger (earlier in the palette).
        bool operator<(const Nearest& other) const {
            return difference != other.difference ? difference < other.difference
                                                  : group < other.group;
        }
    };
    // The live groups as a list in order of lightness: each one's neighbours (-1: none).
    struct LightnessLinks {
        std::vector<int> previous;
        std::vector<int> next;
    };
    LightnessLinks everyColourLinked() const;
    // The `most` live groups nearest to `group` that it may merge with, nearest first.
    std::vector<Nearest> nearestTo(int group, const LightnessLinks& links, std::size_t most) const;
    // Whether two colours surely differ by more than `reach`, from sums far cheaper than their
    // difference.
    bool beyondReach(int first, int second, double reach) const;
    bool mayMerge(int first, int second) const { return !(locked_[first] && locked_[second]); }

    std::vector<PaletteEntry> colours_;
    std::vector<Lab> labs_;
    std::vector<double> chromas_;
    std::vector<char> locked_;
    std::vector<int> byLightness_; // the colours' indices, darkest first
    // Each colour's nearest ones before any merge: while one of them is left, the nearest of
    // them is the nearest of all.
    std::vector<std::vector<Nearest>> firstNearest_;
};

// The reduction of a design's palette in one call.
ReducedColours reduceColours(const QImage& design, const QSet<QRgb>& locked,
                             const ColourReduction& reduction);

} // namespace colouring
