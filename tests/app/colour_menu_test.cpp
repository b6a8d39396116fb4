#include "app/colour_menu.h"
#include "app/colourways_window.h"
#include "app/form1.h"
#include "app/main_window.h"
#include "app/palette_dock.h"
#include "canvas/fonts.h"
#include "main_window_fixture.h"
#include "scripted_random.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

using workflow::ColourRule;
using workflow::FillScope;
using workflow::Symmetry;

constexpr QRgb kRed = 0xFFC00000;
constexpr QRgb kGreen = 0xFF00A000;
constexpr QRgb kBlue = 0xFF0000B0;

// A design of three bands: red rows 0..70, green rows 71..120, blue the rest; a black line
// splits the red band at column 100.
QImage bandedDesign() {
    QImage image(142, 142, QImage::Format_RGB32);
    image.fill(kRed);
    for (int y = 71; y < 142; ++y) {
        for (int x = 0; x < 142; ++x) {
            image.setPixel(x, y, y <= 120 ? kGreen : kBlue);
        }
    }
    for (int y = 0; y <= 70; ++y) {
        image.setPixel(100, y, qRgb(0, 0, 0));
    }
    return image;
}

class ColourMenuTest : public MainWindowFixture {
  protected:
    ColourMenuTest() {
        window_->colourTools().setColourDialog(
            [this](QWidget*, const QColor&) { return dialogAnswer_; });
        window_->loadImportedPicture(bandedDesign());
    }

    void pressDesign(QPoint pixel, Qt::KeyboardModifiers modifiers = {}) {
        press("Picture1", pixel, modifiers);
    }
    app::ColourTools& tools() const { return window_->colourTools(); }

    std::optional<QColor> dialogAnswer_;
};

TEST_F(ColourMenuTest, MenuChoicesReachThePress) {
    struct Case {
        const char* name;
        std::vector<const char*> actions;
        ColourRule rule;
        FillScope scope;
        Symmetry symmetry;
    };
    const Case cases[] = {
        {"defaults", {}, ColourRule::Random, FillScope::Region, Symmetry::None},
        {"chosen, global",
         {"actionRuleChosen", "actionScopeGlobal"},
         ColourRule::Chosen,
         FillScope::Global,
         Symmetry::None},
        {"triadic, wrap, eight",
         {"actionRuleTriadic", "actionScopeWrap", "actionSymmetryEight"},
         ColourRule::Triadic,
         FillScope::Wrap,
         Symmetry::Eight},
        {"back to random, left-right",
         {"actionRuleRandom", "actionScopeRegion", "actionSymmetryLeftRight"},
         ColourRule::Random,
         FillScope::Region,
         Symmetry::LeftRight},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        for (const char* action : test.actions) {
            trigger(action);
            EXPECT_TRUE(find<QAction>(action)->isChecked());
        }
        const workflow::PressOptions& options = window_->form().pressOptions();
        EXPECT_EQ(options.rule, test.rule);
        EXPECT_EQ(options.scope, test.scope);
        EXPECT_EQ(options.symmetry, test.symmetry);
    }
    // The last choices fill the red part the press is in and its mirror image across the line.
    const QImage before = design();
    pressDesign({10, 10});
    EXPECT_NE(design().pixel(10, 10), kRed);
    EXPECT_EQ(design().pixel(131, 10), design().pixel(10, 10));
    EXPECT_EQ(design().pixel(105, 10), design().pixel(10, 10)) << "the mirror's region";
    EXPECT_EQ(design().pixel(10, 80), kGreen);
    trigger("actionUndo");
    EXPECT_EQ(design(), before);
}

TEST_F(ColourMenuTest, TheCurrentColourComesFromTheDialogTheStripOrTheEyedropper) {
    trigger("actionRuleChosen");
    struct Step {
        const char* name;
        std::function<void()> act;
        QRgb current;
        bool designChanges;
    };
    const Step steps[] = {
        {"a cancelled dialog changes nothing",
         [&] {
             dialogAnswer_.reset();
             trigger("actionChooseColour");
         },
         0xFF000000, false},
        {"the dialog's colour",
         [&] {
             dialogAnswer_ = QColor(0x12, 0x34, 0x56);
             trigger("actionChooseColour");
         },
         0xFF123456, false},
        {"a press fills with it",
         [&] {
             pressDesign({10, 80});
         },
         0xFF123456, true},
        {"the eyedropper takes the colour under the next press",
         [&] {
             trigger("actionEyedropper");
             pressDesign({10, 130});
         },
         kBlue, false},
        {"Alt+press takes it while the chosen colour is the source",
         [&] {
             pressDesign({10, 10}, Qt::AltModifier);
         },
         kRed, false},
        {"a swatch of the strip",
         [&] {
             QTest::mouseClick(find("RecentColours"), Qt::LeftButton, {}, QPoint(3 * 16 + 5, 8));
         },
         kBlue, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        const QImage before = design();
        step.act();
        EXPECT_EQ(tools().currentColour(), step.current);
        EXPECT_EQ(design() != before, step.designChanges);
    }
    EXPECT_EQ(design().pixel(10, 80), 0xFF123456);
    EXPECT_EQ(tools().recentColours(), (QList<QRgb>{kBlue, kRed, 0xFF123456}));
}

TEST_F(ColourMenuTest, ThePaletteCountsTheDesignAndActsOnItsChips) {
    trigger("actionPalette");
    app::PaletteDock& dock = window_->paletteDock();
    ASSERT_TRUE(dock.isVisible());
    EXPECT_EQ(find<QLabel>("PaletteCount")->text(), QStringLiteral("共 4 色"));
    const std::vector<std::pair<QRgb, int>> expected{
        {kRed, 141 * 71}, {kGreen, 142 * 50}, {kBlue, 142 * 21}, {0xFF000000, 71}};
    ASSERT_EQ(dock.entries().size(), expected.size());
    for (std::size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(dock.entries()[index].colour, expected[index].first);
        EXPECT_EQ(dock.entries()[index].pixels, expected[index].second);
    }
    // The second chip: a click chooses it, Ctrl+click locks it.
    const QPoint greenChip(62 + 20, 10);
    QTest::mouseClick(dock.chipArea(), Qt::LeftButton, {}, greenChip);
    EXPECT_EQ(tools().currentColour(), kGreen);
    QTest::mouseClick(dock.chipArea(), Qt::LeftButton, Qt::ControlModifier, greenChip);
    EXPECT_TRUE(tools().lockedColours().contains(kGreen));

    // Replacing red with the current green is one undo step, and the count follows.
    const QImage before = design();
    tools().replaceWithCurrent(kRed);
    EXPECT_EQ(design().pixel(10, 10), kGreen);
    EXPECT_EQ(find<QLabel>("PaletteCount")->text(), QStringLiteral("共 3 色"));
    trigger("actionUndo");
    EXPECT_EQ(design(), before);
    EXPECT_EQ(find<QLabel>("PaletteCount")->text(), QStringLiteral("共 4 色"));
}

TEST_F(ColourMenuTest, AColourwayClickIsOneUndoStepAndLockingAllSaysWhy) {
    QTest::keyClick(window_.get(), Qt::Key_K, Qt::ControlModifier);
    auto* colourways = window_->findChild<app::ColourwaysWindow*>();
    ASSERT_NE(colourways, nullptr);
    ASSERT_TRUE(colourways->isVisible());
    const QImage before = design();
    const QImage second = colourways->colourways().ways.at(1).image;
    EXPECT_NE(second, before);
    QTest::mouseClick(find("Colourway2"), Qt::LeftButton);
    EXPECT_EQ(design(), second);
    trigger("actionUndo");
    EXPECT_EQ(design(), before);

    for (const auto& entry : workflow::palette(before)) {
        tools().toggleLock(entry.colour);
    }
    QTest::mouseClick(find<QPushButton>("ColourwaysAgain"), Qt::LeftButton);
    for (const workflow::Colourway& way : colourways->colourways().ways) {
        EXPECT_EQ(way.image, before);
    }
    EXPECT_TRUE(find<QLabel>("ColourwaysNote")->isVisible());
    EXPECT_TRUE(find<QLabel>("ColourwaysNote")->text().contains(QStringLiteral("锁定")));
}

} // namespace
