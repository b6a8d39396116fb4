#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace canvas {

// Conversion to an integer: nearest value, halves to the even neighbour; saturating, and 0 for
// not-a-number.
std::int64_t roundHalfEven(double value);

// The text of a list or field read as a number; nullopt when it is not a finite number.
std::optional<double> parseNumber(const QString& text);

// The text read as a 16-bit integer (nearest, halves to even); nullopt when it is not a number
// or lies outside -32768..32767.
std::optional<std::int16_t> parseInt16(const QString& text);

// A pen width typed into the line-width list: 1..32767, otherwise nullopt.
std::optional<std::int16_t> parseDrawWidth(const QString& text);

// A tile size typed into the size list: a finite number from 1 to 1000; nullopt otherwise.
std::optional<float> parseTileSize(const QString& text);

} // namespace canvas
