#pragma once

#include "print_size.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace print {

// The sides of the page a machine measures: a rotary screen's circumference is the repeat's
// length along the cloth (the page's height), a wallpaper's width runs across it (the page's
// width), and a square panel measures both.
enum class FitDirection { Along, Across, Both };

constexpr bool fitsWidth(FitDirection direction) {
    return direction != FitDirection::Along;
}
constexpr bool fitsHeight(FitDirection direction) {
    return direction != FitDirection::Across;
}

// A length that a whole number of repeats must fill exactly.
struct RepeatTarget {
    const char* key;  // pattern-render's name; null for a length typed there
    const char* name; // the window's, UTF-8
    double length;    // in `unit`
    PrintSize::Unit unit;
    FitDirection direction;
};

inline constexpr RepeatTarget kRepeatTargets[] = {
    {"rotary-64cm", "圆网周长 64.0 厘米", 640, PrintSize::Unit::Millimetre, FitDirection::Along},
    {"rotary-91.4cm", "圆网周长 91.4 厘米", 914, PrintSize::Unit::Millimetre, FitDirection::Along},
    {"wallpaper-53cm", "墙纸幅宽 53 厘米", 530, PrintSize::Unit::Millimetre, FitDirection::Across},
    {"panel-24in", "24 英寸方形面板", 24, PrintSize::Unit::Inch, FitDirection::Both},
};

// A whole number of tiles filling a target at a resolution. In pixels the tile's side is the
// target's pixels divided by the repeats, rounded, and the page along the target is exactly that
// many tiles, so it differs from the target by at most half a pixel a repeat.
struct RepeatFit {
    int repeats = 1;
    int tilePixels = 1;
    qint64 pagePixels = 1; // repeats × tilePixels
    double tileLength = 0; // the target's length divided by the repeats, in the target's unit
    QString rule;          // "640 mm ÷ 4 = 160 mm"
};

// The fit whose tile comes nearest to a tile of `tilePixels`, with at least one repeat.
RepeatFit fitRepeat(const RepeatTarget& target, double tilePixels, double dotsPerInch);

// A target by its key, or a typed length in cm, mm or in ("50cm"), which is measured along the
// cloth as a screen's circumference is; nothing for anything else.
std::optional<RepeatTarget> parseRepeatTarget(const QString& text);

} // namespace print
