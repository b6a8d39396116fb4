#include "catalogue.h"

#include "canvas/numbers.h"

#include <QCoreApplication>
#include <initializer_list>

namespace patterns {

float Coordinate::evaluate(float width, float height) const {
    switch (axis) {
    case Axis::Width:
        return width / divisor + offset;
    case Axis::Height:
        return height / divisor + offset;
    case Axis::None:
        break;
    }
    return offset;
}

namespace {

// A few operators so that the figures below read as their coordinates are written:
// W / 1.35 - 2.5, H - 10, 6.
struct Size {
    Axis axis;
    float divisor;
};

constexpr Size W{Axis::Width, 1};
constexpr Size H{Axis::Height, 1};

constexpr Size operator/(Size size, double divisor) {
    return {size.axis, size.divisor * float(divisor)};
}

struct Expr {
    Coordinate coordinate;
    constexpr Expr(double number) : coordinate{Axis::None, 1, float(number)} {}
    constexpr Expr(Size size) : coordinate{size.axis, size.divisor, 0} {}
};

constexpr Expr operator+(Size size, double offset) {
    Expr expr(size);
    expr.coordinate.offset = float(offset);
    return expr;
}

constexpr Expr operator-(Size size, double offset) {
    return size + -offset;
}

constexpr canvas::Colour black = 0;
constexpr canvas::Colour red = 255;
constexpr canvas::Colour green = 65280;
constexpr canvas::Colour blue = 16711680;

using Lines = std::vector<FigureLine>;
using Circles = std::vector<FigureCircle>;

constexpr FigureLine line(Expr x1, Expr y1, Expr x2, Expr y2, canvas::Colour colour) {
    return {x1.coordinate, y1.coordinate, x2.coordinate, y2.coordinate, colour};
}

constexpr FigureCircle circle(Expr x, Expr y, double radius, canvas::Colour colour) {
    return {x.coordinate, y.coordinate, float(radius), colour};
}

Lines join(std::initializer_list<Lines> parts) {
    Lines joined;
    for (const Lines& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

// The diagonals of the whole canvas; the rising one starts and ends outside the canvas so that it
// meets the visible corners exactly.
constexpr FigureLine fallingDiagonal = line(0, 0, W, H, red);
constexpr FigureLine risingDiagonal = line(W, -5, -5, H, black);

// A square outline and its sides.
struct Square {
    Size left, top, right, bottom;
    constexpr FigureLine topSide() const { return line(left, top, right, top, black); }
    constexpr FigureLine leftSide() const { return line(left, top, left, bottom, black); }
    constexpr FigureLine rightSide() const { return line(right, top, right, bottom, black); }
    constexpr FigureLine bottomSide() const { return line(left, bottom, right, bottom, black); }
};

// The three nearly concentric squares of the tiles. The middle one, between the stripe
// positions W/4 and W/1.35, recurs throughout the catalogue.
constexpr Square outer{W / 8, H / 8, W / 1.17, H / 1.17};
constexpr Square middle{W / 4, H / 4, W / 1.35, H / 1.35};
constexpr Square inner{W / 2.7, H / 2.7, W / 1.6, H / 1.6};

constexpr FigureLine middleFalling = line(W / 4, H / 4, W / 1.35, H / 1.35, black);
constexpr FigureLine middleRising = line(W / 1.35, H / 4, W / 4, H / 1.35, black);
constexpr FigureLine middleRow = line(W / 4, H / 2, W / 1.35, H / 2, black);

// The packaging motif: bars across the middle square and two rings, all black.
constexpr FigureLine crossBar = line(W / 4 + 5, H / 2, W / 1.35 - 5, H / 2, black);
constexpr FigureLine uprightBar = line(W / 2 - 0.8, H / 4 + 5, W / 2 - 0.8, H / 1.35 - 5, black);

// Built on first use, so that no other start-up code can see it half made.
std::vector<Figure> buildCatalogue() {
    // Each square in the side order the tiles draw it.
    const Lines outerSquare{outer.rightSide(), outer.bottomSide(), outer.topSide(),
                            outer.leftSide()};
    const Lines middleSquare{middle.topSide(), middle.leftSide(), middle.rightSide(),
                             middle.bottomSide()};
    const Lines innerSquare{inner.rightSide(), inner.bottomSide(), inner.topSide(),
                            inner.leftSide()};
    // Medallions centred on the middles of the four canvas edges and on the centre.
    const Circles edgeMedallions{circle(0, H / 2, 35, blue), circle(W / 2, 0, 35, blue),
                                 circle(W - 2, H / 2, 35, blue), circle(W / 2, H, 35, blue),
                                 circle(W / 2, H / 2, 35, blue)};
    // The ceramic ware: a centre cross kept off the edges and rings around the visible centre.
    const Lines ceramicCross{line(18, H / 2, W - 20, H / 2, black),
                             line(W / 2, 18, W / 2, H - 20, black)};
    const Circles ceramicRings{circle(W / 2 - 2, H / 2 - 2, 51, blue),
                               circle(W / 2 - 2, H / 2 - 2, 30, blue),
                               circle(W / 2 - 2, H / 2 - 2, 12, blue)};
    // The packaging rings around the visible centre and one unit beside it.
    const Circles packagingRings{circle(W / 2 - 2, H / 2 - 2, 60, black),
                                 circle(W / 2 - 1, H / 2 - 1, 30, black)};
    return {
        // grids
        {"Command11",
         "经典格子",
         "grids",
         {line(0, H / 2, W, H / 2, black), line(W / 2, 0, W / 2, H, black)},
         {}},
        {"Command12", "钻石格子", "grids", {fallingDiagonal, risingDiagonal}, {}},
        {"Command13",
         "金钻格子",
         "grids",
         {fallingDiagonal, risingDiagonal, line(0, H / 2 - 2, W, H / 2 - 2, black),
          line(W / 2 - 2, 0, W / 2 - 2, H, green)},
         {}},
        // ties
        {"Command1",
         "领带图案",
         "ties",
         {line(6, H / 2 - 2, W - 10, H / 2 - 2, black),
          line(16, H / 4 - 2, W - 21, H / 4 - 2, black),
          line(15, H / 1.35 - 2, W - 20, H / 1.35 - 2, black)},
         {circle(W / 2 - 3, H / 2 - 2, 65, blue)}},
        {"Command5",
         "领带图案",
         "ties",
         {line(W / 2 - 2.5, 6, W / 2 - 2.5, H - 10, green),
          line(W / 4 - 2.5, 18, W / 4 - 2.5, H - 21, green),
          line(W / 1.35 - 2.5, 17, W / 1.35 - 2.5, H - 19, green)},
         {circle(W / 2 - 2, H / 2 - 2, 65, blue)}},
        {"Command20",
         "领带图案",
         "ties",
         {middle.topSide(), middle.leftSide(), middleFalling, middle.rightSide(),
          middle.bottomSide(), middleRising},
         {}},
        {"Command24",
         "领带图案",
         "ties",
         {middleFalling, middleRising, middle.leftSide(), middle.rightSide()},
         {circle(W / 2 - 1, H / 2 - 1, 60, blue)}},
        // silk scarves
        {"Command3",
         "丝巾图案",
         "silk scarves",
         {fallingDiagonal, risingDiagonal},
         {circle(W / 2 - 3, H / 2 - 3, 50, blue)}},
        {"Command4",
         "丝巾图案",
         "silk scarves",
         {line(26, 26, W - 29, H - 29, red), line(W - 29, 24, 24, H - 29, black),
          line(6, H / 2 - 2, W - 8, H / 2 - 2, black), line(W / 2 - 2, 6, W / 2 - 2, H - 9, green)},
         {circle(W / 2 - 2, H / 2 - 2, 65, blue)}},
        {"Command44",
         "丝巾图案",
         "silk scarves",
         {},
         {circle(W / 4 - 2, H / 4 - 2, 25, blue), circle(W / 4 - 2, H / 1.35 + 2, 25, blue),
          circle(W / 1.35 + 2, H / 1.35 + 2, 25, blue), circle(W / 1.35 + 2, H / 4 - 2, 25, blue),
          circle(W / 2 - 1, H / 2 - 1, 25, blue)}},
        {"Command47",
         "丝巾图案",
         "silk scarves",
         {fallingDiagonal, risingDiagonal},
         {circle(W / 2 - 2, H / 4 - 8, 23, blue), circle(W / 4 - 8, H / 2 - 2, 23, blue),
          circle(W / 1.35 + 2, H / 2 - 2, 23, blue), circle(W / 2 - 2, H / 1.35 + 2, 23, blue)}},
        {"Command49",
         "丝巾图案",
         "silk scarves",
         {},
         {circle(W / 2, H / 4, 23, blue), circle(W / 4, H / 2, 23, blue),
          circle(W / 1.35, H / 2, 23, blue), circle(W / 2 - 1, H / 1.35, 23, blue),
          circle(W / 2, H / 2, 60, blue)}},
        {"Command50",
         "丝巾图案",
         "silk scarves",
         {},
         {circle(W / 2, H / 4, 23, blue), circle(W / 4 - 2, H / 2, 23, blue),
          circle(W / 1.35, H / 2, 23, blue), circle(W / 2 - 2, H / 1.35, 23, blue)}},
        {"Command52",
         "丝巾图案",
         "silk scarves",
         {line(35, H / 2, W - 35, H / 2, black), line(W / 2, 35, W / 2, H - 35, black)},
         edgeMedallions},
        // bedsheets
        {"Command8", "床单图案", "bedsheets", {risingDiagonal}, {circle(W / 2, H / 2, 65, blue)}},
        {"Command9", "床单图案", "bedsheets", {fallingDiagonal}, {circle(W / 2, H / 2, 65, blue)}},
        {"Command10",
         "床单图案",
         "bedsheets",
         {line(22, H / 2, W - 22, H / 2, black), line(W / 2, 22, W / 2, H - 22, black)},
         {circle(W / 2, H / 2, 50, black)}},
        {"Command23",
         "床单图案",
         "bedsheets",
         {middle.topSide(), middle.leftSide(), line(W / 2, H / 4, W / 2, H / 1.35, black),
          middle.rightSide(), middle.bottomSide(), middleRow},
         {}},
        {"Command28",
         "床单图案",
         "bedsheets",
         {middle.topSide(), middle.leftSide(),
          line(W / 2 - 0.8, H / 4, W / 2 - 0.8, H / 1.35, black), middle.rightSide(),
          middle.bottomSide(), middleRow},
         {circle(W / 2 - 2, H / 2 - 2, 60, blue)}},
        {"Command29",
         "床单图案",
         "bedsheets",
         {middleFalling, middleRising},
         {circle(W / 2 - 1, H / 2 - 1, 50, blue)}},
        // shirts, T-shirt, flag
        {"Command6",
         "衬衫图案",
         "shirts",
         {line(W / 2 - 2.5, 0, W / 2 - 2.5, H, green), line(W / 4 - 2.5, 0, W / 4 - 2.5, H, green),
          line(W / 1.35 - 2.5, 0, W / 1.35 - 2.5, H, green)},
         {}},
        {"Command43",
         "衬衫图案",
         "shirts",
         {},
         {circle(W / 4, H / 4, 30, blue), circle(W / 4, H / 1.35, 30, blue),
          circle(W / 1.35, H / 1.35, 30, blue), circle(W / 1.35, H / 4, 30, blue)}},
        {"Command7",
         "T恤图案",
         "T-shirt",
         {line(0, H / 2 - 2, W, H / 2 - 2, black), line(0, H / 4 - 2, W, H / 4 - 2, black),
          line(0, H / 1.35 - 2, W, H / 1.35 - 2, black)},
         {}},
        {"Command27",
         "旗帜图案",
         "flag",
         {line(W / 3.42, H / 2, W / 1.43, H / 2, black), line(0, H / 4, W, H / 4, black),
          line(0, H / 1.35, W, H / 1.35, black)},
         {circle(W / 2 - 1, H / 2 - 1, 30, blue)}},
        // wall tiles
        {"Command18", "经典墙砖", "wall tiles", join({outerSquare, innerSquare, middleSquare}), {}},
        {"Command21",
         "墙砖图案",
         "wall tiles",
         {line(0, H / 2, W, H / 2, black), line(0, H / 4, W, H / 4, black), middle.leftSide(),
          middle.rightSide(), line(0, H / 1.35, W, H / 1.35, black)},
         {}},
        {"Command25",
         "墙砖图案",
         "wall tiles",
         {line(0, H / 2, W, H / 2, black), line(W / 2, 0, W / 2, H, black),
          line(0, H / 4, W, H / 4, black), middle.leftSide(), middle.rightSide(),
          line(0, H / 1.35, W, H / 1.35, black)},
         {}},
        {"Command26",
         "墙砖图案",
         "wall tiles",
         {line(W / 2, 0, W / 2, H, black), line(0, H / 4, W, H / 4, black), middle.leftSide(),
          middle.rightSide(), line(0, H / 1.35, W, H / 1.35, black)},
         {}},
        {"Command48",
         "墙砖图案",
         "wall tiles",
         {line(0, H / 2, W, H / 2, black), line(W / 2 - 2, 0, W / 2 - 2, H, black)},
         {circle(W / 2 - 2, H / 4, 23, blue), circle(W / 4, H / 2, 23, blue),
          circle(W / 1.35, H / 2, 23, blue), circle(W / 2 - 2, H / 1.35, 23, blue)}},
        {"Command51", "墙砖图案", "wall tiles", {}, edgeMedallions},
        {"Command53",
         "墙砖图案",
         "wall tiles",
         {line(0, H / 4, W, H / 4, black), line(W / 4 - 2, 0, W / 4 - 2, H, black),
          line(W / 1.35, 0, W / 1.35, H, black), line(0, H / 1.35, W, H / 1.35, black)},
         {circle(W / 2 - 1, H / 2 - 1, 30, blue)}},
        {"Command54",
         "迷宫墙砖",
         "wall tiles",
         {line(0, H / 2 - 2.5, W, H / 2 - 2.5, black), line(W / 2 - 1, 0, W / 2 - 1, H, black),
          line(0, H / 4 - 2.5, W, H / 4 - 2.5, black), line(W / 4 - 2, 0, W / 4 - 2, H, black),
          line(W / 1.35 - 1, 0, W / 1.35 - 1, H, black),
          line(0, H / 1.35 - 1.5, W, H / 1.35 - 1.5, black)},
         {}},
        // ceramics
        {"Command37",
         "陶艺图案",
         "ceramics",
         join({ceramicCross, outerSquare, innerSquare, middleSquare}),
         {}},
        {"Command38",
         "陶艺图案",
         "ceramics",
         join({ceramicCross, outerSquare, middleSquare}),
         {circle(W / 2, H / 2, 30, blue)}},
        {"Command39", "陶艺图案", "ceramics", outerSquare, ceramicRings},
        {"Command40",
         "陶艺图案",
         "ceramics",
         {line(0, H / 2 - 2, W, H / 2 - 2, black), line(W / 2 - 2, 0, W / 2 - 2, H, black)},
         {circle(W / 2 - 3, H / 2 - 3, 30, blue), circle(W / 2 - 3, H / 2 - 3, 60, blue)}},
        {"Command41", "陶艺图案", "ceramics",
         join({{line(20, H / 2 - 2, W - 24, H / 2 - 2, black),
                line(W / 2 - 2, 20, W / 2 - 2, H - 24, black)},
               outerSquare}),
         ceramicRings},
        {"Command42",
         "陶艺图案",
         "ceramics",
         join({{line(W / 2, 22, W / 2, H - 22, black)}, outerSquare}),
         {circle(W / 2 - 2, H / 2 - 2, 50, blue), circle(W / 2 - 2, H / 2 - 2, 30, blue),
          circle(W / 2 - 2, H / 2 - 2, 12, blue)}},
        // floor tiles
        {"Command19",
         "地砖图案",
         "floor tiles",
         {line(W / 4 - 2, H / 4, W / 1.35, H / 4, black),
          line(W / 4 - 2, H / 4, W / 4 - 2, H / 1.35, black), line(0, H / 2, W, H / 2, black),
          line(W / 1.35, H / 4, W / 1.35, H / 1.35, black),
          line(W / 4 - 2, H / 1.35, W / 1.35, H / 1.35, black),
          line(W / 2 - 2, 0, W / 2 - 2, H, black)},
         {}},
        {"Command22",
         "地砖图案",
         "floor tiles",
         {fallingDiagonal, risingDiagonal,
          line(W / 4 - 2, H / 4 - 2, W / 1.35 - 2, H / 4 - 2, black),
          line(W / 4 - 2, H / 4 - 2, W / 4 - 2, H / 1.35 - 2, black),
          line(W / 1.35 - 2, H / 4 - 2, W / 1.35 - 2, H / 1.35 - 2, black),
          line(W / 4 - 2, H / 1.35 - 2, W / 1.35 - 2, H / 1.35 - 2, black)},
         {}},
        // packaging
        {"Command31",
         "包装图案",
         "packaging",
         {middle.topSide(), middle.leftSide(), middle.rightSide(), middle.bottomSide(), crossBar},
         packagingRings},
        {"Command32",
         "包装图案",
         "packaging",
         {line(W / 2, 12, W / 2, H - 13, black), crossBar},
         packagingRings},
        {"Command33",
         "包装图案",
         "packaging",
         {middle.topSide(), middle.leftSide(), uprightBar, middle.rightSide(), middle.bottomSide(),
          crossBar},
         packagingRings},
        {"Command34",
         "包装图案",
         "packaging",
         {line(0, H / 2, W, H / 2, black), middle.topSide(), middle.leftSide(), middle.rightSide(),
          middle.bottomSide(), crossBar},
         packagingRings},
        {"Command35",
         "包装图案",
         "packaging",
         {line(0, H / 2, W, H / 2, black), uprightBar, crossBar},
         packagingRings},
        {"Command36",
         "包装图案",
         "packaging",
         {line(10, H / 2, W - 13, H / 2, black), line(W / 2, 10, W / 2, H - 13, black), crossBar},
         packagingRings},
        // emblems
        {"Command55",
         "彩色太极",
         "emblems",
         {},
         {circle(W / 2, H / 4 + 7, 28, blue), circle(W / 2, H / 1.35 - 7, 29, blue),
          circle(W / 2, H / 1.35 - 7, 10, blue), circle(W / 2, H / 4 + 8, 10, blue),
          circle(W / 2, H / 2, 59, blue)}},
        {"Command46",
         "万事如意",
         "emblems",
         {},
         {circle(W / 2, H / 4, 30, blue), circle(W / 4 - 2, H / 2, 30, blue),
          circle(W / 1.35, H / 2, 30, blue), circle(W / 2 - 2, H / 1.35, 30, blue)}},
    };
}

const std::vector<Figure>& figures() {
    static const std::vector<Figure> table = buildCatalogue();
    return table;
}

} // namespace

const Figure* findFigure(QStringView name) {
    for (const Figure& figure : figures()) {
        if (name == QLatin1StringView(figure.controlName)) {
            return &figure;
        }
    }
    return nullptr;
}

std::span<const Figure> catalogue() {
    return figures();
}

QString controlName(const Figure& figure) {
    return QString::fromLatin1(figure.controlName);
}

QString caption(const Figure& figure) {
    return QString::fromUtf8(figure.caption);
}

QString family(const Figure& figure) {
    return QString::fromLatin1(figure.family);
}

QString familyName(const Figure& figure) {
    return QCoreApplication::translate("Catalogue", figure.family);
}

QString drawCatalogueFigure(canvas::Surface& design, const Figure& figure, const QString& widthText,
                            const QString& caption, std::int16_t& savedFillStyle) {
    design.cls();
    if (const auto width = canvas::parseDrawWidth(widthText)) {
        design.setDrawWidth(*width);
    }
    // The size is read before each primitive, as a user of the canvas would.
    for (const FigureLine& line : figure.lines) {
        const float w = design.width();
        const float h = design.height();
        design.line(line.x1.evaluate(w, h), line.y1.evaluate(w, h), line.x2.evaluate(w, h),
                    line.y2.evaluate(w, h), line.colour);
    }
    // Circles are outlines only; the resting fill style stays for the click colouring.
    savedFillStyle = design.fillStyle();
    design.setFillStyle(canvas::kFillTransparent);
    for (const FigureCircle& circle : figure.circles) {
        const float w = design.width();
        const float h = design.height();
        design.circle(circle.x.evaluate(w, h), circle.y.evaluate(w, h), circle.radius,
                      circle.colour);
    }
    design.setFillStyle(savedFillStyle);
    return QStringLiteral("设计") + caption;
}

} // namespace patterns
