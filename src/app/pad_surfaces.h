#pragma once

#include "canvas/surface.h"

namespace app {

// The three sketch pads as the window creates them.
canvas::SurfaceSetup randomArtPadSetup();
canvas::SurfaceSetup symbolPadSetup();
canvas::SurfaceSetup figurePadSetup();

} // namespace app
