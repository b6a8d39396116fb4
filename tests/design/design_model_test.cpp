#include "colouring/surfaces.h"
#include "design/design_model.h"
#include "pad_drawings.h"
#include "patterns/catalogue.h"
#include "scripted_random.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A model on a canvas as the window opens it, with colours drawn from a fixed script.
struct ModelTest : ::testing::Test {
    ModelTest() {
        model.showOpening(QStringLiteral("开始"));
        model.setLineWidthText(QStringLiteral("3"));
        QObject::connect(&model, &design::DesignModel::changed, [this] { ++changes; });
    }
    auto state() const { return std::tuple(model.canvas().image(), model.title(), model.record()); }

    test_support::ScriptedRandom random{{0.5, 0.25, 0.75}, test_support::RepeatScript{}};
    design::DesignModel model{random};
    int changes = 0;
};

TEST_F(ModelTest, EachOperationIsOneStepThatUndoAndRedoTakeBackExactly) {
    QImage picture(142, 142, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    colouring::Colourway stale{{{0xFF010203u, 0xFF445566u}}, picture.copy(), {}};
    stale.image.fill(qRgb(9, 9, 9));
    // What the record holds after each: its source and its last change, by their kinds.
    enum Source { Opening, Picture, Figure, Advanced };
    enum Change { Press, Replace, Colourway, Clear, None };
    const auto kept = [&] {
        const colouring::DesignRecord& record = model.record();
        return std::pair(Source(record.source.index()),
                         record.changes.empty() ? None : Change(record.changes.back().index()));
    };
    const colouring::ColourMapping whiteToBlue{{~0u, 0xFF445566u}};
    const colouring::DesignChange whiten = colouring::ReplaceChange{0xFF010203u, ~0u};
    const design::DesignDocument blank{{}, "文档", {}, {}, {}};
    const std::tuple<const char*, std::function<void()>, Source, Change> operations[] = {
        {"a figure", [&] { model.drawFigure("Command11", "x"); }, Figure, None},
        {"an advanced pattern", [&] { model.drawAdvanced(71, 1, 0); }, Advanced, None},
        {"a press", [&] { model.press(10, 10); }, Advanced, Press},
        {"a picture", [&] { model.loadPicture({picture}, "图", {}); }, Picture, None},
        {"a replacement", [&] { model.applyChange(whiten); }, Picture, Replace},
        {"a colourway of the design",
         [&] {
             model.chooseColourway(
                 {whiteToBlue,
                  colouring::applyColourway(model.canvas().imageRef(), whiteToBlue),
                  {}});
         },
         Picture, Colourway},
        {"a colourway drawn before the design changed", [&] { model.chooseColourway(stale); },
         Picture, None},
        {"清空主图", [&] { model.clearPicture(); }, Picture, Clear},
        {"a document", [&] { model.showDocument(blank); }, Opening, None},
    };
    for (const auto& [name, operation, source, change] : operations) {
        SCOPED_TRACE(name);
        const auto before = state();
        changes = 0;
        operation();
        const auto after = state();
        EXPECT_TRUE(after != before);
        EXPECT_EQ(kept(), std::pair(source, change));
        model.undo();
        EXPECT_TRUE(state() == before);
        model.redo();
        EXPECT_TRUE(state() == after);
        EXPECT_EQ(changes, 3);
    }
}

TEST_F(ModelTest, ASequenceRecordsItsDocumentWhichSavesAndOpensAgain) {
    model.setTileSizeText("40");
    model.setRepeat(tiling::Repeat::HalfDrop);
    model.drawFigure("Command12", patterns::caption(*patterns::findFigure(u"Command12")));
    model.setPressOptions({colouring::ColourRule::Chosen, 0x3050A0, colouring::FillScope::Global,
                           colouring::Symmetry::LeftRight});
    model.press(5.4f, 60);
    model.press(-1, 60); // off the canvas: nothing recorded
    model.clearPicture();
    const canvas::Surface opening(colouring::designCanvasSetup());
    const design::DesignDocument written{
        {opening.backColor(),
         {},
         colouring::CatalogueSource{"Command12", 3},
         {colouring::PressChange{
              {5, 60}, 0x3050A0, colouring::FillScope::Global, colouring::Symmetry::LeftRight},
          colouring::ClearPictureChange{}}},
        "设计" + patterns::caption(*patterns::findFigure(u"Command12")),
        "3",
        "40",
        tiling::Repeat::HalfDrop};
    EXPECT_EQ(design::writeDesignDocument(model.document()), design::writeDesignDocument(written));
    QTemporaryDir folder;
    const QString path = folder.filePath("a.ccpat");
    ASSERT_TRUE(model.saveDocument(QFile::encodeName(path)).saved);
    test_support::ScriptedRandom unused;
    design::DesignModel opened(unused);
    EXPECT_TRUE(opened.openDocument(path).document);
    EXPECT_EQ(opened.canvas().image(), model.canvas().image());
    EXPECT_FALSE(opened.openDocument(folder.filePath("none.ccpat")).document);
    EXPECT_EQ(opened.renderSharpTile({284, 284}).image.size(), QSize(284, 284));
}

// 调入主图 of the figure pad and of the symbol pad, printed at 10 x: the figures and stamps are
// drawn again at that scale, matching the design and finer than its pixels enlarged.
TEST_F(ModelTest, APadsPictureIsRedrawnSharpForPrint) {
    for (const test_support::PadRun& run : {test_support::kPadRuns[0], test_support::kPadRuns[1]}) {
        SCOPED_TRACE(run.name);
        const test_support::DrawnPad drawn = test_support::drawnPad(run);
        model.loadPicture(colouring::padPicture(drawn.pad.image(), drawn.drawing), "图", {});
        const print::SharpTile tile = model.renderSharpTile({1420, 1420});
        EXPECT_GE(tile.agreement, print::kLeastBlockAgreement);
        EXPECT_NE(tile.image, canvas::enlargeByBlocks(model.canvas().imageRef(), 10));
    }
}

} // namespace
