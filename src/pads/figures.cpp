#include "figures.h"

#include "fast_trig.h"

#include "canvas/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

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

// cos and sin of the step angle a(t) for the first steps of a routine. They depend only on the
// routine and t, so each table is filled once and serves every figure.
struct StepAngles {
    std::vector<float> angle;
    std::vector<double> cosine;
    std::vector<double> sine;
};
constexpr std::int64_t kTabulatedSteps = 1 << 15;

float stepAngle(float step, std::int64_t t) {
    return float(double(t) * double(step));
}

const StepAngles& stepAngles(FigureRoutine routine) {
    static std::array<StepAngles, 3> tables;
    StepAngles& table = tables[std::size_t(routine)];
    if (table.angle.empty()) {
        const float step = shapeOf(routine).step;
        table.angle.resize(kTabulatedSteps);
        table.cosine.resize(kTabulatedSteps);
        table.sine.resize(kTabulatedSteps);
        for (std::int64_t t = 0; t < kTabulatedSteps; ++t) {
            const float a = stepAngle(step, t);
            table.angle[std::size_t(t)] = a;
            table.cosine[std::size_t(t)] = std::cos(double(a));
            table.sine[std::size_t(t)] = std::sin(double(a));
        }
    }
    return table;
}

// The device pixel a pad coordinate lands on, as the surface rounds it. Far-off values, which
// the surface clamps, come back far off as well.
double devicePixel(float units, bool pixelUnits, float unitsPerPixel) {
    return nearestInteger(pixelUnits ? double(units) : double(units) / unitsPerPixel);
}

// The pixels a figure has already put a dot on. Within one figure the colour and the width
// stay the same and nothing else is drawn, so a second dot on the same pixel changes nothing;
// a dot wholly outside the client area changes nothing either.
class DotLedger {
  public:
    DotLedger(int clientWidth, int clientHeight, int drawWidth)
        : reach_(drawWidth > 1 ? drawWidth / 2 : 0), width_(clientWidth + 2 * reach_),
          height_(clientHeight + 2 * reach_),
          marks_(std::size_t(width_) * std::size_t(height_), 0) {}

    // True when a dot at this device pixel may still change the image; records it.
    bool firstVisit(double pixelX, double pixelY) {
        const double column = pixelX + reach_;
        const double row = pixelY + reach_;
        if (column < 0 || row < 0 || column >= width_ || row >= height_) {
            return false;
        }
        const std::size_t index = std::size_t(row) * std::size_t(width_) + std::size_t(column);
        if (marks_[index]) {
            return false;
        }
        marks_[index] = 1;
        return true;
    }

  private:
    int reach_;
    int width_;
    int height_;
    std::vector<std::uint8_t> marks_;
};

// The points of one run of steps, computed apart from the plotting so the arithmetic of
// neighbouring steps overlaps.
constexpr std::int64_t kChunkSteps = 256;
struct CurveChunk {
    std::array<float, kChunkSteps> x;
    std::array<float, kChunkSteps> y;
};

struct CurveTerms {
    RoutineShape shape;
    const StepAngles* table;
    double ratio;
    double m;
    double d;
};

void computeChunk(const CurveTerms& terms, std::int64_t firstStep, std::int64_t count,
                  CurveChunk& chunk) {
    std::array<double, kChunkSteps> cosA;
    std::array<double, kChunkSteps> sinA;
    std::array<double, kChunkSteps> penAngle;
    std::array<double, kChunkSteps> cosC;
    std::array<double, kChunkSteps> sinC;
    for (std::size_t i = 0; i < std::size_t(count); ++i) {
        const std::int64_t t = firstStep + std::int64_t(i);
        const bool tabulated = t < kTabulatedSteps;
        const auto index = std::size_t(t);
        const float a = tabulated ? terms.table->angle[index] : stepAngle(terms.shape.step, t);
        cosA[i] = tabulated ? terms.table->cosine[index] : std::cos(double(a));
        sinA[i] = tabulated ? terms.table->sine[index] : std::sin(double(a));
        const float b = float(terms.ratio * double(a));
        const float c = b - a;
        penAngle[i] = double(c);
    }
    sineCosines(penAngle.data(), sinC.data(), cosC.data(), std::size_t(count));
    for (std::size_t i = 0; i < std::size_t(count); ++i) {
        const double x = terms.shape.textbookTerms ? terms.m * cosA[i] + terms.d * cosC[i]
                                                   : terms.m * cosA[i] + terms.d * sinC[i];
        const double y = terms.shape.textbookTerms ? terms.m * sinA[i] - terms.d * sinC[i]
                                                   : terms.m * sinA[i] - terms.d * cosC[i];
        chunk.x[i] = float(x + kCentre);
        chunk.y[i] = float(y + kCentre);
    }
}

void plotCurve(canvas::Surface& pad, FigureRoutine routine, std::int32_t bigR, std::int32_t smallR,
               std::int32_t penDistance, std::int32_t lastStep) {
    const std::int64_t difference = std::int64_t(bigR) - smallR;
    if (smallR == 0 || difference < std::numeric_limits<std::int32_t>::min() ||
        difference > std::numeric_limits<std::int32_t>::max()) {
        return;
    }
    const CurveTerms terms{shapeOf(routine), &stepAngles(routine), double(bigR) / double(smallR),
                           double(difference), double(penDistance)};
    const float unitsPerPixel = pad.unitsPerPixel();
    const bool pixelUnits = unitsPerPixel == 1.0f;
    DotLedger ledger(pad.clientPixelWidth(), pad.clientPixelHeight(), pad.drawWidth());
    double previousX = std::numeric_limits<double>::quiet_NaN();
    double previousY = previousX;
    CurveChunk chunk;
    for (std::int64_t first = 2; first <= lastStep; first += kChunkSteps) {
        const std::int64_t count = std::min<std::int64_t>(kChunkSteps, lastStep - first + 1);
        computeChunk(terms, first, count, chunk);
        for (std::size_t i = 0; i < std::size_t(count); ++i) {
            const double pixelX = devicePixel(chunk.x[i], pixelUnits, unitsPerPixel);
            const double pixelY = devicePixel(chunk.y[i], pixelUnits, unitsPerPixel);
            // Most steps stay on the pixel of the step before.
            if (pixelX == previousX && pixelY == previousY) {
                continue;
            }
            previousX = pixelX;
            previousY = pixelY;
            if (ledger.firstVisit(pixelX, pixelY)) {
                pad.pset(chunk.x[i], chunk.y[i]);
            }
        }
        if (first + count > lastStep) {
            // The text position ends on the last point, drawn or not.
            pad.setCurrentX(chunk.x[std::size_t(count - 1)]);
            pad.setCurrentY(chunk.y[std::size_t(count - 1)]);
        }
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

// One preset per line: caption, control, step, R, r, D, N, routine, limit.
// clang-format off
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
    {"图25", "Command80", 20, {fixed(1), counterPlus(100), counterPlus(100), fixed(8600)}, Fine, 260},
    {"图26", "Command72", 5, {fixed(60), fixed(3), counterPlus(3), fixed(2880)}, Medium, 120},
    {"图27", "Command79", 5, {fixed(80), fixed(10), counterPlus(3), fixed(2880)}, Medium, 120},
    {"图28", "Command77", 5, {fixed(100), fixed(90), counterPlus(2), fixed(2880)}, Medium, 120},
    {"图29", "Command76", 5, {fixed(90), fixed(100), counterPlus(2), fixed(2880)}, Medium, 120},
    {"图30", "Command95", 5, {fixed(20), fixed(30), counterPlus(5), fixed(2880)}, Fine, 120},
}};
// clang-format on

std::int16_t evaluate(CounterExpression expression, std::int16_t counter) {
    return std::int16_t(expression.perCounter * counter + expression.constant);
}

} // namespace

void drawFigure(canvas::Surface& pad, canvas::RandomSource& random, FigureRoutine routine,
                const FigureParams& txtParam, PadDrawing* drawing) {
    const auto lastStep = parseInt32(txtParam[3]);
    const auto penDistance = parseInt32(txtParam[2]);
    const auto smallR = parseInt32(txtParam[1]);
    const auto bigR = parseInt32(txtParam[0]);
    if (lastStep && penDistance && smallR && bigR) {
        record(drawing, padStep(PadStepKind::Figure, pad.foreColor(), pad.drawWidth(),
                                {double(routine), double(*bigR), double(*smallR),
                                 double(*penDistance), double(*lastStep)}));
        drawFigureCurve(pad, routine, {*bigR, *smallR, *penDistance, *lastStep});
    }
    pad.setForeColor(canvas::Colour(canvas::roundHalfEven(random.next() * kFigureColourRange)));
}

void drawFigureCurve(canvas::Surface& pad, FigureRoutine routine, const FigureValues& values) {
    plotCurve(pad, routine, values.bigR, values.smallR, values.penDistance, values.lastStep);
}

const std::array<FigurePreset, kFigurePresetCount>& figurePresets() {
    return kPresets;
}

void runFigurePreset(int index, std::int16_t& counter, FigureParams& txtParam, canvas::Surface& pad,
                     canvas::RandomSource& random, PadDrawing* drawing) {
    const FigurePreset& preset = kPresets.at(std::size_t(index));
    counter = std::int16_t(counter + preset.step);
    for (std::size_t field = 0; field < txtParam.size(); ++field) {
        txtParam[field] = QString::number(evaluate(preset.params[field], counter));
    }
    if (counter > preset.limit) {
        counter = 1;
        pad.cls();
        record(drawing, padStep(PadStepKind::Clear, pad.backColor()));
    }
    drawFigure(pad, random, preset.routine, txtParam, drawing);
}

} // namespace pads
