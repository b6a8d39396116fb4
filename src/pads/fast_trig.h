#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

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

namespace trig_detail {

inline constexpr double kReductionLimit = 1.0e6;
inline constexpr double kTwoOverPi = 6.36619772367581382433e-01;
// pi/2 split so that n * each leading part is exact for |n| < 2^20.
inline constexpr double kHalfPiHigh = 1.57079632673412561417e+00;
inline constexpr double kHalfPiMiddle = 6.07710050630396597660e-11;
inline constexpr double kHalfPiLow = 2.02226624879595063154e-21;
inline constexpr double kShifter = 6755399441055744.0; // 1.5 * 2^52

inline constexpr double kS1 = -1.66666666666666324348e-01;
inline constexpr double kS2 = 8.33333333332248946124e-03;
inline constexpr double kS3 = -1.98412698298579493134e-04;
inline constexpr double kS4 = 2.75573137070700676789e-06;
inline constexpr double kS5 = -2.50507602534068634195e-08;
inline constexpr double kS6 = 1.58969099521155010221e-10;

inline constexpr double kC1 = 4.16666666666666019037e-02;
inline constexpr double kC2 = -1.38888888888741095749e-03;
inline constexpr double kC3 = 2.48015872894767294178e-05;
inline constexpr double kC4 = -2.75573143513906633035e-07;
inline constexpr double kC5 = 2.08757232129817482790e-09;
inline constexpr double kC6 = -1.13596475577881948265e-11;

// The reduction and both kernels, written once for a scalar or a two-lane vector `Real`
// (whose lanes of `Integer` hold n mod 4 in their low bits).
template <typename Real, typename Integer, typename ToBits>
inline void sineCosineKernel(Real x, Real& sine, Real& cosine, ToBits toBits) {
    const Real shifted = x * kTwoOverPi + kShifter;
    const Real n = shifted - kShifter;
    const Real r = ((x - n * kHalfPiHigh) - n * kHalfPiMiddle) - n * kHalfPiLow;
    const Real z = r * r;
    const Real s = r + r * z * (kS1 + z * (kS2 + z * (kS3 + z * (kS4 + z * (kS5 + z * kS6)))));
    const Real c =
        1.0 - 0.5 * z + z * z * (kC1 + z * (kC2 + z * (kC3 + z * (kC4 + z * (kC5 + z * kC6)))));
    // Quadrant q: sin x = (q odd ? cos r : sin r), negated in quadrants 2 and 3; cos x
    // likewise, negated in quadrants 1 and 2.
    const Integer quadrant = toBits(shifted) & 3;
    const auto odd = (quadrant & 1) != 0;
    const Real sineOfX = odd ? c : s;
    const Real cosineOfX = odd ? s : c;
    sine = (quadrant & 2) != 0 ? -sineOfX : sineOfX;
    cosine = ((quadrant + 1) & 2) != 0 ? -cosineOfX : cosineOfX;
}

using Double2 = double __attribute__((vector_size(16)));
using Bits2 = std::int64_t __attribute__((vector_size(16)));

} // namespace trig_detail

inline SineCosine sineCosine(double x) {
    using namespace trig_detail;
    if (!(std::fabs(x) < kReductionLimit)) {
        return {std::sin(x), std::cos(x)};
    }
    SineCosine both{};
    sineCosineKernel<double, std::int64_t>(x, both.sine, both.cosine, [](double value) {
        std::int64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    });
    return both;
}

// sin and cos of count angles, two at a time.
inline void sineCosines(const double* angles, double* sines, double* cosines, std::size_t count) {
    using namespace trig_detail;
    std::size_t i = 0;
    for (; i + 1 < count; i += 2) {
        if (!(std::fabs(angles[i]) < kReductionLimit) ||
            !(std::fabs(angles[i + 1]) < kReductionLimit)) {
            break;
        }
        const Double2 x{angles[i], angles[i + 1]};
        Double2 sine;
        Double2 cosine;
        sineCosineKernel<Double2, Bits2>(x, sine, cosine,
                                         [](Double2 value) { return Bits2(value); });
        sines[i] = sine[0];
        sines[i + 1] = sine[1];
        cosines[i] = cosine[0];
        cosines[i + 1] = cosine[1];
    }
    for (; i < count; ++i) {
        const SineCosine both = sineCosine(angles[i]);
        sines[i] = both.sine;
        cosines[i] = both.cosine;
    }
}

} // namespace pads
