#pragma once

#include "canvas/random_source.h"
#include "canvas/surface.h"

#include <QImage>
#include <QString>

namespace colouring {
inline const QString kAdvancedDesignTitle = QStringLiteral("设计高级图案");
inline const QString kImportedDesignTitle = QStringLiteral("设计导入线稿");
// Picture1 mouse-down: reseed from the clock, FillColor = random colour (floor(u*235) r,g,b),
// Point, surface flood fill from (round(x), round(y)) halves to even.
void colourRegion(canvas::Surface& design, float x, float y, canvas::RandomSource& random);
// The fill of one press with a given colour: FillColor, then the surface fill of the region
// under (x, y).
void fillRegion(canvas::Surface& design, float x, float y, canvas::Colour colour);
// Command61: design.setPicture({}), AutoRedraw true.
void clearDesignPicture(canvas::Surface& design);
} // namespace colouring
