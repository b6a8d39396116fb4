#include "app/actual_size_view.h"
#include "app/colour_menu.h"
#include "app/separations_dialog.h"
#include "app/zoom_window.h"
#include "app_fixture.h"
#include "colouring/surfaces.h"
#include "effect/effect.h"
#include "patterns/catalogue.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <functional>
#include <optional>

namespace {

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

const auto pixelNamedBy = [](QRgb colour) { return QPoint(qRed(colour), qGreen(colour)); };

class MainWindowTest : public AppTest {
  protected:
    void chooseTileSize(int size) {
        setComboText("Combo1", QString::number(size));
        click("Command15");
    }
};

TEST_F(MainWindowTest, TheCentralAreaIsTheBareWindowPixelForPixel) {
    app::Form1 bare(std::make_unique<test_support::ScriptedRandom>(std::vector<double>{0.5}));
    bare.setFocusPolicy(Qt::ClickFocus); // the studio starts with the keys on the window
    bare.setFocus();
    bare.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bare));
    ASSERT_EQ(window_->centralWidget(), &form());
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("澄川纹样工坊3.6"));
    // Each grabbed while it is the active window, so focus and palette look the same.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&bare));
    const QImage bareLook = bare.grab().toImage();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    EXPECT_EQ(form().grab().toImage(), bareLook);
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
    find("Command14")->setFocus();
    key(Qt::Key_Y);
    EXPECT_EQ(design(), filled);

    QString askedFilter;
    form().setSavePathDialog([&](QWidget*, const QString& filter) {
        askedFilter = filter;
        return QString();
    });
    key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(askedFilter, QStringLiteral("Bitmap(*.bmp);;All files(*.*)"));
}

TEST_F(MainWindowTest, EachRepeatPlacesTheTilesAsItsRuleSays) {
    window_->loadImportedPicture(coordinateDesign());
    // Page pixel (150, 30) lies in the top-right cell, (10, 200) in the bottom-left one.
    const std::tuple<const char*, QPoint, QPoint> cases[] = {
        {"actionRepeatStraight", {8, 30}, {10, 58}},
        {"actionRepeatHalfDrop", {8, 101}, {10, 58}}, // the second column is lowered by 71
        {"actionRepeatBrick", {8, 30}, {81, 58}},     // the second row is shifted by 71
        {"actionRepeatMirror", {133, 30}, {10, 83}},  // mirrored left-right and top-bottom
        {"actionRepeatRotate", {30, 133}, {83, 10}},  // a quarter turn clockwise, three quarters
    };
    for (const auto& [action, topRight, bottomLeft] : cases) {
        trigger(action);
        click("Command14");
        EXPECT_EQ(pixelNamedBy(effect().pixel(150, 30)), topRight) << action;
        EXPECT_EQ(pixelNamedBy(effect().pixel(10, 200)), bottomLeft) << action;
    }
}

// The repeats' icons are drawn when their own menu opens (the submenu first).
TEST_F(MainWindowTest, EachRepeatShowsItsIconInItsMenu) {
    for (QMenu* menu : {find<QMenu>("menuWallpaperGroups"), find<QMenu>("menuRepeat")}) {
        menu->popup({0, 0});
        for (const QAction* action : menu->actions()) {
            EXPECT_TRUE(action->menu() != nullptr || !action->icon().isNull())
                << menu->objectName().toStdString();
        }
        menu->hide();
    }
}

// The tile on the effect view; the part of the design a group uses (pm: the left half).
TEST_F(MainWindowTest, OutlinesAreDrawnOnTheViewsOnly) {
    chooseTileSize(80);
    const struct {
        const char *view, *action;
        std::vector<std::pair<QPoint, bool>> spots; // client pixels, whether they change
    } cases[] = {{"Picture2",
                  "actionTileFrame",
                  {{{40, 0}, true},
                   {{79, 40}, true},
                   {{40, 79}, true},
                   {{0, 40}, true},
                   {{40, 40}, false},
                   {{81, 40}, false},
                   {{40, 81}, false}}},
                 {"Picture1", "actionRepeatPm", {{{70, 100}, true}, {{100, 100}, false}}}};
    for (const auto& c : cases) {
        const QImage plainView = find(c.view)->grab().toImage();
        const QImage pictures[] = {design(), effect()};
        trigger(c.action);
        const QImage outlined = find(c.view)->grab().toImage();
        EXPECT_EQ(design(), pictures[0]);
        EXPECT_EQ(effect(), pictures[1]);
        for (const auto& [at, changes] : c.spots) {
            const QPoint onView = at + QPoint(2, 2);
            EXPECT_EQ(outlined.pixel(onView) != plainView.pixel(onView), changes)
                << c.action << " " << at.x() << "," << at.y();
        }
    }
}

// 实际尺寸 at 127 dpi (50 pixels a centimetre): a print tile of 2 cm is 100 pixels, the
// rulers' centimetres 50 pixels apart, and a press colours the design pixel shown.
TEST_F(MainWindowTest, ActualSizeShowsThePrintsTileAtTheScreensDotsPerInchUnderRulers) {
    QSettings settings;
    settings.setValue("export/tileSize", 2.0);
    settings.setValue("export/tileUnit", 1); // centimetres
    settings.setValue("export/dpi", 300);
    window_->loadImportedPicture(coordinateDesign());
    auto* view = find<app::ActualSizeView>("ActualSizeView");
    view->setScreenDotsPerInch([] { return 127.0; });
    EXPECT_FALSE(view->isVisible());
    trigger("actionActualSize");
    ASSERT_TRUE(view->isVisible());
    const QImage shown = view->grab().toImage();
    const QPoint client(2, 2);
    for (const QPoint at : {QPoint(30, 40), QPoint(150, 60), QPoint(260, 333)}) {
        EXPECT_EQ(pixelNamedBy(shown.pixel(client + at)),
                  QPoint(at.x() % 100 * 142 / 100, at.y() % 100 * 142 / 100));
    }
    const int beyondHalfTick = 9;
    for (int centimetre = 1; centimetre <= 12; ++centimetre) {
        for (const int at : {50 * centimetre, 50 * centimetre + 25}) {
            const bool tick = at % 50 == 0;
            EXPECT_EQ(opaque(shown.pixel(client + QPoint(at, beyondHalfTick))) == qRgb(0, 0, 0),
                      tick)
                << at;
            EXPECT_EQ(opaque(shown.pixel(client + QPoint(beyondHalfTick, at))) == qRgb(0, 0, 0),
                      tick)
                << at;
        }
    }
    const QRgb before = design().pixel(42, 56);
    QTest::mouseClick(view, Qt::LeftButton, {}, client + QPoint(130, 40));
    EXPECT_NE(design().pixel(42, 56), before);
}

TEST_F(MainWindowTest, TheLiveEffectViewFollowsEveryDesignChange) {
    click("Command13");
    trigger("actionLiveEffect");
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"press", [&] { press("Picture1", QPoint(30, 12)); }},
        {"undo", [&] { trigger("actionUndo"); }},
        {"pad load", [&] { click("Command60"); }},
        {"press after the chosen size",
         [&] {
             chooseTileSize(80);
             press("Picture1", QPoint(30, 12));
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
              "actionRepeatMirror", "actionRepeatRotate", "actionRepeatHalfDrop13",
              "actionRepeatCentre", "actionRepeatP4g", "actionRepeatP6m"}) {
            trigger(repeat);
            chooseTileSize(tile);
            for (const QPoint at : {QPoint(300, 200), QPoint(517, 459)}) {
                const QImage before = design();
                const QPoint shown = pixelNamedBy(effect().pixel(at));
                press("Picture2", at);
                EXPECT_NE(design().pixel(shown), before.pixel(shown)) << repeat << tile;
                trigger("actionUndo");
                EXPECT_EQ(design(), before);
            }
        }
    }
}

TEST_F(MainWindowTest, TheStatusBarAndTheZoomWindowNameThePixelUnderThePointer) {
    window_->loadImportedPicture(coordinateDesign());
    auto* status = find<QLabel>("PointerStatus");
    QTest::mouseMove(find("Picture1"), QPoint(12, 22));
    EXPECT_EQ(status->text(), QStringLiteral("x 10, y 20  #0A1440"));
    press("Picture1", {10, 20});
    const QColor filled = design().pixel(10, 20);
    EXPECT_EQ(status->text(), QStringLiteral("x 10, y 20  ") + filled.name().toUpper());

    key(Qt::Key_F3, {});
    auto* zoom = window_->findChild<app::ZoomWindow*>();
    ASSERT_TRUE(zoom && zoom->isVisible());
    emit zoom->designPixelPressed(5, 7, Qt::NoModifier);
    EXPECT_NE(design().pixel(5, 7), coordinateDesign().pixel(5, 7));
    EXPECT_EQ(design().pixel(6, 7), coordinateDesign().pixel(6, 7));
    emit zoom->pointerOverPixel(6, 7);
    EXPECT_EQ(status->text(), QStringLiteral("x 6, y 7  #060740"));

    setComboText("Combo1", QStringLiteral("0"));
    click("Command15");
    EXPECT_EQ(window_->statusBar()->currentMessage(), find<QLabel>("Hint")->text());
}

TEST_F(MainWindowTest, TheDrawingToolsShowInBothToolBarsAndADragIsOneStep) {
    key(Qt::Key_F3, {});
    auto* zoom = window_->findChild<app::ZoomWindow*>();
    QToolBar* main = window_->findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly).at(0);
    const auto tool = [](QToolBar* bar, const char* name) {
        return bar->findChild<QAction*>(QString::fromLatin1(name));
    };
    // Chosen on one bar, shown on the other; chosen again, no tool on either.
    for (const auto& [from, to] : {std::pair{main, zoom->findChild<QToolBar*>()},
                                   std::pair{zoom->findChild<QToolBar*>(), main}}) {
        tool(from, "actionStrokeEllipse")->trigger();
        EXPECT_TRUE(tool(to, "actionStrokeEllipse")->isChecked());
        tool(from, "actionStrokeEllipse")->trigger();
        EXPECT_FALSE(tool(to, "actionStrokeEllipse")->isChecked());
        from->findChild<QSpinBox*>()->setValue(from == main ? 5 : 3);
        EXPECT_EQ(to->findChild<QSpinBox*>()->value(), from == main ? 5 : 3);
    }
    click("Command13");
    const QImage before = design();
    press("Picture1", {30, 12});
    EXPECT_TRUE(
        std::holds_alternative<colouring::PressChange>(window_->model().record().changes.back()));
    trigger("actionUndo");
    window_->colourTools().setCurrentColour(qRgb(0xFF, 0x80, 0));
    tool(main, "actionStrokeLine")->trigger();
    QWidget* view = find("Picture1");
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(12, 12));
    QTest::mouseMove(view, QPoint(40, 80));
    QTest::mouseMove(view, QPoint(62, 42));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(62, 42));
    EXPECT_EQ(design().pixel(35, 25), qRgb(0xFF, 0x80, 0));
    EXPECT_EQ(design().pixel(38, 78), before.pixel(38, 78)) << "the drag's way shows no more";
    trigger("actionUndo");
    EXPECT_EQ(design(), before);
}

TEST_F(MainWindowTest, F1AndAboutOpenTheirDialogsWithoutBlocking) {
    key(Qt::Key_F1, {});
    const QString help = find<QMessageBox>("HelpDialog")->text();
    EXPECT_TRUE(help.contains(QStringLiteral("交叉配色")));
    // Every action with a shortcut has its row in the table.
    for (const QAction* action : window_->findChildren<QAction*>()) {
        QStringList keys;
        for (const QKeySequence& sequence : action->shortcuts()) {
            keys << sequence.toString(QKeySequence::NativeText);
        }
        const QString row = QStringLiteral("<td>%1</td><td>%2</td>")
                                .arg(keys.join(QStringLiteral("、")), action->text().remove("…"));
        EXPECT_TRUE(keys.isEmpty() || help.contains(row)) << row.toStdString();
    }
    // The window takes its icon once it has painted, and the About box shows it.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window_->windowIcon().isNull(); }));
    trigger("actionAbout");
    EXPECT_FALSE(find<QMessageBox>("AboutDialog")->iconPixmap().isNull());
    const QString about = find<QMessageBox>("AboutDialog")->text();
    for (const QString& part : {QStringLiteral("3.6"), effect::kMakerAddress,
                                QString::fromLatin1(qVersion()), QStringLiteral("LGPLv3")}) {
        EXPECT_TRUE(about.contains(part)) << part.toStdString();
    }
}

TEST_F(MainWindowTest, EveryControlSaysWhatItIs) {
    const std::pair<const char*, const char*> cases[] = {
        {"Command44", ">丝巾图案 · 第 3 款，共 7 款<"},
        {"Command11", ">经典格子 · 格子图案第 1 款，共 3 款<"},
        {"Command90", "图1：内摆线 · 4 个花瓣 · 笔距每点一次变大\nR = 120，r = 30"},
        {"Command74", "图8：圆 · 笔距每点一次变大\n"},
        {"Command98", "图22：内摆线 · 90 个花瓣 · 笔距每点一次变大\n"},
        {"Command100", "图3：点状外摆线 · 花瓣数每点一次都变\nR = 4，r = C + 2，D = 3"},
        {"Command15", "按左边的大小"},
    };
    for (const auto& [name, says] : cases) {
        QWidget* control = find(name);
        QHelpEvent ask(QEvent::ToolTip, QPoint(1, 1), control->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(control, &ask);
        EXPECT_TRUE(control->toolTip().contains(QString::fromUtf8(says)))
            << name << control->toolTip().left(60).toStdString();
    }
    // The thumbnail is the design the button draws, twice as large.
    click("Command44");
    const QString tip = find("Command44")->toolTip();
    const QString data = tip.section(QStringLiteral("base64,"), 1).section(QLatin1Char('"'), 0, 0);
    const QImage shown = QImage::fromData(QByteArray::fromBase64(data.toLatin1()));
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
              design().scaled(284, 284, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    for (auto* control : form().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<QLabel*>(control)) {
            EXPECT_FALSE(control->toolTip().isEmpty() &&
                         patterns::findFigure(control->objectName()) == nullptr)
                << control->objectName().toStdString();
        }
    }
}

QWidget* zoomCanvas(app::ZoomWindow& window) {
    return window.findChild<QWidget*>(QStringLiteral("zoomCanvas"));
}

TEST(ZoomWindow, APressNamesTheDesignPixelUnderIt) {
    canvas::Surface design(colouring::designCanvasSetup());
    app::ZoomWindow window(design);
    QSignalSpy presses(&window, &app::ZoomWindow::designPixelPressed);
    // Zoom, press point, modifiers and the design pixel named, none outside the design.
    const std::tuple<int, QPoint, Qt::KeyboardModifiers, std::optional<QPoint>> cases[] = {
        {2, {1, 1}, {}, QPoint(0, 0)},           {2, {3, 5}, Qt::ShiftModifier, QPoint(1, 2)},
        {2, {283, 283}, {}, QPoint(141, 141)},   {2, {284, 10}, {}, std::nullopt},
        {8, {7, 7}, {}, QPoint(0, 0)},           {8, {8, 15}, Qt::ControlModifier, QPoint(1, 1)},
        {8, {1135, 1000}, {}, QPoint(141, 125)}, {8, {1136, 4}, {}, std::nullopt},
    };
    for (const auto& [zoom, at, modifiers, pixel] : cases) {
        window.setZoom(zoom);
        presses.clear();
        QTest::mouseClick(zoomCanvas(window), Qt::LeftButton, modifiers, at);
        ASSERT_EQ(presses.count(), pixel ? 1 : 0) << zoom << "x at " << at.x();
        if (pixel) {
            EXPECT_EQ(QPoint(presses[0][0].toInt(), presses[0][1].toInt()), *pixel);
            EXPECT_EQ(presses[0][2].value<Qt::KeyboardModifiers>(), modifiers);
        }
    }
}

TEST(ZoomWindow, ShowsTheRefreshedDesignInSquaresWithAGridFromSixOn) {
    canvas::Surface design(colouring::designCanvasSetup());
    app::ZoomWindow window(design);
    const QRgb blue = canvas::toPixel(design.backColor());
    design.pset(1, 1);
    window.refresh();
    for (const int zoom : {4, 6}) {
        window.setZoom(zoom);
        const QImage shown = zoomCanvas(window)->grab().toImage();
        ASSERT_EQ(shown.size(), QSize(142, 142) * zoom);
        // The middle of pixel (1, 1) is black; inside pixel (2, 2), its top-left corner shows
        // the grid from 6 on and the design colour below.
        EXPECT_EQ(shown.pixel(zoom + zoom / 2, zoom + zoom / 2) | 0xFF000000u, qRgb(0, 0, 0));
        EXPECT_EQ(shown.pixel(2 * zoom + 1, 2 * zoom + 1) | 0xFF000000u, blue);
        EXPECT_EQ((shown.pixel(2 * zoom, 2 * zoom) | 0xFF000000u) != blue, zoom >= 6) << zoom;
    }
}

// 文件 ▸ 导出分色… writes a screen a colour of the page and the composite, and keeps its choices.
TEST_F(MainWindowTest, ExportSeparationsWritesTheScreensOfThePageAndKeepsItsChoices) {
    click("Command11");
    press("Picture1", {10, 10});
    const QString folder = folder_.filePath(QStringLiteral("screens"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const std::tuple<const char*, const char*, QVariant> choices[] = {
        {"unit", "currentText", "像素"},        {"pageWidth", "value", 300.0},
        {"pageHeight", "value", 200.0},         {"tileUnit", "currentText", "像素"},
        {"tileSize", "value", 100.0},           {"trap", "value", 2},
        {"registrationMarks", "checked", true}, {"folder", "text", folder}};
    for (const bool again : {false, true}) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<app::SeparationsDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            for (const auto& [name, property, value] : choices) {
                QWidget* control = dialog->findChild<QWidget*>(QString::fromLatin1(name));
                if (again) {
                    EXPECT_EQ(control->property(property), value) << name;
                }
                control->setProperty(property, value);
            }
            again ? dialog->reject() : dialog->accept();
        });
        trigger("actionSeparations");
    }
    const QImage composite =
        QImage(folder + QStringLiteral("/composite.png")).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(composite,
              tiling::repeatOver(design().scaled(100, 100), {300, 200}, tiling::Repeat::Straight));
    const QStringList screens = QDir(folder).entryList({QStringLiteral("*.tif")});
    EXPECT_EQ(screens.size(), 3); // the blue, the fill and the black lines, by their names
    EXPECT_TRUE(screens.contains(QStringLiteral("03-#000000-黑色.tif")))
        << screens.join(' ').toStdString();
}

} // namespace

namespace {

TEST_F(MainWindowTest, TheSeamCheckCountsAndOutlinesBrokenSeamsAndUnifyMendsThem) {
    // A band cut by a line inside the tile and joined across the left and right seams.
    QImage tile(4, 2, QImage::Format_RGB32);
    tile.fill(Qt::white);
    for (const QPoint line :
         {QPoint(1, 0), QPoint(0, 1), QPoint(1, 1), QPoint(2, 1), QPoint(3, 1)}) {
        tile.setPixel(line, qRgb(0, 0, 0));
    }
    window_->loadImportedPicture(tile.scaled(142, 142));
    trigger("actionLiveEffect");
    trigger("actionSeamCheck");
    const auto outlined = [&] {
        const QImage view = find("Picture2")->grab().toImage();
        for (int y = 0; y < view.height(); ++y) {
            for (int x = 0; x < view.width(); ++x) {
                if (opaque(view.pixel(x, y)) == qRgb(255, 0, 255)) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_EQ(window_->statusBar()->currentMessage(), QStringLiteral("0 处接缝颜色不一致"));
    press("Picture1", QPoint(10, 10));
    EXPECT_EQ(window_->statusBar()->currentMessage(), QStringLiteral("1 处接缝颜色不一致"));
    EXPECT_TRUE(outlined());
    trigger("actionUnifySeams");
    EXPECT_EQ(window_->statusBar()->currentMessage(), QStringLiteral("0 处接缝颜色不一致"));
    EXPECT_FALSE(outlined());
}

} // namespace
