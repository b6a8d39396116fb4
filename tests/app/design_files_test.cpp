#include "app/design_files.h"
#include "app_fixture.h"
#include "fifo_guard.h"

#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QTimeZone>

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

TEST_F(DesignFilesTest, TheLastFiveClosedDesignsComeBackNewestFirst) {
    // The one design an earlier version kept becomes a kept design, at the time it was kept.
    const QDateTime start(QDate(2026, 3, 1), QTime(9, 30), QTimeZone::utc());
    drawDesign("Command46");
    const QImage single = design();
    const QString singlePath = app::DesignFiles::singleKeptDesignPath();
    QDir().mkpath(QFileInfo(singlePath).path());
    ASSERT_TRUE(
        workflow::saveDesignDocument(form().designDocument(), QFile::encodeName(singlePath)).saved);
    QFile file(singlePath);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(start.addSecs(-60), QFileDevice::FileModificationTime));
    file.close();
    QList<QImage> closed;
    const char* figures[] = {"Command11", "Command12", "Command13",
                             "Command55", "Command1",  nullptr};
    for (int run = 0; run < 6; ++run) {
        restart();
        files().setClock([&start, run] { return start.addSecs(60 * run); });
        if (run == 0) {
            ASSERT_EQ(files().keptDesigns().size(), 1u);
            find<QMenu>("menuKeptDesigns")->actions().front()->trigger();
            EXPECT_EQ(design(), single);
        }
        if (figures[run] != nullptr) {
            drawDesign(figures[run]);
            closed.prepend(design());
        }
        window_->close(); // the last run draws nothing and keeps nothing
    }
    restart();
    const QList<QAction*> kept = find<QMenu>("menuKeptDesigns")->actions();
    ASSERT_EQ(kept.size(), app::DesignFiles::kMostKept);
    EXPECT_EQ(kept.front()->text(),
              start.addSecs(4 * 60).toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    for (int i = 0; i < kept.size(); ++i) {
        kept[i]->trigger();
        EXPECT_EQ(design(), closed[i]) << i;
    }
    EXPECT_TRUE(files().recentDesigns().isEmpty());
}

TEST_F(DesignFilesTest, ABadDocumentOrOneThatIsNotAFileChangesNothing) {
    drawDesign("Command46");
    const QImage before = design();
    const QString bad = folder_.filePath(QStringLiteral("bad.ccpat"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("{\"format\": ") > 0 && file.flush());
    const QString fifo = folder_.filePath(QStringLiteral("fifo.ccpat"));
    const test_support::FifoGuard guard(QFile::encodeName(fifo));
    for (const QString& path : {bad, fifo}) {
        SCOPED_TRACE(path.toStdString());
        files().setPathDialog([&](QWidget*, bool) { return path; });
        EXPECT_TRUE(guard.returnsPromptly([&] { trigger("actionOpenDesignDocument"); }));
        auto* problem = find<QMessageBox>("DesignFileProblem");
        ASSERT_NE(problem, nullptr);
        EXPECT_TRUE(problem->text().startsWith(QStringLiteral("无法打开设计")));
        delete problem;
        EXPECT_EQ(design(), before);
    }
    EXPECT_TRUE(files().recentDesigns().isEmpty());
}

} // namespace
