#include "pad_drawings.h"

#include <gtest/gtest.h>

namespace {

TEST(PadDrawing, RedrawnAtScaleOneIsThePadPictureExactly) {
    for (const test_support::PadRun& run : test_support::kPadRuns) {
        SCOPED_TRACE(run.name);
        const test_support::DrawnPad drawn = test_support::drawnPad(run);
        EXPECT_TRUE(drawn.drawing.complete);
        EXPECT_EQ(pads::padDrawingPicture(drawn.drawing, 1), drawn.pad.imageRef());
    }
}

TEST(PadDrawing, PastItsBoundIsGivenUpUntilTheNextClear) {
    pads::PadDrawing drawing(pads::PadKind::RandomArt);
    const pads::PadStep dot = pads::padStep(pads::PadStepKind::Dot, 0, 1, {3, 4});
    for (qsizetype i = 0; i <= pads::kMostPadSteps; ++i) {
        drawing.record(dot);
    }
    EXPECT_FALSE(drawing.complete);
    EXPECT_TRUE(drawing.steps.empty());
    drawing.record(pads::padStep(pads::PadStepKind::Clear, 0xFF));
    drawing.record(dot);
    EXPECT_TRUE(drawing.complete);
    EXPECT_EQ(drawing.steps.size(), 2);
}

} // namespace
