#pragma once

#include "canvas/colour.h"
#include "canvas/surface.h"

#include <QPointF>
#include <vector>

namespace colouring {

// What a stroke draws: a freehand line through its points (the pen, and the eraser in the
// canvas's background colour), or a line, a rectangle's outline or an ellipse's outline from its
// first point to its second.
enum class StrokeKind { Pen, Line, Rectangle, Ellipse, Eraser };
// Their names in documents and on pattern-render's command line, in the order of StrokeKind.
inline constexpr const char* kStrokeKindNames[] = {"pen", "line", "rect", "ellipse", "eraser"};

inline constexpr int kDefaultStrokeWidth = 2;
inline constexpr int kMostStrokeWidth = 20;
inline constexpr int kMostStrokePoints = 4096;
// Points lie within one canvas side around the 142 x 142 canvas, on a grid of 1/16 of a design
// pixel: finer than the zoom window shows, and short to write.
inline constexpr double kStrokeReachLeast = -142;
inline constexpr double kStrokeReachMost = 284;
inline constexpr double kStrokeGrid = 1.0 / 16;

struct StrokeChange {
    StrokeKind kind = StrokeKind::Pen;
    std::vector<QPointF> points; // design units: a design pixel's centre at whole numbers
    int width = 1;               // design pixels
    canvas::Colour colour = 0;   // 0 for the eraser, which draws the background colour
    bool operator==(const StrokeChange&) const = default;
};

// A line or shape: a start and an end, each on a design pixel.
bool twoPointStroke(StrokeKind kind);

// A stroke as the record keeps it: its width within 1..kMostStrokeWidth; its points on the grid
// within the reach, at most kMostStrokePoints of them and exactly two for a line or shape (none
// stay none); an eraser's colour 0.
StrokeChange keptStroke(StrokeChange stroke);

// A stroke begun at `point`, then dragged on: a freehand stroke takes each new point, a line or
// shape moves its end to the design pixel nearest the point; `constrain` (Shift held) applies
// constrainedEnd.
StrokeChange beginStroke(StrokeKind kind, QPointF point, int width, canvas::Colour colour);
void dragStroke(StrokeChange& stroke, QPointF point, bool constrain);

// The end of a line or shape dragged from `start` under Shift: a line turned to the nearest
// multiple of 45 degrees, a rectangle's or ellipse's box made square (its longer side kept). A
// freehand stroke's end stays.
QPointF constrainedEnd(StrokeKind kind, QPointF start, QPointF end);

// The stroke drawn on a design canvas of any device scale; the canvas's pen stays as it was.
void drawStroke(canvas::Surface& design, const StrokeChange& stroke);

} // namespace colouring
