#pragma once

#include "pad_drawing.h"

#include "canvas/random_source.h"
#include "canvas/surface.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace pads {

// The four modes of the random-art pad, Option1 .. Option4.
enum class ArtMode { Rings = 1, DotStream = 2, Arcs = 3, CrossLines = 4 };

// Where the dot stream sprinkles: x as the press gave it, y rounded to a whole pixel.
struct DotCentre {
    float x = 0.0f;
    std::int32_t y = 0;
};

// The window-level state the pad shares between presses and timer ticks. `timerEnabled` mirrors
// Timer1: the window starts or stops its timer to match after each call.
struct RandomArtState {
    DotCentre centre;
    bool timerEnabled = false;
};

inline constexpr float kArcStart = 6.28f;
inline constexpr float kArcEnd = 3.5f;
inline constexpr int kDotTimerIntervalMs = 1;

// A press on the pad at (x, y) with the selected mode (none when a symbol-font option holds the
// shared option group): rings, a dot stream, arcs or cross lines in random colours. Cross lines
// adopt Combo2's width afterwards; text that is not a 16-bit number keeps the width. What is drawn
// is recorded in `drawing` when there is one, as by the tick.
void pressRandomArtPad(canvas::Surface& pad, canvas::RandomSource& random, RandomArtState& state,
                       std::optional<ArtMode> mode, float x, float y, const QString& combo2Text,
                       PadDrawing* drawing = nullptr);

// One tick of the dot timer: width 1, nine dots within 2 units of the centre in ForeColor.
void tickDotStream(canvas::Surface& pad, canvas::RandomSource& random, const DotCentre& centre,
                   PadDrawing* drawing = nullptr);

} // namespace pads
