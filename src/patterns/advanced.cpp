#include "advanced.h"

#include "canvas/numbers.h"

#include <QPolygon>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace patterns {
namespace {

// The screen's twips per pixel, the same across and down on a standard screen.
std::int16_t twipsPerPixelX() {
    return std::int16_t(canvas::roundHalfEven(canvas::kTwipsPerPixel));
}

std::int16_t twipsPerPixelY() {
    return std::int16_t(canvas::roundHalfEven(canvas::kTwipsPerPixel));
}

// Nearest 32-bit integer, halves to even; nothing when the value does not fit.
std::optional<std::int32_t> toInt32(double value) {
    if (!std::isfinite(value) || value < double(std::numeric_limits<std::int32_t>::min()) - 0.5 ||
        value > double(std::numeric_limits<std::int32_t>::max()) + 0.5) {
        return std::nullopt;
    }
    const std::int64_t rounded = canvas::roundHalfEven(value);
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return std::int32_t(rounded);
}

// Centre and radii of a box in twips.
struct Ellipse {
    std::int32_t cx, cy, rx, ry;
};

std::optional<Ellipse> boxEllipse(std::int32_t left, std::int32_t top, std::int32_t width,
                                  std::int32_t height) {
    const auto cx = toInt32(left + width / 2.0);
    const auto cy = toInt32(top + height / 2.0);
    const auto rx = toInt32(width / 2.0);
    const auto ry = toInt32(height / 2.0);
    if (!cx || !cy || !rx || !ry) {
        return std::nullopt;
    }
    return Ellipse{*cx, *cy, *rx, *ry};
}

// A star of n points as 2^doublings copies of a polygon of `corners` corners that joins every
// step-th corner.
struct StarPlan {
    int corners;
    int step;
    int doublings;
};

StarPlan planStar(int points) {
    if (points % 2 != 0) {
        return {points, points / 2, 0};
    }
    int corners = points / 2;
    int doublings = 1;
    int step = 0;
    for (;;) {
        step = corners / 2;
        if (corners % 2 != 0 || corners == 4) {
            break;
        }
        ++doublings;
        corners /= 2;
    }
    if (corners == 4) {
        step = 1;
    }
    return {corners, step, doublings};
}

struct Box {
    std::int32_t left, top, width, height;
};

struct AdvancedButton {
    int array;
    int index;
    AdvancedShape shape;
    Box box; // twips
    double blueFactor;
    bool bands;
};

constexpr std::array kAdvancedButtons{
    AdvancedButton{71, 2, AdvancedShape::Polygon, {660, 660, 900, 900}, 205, true},
    AdvancedButton{71, 1, AdvancedShape::Star, {660, 660, 900, 900}, 235, true},
    AdvancedButton{70, 2, AdvancedShape::Polygon, {160, 160, 1800, 1800}, 235, false},
    AdvancedButton{70, 1, AdvancedShape::Star, {160, 160, 1800, 1800}, 235, false},
};

int roundedComponent(double factor, double draw) {
    return int(canvas::roundHalfEven(factor * draw));
}

} // namespace

bool PolarPoint(std::int32_t cx, std::int32_t cy, double angle, std::int32_t rx, std::int32_t ry,
                std::int32_t& outX, std::int32_t& outY) {
    constexpr double degree = 3.141593 / 180;
    const auto x = toInt32(cx - rx * std::sin(-angle * degree));
    const auto y = toInt32(cy - ry * std::sin((angle + 90) * degree));
    if (!x || !y) {
        return false;
    }
    outX = *x;
    outY = *y;
    return true;
}

void DrawStar(canvas::Surface& target, std::int32_t left, std::int32_t top, std::int32_t width,
              std::int32_t height, std::int16_t& points, std::int16_t fill, canvas::Colour colour) {
    const std::int16_t tx = twipsPerPixelX();
    const std::int16_t ty = twipsPerPixelY();
    if (points < 5) {
        points = 5;
    }
    const canvas::Colour savedForeColour = target.foreColor();
    target.setForeColor(colour);

    const StarPlan plan = planStar(points);
    const auto ellipse = boxEllipse(left, top, width, height);
    if (!ellipse) {
        return;
    }
    const int copies = 1 << plan.doublings;
    QPolygon corners(plan.corners);
    for (int copy = 0; copy < copies; ++copy) {
        int corner = 0;
        for (int i = 0; i < plan.corners; ++i) {
            const double angle = (360.0 / plan.corners) * (corner + double(copy) / copies);
            std::int32_t x = 0;
            std::int32_t y = 0;
            if (!PolarPoint(ellipse->cx, ellipse->cy, angle, ellipse->rx, ellipse->ry, x, y)) {
                return;
            }
            corners.setPoint(i, int(canvas::roundHalfEven(double(x) / tx)),
                             int(canvas::roundHalfEven(double(y) / ty)));
            corner += plan.step;
            if (corner > plan.corners) {
                corner -= plan.corners;
            }
        }
        // The outline's interior under the alternate rule leaves a star's inner polygon open;
        // the winding-rule region closes it.
        target.polygon(corners);
        if (fill != 0) {
            target.fillPolygonRegion(corners, target.foreColor());
        }
    }
    target.setForeColor(savedForeColour);
}

void DrawPolygon(canvas::Surface& target, std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height, std::int16_t sides, std::int16_t fill,
                 canvas::Colour colour) {
    const int count = sides;
    if (count < 1) {
        return;
    }
    const std::int16_t tx = twipsPerPixelX();
    const std::int16_t ty = twipsPerPixelY();
    const auto ellipse = boxEllipse(left, top, width, height);
    if (!ellipse) {
        return;
    }
    QPolygon corners(count);
    for (int i = 0; i < count; ++i) {
        const double angle = (360.0 / count) * i;
        std::int32_t x = 0;
        std::int32_t y = 0;
        if (!PolarPoint(ellipse->cx, ellipse->cy, angle, ellipse->rx, ellipse->ry, x, y)) {
            return;
        }
        corners.setPoint(i, x / tx, y / ty);
    }
    // A single corner is no polygon: the platform's polygon call draws nothing for it.
    if (count >= 2) {
        target.polygon(corners);
    }
    if (fill == 0) {
        return;
    }
    const std::int16_t savedFillStyle = target.fillStyle();
    const canvas::Colour savedFillColour = target.fillColor();
    target.setFillStyle(canvas::kFillSolid);
    target.setFillColor(colour);
    const auto startX = toInt32(left + width / 2.0);
    const auto startY = toInt32(top + height / 2.0);
    if (!startX || !startY) {
        return;
    }
    target.floodFillBorder(*startX / twipsPerPixelX(), *startY / twipsPerPixelY(),
                           target.foreColor());
    target.setFillStyle(savedFillStyle);
    target.setFillColor(savedFillColour);
}

void drawAdvancedFigure(canvas::Surface& design, const AdvancedFigure& figure) {
    design.cls();
    design.setBackColor(figure.background);
    if (figure.shape == AdvancedShape::Star) {
        std::int16_t count = figure.count;
        DrawStar(design, figure.left, figure.top, figure.width, figure.height, count, figure.fill,
                 figure.colour);
    } else {
        DrawPolygon(design, figure.left, figure.top, figure.width, figure.height, figure.count,
                    figure.fill, figure.colour);
    }
    if (figure.bands) {
        const float upperBand = design.height() / 4.0f - 3.0f;
        design.line(0, upperBand, design.width(), upperBand, canvas::Colour(0));
        const auto lowerBand = float(double(design.height()) / 1.35 + 3.0);
        design.line(0, lowerBand, design.width(), lowerBand, canvas::Colour(0));
    }
}

QString drawAdvancedPattern(canvas::Surface& design, int array, int index, int fillFlag,
                            const QString& widthText, canvas::RandomSource& random,
                            AdvancedFigure* drawn) {
    const AdvancedButton* button = nullptr;
    for (const AdvancedButton& candidate : kAdvancedButtons) {
        if (candidate.array == array && candidate.index == index) {
            button = &candidate;
        }
    }
    if (button == nullptr) {
        return {};
    }

    AdvancedFigure figure;
    figure.shape = button->shape;
    figure.left = button->box.left;
    figure.top = button->box.top;
    figure.width = button->box.width;
    figure.height = button->box.height;
    figure.bands = button->bands;
    const double backRed = random.next();
    const double backGreen = random.next();
    const double backBlue = random.next();
    figure.background =
        canvas::rgbColour(roundedComponent(230, backRed), roundedComponent(230, backGreen),
                          roundedComponent(button->blueFactor, backBlue));
    const double countDraw = random.next();
    figure.fill = std::int16_t(fillFlag);
    const double red = random.next();
    const double green = random.next();
    const double blue = random.next();
    figure.colour = canvas::rgbColour(roundedComponent(230, red), roundedComponent(230, green),
                                      roundedComponent(235, blue));
    figure.count = std::int16_t(canvas::roundHalfEven(20 * countDraw));
    drawAdvancedFigure(design, figure);
    if (drawn != nullptr) {
        *drawn = figure;
    }

    // The width applies to the next drawing, not to this figure.
    if (const auto width = canvas::parseDrawWidth(widthText)) {
        design.setDrawWidth(*width);
    }
    return QStringLiteral("设计高级图案");
}

} // namespace patterns
