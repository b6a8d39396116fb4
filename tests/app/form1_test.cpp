#include "app/file_dialogs.h"
#include "app_fixture.h"
#include "effect/effect.h"
#include "pads/figures.h"
#include "patterns/catalogue.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPainter>
#include <QRadioButton>
#include <QRawFont>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Form1Test = AppTest;

int countPixelsNear(const QImage& image, QRgb colour, int tolerance) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            count += qAbs(qRed(pixel) - qRed(colour)) <= tolerance &&
                     qAbs(qGreen(pixel) - qGreen(colour)) <= tolerance &&
                     qAbs(qBlue(pixel) - qBlue(colour)) <= tolerance;
        }
    }
    return count;
}

TEST_F(Form1Test, TheWindowShowsItsColoursControlsCaptionsAndCredit) {
    EXPECT_EQ(form().size(), QSize(1229, 682));
    EXPECT_EQ(form().minimumSize(), form().maximumSize());
    const QImage shown = form().grab().toImage();
    // A spot relative to a control, or to the window, and its colour.
    const std::tuple<const char*, QPoint, QRgb> spots[] = {
        {nullptr, {300, 670}, kWindowBlue},         {nullptr, {734, 200}, qRgb(0, 0x80, 0)},
        {nullptr, {655, 200}, kYellowGreen},        {"Picture1", {72, 72}, kYellowGreen},
        {"Picture2", {640, 640}, kYellowGreen},     {"Command11", {34, 11}, qRgb(0xC0, 0xC0, 0xFF)},
        {"Command70(2)", {4, 11}, 0xD7157B},        {"Command85", {4, 9}, qRgb(192, 255, 255)},
        {"Command90", {4, 9}, qRgb(192, 192, 255)},
    };
    for (const auto& [control, spot, colour] : spots) {
        const QPoint at = spot + (control ? find(control)->pos() : QPoint());
        EXPECT_EQ(countPixelsNear(shown.copy(QRect(at, QSize(1, 1))), colour, 8), 1)
            << (control ? control : "window") << " " << at.x() << "," << at.y();
    }
    QList<QRect> geometries;
    for (const char* name : {"Picture1", "Picture2", "Command11", "Command85"}) {
        geometries << find(name)->geometry();
    }
    EXPECT_EQ(geometries,
              (QList<QRect>{
                  {656, 4, 146, 146}, {0, 0, 647, 647}, {736, 212, 69, 23}, {958, 600, 49, 19}}));
    // Yellow text on the window's blue: four characters leave many yellow pixels.
    EXPECT_TRUE(QRawFont::fromFont(find("Label2")->font()).supportsCharacter(QChar(0x8BBE))); // 设
    EXPECT_GT(countPixelsNear(find("Label2")->grab().toImage(), qRgb(255, 255, 0), 60), 40);
    // Titles are large and bold, headings bold, the rest plain.
    const auto style = [&](const char* name) {
        return std::pair(find(name)->font().bold(), find(name)->font().pointSizeF());
    };
    EXPECT_EQ((std::vector{style("Label2"), style("Label4"), style("Command11")}),
              (std::vector<std::pair<bool, double>>{{true, 10.5}, {true, 9.0}, {false, 9.0}}));
    // The captions come from the build's subset of the serif face; a character no caption has (a
    // designer's own text) from the installed face, as before.
#ifdef PW_WINDOW_FONTS
    EXPECT_EQ(QFontInfo(find("Label2")->font()).family(), app::kWindowSerif);
    // Taken as Latin faces, so that one font engine draws a caption's Latin and Chinese runs.
    for (const QString& subset : {app::kWindowSerif, app::kWindowSans}) {
        EXPECT_TRUE(QFontDatabase::writingSystems(subset).contains(QFontDatabase::Latin))
            << subset.toStdString();
    }
#endif
    const auto drawn = [](const QFont& font) {
        QImage picture(32, 32, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.setFont(font);
        painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("猫"));
        painter.end();
        return picture;
    };
    QFont installedFace = find("Label2")->font();
    installedFace.setFamilies({QStringLiteral("宋体")});
    EXPECT_EQ(drawn(find("Label2")->font()), drawn(installedFace));
    EXPECT_GT(countPixelsNear(drawn(installedFace), qRgb(0, 0, 0), 60), 10);
    // The credit opens the maker's address.
    auto* credit = find<QLabel>("Label13");
    EXPECT_TRUE(credit->text().contains(QStringLiteral("澄川软件")));
    EXPECT_EQ(credit->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(credit, Qt::LeftButton);
    EXPECT_EQ(opened_, std::vector{QUrl(effect::kMakerAddress)});
}

TEST_F(Form1Test, GridPatternColouredByAPressRepeatsInTheEffectView) {
    click("Command11");
    EXPECT_EQ(title(), QStringLiteral("设计经典格子"));
    EXPECT_EQ(opaque(design().pixel(10, 10)), kWindowBlue) << "a pattern starts on the blue";
    press("Picture1", {10, 10});
    // Each component is the floor of 235 times its draw: 0.5, 0.25, 0.75.
    const QRgb chosen = qRgb(117, 58, 176);
    EXPECT_GE(random_->reseeds, 1);
    EXPECT_EQ(opaque(design().pixel(10, 10)), chosen);
    EXPECT_EQ(opaque(design().pixel(30, 30)), chosen);
    EXPECT_EQ(opaque(design().pixel(100, 100)), kWindowBlue) << "only the pressed cell changes";
    click("Command14");
    EXPECT_EQ(opaque(effect().pixel(142 + 10, 142 + 30)), chosen);
    EXPECT_EQ(opaque(effect().pixel(568 + 30, 568 + 10)), chosen);
    EXPECT_EQ(opaque(effect().pixel(284 + 100, 100)), kWindowBlue);
    const QImage shown = find("Picture2")->grab().toImage();
    EXPECT_EQ(opaque(shown.pixel(2 + 426 + 10, 2 + 426 + 10)), chosen);
}

TEST_F(Form1Test, ATextThatIsNoValidNumberShowsAHintAndChangesNothing) {
    click("Command14");
    const QImage effectBefore = effect();
    const float stripWidth = form().strip().width();
    auto* hint = find<QLabel>("Hint");
    EXPECT_FALSE(hint->isVisible());
    // The list, the text written in it and the button that reads it.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Combo1", "abc", "Command15"}, {"Combo1", "", "Command15"},
        {"Combo1", "0", "Command15"},   {"Combo1", "-5", "Command15"},
        {"Combo2", "abc", "Command12"},
    };
    for (const auto& [combo, text, button] : cases) {
        SCOPED_TRACE(std::string(combo) + " " + text);
        setComboText(combo, QString::fromLatin1(text));
        click(button);
        EXPECT_EQ(effect(), effectBefore);
        EXPECT_EQ(form().strip().width(), stripWidth);
        EXPECT_TRUE(hint->isVisible());
        EXPECT_FALSE(hint->text().isEmpty());
    }
    EXPECT_EQ(hint->text(), QStringLiteral("线宽请填 1 到 32767 之间的数字"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the hint never blocks";
    // A wide strip grows beneath the controls.
    setComboText("Combo1", QStringLiteral("1000"));
    click("Command15");
    EXPECT_EQ(form().strip().width(), 1000.0f);
    const auto& figures = pads::figurePresets();
    for (const char* name :
         {"Command15", "Combo1", figures.front().controlName, figures.back().controlName}) {
        QWidget* control = find(name);
        QWidget* hit = form().childAt(control->geometry().center());
        EXPECT_TRUE(hit == control || control->isAncestorOf(hit)) << name;
    }
}

TEST_F(Form1Test, SavingWritesTheChosenFileAsBitmapOrPngAndCancelWritesNothing) {
    click("Command14");
    QString answer;
    form().setSavePathDialog([&](QWidget*, const QString&) { return answer; });
    // The file name, the save button and the file's first bytes.
    const std::tuple<const char*, const char*, QByteArray> cases[] = {
        {"design", "Command2", "BM"},
        {"design.png", "Command2", "\x89P"},
        {"DESIGN.PNG", "Command2", "\x89P"},
        {"effect.bmp", "Command17", "BM"},
    };
    for (const auto& [name, button, magic] : cases) {
        answer = folder_.filePath(QString::fromLatin1(name));
        click(button);
        QFile file(answer);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        EXPECT_EQ(file.read(2), magic) << name;
        EXPECT_EQ(QImage(answer).convertToFormat(QImage::Format_RGB32),
                  std::string_view(button) == "Command2" ? design() : effect())
            << name;
    }
    answer.clear();
    click("Command2");
    click("Command17");
    EXPECT_EQ(QDir(folder_.path()).entryList({"*.bmp", "*.png", "*.PNG", "design"}).size(), 4);
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
    const QString fifo = folder_.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo), 0644), 0);
    const QString missing = folder_.filePath(QStringLiteral("missing/design.bmp"));
    const std::pair<QString, QString> cases[] = {
        {missing, QStringLiteral("无法保存文件。\n%1：文件夹 %2 不存在。")
                      .arg(missing, folder_.filePath(QStringLiteral("missing")))},
        {fifo, QStringLiteral("无法保存文件。\n%1 不是普通文件，已保持原样。").arg(fifo)},
    };
    for (const auto& [path, expected] : cases) {
        form().setSavePathDialog([&](QWidget*, const QString&) { return path; });
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
    QFile(folder.filePath(QStringLiteral("a.ccpat"))).open(QIODevice::WriteOnly);
    const int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(folder.path()), IN_OPEN), 0);
    const app::KindIconProvider icons;
    const std::pair<QString, QString> kinds[] = {
        {fifo, QStringLiteral("特殊文件")},
        {plain, QStringLiteral("文件")},
        {folder.path(), QStringLiteral("文件夹")},
        {folder.filePath(QStringLiteral("a.ccpat")), QStringLiteral("澄川纹样设计")}};
    for (const auto& [path, kind] : kinds) {
        EXPECT_EQ(icons.type(QFileInfo(path)), kind);
        EXPECT_FALSE(icons.icon(QFileInfo(path)).isNull());
    }
    char event[4096];
    EXPECT_LT(read(watch, event, sizeof event), 0) << "a listed file was opened";
    close(watch);

    QString title;
    bool sizeColumnFits = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            // The size column shows "1023.99 MiB" whole.
            auto* details = dialog->findChild<QTreeView*>("treeView");
            sizeColumnFits =
                details->header()->sectionSize(1) >=
                details->fontMetrics().horizontalAdvance(
                    QLocale::system().formattedDataSize(qint64(1023.99 * 1024 * 1024))) +
                    2 * details->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 2;
            dialog->reject();
        }
    });
    EXPECT_TRUE(app::askSavePath(&form(), QStringLiteral("Bitmap(*.bmp)")).isEmpty());
    EXPECT_EQ(title, QStringLiteral("另存为"));
    EXPECT_TRUE(sizeColumnFits);
}

TEST_F(Form1Test, PatternPenWidthComesFromTheLineWidthList) {
    auto linePixels = [this](const char* width) {
        setComboText("Combo2", QString::fromLatin1(width));
        click("Command11");
        return 142 * 142 - countPixelsNear(design(), kWindowBlue, 0);
    };
    const int thinLines = linePixels("1");
    EXPECT_GT(thinLines, 0);
    EXPECT_GT(linePixels("7"), 4 * thinLines);
    EXPECT_EQ(window_->designCanvas().drawWidth(), 7);
}

TEST_F(Form1Test, AdvancedPatternReadsTheCategorySwitch) {
    click("Command70(1)");
    EXPECT_EQ(title(), QStringLiteral("设计高级图案"));
    const QImage outlined = design();
    restart();
    find<QCheckBox>("Check1")->setChecked(true);
    click("Command70(1)");
    // Same background and figure; the filled one paints its inside in the figure colour.
    ASSERT_EQ(design().pixel(0, 0), outlined.pixel(0, 0));
    EXPECT_NE(design(), outlined);
}

TEST_F(Form1Test, EveryDesignButtonDrawsAndTitlesTheDesign) {
    QStringList buttons{"Command71(2)", "Command71(1)", "Command70(2)", "Command70(1)"};
    for (const patterns::Figure& figure : patterns::catalogue()) {
        buttons << patterns::controlName(figure);
    }
    for (const QString& name : buttons) {
        auto* button = find<QPushButton>(name.toLatin1().constData());
        // Start from a grey no figure uses, so every figure shows on it.
        window_->designCanvas().setBackColor(0x808080);
        const QImage before = design();
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_NE(design(), before) << name.toStdString();
        const QString expected = name.contains('(') ? QStringLiteral("设计高级图案")
                                                    : QStringLiteral("设计") + button->text();
        EXPECT_EQ(title(), expected) << name.toStdString();
    }
}

TEST_F(Form1Test, TheUndoKeysTakeBackAndRedoAChangeAndTheWindowFollows) {
    int designChanges = 0;
    QObject::connect(window_.get(), &app::MainWindow::designChanged, [&] { ++designChanges; });
    auto state = [&] { return std::tuple(design(), title(), window_->designCanvas().drawWidth()); };
    setComboText("Combo2", "7");
    const auto before = state();
    click("Command71(1)");
    const auto after = state();
    EXPECT_EQ(std::get<2>(after), 7);
    key(Qt::Key_Z);
    EXPECT_TRUE(state() == before);
    key(Qt::Key_Y);
    EXPECT_TRUE(state() == after);
    key(Qt::Key_Z);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(state() == after);
    EXPECT_EQ(designChanges, 5);
}

} // namespace
