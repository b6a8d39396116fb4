#pragma once

#include "canvas/surface.h"

namespace colouring {

// Initial state of the design canvas Picture1: 146 x 146 pixels, solid fill brush. Its font size
// is set by the window at start-up.
canvas::SurfaceSetup designCanvasSetup();
// Initial state of the effect view Picture2: 647 x 647 pixels, credit text in "黑体" 9 points.
canvas::SurfaceSetup effectViewSetup();
// Initial state of the strip Picture3: 57 x 9 pixels outside, coordinates in twips, showing only
// its background picture.
canvas::SurfaceSetup stripSetup();

} // namespace colouring
