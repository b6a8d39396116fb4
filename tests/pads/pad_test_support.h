#pragma once

#include "canvas/colour.h"
#include "canvas/random_source.h"
#include "canvas/surface.h"
#include "scripted_random.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <string>
#include <vector>

namespace pads_test {

using test_support::ScriptedRandom;
// What pad tests hand out once a script is used up.
inline constexpr double kAfterScript = 0.25;

inline canvas::Colour pixelColour(const canvas::Surface& surface, int x, int y) {
    return canvas::fromPixel(surface.imageRef().pixel(x, y));
}

// The pixels whose colour differs between two images of the same size.
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

// The pixels around (cx, cy) as rows of '#' (colour) and '.' (anything else).
inline std::string pictureAround(const canvas::Surface& surface, int cx, int cy, int reach,
                                 canvas::Colour colour) {
    std::string picture;
    for (int y = cy - reach; y <= cy + reach; ++y) {
        for (int x = cx - reach; x <= cx + reach; ++x) {
            picture += pixelColour(surface, x, y) == colour ? '#' : '.';
        }
        picture += '\n';
    }
    return picture;
}

} // namespace pads_test
