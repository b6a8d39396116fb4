#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <vector>

namespace workflow {

// How a design repeats over an area: straight rows and columns; half-drop, every other column
// lowered by half a tile; brick, every other row shifted right by half a tile.
enum class Repeat { Straight, HalfDrop, Brick };

// Top-left corners of the tiles that cover `area`, row by row. Shifted rows and columns start
// half a tile before the edge so that no strip of the area stays bare.
std::vector<QPoint> tilePlacements(QSize tile, QSize area, Repeat repeat);

// The tile repeated over an area of the given size (RGB32).
QImage repeatOver(const QImage& tile, QSize area, Repeat repeat);

} // namespace workflow
