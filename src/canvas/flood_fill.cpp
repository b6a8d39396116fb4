#include "flood_fill.h"

#include <algorithm>
#include <cstring>

namespace canvas {
namespace {

// Seed fill without recursion. Each pending entry is a run already marked on one row and the
// direction of the row to scan next to it; the scan grows runs under it, marks them, and sends
// back only the parts that stick out beyond the parent run, so no row is scanned twice for the
// same run. `mark` must make `inside` false for the pixels it marks.
template <typename Inside, typename Mark>
void seedFill(int width, int height, int startX, int startY, Inside inside, Mark mark,
              std::vector<FillScratch::Pending>& pending) {
    if (startX < 0 || startY < 0 || startX >= width || startY >= height ||
        !inside(startX, startY)) {
        return;
    }
    pending.clear();
    auto push = [&](int y, int x0, int x1, int dy) {
        if (y + dy >= 0 && y + dy < height) {
            pending.push_back({y, x0, x1, dy});
        }
    };
    push(startY, startX, startX, 1);
    push(startY + 1, startX, startX, -1);
    while (!pending.empty()) {
        const FillScratch::Pending parent = pending.back();
        pending.pop_back();
        const int y = parent.y + parent.dy;
        int x = parent.x0;
        int left = x;
        if (inside(x, y)) {
            while (left > 0 && inside(left - 1, y)) {
                --left;
            }
            if (left < parent.x0) {
                push(y, left, parent.x0 - 1, -parent.dy);
            }
        } else {
            for (++x; x <= parent.x1 && !inside(x, y); ++x) {
            }
            if (x > parent.x1) {
                continue;
            }
            left = x;
        }
        do {
            while (x + 1 < width && inside(x + 1, y)) {
                ++x;
            }
            mark(y, left, x);
            push(y, left, x, parent.dy);
            if (x > parent.x1) {
                push(y, parent.x1 + 1, x, -parent.dy);
            }
            for (x += 2; x <= parent.x1 && !inside(x, y); ++x) {
            }
            left = x;
        } while (x <= parent.x1);
    }
}

// The region as spans, with a visited map: for regions whose pixels stay inside once marked.
template <typename Inside>
void collectSpans(const QImage& image, int x, int y, Inside insideColour, FillScratch& scratch,
                  std::vector<Span>& spans) {
    spans.clear();
    const int width = image.width();
    scratch.visited.assign(std::size_t(width) * std::size_t(image.height()), 0);
    std::uint8_t* visited = scratch.visited.data();
    const auto* bits = reinterpret_cast<const QRgb*>(image.constBits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    seedFill(
        width, image.height(), x, y,
        [&](int px, int py) {
            return !visited[std::size_t(py) * width + px] && insideColour(bits[py * stride + px]);
        },
        [&](int py, int x0, int x1) {
            std::memset(visited + std::size_t(py) * width + x0, 1, std::size_t(x1 - x0 + 1));
            spans.push_back({py, x0, x1});
        },
        scratch.pending);
}

} // namespace

void surfaceFillSpans(const QImage& image, int x, int y, QRgb target, FillScratch& scratch,
                      std::vector<Span>& spans) {
    const QRgb wanted = target | 0xFF000000u;
    collectSpans(
        image, x, y, [wanted](QRgb pixel) { return (pixel | 0xFF000000u) == wanted; }, scratch,
        spans);
}

void paintSurfaceFill(QImage& image, int x, int y, QRgb target, QRgb brush, FillScratch& scratch) {
    target |= 0xFF000000u;
    brush |= 0xFF000000u;
    if (target == brush) {
        return;
    }
    auto* bits = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    // Painted pixels no longer have the target colour, so the image is its own visited map.
    seedFill(
        image.width(), image.height(), x, y,
        [&](int px, int py) { return bits[py * stride + px] == target; },
        [&](int py, int x0, int x1) {
            std::fill(bits + py * stride + x0, bits + py * stride + x1 + 1, brush);
        },
        scratch.pending);
}

void paintSpans(QImage& image, const std::vector<Span>& spans, QRgb pixel) {
    for (const Span& span : spans) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(span.y));
        std::fill(row + span.x0, row + span.x1 + 1, pixel);
    }
}

} // namespace canvas

namespace canvas {

void paintBorderFill(QImage& image, int x, int y, QRgb border, QRgb brush, FillScratch& scratch) {
    border |= 0xFF000000u;
    brush |= 0xFF000000u;
    auto* bits = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    auto fillRun = [&](int py, int x0, int x1, QRgb pixel) {
        std::fill(bits + py * stride + x0, bits + py * stride + x1 + 1, pixel);
    };
    bool brushInImage = false;
    for (int row = 0; row < image.height() && !brushInImage; ++row) {
        const QRgb* line = bits + row * stride;
        brushInImage = std::find(line, line + image.width(), brush) != line + image.width();
    }
    if (!brushInImage || brush == border) {
        // Every brush pixel is then one this fill painted: the image is its own visited map.
        seedFill(
            image.width(), image.height(), x, y,
            [&](int px, int py) {
                const QRgb pixel = bits[py * stride + px];
                return pixel != border && pixel != brush;
            },
            [&](int py, int x0, int x1) { fillRun(py, x0, x1, brush); }, scratch.pending);
        return;
    }
    // The brush already stands somewhere, so painted pixels are told apart by a clear alpha
    // byte, which no pixel of an RGB32 image has otherwise; the runs get it back at the end.
    const QRgb marked = brush & 0x00FFFFFFu;
    std::vector<Span>& runs = scratch.runs;
    runs.clear();
    seedFill(
        image.width(), image.height(), x, y,
        [&](int px, int py) {
            const QRgb pixel = bits[py * stride + px];
            return pixel > 0x00FFFFFFu && pixel != border;
        },
        [&](int py, int x0, int x1) {
            fillRun(py, x0, x1, marked);
            runs.push_back({py, x0, x1});
        },
        scratch.pending);
    paintSpans(image, runs, brush);
}

} // namespace canvas
