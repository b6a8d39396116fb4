#pragma once

#include "colouring/design_record.h"
#include "files/atomic_file.h"

#include <QImage>
#include <QSize>
#include <cstdint>

namespace print {

// The share of blocks whose centre pixel must keep the design's colour for a redrawn tile to be
// taken: the rest are pixels on the edges of curves, where the finer drawing may differ.
inline constexpr double kLeastBlockAgreement = 0.995;

// The share of the design's pixels whose block in `tile` (enlarged by `scale`) has the pixel's
// colour at its centre pixel. A pixel black in `lineCells` (null for none: a design pixel reduced
// from finer line art, black when it covers any line pixel) agrees when its block holds its colour
// anywhere: the tile reduced the way the design was.
double blockAgreement(const QImage& design, const QImage& tile, double scale,
                      const QImage& lineCells = {});

struct SharpTile {
    QImage image; // null when the drawing stopped (problem says why)
    // False when the redrawn record did not match the design and the tile is the design's own
    // pixels enlarged instead.
    bool sharp = true;
    double agreement = 1; // of the redrawn tile, as blockAgreement
    // Cancelled, or OutOfMemory with `message` naming the tile's size.
    files::SaveProblem problem = files::SaveProblem::None;
    QString message;
};

// The most memory a sharp tile of `size` takes while it is drawn: three times its pixels (the
// redrawn design, the tile, and the copy or fill memory of a change) and some to spare.
std::uint64_t sharpTileMemory(QSize size);

// The design at `size` for print: the record redrawn at the scale that makes the design that
// large, checked against `design` (the record's pixels at scale 1), else the design enlarged by
// nearest pixels. A size that is not the design's shape is reached from the larger scale with
// nearest pixels. A tile that needs more memory than the process can have is refused before any
// drawing, and one whose memory runs out while drawn ends the same way; `control` hears the
// steps and stops the drawing between changes and bands of rows.
SharpTile renderSharpTile(const colouring::DesignRecord& record, const QImage& design, QSize size,
                          const colouring::DrawingControl& control = {});

} // namespace print
