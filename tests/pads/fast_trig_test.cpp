#include "pads/fast_trig.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

void expectCloseToLibrary(double x) {
    const pads::SineCosine both = pads::sineCosine(x);
    EXPECT_NEAR(both.sine, std::sin(x), 4.5e-16) << x;
    EXPECT_NEAR(both.cosine, std::cos(x), 4.5e-16) << x;
}

TEST(SineCosine, AgreesWithTheLibraryOverTheFigureAnglesAndNearTheQuadrantBoundaries) {
    for (double x = -2000.0; x <= 20000.0; x += 0.0137) {
        expectCloseToLibrary(x);
    }
    for (int quarter = -400; quarter <= 400; ++quarter) {
        for (const double offset : {-1e-9, -1e-12, 0.0, 1e-12, 1e-9, 0.785, -0.785}) {
            expectCloseToLibrary(quarter * M_PI / 2 + offset);
        }
    }
}

TEST(SineCosine, HandsHugeAnglesToTheLibrary) {
    for (const double x : {1.0e6, -3.5e7, 1.0e300}) {
        const pads::SineCosine both = pads::sineCosine(x);
        EXPECT_EQ(both.sine, std::sin(x));
        EXPECT_EQ(both.cosine, std::cos(x));
    }
}

TEST(NearestInteger, RoundsHalvesToEven) {
    const std::pair<double, double> cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-0.4, 0}, {123456.7, 123457}};
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(pads::nearestInteger(value), rounded) << value;
    }
}

} // namespace
