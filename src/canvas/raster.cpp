#include "raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace canvas {
namespace {

constexpr double kFar = 1e9; // far beyond any image, still exact as an int

bool finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

int clampToInt(double value) {
    return int(std::clamp(value, -kFar, kFar));
}

void fillRow(QImage& image, int y, int x0, int x1, QRgb pixel) {
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image.width() - 1);
    if (x0 > x1) {
        return;
    }
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(row + x0, row + x1 + 1, pixel);
}

// Rows of the image that can meet the band [low, high].
struct RowRange {
    int first;
    int last;
};
RowRange rowsBetween(const QImage& image, double low, double high) {
    return {std::max(0, clampToInt(std::floor(low))),
            std::min(image.height() - 1, clampToInt(std::ceil(high)))};
}

// Integer x with |x - centre| < halfSpan, by the exact test `inside`, or an empty range.
struct IntRange {
    int lo = 1;
    int hi = 0;
    bool empty() const { return lo > hi; }
};
template <typename Inside>
IntRange exactRange(double realLo, double realHi, int limit, Inside inside) {
    IntRange range{clampToInt(std::ceil(std::max(realLo, -2.0))),
                   clampToInt(std::floor(std::min(realHi, double(limit) + 1.0)))};
    // The real bounds come from square roots and divisions: settle the edge pixels exactly.
    for (int step = 0; step < 2 && range.lo <= range.hi && !inside(range.lo); ++step) {
        ++range.lo;
    }
    for (int step = 0; step < 2 && inside(range.lo - 1) && range.lo - 1 >= -1; ++step) {
        --range.lo;
    }
    for (int step = 0; step < 2 && range.hi >= range.lo && !inside(range.hi); ++step) {
        --range.hi;
    }
    for (int step = 0; step < 2 && inside(range.hi + 1) && range.hi + 1 <= limit; ++step) {
        ++range.hi;
    }
    return range;
}

// Pixels of row y closer than `radius` to (cx, cy).
IntRange diskRow(double cx, double cy, double radius, int y, int limit) {
    const double dy = y - cy;
    const double rest = radius * radius - dy * dy;
    if (rest <= 0) {
        return {};
    }
    const double half = std::sqrt(rest);
    return exactRange(cx - half, cx + half, limit, [&](int x) {
        const double dx = x - cx;
        return dx * dx + dy * dy < radius * radius;
    });
}

IntRange unite(IntRange a, IntRange b) {
    if (a.empty()) {
        return b;
    }
    if (b.empty()) {
        return a;
    }
    return {std::min(a.lo, b.lo), std::max(a.hi, b.hi)};
}

double normaliseAngle(double angle) {
    constexpr double kTurn = 2 * std::numbers::pi;
    angle = std::fmod(std::fabs(angle), kTurn);
    return angle;
}

} // namespace

void strokeSegment(QImage& image, double x1, double y1, double x2, double y2, double width,
                   QRgb pixel) {
    if (!finite({x1, y1, x2, y2, width}) || image.isNull()) {
        return;
    }
    // One orientation for both directions, so a line and its reverse give the same pixels.
    if (y2 < y1 || (y2 == y1 && x2 < x1)) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const double half = std::max(width, 1.0) / 2.0;
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double length2 = dx * dx + dy * dy;
    const double length = std::sqrt(length2);
    const int limit = image.width() - 1;

    // Inside the band: 0 <= t <= 1 along the segment and -half <= s < half across it.
    auto inBand = [&](double x, double y) {
        const double along = (x - x1) * dx + (y - y1) * dy;
        const double across = dx * (y - y1) - dy * (x - x1);
        return along >= 0 && along <= length2 && across >= -half * length && across < half * length;
    };

    const RowRange rows = rowsBetween(image, std::min(y1, y2) - half, std::max(y1, y2) + half);
    for (int y = rows.first; y <= rows.last; ++y) {
        IntRange span = unite(diskRow(x1, y1, half, y, limit), diskRow(x2, y2, half, y, limit));
        if (length2 > 0) {
            // Solve each band condition, linear in x on this row, for an x interval.
            double lo = -kFar;
            double hi = kFar;
            auto keep = [&](double slope, double offset, double low, double high, bool highOpen) {
                if (slope == 0) {
                    if (offset < low || offset > high || (highOpen && offset == high)) {
                        lo = 1;
                        hi = 0;
                    }
                    return;
                }
                double a = (low - offset) / slope;
                double b = (high - offset) / slope;
                if (a > b) {
                    std::swap(a, b);
                }
                lo = std::max(lo, a);
                hi = std::min(hi, b);
            };
            keep(dx, (y - y1) * dy - x1 * dx, 0, length2, false);
            keep(-dy, dx * (y - y1) + dy * x1, -half * length, half * length, true);
            if (lo <= hi) {
                span = unite(span, exactRange(lo, hi, limit, [&](int x) { return inBand(x, y); }));
            }
        }
        if (!span.empty()) {
            fillRow(image, y, span.lo, span.hi, pixel);
        }
    }
}

void strokeCircle(QImage& image, double cx, double cy, double radius, double width, QRgb pixel,
                  std::optional<ArcRange> arc) {
    if (!finite({cx, cy, radius, width}) || image.isNull()) {
        return;
    }
    radius = std::fabs(radius);
    const double half = std::max(width, 1.0) / 2.0;
    const double outer = radius + half;
    const double inner = radius - half;
    const int limit = image.width() - 1;
    double start = 0;
    double end = 0;
    if (arc) {
        start = normaliseAngle(arc->start);
        end = normaliseAngle(arc->end);
    }
    auto onArc = [&](int x, int y) {
        double angle = std::atan2(cy - y, x - cx);
        if (angle < 0) {
            angle += 2 * std::numbers::pi;
        }
        return start <= end ? angle >= start && angle <= end : angle >= start || angle <= end;
    };
    auto paint = [&](int y, int x0, int x1) {
        if (!arc) {
            fillRow(image, y, x0, x1, pixel);
            return;
        }
        x0 = std::max(x0, 0);
        x1 = std::min(x1, limit);
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = x0; x <= x1; ++x) {
            if (onArc(x, y)) {
                row[x] = pixel;
            }
        }
    };

    const RowRange rows = rowsBetween(image, cy - outer, cy + outer);
    for (int y = rows.first; y <= rows.last; ++y) {
        const IntRange ring = diskRow(cx, cy, outer, y, limit);
        if (ring.empty()) {
            continue;
        }
        const IntRange hole = inner > 0 ? diskRow(cx, cy, inner, y, limit) : IntRange{};
        if (hole.empty()) {
            paint(y, ring.lo, ring.hi);
        } else {
            paint(y, ring.lo, hole.lo - 1);
            paint(y, hole.hi + 1, ring.hi);
        }
    }
}

void fillDisk(QImage& image, double cx, double cy, double radius, QRgb pixel) {
    if (!finite({cx, cy, radius}) || image.isNull()) {
        return;
    }
    radius = std::fabs(radius);
    const RowRange rows = rowsBetween(image, cy - radius, cy + radius);
    for (int y = rows.first; y <= rows.last; ++y) {
        const IntRange span = diskRow(cx, cy, radius, y, image.width() - 1);
        if (!span.empty()) {
            fillRow(image, y, span.lo, span.hi, pixel);
        }
    }
}

DotMask makeDotMask(int diameter) {
    DotMask mask;
    mask.diameter = std::max(diameter, 1);
    if (mask.diameter == 1) {
        mask.rows.push_back({0, 0, 0});
        return mask;
    }
    // Odd diameters centre on the pixel, even ones on its top-left corner.
    const double centre = mask.diameter % 2 == 1 ? 0.0 : -0.5;
    const double radius = mask.diameter / 2.0;
    const int reach = mask.diameter / 2;
    for (int dy = -reach; dy <= reach; ++dy) {
        int lo = reach + 1;
        int hi = -reach - 1;
        for (int dx = -reach; dx <= reach; ++dx) {
            const double ex = dx - centre;
            const double ey = dy - centre;
            if (ex * ex + ey * ey < radius * radius) {
                lo = std::min(lo, dx);
                hi = std::max(hi, dx);
            }
        }
        if (lo <= hi) {
            mask.rows.push_back({dy, lo, hi});
        }
    }
    return mask;
}

void stampDot(QImage& image, int x, int y, const DotMask& mask, QRgb pixel) {
    for (const DotMask::Row& row : mask.rows) {
        const int py = y + row.dy;
        if (py >= 0 && py < image.height()) {
            fillRow(image, py, x + row.dx0, x + row.dx1, pixel);
        }
    }
}

} // namespace canvas
