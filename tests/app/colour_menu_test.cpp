#include "app/colour_menu.h"
#include "app/colourways_window.h"
#include "app/palette_dock.h"
#include "app/reduce_colours_dialog.h"
#include "app_fixture.h"

#include <QHelpEvent>
#include <QRadioButton>
#include <QSpinBox>
#include <optional>

namespace {

using colouring::ColourRule, colouring::FillScope, colouring::Symmetry;

constexpr QRgb kRed = 0xFFC00000;
constexpr QRgb kGreen = 0xFF00A000;
constexpr QRgb kBlue = 0xFF0000B0;
constexpr QRgb kBlack = 0xFF000000;

// A design of three bands: red rows 0..70, green rows 71..120, blue the rest; a black line
// splits the red band at column 100.
QImage bandedDesign() {
    QImage image(142, 142, QImage::Format_RGB32);
    for (int y = 0; y < 142; ++y) {
        for (int x = 0; x < 142; ++x) {
            image.setPixel(x, y, y > 120 ? kBlue : y > 70 ? kGreen : x == 100 ? kBlack : kRed);
        }
    }
    return image;
}

class ColourMenuTest : public AppTest {
  protected:
    ColourMenuTest() {
        tools().setColourDialog([this](QWidget*, const QColor&) { return dialogAnswer_; });
        window_->loadImportedPicture(bandedDesign());
    }
    app::ColourTools& tools() const { return window_->colourTools(); }

    std::optional<QColor> dialogAnswer_;
};

TEST_F(ColourMenuTest, MenuChoicesReachThePress) {
    // The menu entries chosen, after "action", and the press options they make.
    const std::tuple<const char*, ColourRule, FillScope, Symmetry> cases[] = {
        {"", ColourRule::Random, FillScope::Region, Symmetry::None},
        {"RuleChosen ScopeGlobal", ColourRule::Chosen, FillScope::Global, Symmetry::None},
        {"RuleTriadic ScopeWrap SymmetryEight", ColourRule::Triadic, FillScope::Wrap,
         Symmetry::Eight},
        {"RuleRandom ScopeRegion SymmetryLeftRight", ColourRule::Random, FillScope::Region,
         Symmetry::LeftRight},
    };
    for (const auto& [entries, rule, scope, symmetry] : cases) {
        for (const QString& entry : QString::fromLatin1(entries).split(' ', Qt::SkipEmptyParts)) {
            const QByteArray action = "action" + entry.toLatin1();
            trigger(action);
            EXPECT_TRUE(find<QAction>(action)->isChecked()) << action.constData();
        }
        const colouring::PressOptions& options = window_->model().pressOptions();
        EXPECT_EQ(std::tuple(options.rule, options.scope, options.symmetry),
                  std::tuple(rule, scope, symmetry));
    }
    // The last choices fill the red part the press is in and its mirror image across the line.
    const QImage before = design();
    press("Picture1", {10, 10});
    EXPECT_NE(design().pixel(10, 10), kRed);
    EXPECT_EQ(design().pixel(131, 10), design().pixel(10, 10));
    EXPECT_EQ(design().pixel(105, 10), design().pixel(10, 10)) << "the mirror's region";
    EXPECT_EQ(design().pixel(10, 80), kGreen);
    trigger("actionUndo");
    EXPECT_EQ(design(), before);
}

TEST_F(ColourMenuTest, TheCurrentColourComesFromTheDialogTheStripOrTheEyedropper) {
    // After each step: the current colour and whether the design changed.
    auto expectAfter = [this, before = design()](QRgb current, bool designChanges) mutable {
        EXPECT_EQ(tools().currentColour(), current);
        EXPECT_EQ(design() != before, designChanges);
        before = design();
    };
    trigger("actionChooseColour"); // cancelled
    expectAfter(kBlack, false);
    dialogAnswer_ = QColor(0x12, 0x34, 0x56);
    trigger("actionChooseColour");
    expectAfter(0xFF123456, false);
    EXPECT_TRUE(find<QAction>("actionRuleChosen")->isChecked()) << "a colour picked under 随机";
    press("Picture1", {10, 80});
    expectAfter(0xFF123456, true);
    trigger("actionEyedropper");
    press("Picture1", {10, 130});
    expectAfter(kBlue, false);
    press("Picture1", {10, 10}, Qt::AltModifier); // Alt+press while the chosen colour is the source
    expectAfter(kRed, false);
    QTest::mouseClick(find("RecentColours"), Qt::LeftButton, {}, QPoint(3 * 16 + 5, 8));
    expectAfter(kBlue, false);
    EXPECT_EQ(design().pixel(10, 80), 0xFF123456);
    EXPECT_EQ(tools().recentColours(), (QList<QRgb>{kBlue, kRed, 0xFF123456}));
    for (QRgb colour = 1; colour <= 17; ++colour) {
        tools().setCurrentColour(colour);
    }
    EXPECT_EQ(tools().recentColours().size(), 16);
    trigger("actionRuleMono");
    trigger("actionChooseColour");
    EXPECT_TRUE(find<QAction>("actionRuleMono")->isChecked()) << "a harmony takes a base colour";
}

TEST_F(ColourMenuTest, ThePaletteCountsTheDesignAndActsOnItsChips) {
    trigger("actionPalette");
    app::PaletteDock& dock = window_->paletteDock();
    ASSERT_TRUE(dock.isVisible());
    auto* count = find<QLabel>("PaletteCount");
    EXPECT_EQ(count->text(), QStringLiteral("共 4 色"));
    EXPECT_EQ(dock.entries(),
              (std::vector<colouring::PaletteEntry>{
                  {kRed, 141 * 71}, {kGreen, 142 * 50}, {kBlue, 142 * 21}, {kBlack, 71}}));
    // The second chip: a click chooses it, Ctrl+click locks it.
    const QPoint greenChip(62 + 20, 10);
    QTest::mouseClick(dock.chipArea(), Qt::LeftButton, {}, greenChip);
    EXPECT_EQ(tools().currentColour(), kGreen);
    EXPECT_TRUE(find<QAction>("actionRuleChosen")->isChecked());
    QTest::mouseClick(dock.chipArea(), Qt::LeftButton, Qt::ControlModifier, greenChip);
    EXPECT_TRUE(tools().lockedColours().contains(kGreen));
    // Replacing red with the current green is one undo step, and the count follows.
    const QImage before = design();
    tools().replaceWithCurrent(kRed);
    EXPECT_EQ(design().pixel(10, 10), kGreen);
    EXPECT_EQ(count->text(), QStringLiteral("共 3 色"));
    trigger("actionUndo");
    EXPECT_EQ(design(), before);
    EXPECT_EQ(count->text(), QStringLiteral("共 4 色"));

    // Hovering a chip tells its value, count and share; ten pixels (0.0496 %) are not nothing.
    QImage speck(142, 142, QImage::Format_RGB32);
    speck.fill(kRed);
    for (int x = 0; x < 10; ++x) {
        speck.setPixel(x, 5, kBlue);
    }
    window_->loadImportedPicture(speck);
    const std::pair<QPoint, const char*> chips[] = {
        {QPoint(20, 10), "#C00000\n20,154 像素，占 100.0 %"},
        {greenChip, "#0000B0 中蓝色\n10 像素，占 <0.1 %"}}; // the named colour within 5
    for (const auto& [point, says] : chips) {
        QHelpEvent hover(QEvent::ToolTip, point, dock.chipArea()->mapToGlobal(point));
        QApplication::sendEvent(dock.chipArea(), &hover);
        EXPECT_TRUE(dock.chipArea()->toolTip().startsWith(QString::fromUtf8(says)))
            << dock.chipArea()->toolTip().toStdString();
    }
    EXPECT_EQ(dock.chipArea()->grab().toImage().pixel(greenChip), 0xFF0000B0) << "painted";
}

TEST_F(ColourMenuTest, AColourwayClickIsOneUndoStepAndLockingAllSaysWhy) {
    key(Qt::Key_K);
    auto* colourways = window_->findChild<app::ColourwaysWindow*>();
    ASSERT_TRUE(colourways && colourways->isVisible());
    const QImage before = design();
    const QImage second = colourways->colourways().ways.at(1).image;
    EXPECT_NE(second, before);
    QTest::mouseClick(find("Colourway2"), Qt::LeftButton);
    EXPECT_EQ(design(), second);
    trigger("actionUndo");
    EXPECT_EQ(design(), before);
    colourways->setSheetPathDialog([&](QWidget*) { return folder_.filePath("sheet.v2"); });
    colourways->exportSheet();
    EXPECT_TRUE(QFile::exists(folder_.filePath("sheet.v2.png"))) << "the filter's extension";

    for (const auto& entry : colouring::palette(before)) {
        tools().toggleLock(entry.colour);
    }
    click("ColourwaysAgain");
    for (const colouring::Colourway& way : colourways->colourways().ways) {
        EXPECT_EQ(way.image, before);
    }
    EXPECT_TRUE(find<QLabel>("ColourwaysNote")->isVisible());
    EXPECT_TRUE(find<QLabel>("ColourwaysNote")->text().contains(QStringLiteral("锁定")));
}

TEST_F(ColourMenuTest, ReducingColoursKeepsTheLockedOnesAsOneUndoStepAndTheChoiceForNextTime) {
    tools().toggleLock(kBlack);
    const QImage before = design();
    const auto openDialog = [this] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        trigger("actionReduceColours");
        return window_->findChild<app::ReduceColoursDialog*>();
    };
    app::ReduceColoursDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QRadioButton*>("byCount")->click();
    dialog->findChild<QSpinBox*>("count")->setValue(2);
    EXPECT_EQ(dialog->findChild<QLabel*>("colourCount")->text(),
              QStringLiteral("减少后共 2 色（原有 4 色）"));
    const QImage preview = dialog->findChild<QLabel*>("preview")->pixmap().toImage();
    dialog->accept();
    EXPECT_EQ(colouring::palette(design()).size(), 2u);
    EXPECT_EQ(design().pixel(100, 10), kBlack);
    EXPECT_EQ(preview.convertToFormat(QImage::Format_RGB32), design().scaled(preview.size()));
    trigger("actionUndo");
    EXPECT_EQ(design(), before);
    dialog = openDialog();
    EXPECT_TRUE(dialog->findChild<QRadioButton*>("byCount")->isChecked());
    EXPECT_EQ(dialog->findChild<QSpinBox*>("count")->value(), 2);
}

TEST_F(ColourMenuTest, TheStudioComesBackAsItWasLeftAndTheWindowAsItStarts) {
    const QImage startEffect = effect();
    QList<QRgb> recent;
    for (QRgb colour = 0xFF000001; colour <= 0xFF000011; ++colour) {
        tools().setCurrentColour(colour);
        recent.prepend(colour);
    }
    const char* const chosen[] = {"actionPalette",    "actionLiveEffect",   "actionTileFrame",
                                  "actionActualSize", "actionRepeatMirror", "actionRuleAnalogous",
                                  "actionScopeWrap",  "actionSymmetryFour"};
    for (const char* action : chosen) {
        trigger(action);
    }
    window_->addDockWidget(Qt::LeftDockWidgetArea, &window_->paletteDock());
    key(Qt::Key_Q);
    restart();
    for (const char* action : chosen) {
        EXPECT_TRUE(find<QAction>(action)->isChecked()) << action;
    }
    EXPECT_TRUE(window_->paletteDock().isVisible());
    EXPECT_EQ(window_->dockWidgetArea(&window_->paletteDock()), Qt::LeftDockWidgetArea);
    EXPECT_TRUE(find("TileFrame")->isVisible() && find("ActualSizeView")->isVisible());
    EXPECT_EQ(window_->repeat(), tiling::Repeat::Mirror);
    const colouring::PressOptions& options = window_->model().pressOptions();
    EXPECT_EQ(std::tuple(options.rule, options.scope, options.symmetry),
              std::tuple(ColourRule::Analogous, FillScope::Wrap, Symmetry::Four));
    EXPECT_EQ(tools().recentColours(), recent.mid(0, 16));
    EXPECT_EQ(tools().currentColour(), 0xFF000011);
    EXPECT_EQ(design().pixel(0, 0), kYellowGreen);
    EXPECT_EQ(effect(), startEffect);
}

} // namespace
