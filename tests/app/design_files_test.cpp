#include "app/design_files.h"
#include "app_fixture.h"

#include <QMessageBox>

namespace {

class DesignFilesTest : public AppTest {
  protected:
    // A design made with a catalogue figure, presses of several scopes and symmetries and a
    // colour replaced.
    void drawDesign(const char* figure) {
        click(figure);
        using workflow::ColourRule, workflow::FillScope, workflow::Symmetry;
        const std::pair<workflow::PressOptions, QPoint> presses[] = {
            {{}, {5, 5}},
            {{ColourRule::Chosen, 0x3366CC, FillScope::Wrap, Symmetry::Four}, {71, 71}},
            {{ColourRule::Random, 0, FillScope::Global, Symmetry::Eight}, {30, 100}},
        };
        for (const auto& [options, pixel] : presses) {
            form().setPressOptions(options);
            window_->pressDesignAt(pixel);
        }
        form().setPressOptions({});
        form().changeDesign(workflow::ReplaceChange{opaque(design().pixel(71, 71)), 0xFF102030u});
    }
    app::DesignFiles& files() const { return window_->designFiles(); }
};

TEST_F(DesignFilesTest, ASavedDesignOpensAsOneUndoStepAndJoinsTheRecentList) {
    drawDesign("Command55");
    window_->setRepeat(workflow::Repeat::HalfDrop);
    const QImage saved = design();
    const QString savedTitle = title();
    const QString path = folder_.filePath(QStringLiteral("太极"));
    files().setPathDialog([&](QWidget*, bool) { return path; });
    trigger("actionSaveDesignDocument");
    ASSERT_TRUE(QFile::exists(path + ".ccpat"));

    drawDesign("Command12");
    window_->setRepeat(workflow::Repeat::Straight);
    const QImage changed = design();
    files().setPathDialog([&](QWidget*, bool) { return path + ".ccpat"; });
    trigger("actionOpenDesignDocument");
    EXPECT_EQ(design(), saved);
    EXPECT_EQ(title(), savedTitle);
    EXPECT_EQ(window_->repeat(), workflow::Repeat::HalfDrop);
    EXPECT_EQ(files().recentDesigns(), QStringList{path + ".ccpat"});
    trigger("actionUndo");
    EXPECT_EQ(design(), changed);
    for (int i = 0; i < 10; ++i) {
        files().setPathDialog([&, i](QWidget*, bool) { return path + QString::number(i); });
        trigger("actionSaveDesignDocument");
    }
    EXPECT_EQ(files().recentDesigns().size(), 10);
}

TEST_F(DesignFilesTest, TheDesignKeptAtCloseComesBackAndABadDocumentChangesNothing) {
    drawDesign("Command46");
    const QImage kept = design();
    window_->close();
    restart();
    ASSERT_NE(design(), kept);
    trigger("actionRestoreLastDesign");
    EXPECT_EQ(design(), kept);

    const QString bad = folder_.filePath(QStringLiteral("bad.ccpat"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("{\"format\": ") > 0 && file.flush());
    EXPECT_FALSE(files().openDesignFile(bad));
    auto* problem = find<QMessageBox>("DesignFileProblem");
    ASSERT_NE(problem, nullptr);
    EXPECT_TRUE(problem->text().startsWith(QStringLiteral("无法打开设计")));
    EXPECT_EQ(design(), kept);
    EXPECT_TRUE(files().recentDesigns().isEmpty());
}

} // namespace
