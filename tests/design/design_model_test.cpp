#include "../canvas/ascii_picture.h"
#include "canvas/raster.h"
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
    enum Change { Press, Replace, Colourway, Clear, Stroke, None };
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
        {"a stroke",
         [&] {
             model.drawStroke({{}, {{1, 1}, {50, 60}}, 3, 0x123456});
         },
         Picture, Stroke},
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

// Each kind of stroke lies where its geometry says at 1x and, redrawn at 7.3x, within a fraction
// of a pixel of it, finer than the design's pixels enlarged where it is not square to them; and a
// press stops at it.
TEST_F(ModelTest, StrokesLieWhereTheirGeometrySaysAtAnyScaleAndBoundPresses) {
    using enum colouring::StrokeKind;
    const QImage opening = model.canvas().image();
    const QRgb orange = qRgb(0xFF, 0x80, 0x00);
    const QRgb green = qRgb(0, 0xC0, 0);
    const struct {
        colouring::StrokeChange stroke;
        QPointF in, out;        // design points a quarter pixel or more inside and outside it
        QPoint inside, outside; // a press at `inside` fills up to the stroke, not `outside`
        bool finer;
    } cases[] = {
        {{Pen, {{-5, 40}, {70, 40}, {150, 60}}, 3},
         {30, 41.2},
         {30, 41.8},
         {30, 10},
         {30, 130},
         true},
        {{Line, {{0, 100}, {141, 20}}, 1}, {70.5, 60}, {70.5, 61.5}, {5, 5}, {135, 135}, true},
        {{Rectangle, {{30, 30}, {110, 90}}, 2},
         {28.7, 28.7},
         {70, 31.2},
         {70, 60},
         {10, 10},
         false},
        {{Ellipse, {{20, 30}, {120, 110}}, 4}, {19.3, 70}, {17.7, 70}, {70, 70}, {5, 5}, true},
        {{Eraser, {{-5, -5}, {150, 150}}, 5}, {70, 72.5}, {70, 74.2}, {100, 20}, {20, 100}, true},
    };
    const QSize size(1037, 1037);
    const double scale = 1037 / 142.0;
    for (auto [stroke, in, out, inside, outside, finer] : cases) {
        SCOPED_TRACE(colouring::kStrokeKindNames[int(stroke.kind)]);
        stroke.colour = canvas::fromPixel(orange);
        const QRgb ink =
            stroke.kind == Eraser ? canvas::toPixel(model.canvas().backColor()) : orange;
        model.drawStroke(stroke);
        model.setPressOptions({colouring::ColourRule::Chosen, canvas::fromPixel(green), {}, {}});
        model.press(inside.x(), inside.y());
        const QImage design = model.canvas().image();
        EXPECT_EQ(design.pixel(in.toPoint()), ink);
        EXPECT_NE(design.pixel(out.toPoint()), ink);
        EXPECT_EQ(design.pixel(inside), green);
        EXPECT_EQ(design.pixel(outside), opening.pixel(outside));

        const print::SharpTile tile = model.renderSharpTile(size);
        EXPECT_GE(tile.agreement, print::kLeastBlockAgreement);
        const auto device = [scale](QPointF point) {
            return ((point + QPointF(0.5, 0.5)) * scale).toPoint();
        };
        EXPECT_EQ(tile.image.pixel(device(in)) | 0xFF000000u, ink);
        EXPECT_NE(tile.image.pixel(device(out)) | 0xFF000000u, ink);
        EXPECT_EQ(tile.image != canvas::enlargeByBlocks(design, scale), finer);
        model.undo();
        model.undo();
        EXPECT_EQ(model.canvas().image(), opening);
    }
}

} // namespace

namespace {

TEST_F(ModelTest, SeamCheckFindsTwoBrokenRegionsAndUnifyMendsBothInOneStep) {
    // Two bands cut by a line inside the tile and joined across its left and right seams.
    const QImage tile =
        ascii::toImage({".#..", "####", ".#..", "####"}, {{'.', 0xFFFFFF}, {'#', 0x000000}});
    model.loadPicture({tile.scaled(142, 142)}, QStringLiteral("接缝"),
                      colouring::PictureSource::Origin::Import);
    for (const auto& [point, colour] : {std::pair{QPoint(10, 10), 0x2040C0},
                                        {QPoint(100, 10), 0xC04020},
                                        {QPoint(10, 80), 0x20A040}}) {
        model.setPressOptions({colouring::ColourRule::Chosen, canvas::Colour(colour)});
        model.press(float(point.x()), float(point.y()));
    }
    ASSERT_EQ(model.seamBreaks().size(), 2u);
    const int before = changes;
    model.unifySeams();
    EXPECT_EQ(changes, before + 1);
    EXPECT_TRUE(model.seamBreaks().empty());
    // Each band takes the colour of its larger part: the right of the first, white in the second.
    EXPECT_EQ(model.canvas().imageRef().pixel(10, 10), canvas::toPixel(0xC04020));
    EXPECT_EQ(model.canvas().imageRef().pixel(10, 80), 0xFFFFFFFFu);
    model.undo();
    EXPECT_EQ(model.seamBreaks().size(), 2u);
}

} // namespace
