#pragma once

#include "canvas/colour.h"

#include <QImage>
#include <map>
#include <string>
#include <vector>

// Small pixel pictures written as text: one character per pixel, one string per row.
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
    if (width < 0) {
        width = image.width() - left;
    }
    if (height < 0) {
        height = image.height() - top;
    }
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

} // namespace ascii
