#pragma once

#include "random_art.h"

#include "canvas/random_source.h"
#include "canvas/surface.h"

#include <QString>

namespace pads {

// The three pads as the window lays them out.
canvas::SurfaceSetup randomArtPadSetup(); // Picture4
canvas::SurfaceSetup symbolPadSetup();    // Picture5
canvas::SurfaceSetup figurePadSetup();    // picOutput

// Command59: width from Combo2 (kept when the text is not a 16-bit number), stop the dot timer
// (state.timerEnabled becomes false), drop the background picture, new random background.
void resetRandomArtPad(canvas::Surface& pad, canvas::RandomSource& random, RandomArtState& state,
                       const QString& combo2Text);

// Command64 and Command65: clear, then a new random background.
void resetPad(canvas::Surface& pad, canvas::RandomSource& random);

} // namespace pads
