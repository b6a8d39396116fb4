#pragma once

#include <QRgb>
#include <vector>

namespace colouring {

// A colour in CIELAB (D50, the colour space Little CMS connects profiles in).
struct Lab {
    double lightness = 0;
    double a = 0;
    double b = 0;
};

// sRGB colours (the alpha is ignored) in CIELAB, all in one conversion.
std::vector<Lab> labOf(const std::vector<QRgb>& colours);
Lab labOf(QRgb colour);

// The CIEDE2000 difference (kL = kC = kH = 1): about 1 is the least a viewer tells apart.
double colourDifference(const Lab& first, const Lab& second);
double colourDifference(QRgb first, QRgb second);

// The largest lightness weight S_L of CIEDE2000 (at L 0 or 100 it is 1.747), rounded up: two
// colours whose lightness differs by d differ by more than d / kLightnessBound, which lets a search
// for the nearest colour stop early.
inline constexpr double kLightnessBound = 1.8;

} // namespace colouring
