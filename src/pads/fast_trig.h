#pragma once

#include <cmath>

namespace pads {

struct SineCosine {
    double sine;
    double cosine;
};

// sin and cos of one angle within a few units in the last place of the library functions,
// at a fraction of their cost: reduction by pi/2 in three parts, then the classic minimax
// kernels on [-pi/4, pi/4]. Angles beyond the reduction's exact range go to the library.
// Nearest integer, halves to even, for |value| < 2^51: adding and removing 1.5 * 2^52 leaves
// the rounded value in the default rounding mode, without a library call.
inline double nearestInteger(double value) {
    constexpr double kShifter = 6755399441055744.0;
    const double shifted = value + kShifter;
    return shifted - kShifter;
}

inline SineCosine sineCosine(double x) {
    constexpr double kReductionLimit = 1.0e6;
    if (!(std::fabs(x) < kReductionLimit)) {
        return {std::sin(x), std::cos(x)};
    }
    constexpr double kTwoOverPi = 6.36619772367581382433e-01;
    // pi/2 split so that n * each leading part is exact for |n| < 2^20.
    constexpr double kHalfPiHigh = 1.57079632673412561417e+00;
    constexpr double kHalfPiMiddle = 6.07710050630396597660e-11;
    constexpr double kHalfPiLow = 2.02226624879595063154e-21;
    const double n = nearestInteger(x * kTwoOverPi);
    const double r = ((x - n * kHalfPiHigh) - n * kHalfPiMiddle) - n * kHalfPiLow;
    const double z = r * r;

    constexpr double kS1 = -1.66666666666666324348e-01;
    constexpr double kS2 = 8.33333333332248946124e-03;
    constexpr double kS3 = -1.98412698298579493134e-04;
    constexpr double kS4 = 2.75573137070700676789e-06;
    constexpr double kS5 = -2.50507602534068634195e-08;
    constexpr double kS6 = 1.58969099521155010221e-10;
    const double sine = r + r * z * (kS1 + z * (kS2 + z * (kS3 + z * (kS4 + z * (kS5 + z * kS6)))));

    constexpr double kC1 = 4.16666666666666019037e-02;
    constexpr double kC2 = -1.38888888888741095749e-03;
    constexpr double kC3 = 2.48015872894767294178e-05;
    constexpr double kC4 = -2.75573143513906633035e-07;
    constexpr double kC5 = 2.08757232129817482790e-09;
    constexpr double kC6 = -1.13596475577881948265e-11;
    const double cosine =
        1.0 - 0.5 * z + z * z * (kC1 + z * (kC2 + z * (kC3 + z * (kC4 + z * (kC5 + z * kC6)))));

    // Quadrant q: sin x = (q odd ? cos r : sin r), negated in quadrants 2 and 3; cos x
    // likewise, negated in quadrants 1 and 2.
    const long long quadrant = static_cast<long long>(n) & 3;
    const bool odd = (quadrant & 1) != 0;
    const double sineOfX = odd ? cosine : sine;
    const double cosineOfX = odd ? sine : cosine;
    return {(quadrant & 2) != 0 ? -sineOfX : sineOfX,
            ((quadrant + 1) & 2) != 0 ? -cosineOfX : cosineOfX};
}

} // namespace pads
