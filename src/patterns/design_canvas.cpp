#include "design_canvas.h"

namespace patterns {

canvas::SurfaceSetup designCanvasSetup() {
    canvas::SurfaceSetup setup;
    setup.outerWidth = 146;
    setup.outerHeight = 146;
    setup.scaleMode = canvas::ScaleMode::Pixels;
    setup.backColor = 0xAE5C44;
    setup.foreColor = canvas::kButtonTextColour;
    setup.fillStyle = canvas::kFillSolid;
    setup.fillColor = 0;
    setup.drawWidth = 1;
    return setup;
}

} // namespace patterns
