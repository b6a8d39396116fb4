#include "raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <numbers>
#include <sys/mman.h>
#include <unistd.h>

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
// Only x in lowest..highest matter to the caller; the range is clamped to them first.
template <typename Inside>
IntRange exactRange(double realLo, double realHi, int lowest, int highest, Inside inside) {
    IntRange range{clampToInt(std::ceil(std::max(realLo, double(lowest)))),
                   clampToInt(std::floor(std::min(realHi, double(highest))))};
    // The real bounds come from square roots and divisions: settle the edge pixels exactly.
    for (int step = 0; step < 2 && range.lo <= range.hi && !inside(range.lo); ++step) {
        ++range.lo;
    }
    for (int step = 0; step < 2 && range.lo - 1 >= lowest && inside(range.lo - 1); ++step) {
        --range.lo;
    }
    for (int step = 0; step < 2 && range.hi >= range.lo && !inside(range.hi); ++step) {
        --range.hi;
    }
    for (int step = 0; step < 2 && range.hi + 1 <= highest && inside(range.hi + 1); ++step) {
        ++range.hi;
    }
    return range;
}

// Pixels of row y closer than `radius` to (cx, cy), within lowest..highest.
IntRange diskRow(double cx, double cy, double radius, int y, int lowest, int highest) {
    const double dy = y - cy;
    const double rest = radius * radius - dy * dy;
    if (rest <= 0) {
        return {};
    }
    const double half = std::sqrt(rest);
    return exactRange(cx - half, cx + half, lowest, highest, [&](int x) {
        const double dx = x - cx;
        return dx * dx + dy * dy < radius * radius;
    });
}

// Pixels of row y inside the ellipse of semi-axes rx, ry about (cx, cy), within lowest..highest.
IntRange ellipseRow(double cx, double cy, double rx, double ry, int y, int lowest, int highest) {
    const double dy = y - cy;
    const double rest = rx * rx * ry * ry - dy * dy * rx * rx;
    if (rx <= 0 || ry <= 0 || rest <= 0) {
        return {};
    }
    const double half = std::sqrt(rest) / ry;
    // Products only, so that a scaled ellipse keeps exactly the pixels of its scaled centres.
    return exactRange(cx - half, cx + half, lowest, highest, [&](int x) {
        const double dx = x - cx;
        return dx * dx * ry * ry + dy * dy * rx * rx < rx * rx * ry * ry;
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
        IntRange span =
            unite(diskRow(x1, y1, half, y, -1, limit + 1), diskRow(x2, y2, half, y, -1, limit + 1));
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
                span = unite(
                    span, exactRange(lo, hi, -1, limit + 1, [&](int x) { return inBand(x, y); }));
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
        const IntRange ring = diskRow(cx, cy, outer, y, -1, limit + 1);
        if (ring.empty()) {
            continue;
        }
        const IntRange hole = inner > 0 ? diskRow(cx, cy, inner, y, -1, limit + 1) : IntRange{};
        if (hole.empty()) {
            paint(y, ring.lo, ring.hi);
        } else {
            paint(y, ring.lo, hole.lo - 1);
            paint(y, hole.hi + 1, ring.hi);
        }
    }
}

void strokeEllipse(QImage& image, double cx, double cy, double rx, double ry, double width,
                   QRgb pixel) {
    if (!finite({cx, cy, rx, ry, width}) || image.isNull()) {
        return;
    }
    const double half = std::max(width, 1.0) / 2.0;
    const double outerX = std::fabs(rx) + half;
    const double outerY = std::fabs(ry) + half;
    const double innerX = std::fabs(rx) - half;
    const double innerY = std::fabs(ry) - half;
    const int limit = image.width() - 1;
    const RowRange rows = rowsBetween(image, cy - outerY, cy + outerY);
    for (int y = rows.first; y <= rows.last; ++y) {
        const IntRange ring = ellipseRow(cx, cy, outerX, outerY, y, -1, limit + 1);
        if (ring.empty()) {
            continue;
        }
        const IntRange hole = ellipseRow(cx, cy, innerX, innerY, y, -1, limit + 1);
        if (hole.empty()) {
            fillRow(image, y, ring.lo, ring.hi, pixel);
        } else {
            fillRow(image, y, ring.lo, hole.lo - 1, pixel);
            fillRow(image, y, hole.hi + 1, ring.hi, pixel);
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
        const IntRange span = diskRow(cx, cy, radius, y, -1, image.width());
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
        const IntRange span = diskRow(centre, centre, radius, dy, -reach - 1, reach + 1);
        if (!span.empty()) {
            mask.rows.push_back({dy, span.lo, span.hi});
        }
    }
    return mask;
}

void stampDot(QImage& image, int x, int y, const DotMask& mask, QRgb pixel) {
    if (mask.rows.empty()) {
        return;
    }
    // Rows run from the top of the dot down, one per dy: skip straight to the visible ones.
    const int top = mask.rows.front().dy;
    const std::size_t first = std::size_t(std::clamp(-y - top, 0, int(mask.rows.size())));
    for (std::size_t i = first; i < mask.rows.size(); ++i) {
        const DotMask::Row& row = mask.rows[i];
        const int py = y + row.dy;
        if (py >= image.height()) {
            break;
        }
        fillRow(image, py, x + row.dx0, x + row.dx1, pixel);
    }
}

QImage largeImage(QSize size) {
    constexpr std::size_t kHugePage = std::size_t(2) << 20;
    constexpr std::size_t kPage = 4096;
    constexpr std::size_t kLeastPopulated = std::size_t(256) << 10;
    const qsizetype bytesPerLine = qsizetype(size.width()) * qsizetype(sizeof(QRgb));
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(std::max(size.height(), 0));
    if (size.isEmpty() || bytes < kLeastPopulated) {
        return QImage(size, QImage::Format_RGB32);
    }
    const bool huge = bytes >= kHugePage;
    const std::size_t alignment = huge ? kHugePage : kPage;
    const std::size_t rounded = (bytes + alignment - 1) / alignment * alignment;
    void* memory = std::aligned_alloc(alignment, rounded);
    if (memory == nullptr) {
        return QImage(size, QImage::Format_RGB32);
    }
    if (huge) {
        madvise(memory, rounded, MADV_HUGEPAGE);
    } else {
        mapPagesNow(memory, rounded);
    }
    return QImage(static_cast<uchar*>(memory), size.width(), size.height(), bytesPerLine,
                  QImage::Format_RGB32, std::free, memory);
}

void mapPagesNow(const void* bytes, std::size_t size) {
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto begin = (std::uintptr_t(bytes) + page - 1) / page * page;
    const auto end = (std::uintptr_t(bytes) + size) / page * page;
    if (end > begin) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
    }
}

QImage requirePixels(QImage image) {
    if (image.isNull()) {
        throw std::bad_alloc();
    }
    return image;
}

namespace {

constexpr int kStopBandRows = 256; // rows laid out between two looks at a stop request

// For each device pixel along a side, up to `most` of them, the source pixel it shows.
std::vector<int> sourceIndices(int sourceSide, double scale, int sourceBlock, int most) {
    const int designSide = sourceSide / sourceBlock;
    std::vector<int> indices(
        std::size_t(std::clamp<double>(std::round(designSide * scale), 0, std::max(most, 0))));
    for (std::size_t device = 0; device < indices.size(); ++device) {
        const int block = std::min(int(std::floor((double(device) + 0.5) / scale)), designSide - 1);
        const int centre = int(std::floor((block + 0.5) * scale));
        const int fromCentre =
            std::clamp(int(device) - centre, -(sourceBlock / 2), sourceBlock - 1 - sourceBlock / 2);
        indices[device] = block * sourceBlock + sourceBlock / 2 + fromCentre;
    }
    return indices;
}

} // namespace

bool drawEnlarged(QImage& target, const QImage& image, double scale, int sourceBlock,
                  const StopRequest& stop) {
    if (image.isNull() || target.isNull() || sourceBlock < 1 || !(scale >= sourceBlock)) {
        return true;
    }
    const QImage source = requirePixels(image.convertToFormat(QImage::Format_RGB32));
    const std::vector<int> columns =
        sourceIndices(source.width(), scale, sourceBlock, target.width());
    const std::vector<int> rows =
        sourceIndices(source.height(), scale, sourceBlock, target.height());
    // Runs of device pixels that show consecutive source pixels, each copied at once.
    struct Run {
        int device;
        int source;
        int length;
    };
    std::vector<Run> runs;
    for (int x = 0; x < int(columns.size()); ++x) {
        const int from = columns[std::size_t(x)];
        if (!runs.empty() && runs.back().source + runs.back().length == from &&
            runs.back().device + runs.back().length == x) {
            ++runs.back().length;
        } else {
            runs.push_back({x, from, 1});
        }
    }
    for (int y = 0; y < int(rows.size()); ++y) {
        if (y % kStopBandRows == 0 && stop && stop()) {
            return false;
        }
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(y));
        if (y > 0 && rows[std::size_t(y)] == rows[std::size_t(y) - 1]) {
            // A repeated source row: copy the one above.
            std::copy_n(reinterpret_cast<const QRgb*>(target.constScanLine(y - 1)), columns.size(),
                        to);
            continue;
        }
        const auto* from =
            reinterpret_cast<const QRgb*>(source.constScanLine(rows[std::size_t(y)]));
        for (const Run& run : runs) {
            std::copy_n(from + run.source, run.length, to + run.device);
        }
    }
    return true;
}

QImage enlargeByBlocks(const QImage& image, double scale, int sourceBlock,
                       const StopRequest& stop) {
    if (image.isNull() || sourceBlock < 1 || !(scale > sourceBlock)) {
        return image;
    }
    auto side = [&](int sourceSide) { return int(std::round(sourceSide / sourceBlock * scale)); };
    QImage enlarged =
        requirePixels(QImage(side(image.width()), side(image.height()), QImage::Format_RGB32));
    return drawEnlarged(enlarged, image, scale, sourceBlock, stop) ? enlarged : QImage();
}

} // namespace canvas
