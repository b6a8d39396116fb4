#include "canvas/surface.h"

#include <gtest/gtest.h>

TEST(Surface, StartsWithBackColour) {
    canvas::Surface surface;
    EXPECT_EQ(surface.point(0, 0), 0xFFFFFF);
}
