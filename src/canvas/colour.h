#pragma once

#include <QRgb>
#include <cstdint>

namespace canvas {

// A colour as the program stores it: red + 256 * green + 65536 * blue. A value with the top
// bit set, 0x80000000 + n, names system colour n of the desktop's colour scheme.
using Colour = std::uint32_t;

inline constexpr Colour kSystemColourFlag = 0x80000000u;
inline constexpr Colour kTitleBarTextColour = kSystemColourFlag + 9;
inline constexpr Colour kButtonTextColour = kSystemColourFlag + 18;

constexpr Colour rgbColour(int red, int green, int blue) {
    return Colour(red) + 256u * Colour(green) + 65536u * Colour(blue);
}

// System colours resolve to the standard scheme: title-bar text white, button text black;
// any other system colour resolves to black.
constexpr Colour resolveColour(Colour colour) {
    if ((colour & kSystemColourFlag) == 0) {
        return colour & 0xFFFFFFu;
    }
    return colour == kTitleBarTextColour ? 0xFFFFFFu : 0u;
}

// Opaque pixel value of a colour in an RGB32 raster.
constexpr QRgb toPixel(Colour colour) {
    const Colour c = resolveColour(colour);
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

constexpr Colour fromPixel(QRgb pixel) {
    return rgbColour(int((pixel >> 16) & 0xFFu), int((pixel >> 8) & 0xFFu), int(pixel & 0xFFu));
}

} // namespace canvas
