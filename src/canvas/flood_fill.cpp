#include "flood_fill.h"

#include <algorithm>
#include <cstring>

namespace canvas {
namespace {

// Scanline fill without recursion: each seed grows into a maximal run of unvisited inside
// pixels, whose rows above and below are scanned for further seeds.
template <typename Inside>
void collectSpans(const QImage& image, int startX, int startY, Inside inside, FillScratch& scratch,
                  std::vector<Span>& spans) {
    spans.clear();
    const int width = image.width();
    const int height = image.height();
    if (startX < 0 || startY < 0 || startX >= width || startY >= height) {
        return;
    }
    const auto* bits = reinterpret_cast<const QRgb*>(image.constBits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    if (!inside(bits[startY * stride + startX])) {
        return;
    }
    scratch.visited.assign(std::size_t(width) * std::size_t(height), 0);
    std::uint8_t* visited = scratch.visited.data();
    auto& seeds = scratch.seeds;
    seeds.clear();
    seeds.push_back({startY, startX, startX});

    auto open = [&](int x, int y) {
        return !visited[std::size_t(y) * width + x] && inside(bits[y * stride + x]);
    };
    // Pushes one seed per run of open pixels on row y between x0 and x1.
    auto scanRow = [&](int y, int x0, int x1) {
        if (y < 0 || y >= height) {
            return;
        }
        int x = x0;
        while (x <= x1) {
            while (x <= x1 && !open(x, y)) {
                ++x;
            }
            if (x > x1) {
                break;
            }
            seeds.push_back({y, x, x});
            while (x <= x1 && open(x, y)) {
                ++x;
            }
        }
    };

    while (!seeds.empty()) {
        const Span seed = seeds.back();
        seeds.pop_back();
        const int y = seed.y;
        if (!open(seed.x0, y)) {
            continue;
        }
        std::uint8_t* row = visited + std::size_t(y) * width;
        const QRgb* pixels = bits + y * stride;
        int left = seed.x0;
        while (left > 0 && !row[left - 1] && inside(pixels[left - 1])) {
            --left;
        }
        int right = seed.x0;
        while (right + 1 < width && !row[right + 1] && inside(pixels[right + 1])) {
            ++right;
        }
        std::memset(row + left, 1, std::size_t(right - left + 1));
        spans.push_back({y, left, right});
        scanRow(y - 1, left, right);
        scanRow(y + 1, left, right);
    }
}

} // namespace

void surfaceFillSpans(const QImage& image, int x, int y, QRgb target, FillScratch& scratch,
                      std::vector<Span>& spans) {
    const QRgb wanted = target | 0xFF000000u;
    collectSpans(
        image, x, y, [wanted](QRgb pixel) { return (pixel | 0xFF000000u) == wanted; }, scratch,
        spans);
}

void borderFillSpans(const QImage& image, int x, int y, QRgb border, FillScratch& scratch,
                     std::vector<Span>& spans) {
    const QRgb stop = border | 0xFF000000u;
    collectSpans(
        image, x, y, [stop](QRgb pixel) { return (pixel | 0xFF000000u) != stop; }, scratch, spans);
}

void paintSpans(QImage& image, const std::vector<Span>& spans, QRgb pixel) {
    for (const Span& span : spans) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(span.y));
        std::fill(row + span.x0, row + span.x1 + 1, pixel);
    }
}

} // namespace canvas
