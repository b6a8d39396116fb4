#pragma once

#include "canvas/colour.h"
#include "canvas/surface.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

// Small pixel pictures written as text (one character per pixel, one string per row) and pixel
// probes, for the canvas, pattern and pad tests.
namespace ascii {

using Legend = std::map<char, canvas::Colour>;

inline QImage toImage(const std::vector<std::string>& rows, const Legend& legend) {
    QImage image(int(rows.front().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, canvas::toPixel(legend.at(rows[y][x])));
        }
    }
    return image;
}

// The part of the image at (left, top) of the given size, each pixel written as its legend
// character, '?' for a colour the legend lacks.
inline std::vector<std::string> fromImage(const QImage& image, const Legend& legend, int left = 0,
                                          int top = 0, int width = -1, int height = -1) {
    width = width < 0 ? image.width() - left : width;
    height = height < 0 ? image.height() - top : height;
    std::vector<std::string> rows;
    for (int y = top; y < top + height; ++y) {
        std::string row;
        for (int x = left; x < left + width; ++x) {
            char symbol = '?';
            const canvas::Colour colour = canvas::fromPixel(image.pixel(x, y));
            for (const auto& [key, value] : legend) {
                if (canvas::resolveColour(value) == colour) {
                    symbol = key;
                }
            }
            row += symbol;
        }
        rows.push_back(row);
    }
    return rows;
}

inline canvas::Colour colourAt(const canvas::Surface& surface, int x, int y) {
    return canvas::fromPixel(surface.imageRef().pixel(x, y));
}

// The pixels whose colour differs between two images of the same size, and their bounds.
inline std::vector<QPoint> changedPixels(const QImage& before, const QImage& after) {
    std::vector<QPoint> changed;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) {
                changed.emplace_back(x, y);
            }
        }
    }
    return changed;
}

inline QRect boundsOf(const std::vector<QPoint>& points) {
    QRect bounds;
    for (const QPoint& point : points) {
        bounds |= QRect(point, QSize(1, 1));
    }
    return bounds;
}

// How many pixels in the area (the whole image by default) have one of the colours.
inline int count(const QImage& image, std::initializer_list<canvas::Colour> colours,
                 QRect area = {}) {
    area = area.isNull() ? image.rect() : area;
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += int(std::ranges::count(colours, canvas::fromPixel(image.pixel(x, y))));
        }
    }
    return count;
}

// The colour expected at pixel (x, y) of a surface's image; x or y `all` for a whole column or
// row.
inline constexpr int all = -1;
struct Probe {
    int x, y;
    canvas::Colour colour;
};

inline void expectColours(const canvas::Surface& surface, const std::vector<Probe>& probes) {
    const QImage& image = surface.imageRef();
    for (const auto& [x, y, colour] : probes) {
        const QRect area(x == all ? 0 : x, y == all ? 0 : y, x == all ? image.width() : 1,
                         y == all ? image.height() : 1);
        EXPECT_EQ(count(image, {colour}, area), area.width() * area.height()) << x << ", " << y;
    }
}

} // namespace ascii
