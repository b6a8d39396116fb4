#pragma once

#include "canvas/flood_fill.h"
#include "canvas/surface.h"
#include "workflow/surfaces.h"

#include <QImage>
#include <vector>

// Helpers for reading what the design canvas shows.
namespace design_pixels {

inline canvas::Surface makeDesignCanvas() {
    return canvas::Surface(workflow::designCanvasSetup());
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
inline int regionCount(const canvas::Surface& design, canvas::Colour colour) {
    const QImage& image = design.imageRef();
    const QRgb wanted = canvas::toPixel(colour);
    std::vector<bool> seen(std::size_t(image.width() * image.height()), false);
    canvas::FillScratch scratch;
    std::vector<canvas::Span> spans;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (seen[std::size_t(y * image.width() + x)] || image.pixel(x, y) != wanted) {
                continue;
            }
            ++count;
            canvas::surfaceFillSpans(image, x, y, wanted, scratch, spans);
            for (const canvas::Span& span : spans) {
                for (int sx = span.x0; sx <= span.x1; ++sx) {
                    seen[std::size_t(span.y * image.width() + sx)] = true;
                }
            }
        }
    }
    return count;
}

// How many pixels of the colour lie on row y (or column x) within [from, to].
inline int countInRow(const canvas::Surface& design, int y, int from, int to,
                      canvas::Colour colour) {
    int count = 0;
    for (int x = from; x <= to; ++x) {
        count += at(design, x, y) == colour ? 1 : 0;
    }
    return count;
}

inline int countInColumn(const canvas::Surface& design, int x, int from, int to,
                         canvas::Colour colour) {
    int count = 0;
    for (int y = from; y <= to; ++y) {
        count += at(design, x, y) == colour ? 1 : 0;
    }
    return count;
}

} // namespace design_pixels
