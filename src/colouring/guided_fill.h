#pragma once

#include "canvas/colour.h"
#include "canvas/flood_fill.h"
#include "canvas/surface.h"
#include "tiling/tiling.h"

#include <QImage>
#include <QPoint>
#include <cstdint>
#include <optional>
#include <vector>

namespace colouring {

// The design pixels of one 4-connected region of one colour; with `seams`, continued across the
// seams of that repeat (tiling::SeamLinks), the design taken as its tile.
struct CellRegion {
    QSize size;
    QRgb colour = 0;
    std::optional<tiling::Repeat> seams;
    std::vector<std::uint8_t> cells; // row by row, 1 for a pixel of the region

    bool contains(int x, int y) const { return cells[std::size_t(y * size.width() + x)] != 0; }
    std::vector<canvas::Span> spans() const;
};

// The region of the colour at `pixel` around it, in a design at device scale 1.
CellRegion regionCells(const QImage& design, QPoint pixel,
                       std::optional<tiling::Repeat> seams = {});

// A region of `design` (at scale 1, before it is filled) filled with `colour` on `device`, the
// same design at a device scale above 1. Device pixels of the region's colour are filled when they
// lie in the region's blocks, or when they lie in a block of a pixel of another colour within two
// pixels of the region and a breadth-first search through such pixels reaches them from the
// region's blocks before one from the blocks of the other pixels of the region's colour (ties go
// to the region). So the press fills what the design showed whole, and a gap open at the device
// scale but closed in the design is closed where the two searches meet. The searches cross the
// design's edges only under the straight repeat, whose seams meet pixel for pixel at any scale;
// under the others the region's blocks across a seam fill whole and the searches stay inside.
void fillGuided(canvas::Surface& device, const QImage& design, const CellRegion& region,
                canvas::Colour colour);
// The device pixels fillGuided fills, with `device` showing the regions (the design itself, or
// the design as drawn when `design` is that at scale 1).
std::vector<canvas::Span> guidedSpans(const canvas::Surface& device, const QImage& design,
                                      const CellRegion& region);

} // namespace colouring
