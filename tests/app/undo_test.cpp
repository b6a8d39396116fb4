#include "form1_fixture.h"

#include <QComboBox>
#include <QLabel>

namespace {

class UndoTest : public Form1Test {
  protected:
    void undo() { QTest::keyClick(form_.get(), Qt::Key_Z, Qt::ControlModifier); }
    void redo(bool shifted = false) {
        if (shifted) {
            QTest::keyClick(form_.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        } else {
            QTest::keyClick(form_.get(), Qt::Key_Y, Qt::ControlModifier);
        }
    }
    QImage design() { return form_->designCanvas().image(); }
    QString title() { return find<QLabel>("Label2")->text(); }
};

TEST_F(UndoTest, FillsComeBackExactlyWithTheirOwnColours) {
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    click("Command11");
    const QImage pattern = design();
    press("Picture1", 10, 10);
    const QImage firstFill = design();
    press("Picture1", 100, 100);
    ASSERT_NE(design(), firstFill);

    undo();
    EXPECT_EQ(design(), firstFill);
    undo();
    EXPECT_EQ(design(), pattern);
    redo();
    EXPECT_EQ(design(), firstFill);
    redo(true);
    EXPECT_NE(design(), firstFill);
    EXPECT_EQ(title(), QStringLiteral("设计经典格子"));
}

TEST_F(UndoTest, UndoBringsBackTheTitleWidthAndBackground) {
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    const QImage start = design();
    const QString startTitle = title();
    find<QComboBox>("Combo2")->setEditText("7");
    click("Command71(1)"); // new background colour, width set from the list
    EXPECT_EQ(form_->designCanvas().drawWidth(), 7);
    undo();
    EXPECT_EQ(design(), start);
    EXPECT_EQ(title(), startTitle);
    EXPECT_EQ(form_->designCanvas().drawWidth(), 1);
    EXPECT_EQ(form_->designCanvas().backColor(), canvas::Colour(0xAE5C44));
}

TEST_F(UndoTest, ANewChangeAfterUndoDropsRedoAndOnlyAHundredStepsStay) {
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    click("Command12");
    press("Picture1", 5, 60);
    undo();
    click("Command13");
    const QImage afterNewChange = design();
    redo();
    EXPECT_EQ(design(), afterNewChange);

    const QImage beforeMany = design();
    press("Picture1", 5, 60);
    const QImage afterFirst = design();
    ASSERT_NE(afterFirst, beforeMany);
    for (int i = 1; i < 101; ++i) {
        press("Picture1", 5 + i % 50, 60);
    }
    for (int i = 0; i < 101; ++i) {
        undo();
    }
    // The oldest of the 101 steps is gone: undo stops one fill short of where they began.
    EXPECT_EQ(design(), afterFirst);
}

} // namespace
