#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

namespace tiling {

// How a design repeats over an area, cell by cell (a cell is one tile's rectangle):
// Straight: rows and columns of the tile as it is.
// HalfDrop: every other column lowered by half a tile.
// Brick: every other row shifted right by half a tile.
// Mirror: every other column mirrored left-right and every other row top-bottom, so neighbours
//         meet as reflections.
// Rotate: a 2 x 2 block turning about its centre: top-left as it is, top-right a quarter turn
//         clockwise, bottom-right a half turn, bottom-left three quarters. A tile that is not
//         square is stretched (nearest pixels) back to its own size after a quarter turn.
enum class Repeat { Straight, HalfDrop, Brick, Mirror, Rotate };
// The repeats' names in files and on command lines, in the order above.
inline constexpr const char* kRepeatNames[] = {"straight", "half-drop", "brick", "mirror",
                                               "rotate"};

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
