#pragma once

#include "canvas/surface.h"

#include <QImage>
#include <QRandomGenerator>
#include <map>
#include <string>

// Small ASCII pictures of surfaces: one character per pixel, rows separated by '/'.
namespace pictures {

// A surface whose client area is as large as the picture, every '#' in `ink`, the rest in `paper`.
inline canvas::Surface drawn(const std::string& picture, canvas::Colour ink, canvas::Colour paper) {
    const int width =
        int(picture.find('/') == std::string::npos ? picture.size() : picture.find('/'));
    canvas::SurfaceSetup setup;
    setup.outerWidth = float(width) + 2 * canvas::kBorderPixels;
    setup.outerHeight = float((picture.size() + 1) / (width + 1)) + 2 * canvas::kBorderPixels;
    setup.backColor = paper;
    setup.foreColor = ink;
    setup.fillStyle = canvas::kFillSolid;
    canvas::Surface surface(setup);
    for (std::size_t i = 0; i < picture.size(); ++i) {
        if (picture[i] == '#') {
            surface.pset(float(int(i) % (width + 1)), float(int(i) / (width + 1)));
        }
    }
    return surface;
}

// The image as characters: each colour in `legend` shows as its character, any other as '?'.
inline std::string read(const QImage& image, const std::map<canvas::Colour, char>& legend) {
    std::string picture;
    for (int y = 0; y < image.height(); ++y) {
        picture += y > 0 ? "/" : "";
        for (int x = 0; x < image.width(); ++x) {
            const auto found = legend.find(canvas::fromPixel(image.pixel(x, y)));
            picture += found == legend.end() ? '?' : found->second;
        }
    }
    return picture;
}

// A picture of seeded noise: nearly every pixel its own colour, and nothing a PNG can compress.
inline QImage noise(QSize size, quint32 seed) {
    QImage picture(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            picture.setPixel(x, y, random.generate() | 0xFF000000u);
        }
    }
    return picture;
}

} // namespace pictures
