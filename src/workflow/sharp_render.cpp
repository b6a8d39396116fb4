#include "sharp_render.h"

#include "canvas/raster.h"
#include "print_engine.h"
#include "surfaces.h"

#include <algorithm>
#include <cmath>

namespace workflow {

double blockAgreement(const QImage& design, const QImage& tile, double scale) {
    if (design.isNull()) {
        return 0;
    }
    auto centre = [scale](int pixel) { return int(std::floor((pixel + 0.5) * scale)); };
    std::int64_t agreeing = 0;
    for (int y = 0; y < design.height(); ++y) {
        const int tileY = centre(y);
        if (tileY >= tile.height()) {
            break;
        }
        const auto* row = reinterpret_cast<const QRgb*>(design.constScanLine(y));
        const auto* tileRow = reinterpret_cast<const QRgb*>(tile.constScanLine(tileY));
        for (int x = 0; x < design.width(); ++x) {
            const int tileX = centre(x);
            agreeing += tileX < tile.width() && ((row[x] ^ tileRow[tileX]) & 0xFFFFFFu) == 0;
        }
    }
    return double(agreeing) / (double(design.width()) * design.height());
}

SharpTile renderSharpTile(const DesignRecord& record, const QImage& design, QSize size) {
    const double scale = std::max(
        {double(size.width()) / design.width(), double(size.height()) / design.height(), 1.0});
    // Drawn at the whole scale below and spread to the tile block by block, every block centre is
    // exactly where the design pixel's centre is: only a change in the design's shapes shows in
    // the check, not where a fractional grid happens to sample an edge.
    canvas::SurfaceSetup setup = designCanvasSetup();
    setup.deviceScale = std::floor(scale);
    canvas::Surface redrawn(setup);
    rebuildDesign(record, redrawn);

    SharpTile tile;
    tile.image = canvas::enlargeByBlocks(redrawn.imageRef(), scale, int(setup.deviceScale));
    tile.agreement = blockAgreement(design, tile.image, scale);
    tile.sharp = tile.agreement >= kLeastBlockAgreement;
    if (!tile.sharp) {
        tile.image = canvas::enlargeByBlocks(design.convertToFormat(QImage::Format_RGB32), scale);
    }
    if (tile.image.size() != size) {
        tile.image = scaledTile(tile.image, size);
    }
    return tile;
}

} // namespace workflow
