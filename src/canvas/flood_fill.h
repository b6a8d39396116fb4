#pragma once

#include <QImage>
#include <QRgb>
#include <cstdint>
#include <vector>

namespace canvas {

// One horizontal run of pixels, x0..x1 inclusive, on row y.
struct Span {
    int y;
    int x0;
    int x1;
    bool operator==(const Span&) const = default;
};

// Working memory a fill reuses between calls, so a fill allocates nothing once warmed up.
struct FillScratch {
    struct Pending {
        int y;
        int x0;
        int x1;
        int dy;
    };
    std::vector<std::uint8_t> visited;
    std::vector<Pending> pending;
    std::vector<Span> runs;
};

// The 4-connected region around (x, y) of pixels exactly equal to `target`, as spans.
// Empty when the start lies outside the image or does not have that colour.
void surfaceFillSpans(const QImage& image, int x, int y, QRgb target, FillScratch& scratch,
                      std::vector<Span>& spans);

void paintSpans(QImage& image, const std::vector<Span>& spans, QRgb pixel);

// The surface fill painted straight into an RGB32 image: the region of `target` around (x, y)
// takes `brush`. The fastest way to a fill; it needs no visited map.
void paintSurfaceFill(QImage& image, int x, int y, QRgb target, QRgb brush, FillScratch& scratch);

// The border fill painted straight into an RGB32 image: the 4-connected region around (x, y) of
// pixels other than `border` takes `brush`.
void paintBorderFill(QImage& image, int x, int y, QRgb border, QRgb brush, FillScratch& scratch);

} // namespace canvas
