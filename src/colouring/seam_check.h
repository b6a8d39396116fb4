#pragma once

#include "guided_fill.h"
#include "tiling/tiling.h"

#include <QImage>
#include <QPoint>
#include <vector>

namespace colouring {

// A region of the design as drawn whose colour breaks at a seam: across some seam of the repeat
// the same drawn region shows two colours.
struct SeamBreak {
    CellRegion region;      // the drawn region, continued across the seams
    QPoint pixel;           // a pixel of it, where a seam press recolours it whole
    QRgb largestColour = 0; // the colour of most of its pixels in the design (ties: the smaller)
};

// 检查接缝: the broken regions of `design` (device scale 1) under `repeat`, with `drawn` the same
// design as drawn (drawnDesign), in the order of their first pixel.
std::vector<SeamBreak> seamBreaks(const QImage& design, const QImage& drawn, tiling::Repeat repeat);

} // namespace colouring
