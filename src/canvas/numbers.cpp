#include "numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace canvas {

std::int64_t roundHalfEven(double value) {
    // Saturates beyond the 64-bit range; not-a-number gives 0.
    constexpr double kLimit = 9.2e18;
    if (std::isnan(value)) {
        return 0;
    }
    return std::int64_t(std::nearbyint(std::clamp(value, -kLimit, kLimit)));
}

std::optional<double> parseNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int16_t> parseInt16(const QString& text) {
    const auto value = parseNumber(text);
    if (!value || std::fabs(*value) > 1e6) {
        return std::nullopt;
    }
    const std::int64_t rounded = roundHalfEven(*value);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return std::int16_t(rounded);
}

std::optional<std::int16_t> parseDrawWidth(const QString& text) {
    const auto value = parseInt16(text);
    if (!value || *value < 1) {
        return std::nullopt;
    }
    return value;
}

std::optional<float> parseTileSize(const QString& text) {
    // The strip is resized to the tile size; beyond the effect view's width a tile only shows its
    // top-left part, so larger sizes give nothing new.
    constexpr double kLargest = 1000.0;
    const auto value = parseNumber(text);
    if (!value || *value < 1.0 || *value > kLargest) {
        return std::nullopt;
    }
    return float(*value);
}

} // namespace canvas
