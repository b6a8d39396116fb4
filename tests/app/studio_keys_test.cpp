#include "app/colour_menu.h"
#include "app/colourways_window.h"
#include "app/design_files.h"
#include "app/palette_dock.h"
#include "app_fixture.h"

#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <functional>

namespace {

class StudioKeysTest : public AppTest {
  protected:
    StudioKeysTest() {
        EXPECT_TRUE(becomesActive(window_.get()));
        // Every modal dialog that opens is accepted; a file dialog first picks picture_.
        QObject::connect(&answerDialogs_, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
                    files->selectFile(picture_);
                }
                dialog->accept();
            }
        });
        answerDialogs_.start(10);
        QImage lines(40, 40, QImage::Format_RGB32);
        lines.fill(Qt::white);
        for (int y = 0; y < 40; ++y) {
            lines.setPixel(5, y, qRgb(0, 0, 0));
        }
        lines.save(picture_);
    }
    static bool becomesActive(QWidget* window) {
        return QTest::qWaitFor([&] { return QApplication::activeWindow() == window; });
    }
    // Keys as the user types them, to whatever holds the focus; the window is active again after
    // a dialog, as the desktop makes it.
    void type(QKeyCombination keys) {
        if (QApplication::activeWindow() == nullptr) {
            window_->activateWindow();
            ASSERT_TRUE(becomesActive(window_.get()));
        }
        QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
    }

    QString picture_ = folder_.filePath(QStringLiteral("lines.png"));
    QTimer answerDialogs_;
};

TEST_F(StudioKeysTest, UndoRedoAndPasteActOnTheDesignUnlessAListIsBeingEdited) {
    const QString saved = folder_.filePath(QStringLiteral("start.ccpat"));
    const auto designFile = [&](const char* action) {
        window_->designFiles().setPathDialog([&](QWidget*, bool) { return saved; });
        trigger(action);
    };
    // Changes to the design, each made after its preparation and followed by Ctrl+Z and Ctrl+Y
    // wherever the focus then is.
    const std::tuple<const char*, std::function<void()>, std::function<void()>> changes[] = {
        {"a pattern right after start-up", [&] { designFile("actionSaveDesignDocument"); },
         [&] { find<QPushButton>("Command11")->click(); }},
        {"恢复上次的设计",
         [&] {
             window_->close();
             restart();
             ASSERT_TRUE(becomesActive(window_.get()));
         },
         [&] { trigger("actionRestoreLastDesign"); }},
        {"打开设计", [] {}, [&] { designFile("actionOpenDesignDocument"); }},
        {"导入线稿", [] {}, [&] { trigger("actionImport"); }},
        {"Ctrl+V in a list clicked but not edited",
         [&] {
             QApplication::clipboard()->setImage(QImage(picture_).mirrored(true, false));
             QTest::mouseClick(find<QComboBox>("Combo2")->lineEdit(), Qt::LeftButton);
         },
         [&] { type(Qt::CTRL | Qt::Key_V); }},
    };
    for (const auto& [change, prepare, make] : changes) {
        prepare();
        const QImage before = design();
        make();
        const QImage after = design();
        ASSERT_NE(after, before) << change;
        type(Qt::CTRL | Qt::Key_Z);
        EXPECT_EQ(design(), before) << change;
        type(Qt::CTRL | Qt::Key_Y);
        EXPECT_EQ(design(), after) << change;
    }
    // A list being edited keeps its own keys; a text on the clipboard is pasted into it.
    auto* lineWidth = find<QComboBox>("Combo2");
    QTest::mouseClick(lineWidth->lineEdit(), Qt::LeftButton);
    const QImage before = design();
    type(Qt::Key_End);
    type(Qt::Key_5);
    EXPECT_EQ(lineWidth->currentText(), QStringLiteral("25"));
    type(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(lineWidth->currentText(), QStringLiteral("2"));
    QApplication::clipboard()->setText(QStringLiteral("7"));
    type(Qt::CTRL | Qt::Key_V);
    EXPECT_EQ(lineWidth->currentText(), QStringLiteral("27"));
    EXPECT_EQ(design(), before);
}

TEST_F(StudioKeysTest, TheZoomWindowTakesTheStudiosKeys) {
    click("Command11");
    trigger("actionZoom");
    auto* zoom = find("ZoomWindow");
    ASSERT_TRUE(becomesActive(zoom));
    const auto pressZoomed = [&](QPoint pixel) {
        QTest::mouseClick(find("zoomCanvas"), Qt::LeftButton, {}, pixel * 4 + QPoint(1, 1));
    };
    const QImage pattern = design();
    pressZoomed({10, 10});
    const QImage filled = design();
    // Keys typed in the zoom window and what they did.
    const std::pair<QKeyCombination, std::function<bool()>> keys[] = {
        {Qt::CTRL | Qt::Key_Z, [&] { return design() == pattern; }},
        {Qt::CTRL | Qt::Key_Y, [&] { return design() == filled; }},
        {Qt::Key_I,
         [&] {
             pressZoomed({100, 100});
             return window_->colourTools().currentColour() == opaque(design().pixel(100, 100)) &&
                    design() == filled;
         }},
        {Qt::CTRL | Qt::Key_C,
         [&] {
             return QApplication::clipboard()->image() ==
                    design().convertToFormat(QImage::Format_RGB32);
         }},
        {Qt::Key_F1, [&] { return find("HelpDialog") != nullptr; }},
    };
    for (const auto& [key, done] : keys) {
        type(key);
        EXPECT_TRUE(done()) << QKeySequence(key).toString().toStdString();
    }
}

TEST_F(StudioKeysTest, EscClosesTheSmallWindows) {
    for (const auto& [action, name] : {std::pair{"actionZoom", "ZoomWindow"},
                                       std::pair{"actionColourways", "ColourwaysWindow"}}) {
        trigger(action);
        QWidget* window = find(name);
        ASSERT_TRUE(becomesActive(window)) << name;
        type(Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible()) << name;
    }
}

TEST_F(StudioKeysTest, APickedColourIsTheOneAPressUses) {
    click("Command11");
    app::ColourTools& tools = window_->colourTools();
    tools.setColourDialog([](QWidget*, const QColor&) { return QColor(0x12, 0x34, 0x56); });
    trigger("actionPalette");
    // Each way to pick a colour from a rule, and the rule that follows.
    const std::tuple<const char*, std::function<QRgb()>, const char*, const char*> picks[] = {
        {"选择颜色…",
         [&] {
             trigger("actionChooseColour");
             return 0xFF123456;
         },
         "actionRuleRandom", "actionRuleChosen"},
        {"吸色",
         [&] {
             type(Qt::Key_I);
             press("Picture1", {100, 100});
             return opaque(design().pixel(100, 100));
         },
         "actionRuleRandom", "actionRuleChosen"},
        {"recent colours",
         [&] {
             QTest::mouseClick(find("RecentColours"), Qt::LeftButton, {}, QPoint(53, 8));
             return tools.recentColours().at(0);
         },
         "actionRuleRandom", "actionRuleChosen"},
        {"palette chip",
         [&] {
             QTest::mouseClick(window_->paletteDock().chipArea(), Qt::LeftButton, {}, {20, 10});
             return tools.currentColour();
         },
         "actionRuleRandom", "actionRuleChosen"},
        {"选择颜色… for a harmony",
         [&] {
             trigger("actionChooseColour");
             return 0xFF123456;
         },
         "actionRuleMono", "actionRuleMono"},
    };
    for (const auto& [way, pick, rule, ruleAfter] : picks) {
        trigger(rule);
        const QRgb picked = pick();
        EXPECT_EQ(tools.currentColour(), picked) << way;
        EXPECT_TRUE(find<QAction>(ruleAfter)->isChecked()) << way;
        press("Picture1", {30, 30});
        EXPECT_EQ(opaque(design().pixel(30, 30)) == picked,
                  std::string_view(ruleAfter) == "actionRuleChosen")
            << way;
    }
}

TEST_F(StudioKeysTest, OurSavesAddTheirExtensionAndTheBitmapSavesKeepTheName) {
    trigger("actionColourways");
    auto* colourways = window_->findChild<app::ColourwaysWindow*>();
    const auto at = [this](const char* name) {
        return folder_.filePath(QString::fromLatin1(name));
    };
    // Each save, the name typed and the file written.
    const std::tuple<const char*, std::function<void(const QString&)>, const char*, const char*>
        saves[] = {
            {"保存设计",
             [&](const QString& typed) {
                 window_->designFiles().setPathDialog([=](QWidget*, bool) { return typed; });
                 trigger("actionSaveDesignDocument");
             },
             "design", "design.ccpat"},
            {"导出方案图",
             [&](const QString& typed) {
                 colourways->setSheetPathDialog([=](QWidget*) { return typed; });
                 colourways->exportSheet();
             },
             "sheet.v2", "sheet.v2.png"},
            {"保存图案",
             [&](const QString& typed) {
                 form().setSavePathDialog([=](QWidget*, const QString&) { return typed; });
                 click("Command2");
             },
             "pattern", "pattern"},
            {"保存效果图",
             [&](const QString& typed) {
                 form().setSavePathDialog([=](QWidget*, const QString&) { return typed; });
                 click("Command17");
             },
             "effect", "effect"},
        };
    for (const auto& [save, make, typed, written] : saves) {
        make(at(typed));
        EXPECT_TRUE(QFile::exists(at(written))) << save;
    }
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files).size(), 5) << "and no other file";
}

TEST_F(StudioKeysTest, TheStripShowsTheKeptCopyAfterBothEffectButtons) {
    click("Command11");
    press("Picture1", {10, 10});
    const QImage kept = design();
    // The button and the strip's client area it leaves, at the strip's place on the window.
    for (const auto& [button, client] :
         {std::pair{"Command14", QSize(53, 5)}, std::pair{"Command15", QSize(76, 76)}}) {
        click(button);
        const QImage shown = form().grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown.copy(QRect(QPoint(658, 540), client)), kept.copy(QRect({}, client)))
            << button;
    }
}

} // namespace
