#pragma once

#include "pad_drawing.h"

#include "canvas/random_source.h"
#include "canvas/surface.h"

#include <QString>
#include <array>
#include <cstdint>

namespace pads {

// The four parameter fields txtParam(0..3): R, r, D and N as text.
using FigureParams = std::array<QString, 4>;

enum class FigureRoutine { Coarse, Medium, Fine };

// The colour range the next figure colour is drawn from: RGB(235, 235, 235) packed.
inline constexpr double kFigureColourRange = 15461355.0;

// Plots one rolling-circle curve dot by dot on the figure pad in its ForeColor, reading N, D, r
// and R from the fields (indices 3, 2, 1, 0), then picks the next figure colour. Text that is not
// a 32-bit integer, r = 0 or an overflowing R - r draws nothing; the colour is still picked. The
// curve is recorded in `drawing` when there is one.
void drawFigure(canvas::Surface& pad, canvas::RandomSource& random, FigureRoutine routine,
                const FigureParams& txtParam, PadDrawing* drawing = nullptr);

// The fields as numbers: R, r, D and N.
struct FigureValues {
    std::int32_t bigR;
    std::int32_t smallR;
    std::int32_t penDistance;
    std::int32_t lastStep;
};
// The curve alone, in the pad's ForeColor and DrawWidth.
void drawFigureCurve(canvas::Surface& pad, FigureRoutine routine, const FigureValues& values);

// One parameter of a preset: perCounter * C + constant, in 16-bit arithmetic.
struct CounterExpression {
    std::int16_t perCounter;
    std::int16_t constant;
};

struct FigurePreset {
    const char* caption;     // the button's caption, "图1" .. "图30"
    const char* controlName; // the button's control name
    std::int16_t step;
    std::array<CounterExpression, 4> params; // R, r, D, N
    FigureRoutine routine;
    std::int16_t limit; // the pad is cleared when the stepped counter exceeds it
};

inline constexpr int kFigurePresetCount = 30;
const std::array<FigurePreset, kFigurePresetCount>& figurePresets();

// One click of a preset button (index 0 for "图1"): step the shared counter, write the four
// fields, clear the pad and restart the counter at 1 past the limit, then draw; recorded in
// `drawing` when there is one.
void runFigurePreset(int index, std::int16_t& counter, FigureParams& txtParam, canvas::Surface& pad,
                     canvas::RandomSource& random, PadDrawing* drawing = nullptr);

} // namespace pads
