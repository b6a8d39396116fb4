#pragma once

#include "design_record.h"

#include <QImage>
#include <QSize>

namespace workflow {

// The share of blocks whose centre pixel must keep the design's colour for a redrawn tile to be
// taken: the rest are pixels on the edges of curves, where the finer drawing may differ.
inline constexpr double kLeastBlockAgreement = 0.995;

// The share of the design's pixels whose block in `tile` (enlarged by `scale`) has the pixel's
// colour at its centre pixel.
double blockAgreement(const QImage& design, const QImage& tile, double scale);

struct SharpTile {
    QImage image;
    // False when the redrawn record did not match the design and the tile is the design's own
    // pixels enlarged instead.
    bool sharp = true;
    double agreement = 1; // of the redrawn tile, as blockAgreement
};

// The design at `size` for print: the record redrawn at the scale that makes the design that
// large, checked against `design` (the record's pixels at scale 1), else the design enlarged by
// nearest pixels. A size that is not the design's shape is reached from the larger scale with
// nearest pixels.
SharpTile renderSharpTile(const DesignRecord& record, const QImage& design, QSize size);

} // namespace workflow
