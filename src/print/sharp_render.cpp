#include "sharp_render.h"

#include "canvas/raster.h"
#include "colouring/surfaces.h"
#include "print_engine.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <new>
#include <sys/resource.h>
#include <sys/sysinfo.h>
#include <unistd.h>

namespace print {
namespace {

class SharpRender {
    Q_DECLARE_TR_FUNCTIONS(SharpRender)
  public:
    static QString outOfMemory(QSize size) {
        return tr("not enough memory for a %1 x %2 tile (it needs about %3 MB)")
            .arg(size.width())
            .arg(size.height())
            .arg(sharpTileMemory(size) >> 20);
    }
};

constexpr std::uint64_t kSpareMemory = std::uint64_t(64) << 20;

// Memory the process could still have: the machine's memory and swap, and what its address-space
// limit leaves beside what it has mapped already.
std::uint64_t memoryWithinReach() {
    std::uint64_t reach = UINT64_MAX;
    struct sysinfo machine {};
    if (sysinfo(&machine) == 0) {
        reach = (std::uint64_t(machine.totalram) + machine.totalswap) * machine.mem_unit;
    }
    rlimit limit{};
    std::uint64_t mappedPages = 0;
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        std::ifstream("/proc/self/statm") >> mappedPages) {
        const std::uint64_t mapped = mappedPages * std::uint64_t(sysconf(_SC_PAGESIZE));
        reach =
            std::min<std::uint64_t>(reach, limit.rlim_cur > mapped ? limit.rlim_cur - mapped : 0);
    }
    return reach;
}

SharpTile stoppedTile(files::SaveProblem problem, QSize size) {
    SharpTile tile;
    tile.sharp = false;
    tile.problem = problem;
    if (problem == files::SaveProblem::OutOfMemory) {
        tile.message = SharpRender::outOfMemory(size);
    }
    return tile;
}

} // namespace

namespace {

bool sameColour(QRgb a, QRgb b) {
    return ((a ^ b) & 0xFFFFFFu) == 0;
}

// Whether the block of design pixel (x, y) in the tile holds the colour anywhere.
bool blockHolds(const QImage& tile, double scale, int x, int y, QRgb colour) {
    auto edge = [scale](int pixel, int side) {
        return std::min(int(std::ceil(pixel * scale - 0.5)), side);
    };
    for (int tileY = edge(y, tile.height()); tileY < edge(y + 1, tile.height()); ++tileY) {
        const auto* row = reinterpret_cast<const QRgb*>(tile.constScanLine(tileY));
        for (int tileX = edge(x, tile.width()); tileX < edge(x + 1, tile.width()); ++tileX) {
            if (sameColour(row[tileX], colour)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

double blockAgreement(const QImage& design, const QImage& tile, double scale,
                      const QImage& lineCells) {
    if (design.isNull()) {
        return 0;
    }
    auto centre = [scale](int pixel) { return int(std::floor((pixel + 0.5) * scale)); };
    auto lineCell = [&lineCells](int x, int y) {
        return lineCells.valid(x, y) && sameColour(lineCells.pixel(x, y), qRgb(0, 0, 0));
    };
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
            agreeing +=
                tileX < tile.width() && (sameColour(row[x], tileRow[tileX]) ||
                                         (lineCell(x, y) && blockHolds(tile, scale, x, y, row[x])));
        }
    }
    return double(agreeing) / (double(design.width()) * design.height());
}

std::uint64_t sharpTileMemory(QSize size) {
    return 3 * std::uint64_t(size.width()) * std::uint64_t(size.height()) * sizeof(QRgb) +
           kSpareMemory;
}

SharpTile renderSharpTile(const colouring::DesignRecord& record, const QImage& design, QSize size,
                          const colouring::DrawingControl& control) {
    if (sharpTileMemory(size) > memoryWithinReach()) {
        return stoppedTile(files::SaveProblem::OutOfMemory, size);
    }
    const double scale = std::max(
        {double(size.width()) / design.width(), double(size.height()) / design.height(), 1.0});
    constexpr int kStepsAfterChanges = 1; // the enlargement
    const int steps = int(record.changes.size()) + 1 + kStepsAfterChanges;
    auto stepDone = [&control, steps](int done) {
        if (control.progress) {
            control.progress(done, steps);
        }
        return !control.stopped();
    };
    try {
        SharpTile tile;
        {
            // Drawn at the whole scale below and spread to the tile block by block, every block
            // centre is exactly where the design pixel's centre is: only a change in the design's
            // shapes shows in the check, not where a fractional grid happens to sample an edge.
            canvas::SurfaceSetup setup = colouring::designCanvasSetup();
            setup.deviceScale = std::floor(scale);
            canvas::Surface redrawn(setup);
            if (!colouring::rebuildDesign(record, redrawn, control, kStepsAfterChanges)) {
                return stoppedTile(files::SaveProblem::Cancelled, size);
            }
            // The redrawn canvas goes as soon as the tile is made from it.
            tile.image = canvas::enlargeByBlocks(redrawn.imageRef(), scale, int(setup.deviceScale),
                                                 control.stopRequest());
        }
        if (!stepDone(steps)) {
            return stoppedTile(files::SaveProblem::Cancelled, size);
        }
        const colouring::DesignPicture shown = record.shownPicture();
        const auto* lineArt = std::get_if<colouring::LineArtDrawing>(&shown.drawing);
        tile.agreement =
            blockAgreement(design, tile.image, scale,
                           lineArt ? colouring::drawLineArt(*lineArt, design.size(), 1) : QImage());
        tile.sharp = tile.agreement >= kLeastBlockAgreement;
        if (!tile.sharp) {
            tile.image = QImage(); // gone before its replacement is made
            tile.image = canvas::enlargeByBlocks(
                canvas::requirePixels(design.convertToFormat(QImage::Format_RGB32)), scale);
        }
        if (tile.image.size() != size) {
            tile.image = canvas::requirePixels(scaledTile(tile.image, size));
        }
        return tile;
    } catch (const std::bad_alloc&) {
        return stoppedTile(files::SaveProblem::OutOfMemory, size);
    }
}

} // namespace print
