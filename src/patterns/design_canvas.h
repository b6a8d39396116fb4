#pragma once

#include "canvas/surface.h"

namespace patterns {

// The design canvas Picture1 as the window creates it: 146 x 146 pixels with its border, the
// window's blue-grey background, black pen, solid black fill, pen width 1.
canvas::SurfaceSetup designCanvasSetup();

} // namespace patterns
