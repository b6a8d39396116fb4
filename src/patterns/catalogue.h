#pragma once

#include "canvas/colour.h"
#include "canvas/surface.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <span>
#include <vector>

namespace patterns {

// The canvas size a coordinate scales with.
enum class Axis : std::uint8_t { None, Width, Height };

// One coordinate of a figure: size / divisor + offset, where size is the canvas's outer width or
// height (or nothing, for a plain number). Evaluated in single precision, as the canvas reports
// its size, so W/1.35 - 2.5 is float(W) / 1.35f - 2.5f.
struct Coordinate {
    Axis axis = Axis::None;
    float divisor = 1;
    float offset = 0;

    float evaluate(float width, float height) const;
};

struct FigureLine {
    Coordinate x1, y1, x2, y2;
    canvas::Colour colour;
};

// A full circle, drawn as an outline; the radius is a plain number of canvas units.
struct FigureCircle {
    Coordinate x, y;
    float radius;
    canvas::Colour colour;
};

// One catalogue button: all its lines are drawn before all its circles, each list in order.
struct Figure {
    const char* controlName;
    const char* caption; // the button's caption (UTF-8); the frame still reads it off the button
    const char* family;
    std::vector<FigureLine> lines;
    std::vector<FigureCircle> circles;
};

// nullptr when no catalogue button has that name.
const Figure* findFigure(QStringView controlName);
// All 48 figures, grouped by family, in a stable order.
std::span<const Figure> catalogue();
QString controlName(const Figure& figure);
QString caption(const Figure& figure);
QString family(const Figure& figure);
// The family in the reader's language: English, or Chinese where the program's translations are
// installed.
QString familyName(const Figure& figure);

// Runs the pattern frame on the design canvas: clear, pen width from widthText (left as it was
// when the text is not a valid width), the lines, the circles as outlines (the fill style is kept
// in savedFillStyle and restored afterwards). Returns the new design title, "设计" + caption.
QString drawCatalogueFigure(canvas::Surface& design, const Figure& figure, const QString& widthText,
                            const QString& caption, std::int16_t& savedFillStyle);

} // namespace patterns
