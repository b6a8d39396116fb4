#pragma once

#include "canvas/surface.h"

#include <QImage>
#include <map>
#include <string>
#include <vector>

// Small ASCII pictures of surfaces: one character per pixel, one string per row.
namespace pictures {

// A surface whose client area is as large as the picture, every '#' in `ink`, the rest in `paper`.
inline canvas::Surface drawn(const std::vector<std::string>& rows, canvas::Colour ink,
                             canvas::Colour paper) {
    canvas::SurfaceSetup setup;
    setup.outerWidth = float(rows.front().size()) + 2 * canvas::kBorderPixels;
    setup.outerHeight = float(rows.size()) + 2 * canvas::kBorderPixels;
    setup.backColor = paper;
    setup.foreColor = ink;
    setup.fillStyle = canvas::kFillSolid;
    canvas::Surface surface(setup);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            if (rows[y][x] == '#') {
                surface.pset(float(x), float(y));
            }
        }
    }
    return surface;
}

// The image as characters: each colour in `legend` shows as its character, any other as '?'.
inline std::vector<std::string> read(const QImage& image,
                                     const std::map<canvas::Colour, char>& legend) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const auto found = legend.find(canvas::fromPixel(image.pixel(x, y)));
            row += found == legend.end() ? '?' : found->second;
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace pictures
