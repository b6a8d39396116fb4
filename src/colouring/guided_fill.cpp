#include "guided_fill.h"

#include "tiling/seams.h"

#include <algorithm>
#include <cmath>

namespace colouring {
namespace {

constexpr QPoint kSteps[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
// How far from the region, in design pixels, its search may go.
constexpr int kReach = 2;

// What a design pixel within reach of the region is to the searches.
enum Kind : std::uint8_t { OutOfReach, Region, SameColour, Searched };
// Which search reached a device pixel first.
enum Label : std::uint8_t { Unreached, FromRegion, FromOthers };

QRgb opaque(QRgb pixel) {
    return pixel | 0xFF000000u;
}

// The first device pixel of each design pixel's block (the one whose centre falls in it) along
// one side, and one past the last block's end.
std::vector<int> blockEdges(int designSide, int deviceSide, double scale) {
    std::vector<int> edges;
    for (int pixel = 0; pixel <= designSide; ++pixel) {
        edges.push_back(std::clamp(int(std::ceil(pixel * scale - 0.5)), 0, deviceSide));
    }
    return edges;
}

// The design pixel each device column (or row) lies in, -1 past the last block.
std::vector<int> designIndices(const std::vector<int>& edges, int deviceSide) {
    std::vector<int> indices(std::size_t(deviceSide), -1);
    for (std::size_t pixel = 0; pixel + 1 < edges.size(); ++pixel) {
        std::fill(indices.begin() + edges[pixel], indices.begin() + edges[pixel + 1], int(pixel));
    }
    return indices;
}

} // namespace

std::vector<canvas::Span> CellRegion::spans() const {
    std::vector<canvas::Span> runs;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (!contains(x, y)) {
                continue;
            }
            if (!runs.empty() && runs.back().y == y && runs.back().x1 == x - 1) {
                runs.back().x1 = x;
            } else {
                runs.push_back({y, x, x});
            }
        }
    }
    return runs;
}

CellRegion regionCells(const QImage& design, QPoint pixel, std::optional<tiling::Repeat> seams) {
    CellRegion region{design.size(), opaque(design.pixel(pixel)), seams, {}};
    const int width = design.width();
    const int height = design.height();
    const std::shared_ptr<const tiling::SeamLinks> links =
        seams ? tiling::SeamLinks::of(design.size(), *seams) : nullptr;
    region.cells.assign(std::size_t(width * height), 0);
    std::vector<int> pending;
    const auto reach = [&](int index) {
        std::uint8_t& cell = region.cells[std::size_t(index)];
        if (cell == 0 && opaque(reinterpret_cast<const QRgb*>(design.constScanLine(
                             index / width))[index % width]) == region.colour) {
            cell = 1;
            pending.push_back(index);
        }
    };
    reach(pixel.y() * width + pixel.x());
    while (!pending.empty()) {
        const int from = pending.back();
        pending.pop_back();
        const QPoint at(from % width, from / width);
        for (const QPoint step : kSteps) {
            const QPoint next = at + step;
            if (design.rect().contains(next) && (!links || links->joinedInTile(at, step))) {
                reach(next.y() * width + next.x());
            }
        }
        if (links) {
            for (const int linked : links->linked(from)) {
                reach(linked);
            }
        }
    }
    return region;
}

void fillGuided(canvas::Surface& device, const QImage& design, const CellRegion& region,
                canvas::Colour colour) {
    device.fillSpans(guidedSpans(device, design, region), colour);
}

std::vector<canvas::Span> guidedSpans(const canvas::Surface& device, const QImage& design,
                                      const CellRegion& region) {
    const bool wrap = region.seams == tiling::Repeat::Straight;
    const QImage& image = device.imageRef();
    const int width = design.width();
    const int height = design.height();
    const std::vector<int> columnEdges = blockEdges(width, image.width(), device.deviceScale());
    const std::vector<int> rowEdges = blockEdges(height, image.height(), device.deviceScale());
    const std::vector<int> columns = designIndices(columnEdges, image.width());
    const std::vector<int> rows = designIndices(rowEdges, image.height());

    std::vector<Kind> kinds(std::size_t(width * height), OutOfReach);
    QRect reach; // in design pixels, without wrapping
    std::vector<QPoint> searched;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!region.contains(x, y)) {
                continue;
            }
            for (int dy = -kReach; dy <= kReach; ++dy) {
                for (int dx = -kReach; dx <= kReach; ++dx) {
                    int nx = x + dx;
                    int ny = y + dy;
                    if (wrap) {
                        nx = (nx + width) % width;
                        ny = (ny + height) % height;
                    } else if (nx < 0 || ny < 0 || nx >= width || ny >= height) {
                        continue;
                    }
                    Kind& kind = kinds[std::size_t(ny * width + nx)];
                    if (kind == OutOfReach) {
                        kind = region.contains(nx, ny)                         ? Region
                               : opaque(design.pixel(nx, ny)) == region.colour ? SameColour
                                                                               : Searched;
                        reach |= QRect(nx, ny, 1, 1);
                        if (kind == Searched) {
                            searched.emplace_back(nx, ny);
                        }
                    }
                }
            }
        }
    }
    // The device pixels of the design pixels within reach (all of them when the edges meet).
    const QRect box = wrap ? image.rect()
                           : QRect(QPoint(columnEdges[std::size_t(reach.left())],
                                          rowEdges[std::size_t(reach.top())]),
                                   QPoint(columnEdges[std::size_t(reach.right() + 1)] - 1,
                                          rowEdges[std::size_t(reach.bottom() + 1)] - 1));
    auto kindAt = [&](QPoint pixel) {
        const int x = columns[std::size_t(pixel.x())];
        const int y = rows[std::size_t(pixel.y())];
        return x < 0 || y < 0 ? OutOfReach : kinds[std::size_t(y * width + x)];
    };
    auto open = [&](QPoint pixel) {
        return opaque(reinterpret_cast<const QRgb*>(image.constScanLine(pixel.y()))[pixel.x()]) ==
               region.colour;
    };
    std::vector<Label> labels(std::size_t(box.width()) * std::size_t(box.height()), Unreached);
    auto label = [&](QPoint pixel) -> Label& {
        return labels[std::size_t(pixel.y() - box.top()) * std::size_t(box.width()) +
                      std::size_t(pixel.x() - box.left())];
    };
    auto neighbour = [&](QPoint pixel, QPoint step, QPoint& next) {
        next = pixel + step;
        if (wrap) {
            next = {(next.x() + image.width()) % image.width(),
                    (next.y() + image.height()) % image.height()};
        }
        return box.contains(next);
    };

    // The searches start at searched pixels beside a block of their own, the region's first.
    std::vector<QPoint> queue;
    for (const auto& [seed, from] : {std::pair{Region, FromRegion}, {SameColour, FromOthers}}) {
        for (const QPoint cell : searched) {
            const std::size_t x = std::size_t(cell.x());
            const std::size_t y = std::size_t(cell.y());
            for (int row = rowEdges[y]; row < rowEdges[y + 1]; ++row) {
                for (int column = columnEdges[x]; column < columnEdges[x + 1]; ++column) {
                    const QPoint pixel(column, row);
                    if (label(pixel) != Unreached || !open(pixel)) {
                        continue;
                    }
                    for (const QPoint step : kSteps) {
                        QPoint next;
                        if (neighbour(pixel, step, next) && kindAt(next) == seed && open(next)) {
                            label(pixel) = from;
                            queue.push_back(pixel);
                            break;
                        }
                    }
                }
            }
        }
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const QPoint pixel = queue[head];
        for (const QPoint step : kSteps) {
            QPoint next;
            if (neighbour(pixel, step, next) && kindAt(next) == Searched &&
                label(next) == Unreached && open(next)) {
                label(next) = label(pixel);
                queue.push_back(next);
            }
        }
    }

    std::vector<canvas::Span> spans;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const QPoint pixel(x, y);
            const Kind kind = kindAt(pixel);
            const bool filled =
                (kind == Region || (kind == Searched && label(pixel) == FromRegion)) && open(pixel);
            if (!filled) {
                continue;
            }
            if (!spans.empty() && spans.back().y == y && spans.back().x1 == x - 1) {
                spans.back().x1 = x;
            } else {
                spans.push_back({y, x, x});
            }
        }
    }
    return spans;
}

} // namespace colouring
