#pragma once

#include "ascii_picture.h"
#include "canvas/flood_fill.h"
#include "canvas/surface.h"
#include "colouring/surfaces.h"

#include <QImage>
#include <vector>

// Helpers for reading what the design canvas shows.
namespace design_pixels {

inline canvas::Surface makeDesignCanvas() {
    return canvas::Surface(colouring::designCanvasSetup());
}

inline canvas::Colour at(const canvas::Surface& design, int x, int y) {
    return canvas::Colour(design.point(float(x), float(y)));
}

// The 4-connected region of exactly the colour under (x, y).
inline std::vector<canvas::Span> regionAt(const canvas::Surface& design, int x, int y) {
    const QImage& image = design.imageRef();
    canvas::FillScratch scratch;
    std::vector<canvas::Span> spans;
    canvas::surfaceFillSpans(image, x, y, image.pixel(x, y), scratch, spans);
    return spans;
}

inline bool contains(const std::vector<canvas::Span>& spans, int x, int y) {
    for (const canvas::Span& span : spans) {
        if (span.y == y && span.x0 <= x && x <= span.x1) {
            return true;
        }
    }
    return false;
}

// How many separate regions of the given colour a press could fill.
inline int regionCount(canvas::Surface design, canvas::Colour colour) {
    design.setFillStyle(canvas::kFillSolid);
    design.setFillColor(colour ^ 0x010101);
    int count = 0;
    for (int y = 0; y < design.clientPixelHeight(); ++y) {
        for (int x = 0; x < design.clientPixelWidth(); ++x) {
            if (at(design, x, y) == colour) {
                ++count;
                design.floodFillSurface(x, y, colour);
            }
        }
    }
    return count;
}

} // namespace design_pixels
