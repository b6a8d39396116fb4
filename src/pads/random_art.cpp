#include "random_art.h"

#include "canvas/numbers.h"

#include <array>

namespace pads {

namespace {

constexpr double kComponentRange = 235.0;
constexpr std::array<double, 3> kRingRadii{20.0, 10.0, 6.0};
constexpr double kStreamCircleRadius = 15.0;
constexpr double kDotSpread = 2.0;

int roundedComponent(canvas::RandomSource& random) {
    return int(canvas::roundHalfEven(random.next() * kComponentRange));
}

canvas::Colour roundedColour(canvas::RandomSource& random) {
    const int red = roundedComponent(random);
    const int green = roundedComponent(random);
    const int blue = roundedComponent(random);
    return canvas::rgbColour(red, green, blue);
}

// Three shapes around the press: for each, the radius factor and then its colour.
void drawRings(canvas::Surface& pad, canvas::RandomSource& random, float x, float y, bool arcs,
               PadDrawing* drawing) {
    for (const double radiusScale : kRingRadii) {
        const auto radius = float(radiusScale * random.next());
        const canvas::Colour colour = roundedColour(random);
        record(drawing, padStep(arcs ? PadStepKind::Arc : PadStepKind::Ring, colour,
                                pad.drawWidth(), {x, y, radius}));
        if (arcs) {
            pad.arc(x, y, radius, colour, kArcStart, kArcEnd);
        } else {
            pad.circle(x, y, radius, colour);
        }
    }
}

void startDotStream(canvas::Surface& pad, canvas::RandomSource& random, RandomArtState& state,
                    float x, float y, PadDrawing* drawing) {
    pad.setForeColor(canvas::randomColour(random));
    state.timerEnabled = true;
    state.centre = {x, std::int32_t(canvas::roundHalfEven(y))};
    const auto radius = float(kStreamCircleRadius * random.next());
    const canvas::Colour colour = roundedColour(random);
    record(drawing, padStep(PadStepKind::Ring, colour, pad.drawWidth(),
                            {state.centre.x, double(state.centre.y), radius}));
    pad.circle(state.centre.x, float(state.centre.y), radius, colour);
}

void drawCrossLines(canvas::Surface& pad, canvas::RandomSource& random, float x, float y,
                    const QString& combo2Text, PadDrawing* drawing) {
    const std::array<std::array<float, 4>, 2> lines{
        {{0, y, pad.width(), y}, {x, 0, x, pad.height()}}};
    for (const auto& [x1, y1, x2, y2] : lines) {
        const canvas::Colour colour = roundedColour(random);
        record(drawing, padStep(PadStepKind::Line, colour, pad.drawWidth(), {x1, y1, x2, y2}));
        pad.line(x1, y1, x2, y2, colour);
    }
    if (const auto width = canvas::parseDrawWidth(combo2Text)) {
        pad.setDrawWidth(*width);
    }
}

} // namespace

void pressRandomArtPad(canvas::Surface& pad, canvas::RandomSource& random, RandomArtState& state,
                       std::optional<ArtMode> mode, float x, float y, const QString& combo2Text,
                       PadDrawing* drawing) {
    if (!mode) {
        return;
    }
    pad.setAutoRedraw(true);
    switch (*mode) {
    case ArtMode::Rings:
        drawRings(pad, random, x, y, false, drawing);
        break;
    case ArtMode::DotStream:
        startDotStream(pad, random, state, x, y, drawing);
        break;
    case ArtMode::Arcs:
        drawRings(pad, random, x, y, true, drawing);
        break;
    case ArtMode::CrossLines:
        drawCrossLines(pad, random, x, y, combo2Text, drawing);
        break;
    }
}

void tickDotStream(canvas::Surface& pad, canvas::RandomSource& random, const DotCentre& centre,
                   PadDrawing* drawing) {
    pad.setDrawWidth(1);
    for (int i = -1; i <= 1; ++i) {
        for (int j = -1; j <= 1; ++j) {
            const double u = random.next();
            const double v = random.next();
            const auto x = float(centre.x + kDotSpread * u * i);
            const auto y = float(centre.y + kDotSpread * v * j);
            record(drawing, padStep(PadStepKind::Dot, pad.foreColor(), 1, {x, y}));
            pad.pset(x, y);
        }
    }
}

} // namespace pads
