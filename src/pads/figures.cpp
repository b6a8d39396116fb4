#include "figures.h"

#include "canvas/numbers.h"

#include <cmath>
#include <limits>
#include <optional>

namespace pads {

namespace {

constexpr double kCentre = 72.0;

struct RoutineShape {
    float step;         // radians per step number, held in single precision
    bool textbookTerms; // D cos(c), -D sin(c) instead of D sin(c), -D cos(c)
};

RoutineShape shapeOf(FigureRoutine routine) {
    constexpr double kPi = 3.14159265358979323846;
    switch (routine) {
    case FigureRoutine::Coarse:
        return {float(kPi / 20.0), false};
    case FigureRoutine::Medium:
        return {float(kPi / 60.0), false};
    case FigureRoutine::Fine:
        break;
    }
    return {float(kPi / 360.0), true};
}

std::optional<std::int32_t> parseInt32(const QString& text) {
    const auto value = canvas::parseNumber(text);
    if (!value) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(*value);
    if (rounded < double(std::numeric_limits<std::int32_t>::min()) ||
        rounded > double(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return std::int32_t(rounded);
}

void plotCurve(canvas::Surface& pad, RoutineShape shape, std::int32_t bigR, std::int32_t smallR,
               std::int32_t penDistance, std::int32_t lastStep) {
    const std::int64_t difference = std::int64_t(bigR) - smallR;
    if (smallR == 0 || difference < std::numeric_limits<std::int32_t>::min() ||
        difference > std::numeric_limits<std::int32_t>::max()) {
        return;
    }
    const double ratio = double(bigR) / double(smallR);
    const double m = double(difference);
    const double d = double(penDistance);
    for (std::int64_t t = 2; t <= lastStep; ++t) {
        const float a = float(double(t) * double(shape.step));
        const float b = float(ratio * double(a));
        const float c = b - a;
        const double cosA = std::cos(double(a));
        const double sinA = std::sin(double(a));
        const double cosC = std::cos(double(c));
        const double sinC = std::sin(double(c));
        const double x =
            shape.textbookTerms ? m * cosA + d * cosC + kCentre : m * cosA + d * sinC + kCentre;
        const double y =
            shape.textbookTerms ? m * sinA - d * sinC + kCentre : m * sinA - d * cosC + kCentre;
        pad.pset(float(x), float(y));
    }
}

constexpr CounterExpression fixed(std::int16_t value) {
    return {0, value};
}
constexpr CounterExpression counterPlus(std::int16_t offset) {
    return {1, offset};
}
constexpr CounterExpression counterTimes(std::int16_t factor) {
    return {factor, 0};
}

using enum FigureRoutine;

constexpr std::array<FigurePreset, kFigurePresetCount> kPresets{{
    {"图1", "Command90", 5, {fixed(120), fixed(30), counterPlus(5), fixed(2880)}, Fine, 120},
    {"图2", "Command97", 5, {fixed(40), fixed(30), counterPlus(5), fixed(2880)}, Fine, 120},
    {"图3", "Command100", 15, {fixed(4), counterPlus(2), fixed(3), fixed(1440)}, Coarse, 120},
    {"图4", "Command99", 5, {fixed(120), counterPlus(20), fixed(5), fixed(2880)}, Coarse, 120},
    {"图5", "Command83", 10, {counterPlus(10), fixed(6), fixed(3), fixed(12880)}, Fine, 120},
    {"图6", "Command69", 6, {fixed(1), counterPlus(2), fixed(1), fixed(2880)}, Medium, 120},
    {"图7", "Command87", 15, {counterPlus(10), fixed(10), fixed(2), fixed(2880)}, Fine, 120},
    {"图8", "Command74", 5, {fixed(60), fixed(30), counterPlus(2), fixed(2880)}, Medium, 120},
    {"图9", "Command101", 5, {fixed(120), counterPlus(2), fixed(2), fixed(1440)}, Coarse, 120},
    {"图10", "Command84", 9, {counterPlus(10), fixed(1), fixed(2), fixed(12880)}, Fine, 120},
    {"图11", "Command82", 10, {counterPlus(10), fixed(3), fixed(2), fixed(12880)}, Fine, 120},
    {"图12", "Command96", 5, {fixed(100), fixed(30), counterPlus(5), fixed(2880)}, Fine, 120},
    {"图13", "Command88", 5, {fixed(100), fixed(10), counterPlus(10), fixed(2880)}, Fine, 120},
    {"图14", "Command66", 1, {fixed(60), fixed(12), counterTimes(2), fixed(2880)}, Medium, 30},
    {"图15", "Command68", 5, {counterPlus(1), fixed(1), fixed(1), fixed(1440)}, Medium, 120},
    {"图16", "Command85", 15, {counterPlus(10), fixed(2), fixed(5), fixed(1440)}, Fine, 120},
    {"图17", "Command86", 15, {counterPlus(10), fixed(3), fixed(6), fixed(1440)}, Fine, 120},
    {"图18", "Command104", 5, {fixed(3), fixed(9), counterPlus(1), fixed(2880)}, Coarse, 120},
    {"图19", "Command103", 5, {fixed(2), fixed(4), counterPlus(2), fixed(1440)}, Coarse, 120},
    {"图20", "Command105", 5, {fixed(3), fixed(2), counterPlus(1), fixed(1440)}, Coarse, 120},
    {"图21", "Command102", 5, {fixed(1), fixed(3), counterPlus(2), fixed(1440)}, Coarse, 120},
    {"图22", "Command98", 5, {fixed(90), fixed(1), counterPlus(9), fixed(1440)}, Fine, 120},
    {"图23", "Command67", 10, {counterPlus(10), fixed(3), fixed(5), fixed(2880)}, Medium, 120},
    {"图24", "Command81", 15, {fixed(3), counterPlus(10), counterPlus(2), fixed(2880)}, Fine, 120},
    {"图25",
     "Command80",
     20,
     {fixed(1), counterPlus(100), counterPlus(100), fixed(8600)},
     Fine,
     260},
    {"图26", "Command72", 5, {fixed(60), fixed(3), counterPlus(3), fixed(2880)}, Medium, 120},
    {"图27", "Command79", 5, {fixed(80), fixed(10), counterPlus(3), fixed(2880)}, Medium, 120},
    {"图28", "Command77", 5, {fixed(100), fixed(90), counterPlus(2), fixed(2880)}, Medium, 120},
    {"图29", "Command76", 5, {fixed(90), fixed(100), counterPlus(2), fixed(2880)}, Medium, 120},
    {"图30", "Command95", 5, {fixed(20), fixed(30), counterPlus(5), fixed(2880)}, Fine, 120},
}};

std::int16_t evaluate(CounterExpression expression, std::int16_t counter) {
    return std::int16_t(expression.perCounter * counter + expression.constant);
}

} // namespace

void drawFigure(canvas::Surface& pad, canvas::RandomSource& random, FigureRoutine routine,
                const FigureParams& txtParam) {
    const auto lastStep = parseInt32(txtParam[3]);
    const auto penDistance = parseInt32(txtParam[2]);
    const auto smallR = parseInt32(txtParam[1]);
    const auto bigR = parseInt32(txtParam[0]);
    if (lastStep && penDistance && smallR && bigR) {
        plotCurve(pad, shapeOf(routine), *bigR, *smallR, *penDistance, *lastStep);
    }
    pad.setForeColor(canvas::Colour(canvas::roundHalfEven(random.next() * kFigureColourRange)));
}

const std::array<FigurePreset, kFigurePresetCount>& figurePresets() {
    return kPresets;
}

void runFigurePreset(int index, std::int16_t& counter, FigureParams& txtParam, canvas::Surface& pad,
                     canvas::RandomSource& random) {
    const FigurePreset& preset = kPresets.at(std::size_t(index));
    counter = std::int16_t(counter + preset.step);
    for (std::size_t field = 0; field < txtParam.size(); ++field) {
        txtParam[field] = QString::number(evaluate(preset.params[field], counter));
    }
    if (counter > preset.limit) {
        counter = 1;
        pad.cls();
    }
    drawFigure(pad, random, preset.routine, txtParam);
}

} // namespace pads
