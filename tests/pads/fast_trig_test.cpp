#include "pads/fast_trig.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

void expectCloseToLibrary(double x) {
    const pads::SineCosine both = pads::sineCosine(x);
    EXPECT_NEAR(both.sine, std::sin(x), 4.5e-16) << x;
    EXPECT_NEAR(both.cosine, std::cos(x), 4.5e-16) << x;
}

TEST(SineCosine, AgreesWithTheLibraryOverTheFigureAngles) {
    for (double x = -2000.0; x <= 20000.0; x += 0.0137) {
        expectCloseToLibrary(x);
    }
}

TEST(SineCosine, AgreesNearTheQuadrantBoundaries) {
    for (int quarter = -400; quarter <= 400; ++quarter) {
        const double boundary = quarter * M_PI / 2;
        for (const double offset : {-1e-9, -1e-12, 0.0, 1e-12, 1e-9, 0.785, -0.785}) {
            expectCloseToLibrary(boundary + offset);
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
    EXPECT_EQ(pads::nearestInteger(2.5), 2.0);
    EXPECT_EQ(pads::nearestInteger(3.5), 4.0);
    EXPECT_EQ(pads::nearestInteger(-2.5), -2.0);
    EXPECT_EQ(pads::nearestInteger(-0.4), 0.0);
    EXPECT_EQ(pads::nearestInteger(123456.7), 123457.0);
}

} // namespace
