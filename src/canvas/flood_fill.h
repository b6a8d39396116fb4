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
    std::vector<std::uint8_t> visited;
    std::vector<Span> seeds;
};

// The 4-connected region around (x, y) of pixels exactly equal to `target`, as spans.
// Empty when the start lies outside the image or does not have that colour.
void surfaceFillSpans(const QImage& image, int x, int y, QRgb target, FillScratch& scratch,
                      std::vector<Span>& spans);

// The 4-connected region around (x, y) of pixels other than `border`, as spans.
void borderFillSpans(const QImage& image, int x, int y, QRgb border, FillScratch& scratch,
                     std::vector<Span>& spans);

void paintSpans(QImage& image, const std::vector<Span>& spans, QRgb pixel);

} // namespace canvas
