#pragma once

#include "canvas/colour.h"
#include "canvas/random_source.h"
#include "canvas/surface.h"

#include <QString>
#include <cstdint>

namespace patterns {

// The point at `angle` degrees on the ellipse around (cx, cy) with radii rx, ry: angle 0 is the
// top, angles grow clockwise on screen. Uses pi as 3.141593. Returns false, leaving the outputs
// alone, when a result does not fit a 32-bit integer.
bool PolarPoint(std::int32_t cx, std::int32_t cy, double angle, std::int32_t rx, std::int32_t ry,
                std::int32_t& outX, std::int32_t& outY);

// A star of `points` points (raised to at least 5, written back) in the box given in twips,
// outlined in `colour` over the target's fill brush; with fill != 0 painted whole in `colour`.
void DrawStar(canvas::Surface& target, std::int32_t left, std::int32_t top, std::int32_t width,
              std::int32_t height, std::int16_t& points, std::int16_t fill, canvas::Colour colour);

// A regular polygon of `sides` corners in the box given in twips, outlined in the target's
// foreground colour over its fill brush; with fill != 0 flooded from the centre in `colour`.
// Draws nothing for fewer than one side.
void DrawPolygon(canvas::Surface& target, std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height, std::int16_t sides, std::int16_t fill, canvas::Colour colour);

enum class AdvancedShape { Star, Polygon };

// What an advanced pattern button draws once its random values are drawn. The box is in twips.
struct AdvancedFigure {
    AdvancedShape shape = AdvancedShape::Star;
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    canvas::Colour background = 0;
    std::int16_t count = 0;
    std::int16_t fill = 0;
    canvas::Colour colour = 0;
    bool bands = false;
    bool operator==(const AdvancedFigure&) const = default;
};

// Clears the design to the figure's background, then draws the star or polygon with the current
// pen width and, when asked, the two black bands.
void drawAdvancedFigure(canvas::Surface& design, const AdvancedFigure& figure);

// The advanced pattern buttons: array 70 draws large figures, array 71 small ones between two
// black bands; index 1 draws a star, index 2 a polygon. fillFlag is the category box's value
// (0, 1, or 2 when greyed). The pen width from widthText applies to the next drawing. Returns the
// new design title, or an empty string (and draws nothing) for a button that does not exist.
// `drawn`, when given, receives the figure as drawn.
QString drawAdvancedPattern(canvas::Surface& design, int array, int index, int fillFlag,
                            const QString& widthText, canvas::RandomSource& random,
                            AdvancedFigure* drawn = nullptr);

} // namespace patterns
