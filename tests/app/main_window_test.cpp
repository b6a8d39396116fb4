#include "app/form1.h"
#include "app/main_window.h"
#include "app/zoom_window.h"
#include "canvas/fonts.h"
#include "main_window_fixture.h"
#include "patterns/catalogue.h"
#include "scripted_random.h"
#include "workflow/workflow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using workflow::Repeat;

// A design whose every pixel has its own colour, (x, y, 0x40), so a colour names its pixel.
QImage coordinateDesign() {
    QImage image(142, 142, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x, y, 0x40));
        }
    }
    return image;
}

QPoint pixelNamedBy(QRgb colour) {
    return {qRed(colour), qGreen(colour)};
}

class MainWindowTest : public MainWindowFixture {
  protected:
    QImage effect() const { return window_->form().effectView().image(); }
    void chooseTileSize(int size) {
        find<QComboBox>("Combo1")->setEditText(QString::number(size));
        click("Command15");
    }
};

TEST_F(MainWindowTest, TheCentralAreaIsTheSpecifiedWindowPixelForPixel) {
    app::Form1 bare(std::make_unique<test_support::ScriptedRandom>(std::vector<double>{0.5}));
    bare.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bare));
    ASSERT_EQ(window_->centralWidget(), &window_->form());
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("澄川纹样工坊3.6"));
    EXPECT_EQ(window_->form().size(), QSize(1229, 682));
    // Each grabbed while it is the active window, so focus and palette look the same.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&bare));
    const QImage specified = bare.grab().toImage();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    EXPECT_EQ(window_->form().grab().toImage(), specified);
}

TEST_F(MainWindowTest, EditingKeysGoToAFocusedTextFieldAndTheMenuToTheDesign) {
    click("Command11");
    press("Picture1", {10, 10});
    const QImage filled = design();
    auto* field = find<QLineEdit>("txtParam(0)");
    field->setFocus();
    field->setText(QStringLiteral("12"));
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QStringLiteral("12")) << "the field took its own undo";
    EXPECT_EQ(design(), filled) << "the design kept its fill";

    trigger("actionUndo");
    EXPECT_NE(design(), filled);
    find<QWidget>("Command14")->setFocus();
    QTest::keyClick(window_.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(design(), filled);

    QString askedFilter;
    window_->form().setSavePathDialog([&](QWidget*, const QString& filter) {
        askedFilter = filter;
        return QString();
    });
    QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(askedFilter, QStringLiteral("Bitmap(*.bmp);;All files(*.*)"));
}

TEST_F(MainWindowTest, EachRepeatPlacesTheTilesAsItsRuleSays) {
    window_->loadImportedPicture(coordinateDesign());
    // Page pixel (150, 30) lies in the top-right cell, (10, 200) in the bottom-left one.
    const struct {
        const char* action;
        QPoint topRight;
        QPoint bottomLeft;
    } cases[] = {
        {"actionRepeatStraight", {8, 30}, {10, 58}},
        {"actionRepeatHalfDrop", {8, 101}, {10, 58}}, // the second column is lowered by 71
        {"actionRepeatBrick", {8, 30}, {81, 58}},     // the second row is shifted by 71
        {"actionRepeatMirror", {133, 30}, {10, 83}},  // mirrored left-right and top-bottom
        {"actionRepeatRotate", {30, 133}, {83, 10}},  // a quarter turn clockwise, three quarters
    };
    for (const auto& c : cases) {
        trigger(c.action);
        click("Command14");
        EXPECT_EQ(pixelNamedBy(effect().pixel(150, 30)), c.topRight) << c.action;
        EXPECT_EQ(pixelNamedBy(effect().pixel(10, 200)), c.bottomLeft) << c.action;
    }
}

TEST_F(MainWindowTest, TheTileFrameIsDrawnOnTheViewOnly) {
    chooseTileSize(80);
    QWidget* view = find("Picture2");
    const QImage plainView = view->grab().toImage();
    const QImage picture = effect();
    trigger("actionTileFrame");
    const QImage framed = view->grab().toImage();
    EXPECT_EQ(effect(), picture);
    // Only the outline of the first tile changes: client pixels 0 and 79 along each edge.
    for (const QPoint at : {QPoint(40, 0), QPoint(79, 40), QPoint(40, 79), QPoint(0, 40)}) {
        const QPoint onView = at + QPoint(2, 2);
        EXPECT_NE(framed.pixel(onView), plainView.pixel(onView)) << at.x() << "," << at.y();
    }
    for (const QPoint at : {QPoint(40, 40), QPoint(81, 40), QPoint(40, 81)}) {
        const QPoint onView = at + QPoint(2, 2);
        EXPECT_EQ(framed.pixel(onView), plainView.pixel(onView)) << at.x() << "," << at.y();
    }
}

TEST_F(MainWindowTest, TheLiveEffectViewFollowsEveryDesignChange) {
    click("Command13");
    trigger("actionLiveEffect");
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"press",
         [&] {
             press("Picture1", {30, 12});
         }},
        {"undo", [&] { trigger("actionUndo"); }},
        {"pad load", [&] { click("Command60"); }},
        {"press after the chosen size",
         [&] {
             chooseTileSize(80);
             press("Picture1", {30, 12});
         }},
    };
    for (const auto& [change, run] : changes) {
        const QImage before = effect();
        run();
        const QImage live = effect();
        EXPECT_NE(live, before) << change;
        // What the last effect button draws from the design as it is now.
        click(std::string(change).ends_with("chosen size") ? "Command15" : "Command14");
        EXPECT_EQ(effect(), live) << change;
    }
}

TEST_F(MainWindowTest, APressOnTheLiveEffectViewColoursTheDesignPixelItShows) {
    window_->loadImportedPicture(coordinateDesign());
    trigger("actionLiveEffect");
    for (const int tile : {142, 80}) {
        for (const char* repeat :
             {"actionRepeatStraight", "actionRepeatHalfDrop", "actionRepeatBrick",
              "actionRepeatMirror", "actionRepeatRotate"}) {
            trigger(repeat);
            chooseTileSize(tile);
            for (const QPoint at : {QPoint(300, 200), QPoint(517, 459)}) {
                const QImage before = design();
                const QPoint shown = pixelNamedBy(effect().pixel(at));
                press("Picture2", at);
                const QImage after = design();
                EXPECT_NE(after.pixel(shown), before.pixel(shown)) << repeat << tile;
                trigger("actionUndo");
                EXPECT_EQ(design(), before);
            }
        }
    }
}

TEST_F(MainWindowTest, AnImportIsOneUndoStepWithItsTitle) {
    const QImage start = design();
    const QString startTitle = find<QLabel>("Label2")->text();
    int changes = 0;
    QObject::connect(window_.get(), &app::MainWindow::designChanged, [&] { ++changes; });
    window_->loadImportedPicture(coordinateDesign());
    EXPECT_EQ(design(), coordinateDesign());
    EXPECT_EQ(find<QLabel>("Label2")->text(), QStringLiteral("设计导入线稿"));
    trigger("actionUndo");
    EXPECT_EQ(design(), start);
    EXPECT_EQ(find<QLabel>("Label2")->text(), startTitle);
    EXPECT_EQ(changes, 2);
}

TEST_F(MainWindowTest, F3OpensTheZoomWindowThatPressesAndNamesDesignPixels) {
    window_->loadImportedPicture(coordinateDesign());
    QTest::keyClick(window_.get(), Qt::Key_F3);
    auto* zoom = window_->findChild<app::ZoomWindow*>();
    ASSERT_NE(zoom, nullptr);
    EXPECT_TRUE(zoom->isVisible());
    emit zoom->designPixelPressed(5, 7, Qt::NoModifier);
    EXPECT_NE(design().pixel(5, 7), coordinateDesign().pixel(5, 7));
    EXPECT_EQ(design().pixel(6, 7), coordinateDesign().pixel(6, 7));
    emit zoom->pointerOverPixel(6, 7);
    EXPECT_EQ(find<QLabel>("PointerStatus")->text(), QStringLiteral("x 6, y 7  #060740"));
}

TEST_F(MainWindowTest, ThePointerAndTheHintsShowInTheStatusBar) {
    window_->loadImportedPicture(coordinateDesign());
    QTest::mouseMove(find("Picture1"), QPoint(12, 22));
    EXPECT_EQ(find<QLabel>("PointerStatus")->text(), QStringLiteral("x 10, y 20  #0A1440"));
    press("Picture1", {10, 20});
    const QColor filled = window_->designCanvas().imageRef().pixel(10, 20);
    EXPECT_EQ(find<QLabel>("PointerStatus")->text(),
              QStringLiteral("x 10, y 20  ") + filled.name().toUpper());
    find<QComboBox>("Combo1")->setEditText(QStringLiteral("0"));
    click("Command15");
    EXPECT_EQ(window_->statusBar()->currentMessage(), find<QLabel>("Hint")->text());
    EXPECT_TRUE(find<QLabel>("Hint")->isVisible());
}

TEST_F(MainWindowTest, F1AndAboutOpenTheirDialogsWithoutBlocking) {
    QTest::keyClick(window_.get(), Qt::Key_F1);
    auto* help = find<QMessageBox>("HelpDialog");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->text().contains(QStringLiteral("交叉配色")));
    trigger("actionAbout");
    auto* about = find<QMessageBox>("AboutDialog");
    ASSERT_NE(about, nullptr);
    for (const QString& part : {QStringLiteral("3.6"), workflow::kMakerAddress,
                                QString::fromLatin1(qVersion()), QStringLiteral("LGPLv3")}) {
        EXPECT_TRUE(about->text().contains(part)) << part.toStdString();
    }
}

TEST_F(MainWindowTest, ASaveUnderAPngNameWritesAPng) {
    QTemporaryDir folder;
    for (const char* name : {"design.png", "DESIGN.PNG", "design.bmp", "design"}) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        window_->form().setSavePathDialog([&](QWidget*, const QString&) { return path; });
        trigger("actionSaveDesign");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const bool png =
            QString::fromLatin1(name).endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
        EXPECT_EQ(file.read(2), png ? QByteArray("\x89P") : QByteArray("BM")) << name;
        EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), design()) << name;
    }
}

TEST_F(MainWindowTest, EveryControlSaysWhatItIs) {
    const struct {
        const char* control;
        const char* says;
    } cases[] = {
        {"Command44", "丝巾图案 3/7"},         {"Command11", "格子图案 1/3"},
        {"Command100", "图3：滚圆曲线，粗步"}, {"Command100", "r = C + 2"},
        {"Command15", "按左边的大小"},
    };
    for (const auto& c : cases) {
        QWidget* control = find(c.control);
        QHelpEvent ask(QEvent::ToolTip, QPoint(1, 1), control->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(control, &ask);
        EXPECT_TRUE(control->toolTip().contains(QString::fromUtf8(c.says)))
            << c.control << control->toolTip().left(60).toStdString();
    }
    // The thumbnail is the design the button draws, twice as large.
    click("Command44");
    const QString tip = find("Command44")->toolTip();
    const QString data = tip.section(QStringLiteral("base64,"), 1).section(QLatin1Char('"'), 0, 0);
    const QImage shown = QImage::fromData(QByteArray::fromBase64(data.toLatin1()));
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
              design().scaled(284, 284, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    for (auto* control : window_->form().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<QLabel*>(control)) {
            EXPECT_FALSE(control->toolTip().isEmpty() &&
                         patterns::findFigure(control->objectName()) == nullptr)
                << control->objectName().toStdString();
        }
    }
}

} // namespace
