#include "app/design_files.h"
#include "app_fixture.h"
#include "fifo_guard.h"

#include <QDir>
#include <QMenu>
#include <QMessageBox>

namespace {

class DesignFilesTest : public AppTest {
  protected:
    // A design made with a catalogue figure, presses of several scopes and symmetries and a
    // colour replaced.
    void drawDesign(const char* figure) {
        click(figure);
        using colouring::ColourRule, colouring::FillScope, colouring::Symmetry;
        const std::pair<colouring::PressOptions, QPoint> presses[] = {
            {{}, {5, 5}},
            {{ColourRule::Chosen, 0x3366CC, FillScope::Wrap, Symmetry::Four}, {71, 71}},
            {{ColourRule::Random, 0, FillScope::Global, Symmetry::Eight}, {30, 100}},
        };
        for (const auto& [options, pixel] : presses) {
            window_->model().setPressOptions(options);
            window_->pressDesignAt(pixel);
        }
        window_->model().setPressOptions({});
        window_->model().applyChange(
            colouring::ReplaceChange{opaque(design().pixel(71, 71)), 0xFF102030u});
    }
    app::DesignFiles& files() const { return window_->designFiles(); }
};

TEST_F(DesignFilesTest, ASavedDesignOpensAsOneUndoStepAndJoinsTheRecentList) {
    drawDesign("Command55");
    window_->setRepeat(tiling::Repeat::HalfDrop);
    const QImage saved = design();
    const QString savedTitle = title();
    const QString path = folder_.filePath(QStringLiteral("太极"));
    files().setPathDialog([&](QWidget*, bool) { return path; });
    trigger("actionSaveDesignDocument");
    ASSERT_TRUE(QFile::exists(path + ".ccpat"));

    drawDesign("Command12");
    window_->setRepeat(tiling::Repeat::Straight);
    const QImage changed = design();
    files().setPathDialog([&](QWidget*, bool) { return path + ".ccpat"; });
    trigger("actionOpenDesignDocument");
    EXPECT_EQ(design(), saved);
    EXPECT_EQ(title(), savedTitle);
    EXPECT_EQ(window_->repeat(), tiling::Repeat::HalfDrop);
    EXPECT_TRUE(window_->findChild<QAction*>(QStringLiteral("actionRepeatHalfDrop"))->isChecked());
    EXPECT_EQ(files().recentDesigns(), QStringList{path + ".ccpat"});
    trigger("actionUndo");
    EXPECT_EQ(design(), changed);
    for (int i = 0; i < 10; ++i) {
        files().setPathDialog([&, i](QWidget*, bool) { return path + QString::number(i); });
        trigger("actionSaveDesignDocument");
    }
    EXPECT_EQ(files().recentDesigns().size(), 10);
}

TEST_F(DesignFilesTest, TheLastFiveClosedDesignsComeBackNewestFirstAndABadDocumentChangesNothing) {
    // The one design an earlier version kept becomes the newest kept design.
    drawDesign("Command46");
    QList<QImage> closed{design()};
    const QString single = app::DesignFiles::singleKeptDesignPath();
    QDir().mkpath(QFileInfo(single).path());
    ASSERT_TRUE(
        design::saveDesignDocument(window_->model().document(), QFile::encodeName(single)).saved);
    const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-1);
    const char* figures[] = {"Command11", "Command12", "Command13",
                             "Command55", "Command1",  nullptr};
    for (int run = 0; run < 6; ++run) {
        restart();
        files().setClock([&start, run] { return start.addSecs(60 * run); });
        if (figures[run] != nullptr) {
            drawDesign(figures[run]);
            closed.insert(1, design());
        }
        window_->close(); // the last run draws nothing and keeps nothing
    }
    restart();
    const QList<QAction*> kept = find<QMenu>("menuKeptDesigns")->actions();
    ASSERT_EQ(kept.size(), app::DesignFiles::kMostKept);
    EXPECT_EQ(kept[1]->text(),
              start.addSecs(4 * 60).toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    for (int i = 0; i < kept.size(); ++i) {
        kept[i]->trigger();
        EXPECT_EQ(design(), closed[i]) << i;
    }

    // Neither a bad document nor a FIFO, which would wait for a writer, changes the design.
    const QString bad = folder_.filePath(QStringLiteral("bad.ccpat"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("{\"format\": ") > 0 && file.flush());
    const QString fifo = folder_.filePath(QStringLiteral("fifo.ccpat"));
    mkfifo(QFile::encodeName(fifo).constData(), 0600);
    for (const QString& path : {bad, fifo}) {
        SCOPED_TRACE(path.toStdString());
        files().setPathDialog([&](QWidget*, bool) { return path; });
        EXPECT_TRUE(test_support::returnsPromptly(QFile::encodeName(fifo),
                                                  [&] { trigger("actionOpenDesignDocument"); }));
        auto* problem = find<QMessageBox>("DesignFileProblem");
        ASSERT_NE(problem, nullptr);
        EXPECT_TRUE(problem->text().startsWith(QStringLiteral("无法打开设计")));
        delete problem;
        EXPECT_EQ(design(), closed[kept.size() - 1]);
    }
    EXPECT_TRUE(files().recentDesigns().isEmpty());
}

} // namespace
