#include "tiling.h"

#include "canvas/raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <tuple>
#include <vector>

namespace tiling {
namespace {

// One symmetry of a wallpaper group as it moves a point of the cell, the cell's sides being 1:
// x' = xx x + xy y + halfX / 2, y' = yx x + yy y + halfY / 2. Hexagonal groups read it on lattice
// coordinates (along the lattice's two sides, 60 degrees apart) and have no halves.
struct Symmetry {
    int xx, xy, yx, yy;
    int halfX = 0;
    int halfY = 0;
};

enum class Lattice { Rectangular, Square, Hexagonal };

// The fundamental region as the sides it lies on the right of (it runs clockwise on the screen),
// each a unit normal pointing out and its distance from the origin, in cell units.
struct Side {
    double normalX, normalY, distance;
};
std::vector<Side> sidesOf(const std::vector<QPointF>& polygon) {
    std::vector<Side> sides;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const QPointF from = polygon[i];
        const QPointF along = polygon[(i + 1) % polygon.size()] - from;
        const double length = std::hypot(along.x(), along.y());
        const double normalX = along.y() / length;
        const double normalY = -along.x() / length;
        sides.push_back({normalX, normalY, normalX * from.x() + normalY * from.y()});
    }
    return sides;
}

struct WallpaperGroup {
    WallpaperGroup(Lattice lattice, std::vector<Symmetry> symmetries, std::vector<QPointF> region)
        : lattice(lattice), symmetries(std::move(symmetries)), region(std::move(region)),
          sides(sidesOf(this->region)) {}
    Lattice lattice;
    std::vector<Symmetry> symmetries; // one for each image of the fundamental region in a cell
    std::vector<QPointF> region;      // the fundamental region (cell sides 1), none: the cell
    std::vector<Side> sides;
};

constexpr Symmetry kIdentity{1, 0, 0, 1};
constexpr Symmetry kHalfTurn{-1, 0, 0, -1};
constexpr Symmetry kMirrorX{-1, 0, 0, 1};
constexpr Symmetry kMirrorY{1, 0, 0, -1};
constexpr Symmetry kQuarterTurn{0, -1, 1, 0};
constexpr Symmetry kThreeQuarterTurn{0, 1, -1, 0};
constexpr Symmetry kDiagonal{0, 1, 1, 0};
constexpr Symmetry kAntiDiagonal{0, -1, -1, 0};
constexpr Symmetry shifted(Symmetry symmetry, int halfX, int halfY) {
    symmetry.halfX = halfX;
    symmetry.halfY = halfY;
    return symmetry;
}
// On hexagonal lattice coordinates: turns by 60 and 120 degrees, mirrors across and along the
// first side.
constexpr Symmetry kSixthTurn{0, -1, 1, 1};
constexpr Symmetry kThirdTurn{-1, -1, 1, 0};
constexpr Symmetry kSixthTurns[] = {kIdentity,      kSixthTurn,     kThirdTurn,
                                    {-1, 0, 0, -1}, {0, 1, -1, -1}, {1, 1, -1, 0}};
constexpr Symmetry kAcrossSide{-1, -1, 0, 1};
constexpr Symmetry kAlongSide{1, 1, 0, -1};

Symmetry compose(Symmetry outer, Symmetry inner) {
    return {outer.xx * inner.xx + outer.xy * inner.yx, outer.xx * inner.xy + outer.xy * inner.yy,
            outer.yx * inner.xx + outer.yy * inner.yx, outer.yx * inner.xy + outer.yy * inner.yy};
}

std::vector<Symmetry> hexagonal(int turnStep, std::optional<Symmetry> mirror) {
    std::vector<Symmetry> symmetries;
    for (int i = 0; i < 6; i += turnStep) {
        symmetries.push_back(kSixthTurns[i]);
        if (mirror) {
            symmetries.push_back(compose(*mirror, kSixthTurns[i]));
        }
    }
    return symmetries;
}

// Fundamental regions. Rectangular cells: halves, quarters, an eighth and triangles with a
// corner at the cell's top-left. Hexagonal cells (the upper half of the period, sides 1): O and A
// lattice points at the top corners, M between them, P the lattice point below M, C and L the
// centres of the triangles O A P and O P (-1/2, 1).
const QPointF kO{0, 0}, kA{1, 0}, kM{0.5, 0}, kC{0.5, 1.0 / 3}, kP{0.5, 1}, kL{0, 2.0 / 3};
std::vector<QPointF> box(double width, double height) {
    return {{0, 0}, {width, 0}, {width, height}, {0, height}};
}

const WallpaperGroup& wallpaperGroup(Repeat repeat) {
    using enum Lattice;
    const std::vector<Symmetry> p4{kIdentity, kHalfTurn, kQuarterTurn, kThreeQuarterTurn};
    static const WallpaperGroup groups[] = {
        {Rectangular, {kIdentity}, {}},
        {Rectangular, {kIdentity, kHalfTurn}, box(0.5, 1)},
        {Rectangular, {kIdentity, kMirrorX}, box(0.5, 1)},
        {Rectangular, {kIdentity, shifted(kMirrorX, 0, 1)}, box(1, 0.5)},
        {Rectangular,
         {kIdentity, kMirrorX, shifted(kIdentity, 1, 1), shifted(kMirrorX, 1, 1)},
         box(0.5, 0.5)},
        {Rectangular, {kIdentity, kHalfTurn, kMirrorX, kMirrorY}, box(0.5, 0.5)},
        {Rectangular,
         {kIdentity, kHalfTurn, shifted(kMirrorX, 1, 0), shifted(kMirrorY, 1, 0)},
         box(0.25, 1)},
        {Rectangular,
         {kIdentity, kHalfTurn, shifted(kMirrorX, 1, 1), shifted(kMirrorY, 1, 1)},
         box(0.5, 0.5)},
        {Rectangular,
         {kIdentity, kHalfTurn, kMirrorX, kMirrorY, shifted(kIdentity, 1, 1),
          shifted(kHalfTurn, 1, 1), shifted(kMirrorX, 1, 1), shifted(kMirrorY, 1, 1)},
         box(0.25, 0.5)},
        {Square, p4, box(0.5, 0.5)},
        {Square,
         {kIdentity, kHalfTurn, kQuarterTurn, kThreeQuarterTurn, kMirrorX, kMirrorY, kDiagonal,
          kAntiDiagonal},
         {{0, 0}, {0.5, 0}, {0.5, 0.5}}},
        {Square,
         {kIdentity, kHalfTurn, kQuarterTurn, kThreeQuarterTurn, shifted(kMirrorX, 1, 1),
          shifted(kMirrorY, 1, 1), shifted(kDiagonal, 1, 1), shifted(kAntiDiagonal, 1, 1)},
         {{0, 0}, {0.5, 0}, {0, 0.5}}},
        {Hexagonal, hexagonal(2, std::nullopt), {kO, kC, kP, kL}},
        {Hexagonal, hexagonal(2, kAcrossSide), {kO, kC, kL}},
        {Hexagonal, hexagonal(2, kAlongSide), {kO, kA, kC}},
        {Hexagonal, hexagonal(1, std::nullopt), {kO, kA, kC}},
        {Hexagonal, hexagonal(1, kAlongSide), {kO, kM, kC}},
    };
    static_assert(std::size(groups) == kRepeatCount - int(Repeat::P1));
    return groups[int(repeat) - int(Repeat::P1)];
}

// How the other repeats lay cells out: columns lowered and rows shifted by a fraction of the tile
// one step more each, and what each cell of a 2 x 2 block shows.
struct CellShow {
    CellOrientation orientation;
    bool ground = false; // the tile's top-left pixel all over
};
struct CellLayout {
    int dropSteps = 1;
    int shiftSteps = 1;
    CellShow block[2][2] = {}; // by odd row, odd column
    bool alternates = false;   // the block differs from cell to cell
};

const CellLayout& cellLayout(Repeat repeat) {
    static const CellLayout layouts[] = {
        {},
        {2, 1},
        {1, 2},
        // A top-bottom flip is a left-right mirror followed by a half turn.
        {1, 1, {{{{0, false}}, {{0, true}}}, {{{2, true}}, {{2, false}}}}, true},
        {1, 1, {{{{0}}, {{1}}}, {{{3}}, {{2}}}}, true},
        {3, 1},
        {4, 1},
        {1, 3},
        {1, 4},
        {1, 1, {{{}, {{}, true}}, {{{}, true}, {}}}, true},
    };
    static_assert(std::size(layouts) == int(Repeat::P1));
    return layouts[int(repeat)];
}

// The tile pixels that page pixels x, x + 1, ... of a row show: first, first + step, ...
struct TileRun {
    QPoint first;
    QPoint step;
    int length = 1;
};

int hexagonalPeriodHeight(int width) {
    return int(std::lround(std::sqrt(3.0) * width));
}

QSize groupCell(QSize tile, const WallpaperGroup& group) {
    if (group.lattice == Lattice::Hexagonal) {
        return {tile.width(), hexagonalPeriodHeight(tile.width())};
    }
    const QSize cell(tile.width(), group.lattice == Lattice::Square ? tile.width() : tile.height());
    // A half-cell shift on whole pixels needs an even side.
    const auto halves = [&](int Symmetry::*half) {
        return std::any_of(group.symmetries.begin(), group.symmetries.end(),
                           [&](const Symmetry& s) { return s.*half != 0; });
    };
    return cell + QSize(halves(&Symmetry::halfX) ? cell.width() & 1 : 0,
                        halves(&Symmetry::halfY) ? cell.height() & 1 : 0);
}

// Picks the image of a pixel that shows it: the one inside the fundamental region, or on a
// boundary the one least outside, ties to the topmost, then the leftmost. The choice depends on
// the set of images alone, so every image of a pixel shows the same tile pixel.
class ImageChoice {
  public:
    explicit ImageChoice(const std::vector<Side>& sides) : sides_(sides) {}
    // Offers an image (cell units); true once one lies clearly inside, which no other can.
    bool offer(double x, double y) {
        double outside = -std::numeric_limits<double>::infinity();
        for (const Side& side : sides_) {
            outside = std::max(outside, side.normalX * x + side.normalY * y - side.distance);
        }
        if (!found_ || std::tuple(outside, y, x) < std::tuple(outside_, y_, x_)) {
            found_ = true;
            outside_ = outside;
            x_ = x;
            y_ = y;
        }
        return outside < -1e-9;
    }
    // The chosen image on a tile stretched over the cell.
    QPoint onTile(QSize tile) const {
        return {std::clamp(int(x_ * tile.width()), 0, tile.width() - 1),
                std::clamp(int(y_ * tile.height()), 0, tile.height() - 1)};
    }

  private:
    const std::vector<Side>& sides_;
    bool found_ = false;
    double outside_ = 0, x_ = 0, y_ = 0;
};

// Rectangular lattices on whole pixels: twice a pixel's coordinates plus one is its centre in
// half pixels, which every symmetry maps onto another pixel's centre.
QPoint rectangularGroupPixel(QPoint page, QSize tile, const WallpaperGroup& group) {
    const QSize cell = groupCell(tile, group);
    const int doubleX = 2 * wrapped(page.x(), cell.width()) + 1;
    const int doubleY = 2 * wrapped(page.y(), cell.height()) + 1;
    ImageChoice choice(group.sides);
    for (const Symmetry& s : group.symmetries) {
        const int x =
            wrapped(s.xx * doubleX + s.xy * doubleY + s.halfX * cell.width(), 2 * cell.width());
        const int y =
            wrapped(s.yx * doubleX + s.yy * doubleY + s.halfY * cell.height(), 2 * cell.height());
        if (choice.offer(x / (2.0 * cell.width()), y / (2.0 * cell.height()))) {
            break;
        }
    }
    return choice.onTile(tile);
}

// Hexagonal lattices: sides (W, 0) and (W / 2, H / 2) for the period W x H; u and v count them.
QPoint hexagonalGroupPixel(QPoint page, QSize tile, const WallpaperGroup& group) {
    const QSize period = groupCell(tile, group);
    const double v = (wrapped(page.y(), period.height()) + 0.5) * 2 / period.height();
    const double u = (wrapped(page.x(), period.width()) + 0.5) / period.width() - v / 2;
    ImageChoice choice(group.sides);
    for (const Symmetry& s : group.symmetries) {
        const double imageU = s.xx * u + s.xy * v;
        const double imageV = s.yx * u + s.yy * v;
        const double y = imageV - std::floor(imageV);
        double x = imageU - std::floor(imageU) + y / 2;
        x -= x >= 1 ? 1 : 0;
        if (choice.offer(x, y)) {
            break;
        }
    }
    return choice.onTile(tile);
}

struct CellPosition {
    int column;
    int row;
    QPoint inCell;
};

// The cell a page pixel falls in: columns lowered and rows shifted by their steps.
CellPosition cellAt(QPoint page, QSize tile, const CellLayout& layout) {
    const int width = tile.width();
    const int height = tile.height();
    int x = page.x();
    int y = page.y();
    y -= wrapped(floorDiv(x, width), layout.dropSteps) * height / layout.dropSteps;
    x -= wrapped(floorDiv(y, height), layout.shiftSteps) * width / layout.shiftSteps;
    return {floorDiv(x, width), floorDiv(y, height), {wrapped(x, width), wrapped(y, height)}};
}

TileRun tileRunAt(QPoint page, QSize tile, Repeat repeat) {
    if (isWallpaperGroup(repeat)) {
        const WallpaperGroup& group = wallpaperGroup(repeat);
        return {group.lattice == Lattice::Hexagonal ? hexagonalGroupPixel(page, tile, group)
                                                    : rectangularGroupPixel(page, tile, group),
                {}};
    }
    const CellLayout& layout = cellLayout(repeat);
    const CellPosition cell = cellAt(page, tile, layout);
    const CellShow& show = layout.block[cell.row & 1][cell.column & 1];
    const int length = tile.width() - cell.inCell.x();
    if (show.ground) {
        return {{0, 0}, {0, 0}, length};
    }
    const QPoint first = tilePixelInCell(cell.inCell, tile, show.orientation);
    if ((show.orientation.quarterTurns & 1) != 0 && tile.width() != tile.height()) {
        // A stretched quarter turn steps unevenly through the tile: pixel by pixel.
        return {first, {}, 1};
    }
    // Along a tile row, forwards or backwards, or down or up a column of a square tile.
    const QPoint second = length > 1
                              ? tilePixelInCell(cell.inCell + QPoint(1, 0), tile, show.orientation)
                              : first + QPoint(1, 0);
    return {first, second - first, length};
}

// Copies `count` pixels of Size bytes, the i-th read at from + i * step.
template <int Size> void copyPixels(uchar* out, const uchar* from, qsizetype step, int count) {
    if (step == Size) {
        std::memcpy(out, from, std::size_t(count) * Size);
        return;
    }
    for (int i = 0; i < count; ++i) {
        std::memcpy(out + qsizetype(i) * Size, from + qsizetype(i) * step, Size);
    }
}

void copyPixels(uchar* out, const uchar* from, qsizetype step, int count, int bytesPerPixel) {
    switch (bytesPerPixel) {
    case 1:
        copyPixels<1>(out, from, step, count);
        break;
    case 3:
        copyPixels<3>(out, from, step, count);
        break;
    default:
        copyPixels<4>(out, from, step, count);
        break;
    }
}

} // namespace

QPoint tilePixelInCell(QPoint inCell, QSize tile, CellOrientation orientation) {
    const int width = tile.width();
    const int height = tile.height();
    const int x = inCell.x();
    const int y = inCell.y();
    // A quarter-turned tile is height x width; u, v are the cell point stretched onto it.
    const int u = int(qint64(x) * height / width);
    const int v = int(qint64(y) * width / height);
    QPoint unturned;
    switch (orientation.quarterTurns & 3) {
    case 0:
        unturned = {x, y};
        break;
    case 1:
        unturned = {v, height - 1 - u};
        break;
    case 2:
        unturned = {width - 1 - x, height - 1 - y};
        break;
    default:
        unturned = {width - 1 - v, u};
        break;
    }
    if (orientation.mirrored) {
        unturned.setX(width - 1 - unturned.x());
    }
    return unturned;
}

QPoint tilePixelAt(QPoint pagePixel, QSize tile, Repeat repeat) {
    return tileRunAt(pagePixel, tile, repeat).first;
}

QSize pagePeriod(QSize tile, Repeat repeat) {
    if (isWallpaperGroup(repeat)) {
        return groupCell(tile, wallpaperGroup(repeat));
    }
    const CellLayout& layout = cellLayout(repeat);
    const int block = layout.alternates ? 2 : 1;
    return {tile.width() * block * layout.dropSteps, tile.height() * block * layout.shiftSteps};
}

QPolygonF usedPart(QSize design, Repeat repeat) {
    QPolygonF part;
    if (isWallpaperGroup(repeat)) {
        for (const QPointF& corner : wallpaperGroup(repeat).region) {
            part << QPointF(corner.x() * design.width(), corner.y() * design.height());
        }
    }
    return part;
}

TiledRows::TiledRows(TileBytes tile, int pageWidth, Repeat repeat)
    : tile_(tile), pageWidth_(pageWidth), repeat_(repeat),
      period_(pagePeriod(tile.size, repeat).width()) {}

const uchar* TiledRows::pixelAt(QPoint tilePixel) const {
    return tile_.bits + qsizetype(tilePixel.y()) * tile_.bytesPerLine +
           qsizetype(tilePixel.x()) * tile_.bytesPerPixel;
}

void TiledRows::fill(int y, uchar* row) const {
    const int bytesPerPixel = tile_.bytesPerPixel;
    const int periodEnd = std::min(period_, pageWidth_);
    for (int x = 0; x < periodEnd;) {
        const TileRun run = tileRunAt({x, y}, tile_.size, repeat_);
        const int span = std::min(run.length, periodEnd - x);
        const qsizetype step = run.step.y() * tile_.bytesPerLine + run.step.x() * bytesPerPixel;
        copyPixels(row + qsizetype(x) * bytesPerPixel, pixelAt(run.first), step, span,
                   bytesPerPixel);
        x += span;
    }
    // Every row repeats with the period: copy what is made onto the rest, doubling each time.
    const std::size_t total = std::size_t(pageWidth_) * std::size_t(bytesPerPixel);
    std::size_t filled = std::size_t(periodEnd) * std::size_t(bytesPerPixel);
    while (filled < total) {
        const std::size_t chunk = std::min(filled, total - filled);
        std::memcpy(row + filled, row, chunk);
        filled += chunk;
    }
}

QImage repeatOver(const QImage& source, QSize area, Repeat repeat) {
    const QImage tile = source.convertToFormat(QImage::Format_RGB32);
    QImage result = canvas::largeImage(area);
    if (result.isNull() || tile.isNull()) {
        return result;
    }
    const TiledRows rows({tile.constBits(), tile.bytesPerLine(), tile.size(), 4}, area.width(),
                         repeat);
    for (int y = 0; y < area.height(); ++y) {
        rows.fill(y, result.scanLine(y));
    }
    return result;
}

} // namespace tiling
