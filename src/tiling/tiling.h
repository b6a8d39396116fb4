#pragma once

#include <QImage>
#include <QPoint>
#include <QPolygonF>
#include <QSize>
#include <iterator>

namespace tiling {

// How a design repeats over an area, cell by cell (a cell is one tile's rectangle):
// Straight: rows and columns of the tile as it is.
// HalfDrop: every other column lowered by half a tile; HalfDropThird and HalfDropQuarter lower
//           each column a third or a quarter of a tile more than the one on its left.
// Brick: every other row shifted right by half a tile; BrickThird and BrickQuarter shift each row
//        a third or a quarter of a tile more than the one above.
// Mirror: every other column mirrored left-right and every other row top-bottom, so neighbours
//         meet as reflections.
// Rotate: a 2 x 2 block turning about its centre: top-left as it is, top-right a quarter turn
//         clockwise, bottom-right a half turn, bottom-left three quarters. A tile that is not
//         square is stretched (nearest pixels) back to its own size after a quarter turn.
// Centre: a grid of cells twice the tile's size, the tile at each cell's top-left and a second
//         copy at its centre; the two other quarters show the tile's top-left pixel, its ground.
// P1 ... P6m: the seventeen wallpaper groups. The tile is the content of the group's cell, of
//         which the group keeps its fundamental region (usedPart) and fills the rest with that
//         region's images. The twelve groups of a rectangular or square lattice work on whole
//         pixels: their cell is the tile (square groups: the tile's width both ways, the tile
//         stretched to it by nearest pixels), one pixel wider or taller where a glide or a centred
//         lattice needs an even side; every symmetry of the group maps the page exactly onto
//         itself. The five hexagonal groups repeat after W x round(sqrt(3) * W) pixels, a lattice
//         stretched upright by less than half a pixel over that height (|round(sqrt(3)W) -
//         sqrt(3)W| <= 1/2); their cell is the rectangle of the upper half, the tile stretched to
//         it, and each page pixel shows the tile pixel nearest to its centre's image in the
//         fundamental region.
enum class Repeat {
    Straight,
    HalfDrop,
    Brick,
    Mirror,
    Rotate,
    HalfDropThird,
    HalfDropQuarter,
    BrickThird,
    BrickQuarter,
    Centre,
    P1,
    P2,
    Pm,
    Pg,
    Cm,
    Pmm,
    Pmg,
    Pgg,
    Cmm,
    P4,
    P4m,
    P4g,
    P3,
    P3m1,
    P31m,
    P6,
    P6m,
};
// The repeats' names in files and on command lines, in the order above.
inline constexpr const char* kRepeatNames[] = {"straight",
                                               "half-drop",
                                               "brick",
                                               "mirror",
                                               "rotate",
                                               "half-drop-1/3",
                                               "half-drop-1/4",
                                               "brick-1/3",
                                               "brick-1/4",
                                               "centre",
                                               "p1",
                                               "p2",
                                               "pm",
                                               "pg",
                                               "cm",
                                               "pmm",
                                               "pmg",
                                               "pgg",
                                               "cmm",
                                               "p4",
                                               "p4m",
                                               "p4g",
                                               "p3",
                                               "p3m1",
                                               "p31m",
                                               "p6",
                                               "p6m"};
// The repeats' names in the window, in the same order; the groups go by their usual names.
inline constexpr const char* kRepeatLabels[] = {
    "平铺", "半落", "砖块", "镜像", "旋转", "半落 1/3", "半落 1/4", "砖块 1/3", "砖块 1/4",
    "居中", "p1",   "p2",   "pm",   "pg",   "cm",       "pmm",      "pmg",      "pgg",
    "cmm",  "p4",   "p4m",  "p4g",  "p3",   "p3m1",     "p31m",     "p6",       "p6m"};
inline constexpr int kRepeatCount = int(std::size(kRepeatNames));
static_assert(std::size(kRepeatLabels) == kRepeatCount && int(Repeat::P6m) + 1 == kRepeatCount);

constexpr bool isWallpaperGroup(Repeat repeat) {
    return repeat >= Repeat::P1;
}

// The part of a design of the given size that a repeat uses, in design pixels (pixel edges), or
// an empty polygon when it uses the whole design.
QPolygonF usedPart(QSize design, Repeat repeat);

// Wrapped arithmetic on an endless repeat: the cell a coordinate falls in and the position inside
// it, for any coordinate, negative ones included.
constexpr int floorDiv(int value, int period) {
    const int quotient = value / period;
    return quotient * period > value ? quotient - 1 : quotient;
}
constexpr int wrapped(int value, int period) {
    return value - floorDiv(value, period) * period;
}

// How a cell shows the tile: turned clockwise by quarterTurns, after a left-right mirror if asked.
struct CellOrientation {
    int quarterTurns = 0;
    bool mirrored = false;
};

// The tile pixel shown at `inCell` (0 <= x < width, 0 <= y < height) of a cell so oriented.
QPoint tilePixelInCell(QPoint inCell, QSize tile, CellOrientation orientation);

// Which tile pixel a page pixel shows (page pixel (0, 0) is the top-left of an upright tile).
QPoint tilePixelAt(QPoint pagePixel, QSize tile, Repeat repeat);
// The page repeats itself after this many pixels across and down.
QSize pagePeriod(QSize tile, Repeat repeat);

// A tile's pixels in the layout an encoder writes, rows of width * bytesPerPixel bytes
// bytesPerLine apart. The view does not own the bytes.
struct TileBytes {
    const uchar* bits = nullptr;
    qsizetype bytesPerLine = 0;
    QSize size;
    int bytesPerPixel = 4;
};

// Fills any row of a page tiled with a tile, in any order, without holding the page: each row is
// one period made from the tile, then doubled across the row.
class TiledRows {
  public:
    TiledRows(TileBytes tile, int pageWidth, Repeat repeat);
    // Writes pageWidth pixels of page row y to `row`.
    void fill(int y, uchar* row) const;

  private:
    const uchar* pixelAt(QPoint tilePixel) const;

    TileBytes tile_;
    int pageWidth_;
    Repeat repeat_;
    int period_; // pixels after which every row repeats itself
};

// The tile repeated over an area of the given size (RGB32).
QImage repeatOver(const QImage& tile, QSize area, Repeat repeat);

} // namespace tiling
