#include "strokes.h"

#include <QLineF>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace colouring {
namespace {

// A freehand stroke takes a point at least this far from its last, in design pixels: finer than
// any pen shows, and a slow drag does not pile up points.
constexpr double kFreehandStep = 0.25;

QPointF onPixel(QPointF point) {
    return {std::nearbyint(point.x()), std::nearbyint(point.y())};
}

double onGrid(double value) {
    return std::clamp(std::round(value / kStrokeGrid) * kStrokeGrid, kStrokeReachLeast,
                      kStrokeReachMost);
}

// Corners of the design pixels [left, right) x [top, bottom), as fillPolygonRegion takes them.
QPolygon band(int left, int top, int right, int bottom) {
    return QPolygon(
        {QPoint(left, top), QPoint(right, top), QPoint(right, bottom), QPoint(left, bottom)});
}

// The outline as four bands, square at the corners, each `width` pixels across and centred on
// the edge pixels as a line of that width is.
void drawRectangle(canvas::Surface& design, QPointF from, QPointF to, int width,
                   canvas::Colour colour) {
    const int back = width / 2;
    const int left = std::min(design.toDevice(float(from.x())), design.toDevice(float(to.x())));
    const int right = std::max(design.toDevice(float(from.x())), design.toDevice(float(to.x())));
    const int top = std::min(design.toDevice(float(from.y())), design.toDevice(float(to.y())));
    const int bottom = std::max(design.toDevice(float(from.y())), design.toDevice(float(to.y())));
    const int outerLeft = left - back;
    const int outerTop = top - back;
    const int outerRight = right - back + width;
    const int outerBottom = bottom - back + width;
    for (const QPolygon& side : {band(outerLeft, outerTop, outerRight, outerTop + width),
                                 band(outerLeft, outerBottom - width, outerRight, outerBottom),
                                 band(outerLeft, outerTop, outerLeft + width, outerBottom),
                                 band(outerRight - width, outerTop, outerRight, outerBottom)}) {
        design.fillPolygonRegion(side, colour);
    }
}

} // namespace

bool twoPointStroke(StrokeKind kind) {
    return kind == StrokeKind::Line || kind == StrokeKind::Rectangle || kind == StrokeKind::Ellipse;
}

StrokeChange keptStroke(StrokeChange stroke) {
    stroke.width = std::clamp(stroke.width, 1, kMostStrokeWidth);
    const std::size_t most = twoPointStroke(stroke.kind) ? 2 : kMostStrokePoints;
    if (stroke.points.size() > most) {
        stroke.points.resize(most);
    }
    if (twoPointStroke(stroke.kind) && stroke.points.size() == 1) {
        stroke.points.push_back(stroke.points.front());
    }
    for (QPointF& point : stroke.points) {
        point = {onGrid(point.x()), onGrid(point.y())};
    }
    if (stroke.kind == StrokeKind::Eraser) {
        stroke.colour = 0;
    }
    return stroke;
}

StrokeChange beginStroke(StrokeKind kind, QPointF point, int width, canvas::Colour colour) {
    if (twoPointStroke(kind)) {
        return {kind, {onPixel(point), onPixel(point)}, width, colour};
    }
    return {kind, {point}, width, colour};
}

void dragStroke(StrokeChange& stroke, QPointF point, bool constrain) {
    if (stroke.points.empty()) {
        return;
    }
    if (!twoPointStroke(stroke.kind)) {
        if (stroke.points.size() < kMostStrokePoints &&
            QLineF(stroke.points.back(), point).length() >= kFreehandStep) {
            stroke.points.push_back(point);
        }
        return;
    }
    const QPointF end = onPixel(point);
    stroke.points.resize(2);
    stroke.points[1] = constrain ? constrainedEnd(stroke.kind, stroke.points[0], end) : end;
}

QPointF constrainedEnd(StrokeKind kind, QPointF start, QPointF end) {
    if (!twoPointStroke(kind)) {
        return end;
    }
    const double dx = end.x() - start.x();
    const double dy = end.y() - start.y();
    if (kind == StrokeKind::Line) {
        // Within 22.5 degrees of an axis the line lies on it.
        const double tangent = std::tan(std::numbers::pi / 8);
        if (std::abs(dy) <= std::abs(dx) * tangent) {
            return {end.x(), start.y()};
        }
        if (std::abs(dx) <= std::abs(dy) * tangent) {
            return {start.x(), end.y()};
        }
    }
    const double side = std::max(std::abs(dx), std::abs(dy));
    return start + QPointF(std::copysign(side, dx), std::copysign(side, dy));
}

void drawStroke(canvas::Surface& design, const StrokeChange& stroke) {
    if (stroke.points.empty()) {
        return;
    }
    const canvas::Colour colour =
        stroke.kind == StrokeKind::Eraser ? design.backColor() : stroke.colour;
    const QPointF from = stroke.points.front();
    const QPointF to = stroke.points.back();
    const std::int16_t pen = design.drawWidth();
    const float penX = design.currentX();
    const float penY = design.currentY();
    design.setDrawWidth(std::int16_t(stroke.width));
    switch (stroke.kind) {
    case StrokeKind::Pen:
    case StrokeKind::Eraser:
    case StrokeKind::Line:
        // A single point is a dot; each later point adds a segment with round ends.
        for (std::size_t i = stroke.points.size() > 1 ? 1 : 0; i < stroke.points.size(); ++i) {
            const QPointF a = stroke.points[i == 0 ? 0 : i - 1];
            const QPointF b = stroke.points[i];
            design.line(float(a.x()), float(a.y()), float(b.x()), float(b.y()), colour);
        }
        break;
    case StrokeKind::Rectangle:
        drawRectangle(design, from, to, stroke.width, colour);
        break;
    case StrokeKind::Ellipse:
        design.ellipse(float(from.x()), float(from.y()), float(to.x()), float(to.y()), colour);
        break;
    }
    design.setDrawWidth(pen);
    design.setCurrentX(penX);
    design.setCurrentY(penY);
}

} // namespace colouring
