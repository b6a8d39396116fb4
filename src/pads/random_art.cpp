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
void drawRings(canvas::Surface& pad, canvas::RandomSource& random, float x, float y, bool arcs) {
    for (const double radiusScale : kRingRadii) {
        const auto radius = float(radiusScale * random.next());
        const canvas::Colour colour = roundedColour(random);
        if (arcs) {
            pad.arc(x, y, radius, colour, kArcStart, kArcEnd);
        } else {
            pad.circle(x, y, radius, colour);
        }
    }
}

void startDotStream(canvas::Surface& pad, canvas::RandomSource& random, RandomArtState& state,
                    float x, float y) {
    pad.setForeColor(canvas::randomColour(random));
    state.timerEnabled = true;
    state.centre = {x, std::int32_t(canvas::roundHalfEven(y))};
    const auto radius = float(kStreamCircleRadius * random.next());
    const canvas::Colour colour = roundedColour(random);
    pad.circle(state.centre.x, float(state.centre.y), radius, colour);
}

void drawCrossLines(canvas::Surface& pad, canvas::RandomSource& random, float x, float y,
                    const QString& combo2Text) {
    pad.line(0, y, pad.width(), y, roundedColour(random));
    pad.line(x, 0, x, pad.height(), roundedColour(random));
    if (const auto width = canvas::parseDrawWidth(combo2Text)) {
        pad.setDrawWidth(*width);
    }
}

} // namespace

void pressRandomArtPad(canvas::Surface& pad, canvas::RandomSource& random, RandomArtState& state,
                       std::optional<ArtMode> mode, float x, float y, const QString& combo2Text) {
    if (!mode) {
        return;
    }
    pad.setAutoRedraw(true);
    switch (*mode) {
    case ArtMode::Rings:
        drawRings(pad, random, x, y, false);
        break;
    case ArtMode::DotStream:
        startDotStream(pad, random, state, x, y);
        break;
    case ArtMode::Arcs:
        drawRings(pad, random, x, y, true);
        break;
    case ArtMode::CrossLines:
        drawCrossLines(pad, random, x, y, combo2Text);
        break;
    }
}

void tickDotStream(canvas::Surface& pad, canvas::RandomSource& random, const DotCentre& centre) {
    pad.setDrawWidth(1);
    for (int i = -1; i <= 1; ++i) {
        for (int j = -1; j <= 1; ++j) {
            const double u = random.next();
            const double v = random.next();
            pad.pset(float(centre.x + kDotSpread * u * i), float(centre.y + kDotSpread * v * j));
        }
    }
}

} // namespace pads
