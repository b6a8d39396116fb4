#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace print {

// A page or tile size as typed: WxH or one side for a square, in pixels or in a physical unit.
// pattern-render and the window's print export both convert sizes here, so that the same options
// give the same page.
struct PrintSize {
    enum class Unit { Pixel, Centimetre, Millimetre, Inch };
    double width = 0;
    double height = 0;
    Unit unit = Unit::Pixel;
    bool physical() const { return unit != Unit::Pixel; }
};

// The units as typed after a size, in the order of PrintSize::Unit.
inline constexpr const char* kUnitNames[] = {"px", "cm", "mm", "in"};

// "2480x3508", "300", "21x29.7cm", "210x297mm", "8.5x11in", "20cm"; nothing for anything else
// (negative, NaN, fractions of a pixel, no digits, other units).
std::optional<PrintSize> parsePrintSize(const QString& text);

// The size in pixels, physical sizes converted with the dots per inch and rounded to whole
// pixels; each side as a double so that sizes beyond int can be refused by the caller.
std::pair<double, double> sizeInPixels(const PrintSize& size, double dotsPerInch);

// A physical length in inches (a length in pixels is returned as it is).
double inInches(double length, PrintSize::Unit unit);

// A dots-per-inch value from 1 to 10000.
std::optional<double> parseDotsPerInch(const QString& text);

} // namespace print
