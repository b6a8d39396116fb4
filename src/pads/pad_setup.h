#pragma once

#include "pad_drawing.h"
#include "random_art.h"

#include "canvas/random_source.h"
#include "canvas/surface.h"

#include <QString>

namespace pads {

// The three pads as the window lays them out.
canvas::SurfaceSetup randomArtPadSetup(); // Picture4
canvas::SurfaceSetup symbolPadSetup();    // Picture5
canvas::SurfaceSetup figurePadSetup();    // picOutput
canvas::SurfaceSetup padSetup(PadKind pad);

// Command59: width from Combo2 (kept when the text is not a 16-bit number), stop the dot timer
// (state.timerEnabled becomes false), drop the background picture, new random background.
// Both resets are a clear of `drawing` when there is one.
void resetRandomArtPad(canvas::Surface& pad, canvas::RandomSource& random, RandomArtState& state,
                       const QString& combo2Text, PadDrawing* drawing = nullptr);

// Command64 and Command65: clear, then a new random background.
void resetPad(canvas::Surface& pad, canvas::RandomSource& random, PadDrawing* drawing = nullptr);

} // namespace pads
