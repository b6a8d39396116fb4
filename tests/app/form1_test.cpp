#include "app/file_dialogs.h"
#include "canvas/fonts.h"
#include "form1_fixture.h"
#include "pads/figures.h"
#include "patterns/catalogue.h"
#include "workflow/workflow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool near(QRgb shown, QRgb expected, int tolerance) {
    return std::abs(qRed(shown) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(shown) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(shown) - qBlue(expected)) <= tolerance;
}

int countPixelsNear(const QImage& image, QRgb colour, int tolerance) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += near(image.pixel(x, y), colour, tolerance) ? 1 : 0;
        }
    }
    return count;
}

TEST_F(Form1Test, WindowHasItsCaptionFixedSizeAndBlueBackground) {
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("澄川纹样工坊3.6"));
    EXPECT_EQ(form_->size(), QSize(1229, 682));
    EXPECT_EQ(form_->minimumSize(), form_->maximumSize());
    const QImage shown = form_->grab().toImage();
    EXPECT_EQ(shown.pixel(300, 670) | 0xFF000000u, kWindowBlue);
    // Inside the green catalogue panel, between two buttons, and on its yellow-green border.
    EXPECT_EQ(shown.pixel(734, 200) | 0xFF000000u, qRgb(0, 0x80, 0));
    EXPECT_EQ(shown.pixel(655, 200) | 0xFF000000u, kYellowGreen);
}

TEST_F(Form1Test, CanvasAndEffectViewStartYellowGreen) {
    canvas::Surface& design = form_->designCanvas();
    EXPECT_EQ(pixel(design, 0, 0), kYellowGreen);
    EXPECT_EQ(pixel(design, 141, 141), kYellowGreen);
    EXPECT_EQ(pixel(form_->effectView(), 642, 642), kYellowGreen);
    EXPECT_EQ(design.scaleMode(), canvas::ScaleMode::Pixels);
    EXPECT_DOUBLE_EQ(design.font().pointSizeF(), 24.0);
    const QImage shown = find("Picture1")->grab().toImage();
    EXPECT_EQ(shown.pixel(70, 70) | 0xFF000000u, kYellowGreen);
}

TEST_F(Form1Test, ControlsStandWhereTheLayoutPutsThem) {
    struct Expected {
        const char* name;
        QRect geometry;
    };
    const Expected expected[] = {
        {"Picture1", {656, 4, 146, 146}},    {"Picture2", {0, 0, 647, 647}},
        {"Picture3", {656, 538, 57, 9}},     {"Picture4", {960, 4, 146, 146}},
        {"Picture5", {960, 184, 146, 146}},  {"picOutput", {960, 380, 149, 149}},
        {"Command1", {664, 160, 69, 23}},    {"Command11", {736, 212, 69, 23}},
        {"Command27", {880, 296, 69, 23}},   {"Command55", {880, 386, 69, 23}},
        {"Command36", {880, 474, 69, 23}},   {"Command41", {664, 448, 69, 23}},
        {"Command71(2)", {880, 44, 69, 23}}, {"Command70(1)", {880, 122, 69, 23}},
        {"Command14", {808, 96, 69, 23}},    {"Command2", {808, 122, 69, 23}},
        {"Command15", {828, 526, 79, 23}},   {"Command17", {566, 652, 79, 23}},
        {"Combo1", {766, 526, 53, 20}},      {"Combo2", {804, 44, 41, 20}},
        {"Label1", {804, 4, 101, 27}},       {"Label2", {804, 24, 91, 25}},
        {"Label13", {2, 654, 203, 21}},      {"Check1", {804, 70, 73, 21}},
        {"Command61", {962, 156, 69, 23}},   {"Command64", {1110, 308, 69, 23}},
        {"Command62", {1110, 480, 69, 23}},  {"Command90", {958, 534, 49, 19}},
        {"Command85", {958, 600, 49, 19}},   {"Command95", {1166, 644, 49, 19}},
        {"txtParam(0)", {962, 436, 61, 23}}, {"txtParam(3)", {970, 494, 61, 23}},
    };
    for (const auto& [name, geometry] : expected) {
        const QWidget* widget = find(name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), geometry) << name;
    }
    EXPECT_EQ(find<QRadioButton>("Option4")->pos(), QPoint(1110, 82));
    EXPECT_EQ(find<QPushButton>("Command90")->text(), QStringLiteral("图1"));
    EXPECT_EQ(find<QPushButton>("Command85")->text(), QStringLiteral("图16"));
    EXPECT_EQ(find<QPushButton>("Command95")->text(), QStringLiteral("图30"));
    EXPECT_EQ(find<QPushButton>("Command54")->text(), QStringLiteral("迷宫墙砖"));
    EXPECT_EQ(find<QPushButton>("Command70(2)")->text(), QStringLiteral("高级图案3"));
    EXPECT_EQ(find<QLineEdit>("txtParam(2)")->text(), QStringLiteral("Text1"));
    EXPECT_EQ(form_->findChildren<QPushButton*>().size(), 94);
}

TEST_F(Form1Test, ColouredButtonsShowTheirColour) {
    form_->show();
    const QImage grid = find("Command11")->grab().toImage();
    EXPECT_TRUE(near(grid.pixel(34, 11), qRgb(0xC0, 0xC0, 0xFF), 8));
    const QImage advanced = find("Command70(2)")->grab().toImage();
    EXPECT_TRUE(near(advanced.pixel(4, 11), qRgb(0xD7, 0x15, 0x7B), 8));
    const QImage figure = find("Command85")->grab().toImage();
    EXPECT_TRUE(near(figure.pixel(4, 9), qRgb(192, 255, 255), 8));
}

TEST_F(Form1Test, ListsAreFilledAndKeepTheirInitialText) {
    auto* sizes = find<QComboBox>("Combo1");
    auto* widths = find<QComboBox>("Combo2");
    auto* texts = find<QComboBox>("Combo3");
    EXPECT_EQ(sizes->count(), 26);
    EXPECT_EQ(sizes->currentText(), QStringLiteral("80"));
    EXPECT_EQ(sizes->itemText(0), QStringLiteral("10"));
    EXPECT_EQ(sizes->itemText(25), QStringLiteral("300"));
    EXPECT_EQ(widths->count(), 20);
    EXPECT_EQ(widths->currentText(), QStringLiteral("2"));
    EXPECT_EQ(widths->itemText(10), QStringLiteral("20"));
    EXPECT_EQ(texts->count(), 52);
    EXPECT_EQ(texts->currentText(), QStringLiteral("I love you"));
    EXPECT_EQ(texts->itemText(0), QStringLiteral("a"));
    EXPECT_EQ(texts->itemText(26), QStringLiteral("A"));
    EXPECT_EQ(texts->itemText(51), QStringLiteral("Z"));
    EXPECT_TRUE(sizes->isEditable());
}

TEST_F(Form1Test, SevenOptionsFormOneGroupAcrossBothPads) {
    EXPECT_EQ(find<QCheckBox>("Check1")->checkState(), Qt::Unchecked);
    form_->show();
    auto checkedOptions = [this] {
        QStringList checked;
        for (const char* name :
             {"Option1", "Option2", "Option3", "Option4", "Option5", "Option6", "Option7"}) {
            if (find<QRadioButton>(name)->isChecked()) {
                checked << QString::fromLatin1(name);
            }
        }
        return checked;
    };
    EXPECT_EQ(checkedOptions(), QStringList{"Option1"});
    QTest::mouseClick(find<QRadioButton>("Option6"), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(checkedOptions(), QStringList{"Option6"});
    QTest::mouseClick(find<QRadioButton>("Option3"), Qt::LeftButton, {}, QPoint(6, 7));
    EXPECT_EQ(checkedOptions(), QStringList{"Option3"});
}

TEST_F(Form1Test, TimerAndSliderStartAsThePadsExpect) {
    auto* timer = form_->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 1);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(timer->timerType(), Qt::PreciseTimer);
    auto* angle = find<QScrollBar>("HScroll1");
    EXPECT_EQ(angle->minimum(), 0);
    EXPECT_EQ(angle->maximum(), 32767);
    EXPECT_EQ(angle->value(), 0);
}

TEST_F(Form1Test, GridPatternColouredByAPressRepeatsInTheEffectView) {
    click("Command11");
    EXPECT_EQ(find<QLabel>("Label2")->text(), QStringLiteral("设计经典格子"));
    canvas::Surface& design = form_->designCanvas();
    EXPECT_EQ(pixel(design, 10, 10), kWindowBlue) << "a pattern starts on the canvas's own blue";

    press("Picture1", 10, 10);
    // Each component is the floor of 235 times its draw: 0.5, 0.25, 0.75.
    const QRgb chosen = qRgb(117, 58, 176);
    EXPECT_GE(random_->reseeds, 1);
    EXPECT_EQ(pixel(design, 10, 10), chosen);
    EXPECT_EQ(pixel(design, 30, 30), chosen);
    EXPECT_EQ(pixel(design, 100, 100), kWindowBlue) << "only the pressed cell changes";

    click("Command14");
    canvas::Surface& effect = form_->effectView();
    EXPECT_EQ(pixel(effect, 142 + 10, 142 + 30), chosen);
    EXPECT_EQ(pixel(effect, 568 + 30, 568 + 10), chosen);
    EXPECT_EQ(pixel(effect, 284 + 100, 100), kWindowBlue);
    const QImage shown = find("Picture2")->grab().toImage();
    EXPECT_EQ(shown.pixel(2 + 426 + 10, 2 + 426 + 10) | 0xFF000000u, chosen);
}

TEST_F(Form1Test, ChosenSizeThatIsNoNumberShowsAHintAndChangesNothing) {
    click("Command14");
    const QImage effectBefore = form_->effectView().image();
    const float stripWidth = form_->strip().width();
    auto* hint = find<QLabel>("Hint");
    EXPECT_FALSE(hint->isVisibleTo(form_.get()));

    for (const char* bad : {"abc", "", "0", "-5"}) {
        find<QComboBox>("Combo1")->setEditText(QString::fromLatin1(bad));
        click("Command15");
        EXPECT_EQ(form_->effectView().image(), effectBefore) << bad;
        EXPECT_EQ(form_->strip().width(), stripWidth) << bad;
        EXPECT_TRUE(hint->isVisibleTo(form_.get())) << bad;
        EXPECT_FALSE(hint->text().isEmpty());
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the hint never blocks";

    find<QComboBox>("Combo1")->setEditText(QStringLiteral("80"));
    click("Command15");
    EXPECT_EQ(form_->strip().width(), 80.0f);
}

TEST_F(Form1Test, SavingWritesTheChosenFileAndCancelWritesNothing) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QString answer = folder.filePath(QStringLiteral("design"));
    QString filterSeen;
    form_->setSavePathDialog([&](QWidget*, const QString& filter) {
        filterSeen = filter;
        return answer;
    });

    click("Command2");
    EXPECT_TRUE(filterSeen.contains(QStringLiteral("*.bmp")));
    QImage saved(answer, "BMP");
    ASSERT_FALSE(saved.isNull()) << "no extension is added to the chosen name";
    EXPECT_EQ(saved.size(), QSize(142, 142));
    EXPECT_EQ(saved.pixel(71, 71) | 0xFF000000u, kYellowGreen);

    click("Command14");
    answer = folder.filePath(QStringLiteral("effect.bmp"));
    click("Command17");
    EXPECT_EQ(QImage(answer).size(), QSize(643, 643));

    answer.clear();
    click("Command2");
    click("Command17");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

// The text and button of the first message box that opens while `action` runs.
std::pair<QString, QString> messageDuring(const std::function<void()>& action) {
    std::pair<QString, QString> seen;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = {box->text(), box->buttons().value(0)->text()};
            box->accept();
        }
    });
    action();
    return seen;
}

TEST_F(Form1Test, FailedSaveSaysInChineseWhichFileAndWhy) {
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo), 0644), 0);
    const QString missing = folder.filePath(QStringLiteral("missing/design.bmp"));
    const std::pair<QString, QString> cases[] = {
        {missing, QStringLiteral("无法保存文件。\n%1：文件夹 %2 不存在。")
                      .arg(missing, folder.filePath(QStringLiteral("missing")))},
        {fifo, QStringLiteral("无法保存文件。\n%1 不是普通文件，已保持原样。").arg(fifo)},
    };
    for (const auto& [path, expected] : cases) {
        form_->setSavePathDialog([&](QWidget*, const QString&) { return path; });
        const auto [text, button] = messageDuring([this] { click("Command2"); });
        EXPECT_EQ(text, expected);
        EXPECT_EQ(button, QStringLiteral("确定"));
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_FALSE(QFileInfo(fifo).isFile()) << "the FIFO stays a FIFO";
}

TEST_F(Form1Test, SaveDialogIsChineseAndNeverOpensTheFilesItLists) {
    // Opening a file to learn its type can block for good (/proc/kmsg, a FIFO): the dialog's icon
    // provider answers from names and kinds alone, and the folder sees no file opened.
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("pipe"));
    const QString plain = folder.filePath(QStringLiteral("notes"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo), 0644), 0);
    QFile(plain).open(QIODevice::WriteOnly);
    const int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(folder.path()), IN_OPEN), 0);
    const app::KindIconProvider icons;
    const std::pair<QString, QString> kinds[] = {{fifo, QStringLiteral("特殊文件")},
                                                 {plain, QStringLiteral("文件")},
                                                 {folder.path(), QStringLiteral("文件夹")}};
    for (const auto& [path, kind] : kinds) {
        EXPECT_EQ(icons.type(QFileInfo(path)), kind);
        EXPECT_FALSE(icons.icon(QFileInfo(path)).isNull());
    }
    char event[4096];
    EXPECT_LT(read(watch, event, sizeof event), 0) << "a listed file was opened";
    close(watch);

    QString title;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            dialog->reject();
        }
    });
    EXPECT_TRUE(app::askSavePath(form_.get(), QStringLiteral("Bitmap(*.bmp)")).isEmpty());
    EXPECT_EQ(title, QStringLiteral("另存为"));
}

TEST_F(Form1Test, StripGrowsBeneathTheControlsAndBadWidthsGiveAHint) {
    find<QComboBox>("Combo1")->setEditText(QStringLiteral("1000"));
    click("Command15");
    const auto& figures = pads::figurePresets();
    for (const char* name :
         {"Command15", "Combo1", figures.front().controlName, figures.back().controlName}) {
        QWidget* control = find(name);
        const QPoint centre = control->geometry().center();
        QWidget* hit = form_->childAt(centre);
        EXPECT_TRUE(hit == control || control->isAncestorOf(hit)) << name;
    }
    auto* hint = find<QLabel>("Hint");
    find<QComboBox>("Combo2")->setEditText(QStringLiteral("abc"));
    click("Command12");
    EXPECT_TRUE(hint->isVisibleTo(form_.get()));
    EXPECT_EQ(hint->text(), QStringLiteral("线宽请填 1 到 32767 之间的数字"));
}

TEST_F(Form1Test, CreditLabelOpensTheMakerAddress) {
    auto* credit = find<QLabel>("Label13");
    EXPECT_TRUE(credit->text().contains(QStringLiteral("澄川软件")));
    EXPECT_EQ(credit->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(credit, Qt::LeftButton);
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0], QUrl(workflow::kMakerAddress));
}

TEST_F(Form1Test, ChineseCaptionsRenderWithRealGlyphs) {
    auto* title = find<QLabel>("Label2");
    EXPECT_TRUE(QRawFont::fromFont(title->font()).supportsCharacter(QChar(0x8BBE))); // 设
    const QImage shown = title->grab().toImage();
    // Yellow text on the window's blue: four characters leave many yellow pixels.
    EXPECT_GT(countPixelsNear(shown, qRgb(255, 255, 0), 60), 40);
}

int countPixelsOtherThan(const QImage& image, QRgb colour) {
    return image.width() * image.height() - countPixelsNear(image, colour, 0);
}

TEST_F(Form1Test, PatternPenWidthComesFromTheLineWidthList) {
    find<QComboBox>("Combo2")->setEditText(QStringLiteral("1"));
    click("Command11");
    const int thinLines = countPixelsOtherThan(form_->designCanvas().image(), kWindowBlue);
    find<QComboBox>("Combo2")->setEditText(QStringLiteral("7"));
    click("Command11");
    const int wideLines = countPixelsOtherThan(form_->designCanvas().image(), kWindowBlue);
    EXPECT_GT(thinLines, 0);
    EXPECT_GT(wideLines, 4 * thinLines);
    EXPECT_EQ(form_->designCanvas().drawWidth(), 7);
}

TEST_F(Form1Test, AdvancedPatternReadsTheCategorySwitch) {
    click("Command70(1)");
    EXPECT_EQ(find<QLabel>("Label2")->text(), QStringLiteral("设计高级图案"));
    const QImage outlined = form_->designCanvas().image();

    restart();
    find<QCheckBox>("Check1")->setChecked(true);
    click("Command70(1)");
    const QImage solid = form_->designCanvas().image();
    // Same background and figure; the filled one paints its inside in the figure colour.
    ASSERT_EQ(solid.pixel(0, 0), outlined.pixel(0, 0));
    EXPECT_NE(solid, outlined);
}

} // namespace

namespace {

TEST_F(Form1Test, EveryDesignButtonDrawsAndTitlesTheDesign) {
    QStringList buttons;
    for (const patterns::Figure& figure : patterns::catalogue()) {
        buttons << patterns::controlName(figure);
    }
    ASSERT_EQ(buttons.size(), 48);
    buttons << "Command71(2)"
            << "Command71(1)"
            << "Command70(2)"
            << "Command70(1)";
    for (const QString& name : buttons) {
        auto* button = form_->findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        // Start from a grey no figure uses, so every figure shows on it.
        form_->designCanvas().setBackColor(0x808080);
        const QImage before = form_->designCanvas().image();
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_NE(form_->designCanvas().image(), before) << name.toStdString();
        const QString expected = name.contains('(') ? QStringLiteral("设计高级图案")
                                                    : QStringLiteral("设计") + button->text();
        EXPECT_EQ(find<QLabel>("Label2")->text(), expected) << name.toStdString();
        form_->designCanvas().setBackColor(0xAE5C44);
    }
}

} // namespace
