#include "app/design_files.h"
#include "app/form1.h"
#include "app/main_window.h"
#include "canvas/fonts.h"
#include "main_window_fixture.h"
#include "scripted_random.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

class DesignFilesTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        QApplication::setStyle(QStringLiteral("Fusion"));
        canvas::installFontSubstitutes();
        QStandardPaths::setTestModeEnabled(true);
    }

    DesignFilesTest() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
        QSettings().clear();
        QFile::remove(app::DesignFiles::lastDesignPath());
        window_ = newWindow();
    }

    static std::unique_ptr<app::MainWindow> newWindow() {
        return shownMainWindow({0.5, 0.25, 0.75, 0.1});
    }

    void trigger(const char* action) const {
        window_->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    // A design made with a catalogue figure, presses of several scopes and symmetries and a
    // colour replaced.
    void drawDesign(const char* figure) const {
        QTest::mouseClick(window_->findChild<QPushButton*>(QString::fromLatin1(figure)),
                          Qt::LeftButton);
        app::Form1& form = window_->form();
        const workflow::PressOptions options[] = {
            {},
            {workflow::ColourRule::Chosen, 0x3366CC, workflow::FillScope::Wrap,
             workflow::Symmetry::Four},
            {workflow::ColourRule::Random, 0, workflow::FillScope::Global,
             workflow::Symmetry::Eight},
        };
        const QPoint pixels[] = {{5, 5}, {71, 71}, {30, 100}};
        for (int i = 0; i < 3; ++i) {
            form.setPressOptions(options[i]);
            window_->pressDesignAt(pixels[i]);
        }
        form.setPressOptions({});
        form.changeDesign(
            workflow::ReplaceChange{design().pixel(71, 71) | 0xFF000000u, 0xFF102030u});
    }
    QImage design() const { return window_->designCanvas().image(); }
    QString title() const {
        return window_->form().findChild<QLabel*>(QStringLiteral("Label2"))->text();
    }
    QMessageBox* problem() const {
        return window_->findChild<QMessageBox*>(QStringLiteral("DesignFileProblem"));
    }

    QTemporaryDir folder_;
    std::unique_ptr<app::MainWindow> window_;
};

TEST_F(DesignFilesTest, ASavedDesignOpensAsOneUndoStepAndJoinsTheRecentList) {
    drawDesign("Command55");
    window_->setRepeat(workflow::Repeat::HalfDrop);
    const QImage saved = design();
    const QString savedTitle = title();
    const QString path = folder_.filePath(QStringLiteral("太极"));
    window_->designFiles().setPathDialog([&](QWidget*, bool) { return path; });
    trigger("actionSaveDesignDocument");
    ASSERT_TRUE(QFile::exists(path + ".ccpat"));

    drawDesign("Command12");
    window_->setRepeat(workflow::Repeat::Straight);
    const QImage changed = design();
    window_->designFiles().setPathDialog([&](QWidget*, bool) { return path + ".ccpat"; });
    trigger("actionOpenDesignDocument");
    EXPECT_EQ(design(), saved);
    EXPECT_EQ(title(), savedTitle);
    EXPECT_EQ(window_->repeat(), workflow::Repeat::HalfDrop);
    EXPECT_EQ(window_->designFiles().recentDesigns(), QStringList{path + ".ccpat"});

    trigger("actionUndo");
    EXPECT_EQ(design(), changed);
}

TEST_F(DesignFilesTest, TheDesignKeptAtCloseComesBackAndABadDocumentChangesNothing) {
    drawDesign("Command46");
    const QImage kept = design();
    window_->close();
    window_ = newWindow();
    ASSERT_NE(design(), kept);
    trigger("actionRestoreLastDesign");
    EXPECT_EQ(design(), kept);

    const QString bad = folder_.filePath(QStringLiteral("bad.ccpat"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"format\": ");
    file.close();
    EXPECT_FALSE(window_->designFiles().openDesignFile(bad));
    ASSERT_NE(problem(), nullptr);
    EXPECT_TRUE(problem()->text().startsWith(QStringLiteral("无法打开设计")))
        << problem()->text().toStdString();
    EXPECT_EQ(design(), kept);
    EXPECT_TRUE(window_->designFiles().recentDesigns().isEmpty());
}

} // namespace
