#include "pad_drawing.h"

#include "figures.h"
#include "pad_setup.h"
#include "random_art.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pads {
namespace {

float at(const PadStep& step, int index) {
    return float(step.values[std::size_t(index)]);
}

void drawClear(canvas::Surface& pad, const PadStep& step) {
    pad.setBackColor(step.colour);
}

void drawFigureStep(canvas::Surface& pad, const PadStep& step) {
    pad.setForeColor(step.colour);
    pad.setDrawWidth(step.width);
    auto whole = [&step](int index) { return std::int32_t(step.values[std::size_t(index)]); };
    drawFigureCurve(pad, FigureRoutine(whole(0)), {whole(1), whole(2), whole(3), whole(4)});
}

void drawStamp(canvas::Surface& pad, const PadStep& step) {
    pad.setForeColor(step.colour);
    pad.textOut(int(step.values[0]), int(step.values[1]), step.text, toQFont(step.font),
                step.values[2], canvas::TextSize::DesignPixels);
}

void drawRing(canvas::Surface& pad, const PadStep& step) {
    pad.setDrawWidth(step.width);
    pad.circle(at(step, 0), at(step, 1), at(step, 2), step.colour);
}

void drawArc(canvas::Surface& pad, const PadStep& step) {
    pad.setDrawWidth(step.width);
    pad.arc(at(step, 0), at(step, 1), at(step, 2), step.colour, kArcStart, kArcEnd);
}

void drawLine(canvas::Surface& pad, const PadStep& step) {
    pad.setDrawWidth(step.width);
    pad.line(at(step, 0), at(step, 1), at(step, 2), at(step, 3), step.colour);
}

void drawDot(canvas::Surface& pad, const PadStep& step) {
    pad.setForeColor(step.colour);
    pad.setDrawWidth(step.width);
    pad.pset(at(step, 0), at(step, 1));
}

// In the order of PadStepKind, as kPadStepKinds.
using StepDrawer = void (*)(canvas::Surface&, const PadStep&);
constexpr StepDrawer kDrawers[] = {drawClear, drawFigureStep, drawStamp, drawRing,
                                   drawArc,   drawLine,       drawDot};
static_assert(std::size(kDrawers) == std::size(kPadStepKinds));
constexpr bool kindsInOrder() {
    for (std::size_t i = 0; i < std::size(kPadStepKinds); ++i) {
        if (kPadStepKinds[i].kind != PadStepKind(i)) {
            return false;
        }
    }
    return true;
}
static_assert(kindsInOrder());

bool follows(ValueRule rule, double value) {
    const bool near = std::isfinite(value) && std::fabs(value) <= kFarthestPadValue;
    switch (rule) {
    case ValueRule::Coordinate:
        return near;
    case ValueRule::Length:
        return near && value >= 0;
    case ValueRule::WholeCoordinate:
        return near && value == std::floor(value);
    case ValueRule::Whole16:
        return near && value == std::floor(value) &&
               value >= std::numeric_limits<std::int16_t>::min() &&
               value <= std::numeric_limits<std::int16_t>::max();
    case ValueRule::Routine:
        return value == 0 || value == 1 || value == 2;
    }
    return false;
}

} // namespace

StampFont stampFontOf(const QFont& font) {
    return {font.family(),    std::max(font.pixelSize(), 0),
            font.weight(),    font.italic(),
            font.underline(), font.strikeOut()};
}

QFont toQFont(const StampFont& font) {
    QFont qfont(font.family);
    if (font.pixelSize > 0) {
        qfont.setPixelSize(font.pixelSize);
    }
    qfont.setWeight(QFont::Weight(std::clamp(font.weight, 1, 1000)));
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    return qfont;
}

const PadStepKindInfo& kindInfo(PadStepKind kind) {
    return kPadStepKinds[std::size_t(kind)];
}

bool withinBounds(const PadStep& step) {
    const PadStepKindInfo& info = kindInfo(step.kind);
    for (int i = 0; i < info.valueCount; ++i) {
        if (!follows(info.rules[std::size_t(i)], step.values[std::size_t(i)])) {
            return false;
        }
    }
    return step.width >= 1 && step.font.pixelSize >= 0 &&
           step.font.pixelSize <= kLargestStampPixels && step.text.size() <= kLongestStampText &&
           step.font.family.size() <= kLongestStampText;
}

void PadDrawing::record(const PadStep& step) {
    if (step.kind == PadStepKind::Clear) {
        steps.clear();
        complete = true;
        textCharacters = 0;
    }
    if (!complete) {
        return;
    }
    const qsizetype characters = textCharacters + step.text.size() + step.font.family.size();
    if (steps.size() >= kMostPadSteps || characters > kMostPadTextCharacters ||
        !withinBounds(step)) {
        steps = {};
        complete = false;
        textCharacters = 0;
        return;
    }
    steps.push_back(step);
    textCharacters = characters;
}

void drawPadDrawing(canvas::Surface& pad, const PadDrawing& drawing) {
    for (const PadStep& step : drawing.steps) {
        kDrawers[std::size_t(step.kind)](pad, step);
    }
}

QImage padDrawingPicture(const PadDrawing& drawing, double deviceScale) {
    canvas::SurfaceSetup setup = padSetup(drawing.pad);
    setup.deviceScale = deviceScale;
    canvas::Surface pad(setup);
    drawPadDrawing(pad, drawing);
    return pad.image();
}

} // namespace pads
