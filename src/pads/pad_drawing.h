#pragma once

#include "canvas/colour.h"
#include "canvas/surface.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>

namespace pads {

// The three pads, each drawn on a surface of its own setup (pad_setup.h).
enum class PadKind { RandomArt, Symbol, Figure };
inline constexpr const char* kPadNames[] = {"random-art", "symbol", "figure"};

// The font a symbol stamp was drawn in.
struct StampFont {
    QString family;
    int pixelSize = 0; // 0: the toolkit's default size
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const StampFont&) const = default;
};
StampFont stampFontOf(const QFont& font);
QFont toQFont(const StampFont& font);

// What a pad can draw. A clear fills the pad with its background colour, and everything drawn
// before it is gone.
enum class PadStepKind { Clear, Figure, Stamp, Ring, Arc, Line, Dot };

// How one value of a step is bounded: drawn again from a document, no value may make the
// drawing endless or leave the numbers a surface takes.
enum class ValueRule {
    Coordinate,      // finite, within kFarthestPadValue of 0
    Length,          // the same, and not negative (a radius)
    WholeCoordinate, // the same, and whole (a device pixel)
    Whole16,         // a whole number in 16 bits (a figure parameter)
    Routine,         // 0, 1 or 2 (FigureRoutine)
};
inline constexpr double kFarthestPadValue = 1.0e6;
inline constexpr int kMostPadStepValues = 5;

// Each kind with its name in documents and the values its steps carry, in order.
struct PadStepKindInfo {
    PadStepKind kind;
    const char* name;
    int valueCount;
    std::array<ValueRule, kMostPadStepValues> rules;
    bool hasText = false; // a text and its font
};
namespace value_rules {
inline constexpr ValueRule kAt = ValueRule::Coordinate;
inline constexpr ValueRule kPixel = ValueRule::WholeCoordinate;
inline constexpr ValueRule kLength = ValueRule::Length;
inline constexpr ValueRule kWhole = ValueRule::Whole16;
} // namespace value_rules
// clang-format off
inline constexpr PadStepKindInfo kPadStepKinds[] = {
    {PadStepKind::Clear, "clear", 0, {}},
    // routine, R, r, D, N
    {PadStepKind::Figure, "figure", 5,
     {ValueRule::Routine, value_rules::kWhole, value_rules::kWhole, value_rules::kWhole,
      value_rules::kWhole}},
    // x, y, angle
    {PadStepKind::Stamp, "stamp", 3, {value_rules::kPixel, value_rules::kPixel, value_rules::kAt},
     true},
    // x, y, radius
    {PadStepKind::Ring, "ring", 3, {value_rules::kAt, value_rules::kAt, value_rules::kLength}},
    {PadStepKind::Arc, "arc", 3, {value_rules::kAt, value_rules::kAt, value_rules::kLength}},
    // x1, y1, x2, y2
    {PadStepKind::Line, "line", 4,
     {value_rules::kAt, value_rules::kAt, value_rules::kAt, value_rules::kAt}},
    // x, y
    {PadStepKind::Dot, "dot", 2, {value_rules::kAt, value_rules::kAt}},
};
// clang-format on
const PadStepKindInfo& kindInfo(PadStepKind kind);

// One thing drawn on a pad: its kind, the pen colour (the background of a clear), the pen width
// and the kind's values in pad units (a stamp's position in pixels, its angle in degrees).
struct PadStep {
    PadStepKind kind = PadStepKind::Clear;
    canvas::Colour colour = 0;
    std::int16_t width = 1;
    std::array<double, kMostPadStepValues> values{};
    QString text;   // a stamp's text
    StampFont font; // a stamp's font
    bool operator==(const PadStep&) const = default;
};
// A step without text.
inline PadStep padStep(PadStepKind kind, canvas::Colour colour, std::int16_t width = 1,
                       std::array<double, kMostPadStepValues> values = {}) {
    PadStep step;
    step.kind = kind;
    step.colour = colour;
    step.width = width;
    step.values = values;
    return step;
}

// The bound of a pad drawing: 20,000 steps (about two seconds of the dot stream, nine dots a
// tick, or hundreds of figures, stamps and rings) and 32,768 characters of stamp text and font
// names in all.
inline constexpr qsizetype kMostPadSteps = 20000;
inline constexpr qsizetype kMostPadTextCharacters = 32768;

// What was drawn on a pad since its last clear, in order. The pad functions record into it; past
// its bound, or for a step whose values are out of bounds, the drawing is given up (`complete`
// false, no steps) until the next clear, and the pad's picture is then only its pixels. The steps
// are shared between copies (the undo steps of a design keep the drawing of its picture).
struct PadDrawing {
    explicit PadDrawing(PadKind kind = PadKind::Figure) : pad(kind) {}

    PadKind pad;
    QList<PadStep> steps;
    bool complete = true;
    qsizetype textCharacters = 0; // of the steps' texts and font names

    bool operator==(const PadDrawing& other) const {
        return pad == other.pad && steps == other.steps && complete == other.complete;
    }

    void record(const PadStep& step);
};

// Records the step when there is a drawing to record it in.
inline void record(PadDrawing* drawing, const PadStep& step) {
    if (drawing != nullptr) {
        drawing->record(step);
    }
}

// The largest stamp font, in pixels, and the longest stamp text and font name, in characters.
inline constexpr int kLargestStampPixels = 2048;
inline constexpr qsizetype kLongestStampText = 1000;

// Whether every value of the step is within its rule, its pen at least 1 wide and its text and
// font within the bounds above.
bool withinBounds(const PadStep& step);

// Draws the steps again on a pad surface set up as the pad is (any device scale): at scale 1
// the pad's picture exactly, at a larger scale its shapes with wider pens and its text larger.
void drawPadDrawing(canvas::Surface& pad, const PadDrawing& drawing);
// The drawing on a fresh surface of its pad at the device scale.
QImage padDrawingPicture(const PadDrawing& drawing, double deviceScale);

} // namespace pads
