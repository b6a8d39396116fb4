#include "colouring.h"

#include "canvas/numbers.h"

namespace colouring {

void colourRegion(canvas::Surface& design, float x, float y, canvas::RandomSource& random) {
    random.reseedFromClock();
    fillRegion(design, x, y, canvas::randomColour(random));
}

void fillRegion(canvas::Surface& design, float x, float y, canvas::Colour colour) {
    design.setFillColor(colour);
    const std::int32_t under = design.point(x, y);
    if (under < 0) {
        return;
    }
    design.floodFillSurface(int(canvas::roundHalfEven(x)), int(canvas::roundHalfEven(y)),
                            canvas::Colour(under));
}

void clearDesignPicture(canvas::Surface& design) {
    design.setPicture(QImage());
    design.setAutoRedraw(true);
}

} // namespace colouring
