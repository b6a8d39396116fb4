#include "app/design_files.h"
#include "app_fixture.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMenu>

#include <functional>

namespace {

class StudioKeysTest : public AppTest {
  protected:
    StudioKeysTest() { EXPECT_TRUE(becomesActive(window_.get())); }
    static bool becomesActive(QWidget* window) {
        return QTest::qWaitFor([&] { return QApplication::activeWindow() == window; });
    }
    // Keys as the user types them: to whatever holds the focus.
    void type(QKeyCombination keys) {
        QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
    }
    void clickList() { QTest::mouseClick(find<QComboBox>("Combo2")->lineEdit(), Qt::LeftButton); }
};

TEST_F(StudioKeysTest, UndoAndRedoActOnTheDesignUnlessAListIsBeingEdited) {
    const auto designFile = [&](const char* action) {
        window_->designFiles().setPathDialog(
            [&](QWidget*, bool) { return folder_.filePath("a.ccpat"); });
        trigger(action);
    };
    // Each change, made after its preparation, then undone and redone wherever the focus is.
    const std::tuple<const char*, std::function<void()>, std::function<void()>> changes[] = {
        {"start-up", [&] { designFile("actionSaveDesignDocument"); },
         [&] { find<QPushButton>("Command11")->click(); }},
        {"恢复上次的设计",
         [&] {
             window_->close();
             restart();
             ASSERT_TRUE(becomesActive(window_.get()));
         },
         [&] { find<QMenu>("menuKeptDesigns")->actions().first()->trigger(); }},
        {"打开设计", [] {}, [&] { designFile("actionOpenDesignDocument"); }},
        {"the list clicked again after editing",
         [&] { // the list takes a pasted text and its own undo while it is being edited
             QApplication::clipboard()->setText(QStringLiteral("7"));
             clickList();
             for (const QKeyCombination keys : {Qt::Key_End | Qt::NoModifier, Qt::CTRL | Qt::Key_V,
                                                Qt::Key_5 | Qt::NoModifier, Qt::CTRL | Qt::Key_Z}) {
                 type(keys);
             }
             EXPECT_EQ(find<QComboBox>("Combo2")->currentText(), QStringLiteral("27"));
         },
         [&] {
             press("Picture1", {10, 10});
             clickList();
         }},
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
}

TEST_F(StudioKeysTest, TheZoomWindowTakesTheStudiosKeysAndEscClosesTheSmallWindows) {
    click("Command11");
    trigger("actionZoom");
    QWidget* zoom = find("ZoomWindow");
    ASSERT_TRUE(becomesActive(zoom));
    const auto pressZoomed = [&](QPoint pixel) {
        QTest::mouseClick(find("zoomCanvas"), Qt::LeftButton, {}, pixel * 4);
    };
    const QImage pattern = design();
    pressZoomed({10, 10});
    const QImage filled = design();
    // Keys typed in the active window and whether they did their work.
    const std::pair<QKeyCombination, std::function<bool()>> keys[] = {
        {Qt::CTRL | Qt::Key_Z, [&] { return design() == pattern; }},
        {Qt::CTRL | Qt::Key_Y, [&] { return design() == filled; }},
        {Qt::Key_I | Qt::NoModifier,
         [&] {
             return pressZoomed({100, 100}), design() == filled;
         }},
        {Qt::CTRL | Qt::Key_K, [&] { return becomesActive(find("ColourwaysWindow")); }},
        {Qt::Key_Escape | Qt::NoModifier, [&] { return !find("ColourwaysWindow")->isVisible(); }},
        {Qt::Key_Escape | Qt::NoModifier, [&] { return !zoom->isVisible(); }},
    };
    for (const auto& [key, done] : keys) {
        if (QApplication::activeWindow() == nullptr) { // the desktop activates the one left
            zoom->activateWindow();
            ASSERT_TRUE(becomesActive(zoom));
        }
        type(key);
        EXPECT_TRUE(done()) << QKeySequence(key).toString().toStdString();
    }
}

TEST_F(StudioKeysTest, TheStripShowsTheKeptCopyAfterBothEffectButtons) {
    click("Command11");
    press("Picture1", {10, 10});
    const QImage kept = design();
    // The button and the client area it leaves the strip, at the strip's place on the window.
    for (const auto& [button, client] :
         {std::pair{"Command14", QSize(53, 5)}, std::pair{"Command15", QSize(76, 76)}}) {
        click(button);
        const QImage shown = form().grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown.copy(QRect(QPoint(658, 540), client)), kept.copy(QRect({}, client)))
            << button;
    }
}

} // namespace
