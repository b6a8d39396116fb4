#include "app/export_dialog.h"
#include "app/import_dialog.h"
#include "app/named_colour_search.h"
#include "app/separations_dialog.h"
#include "render_run.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCompleter>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

template <typename T> T* control(const QDialog& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

TEST(ImportDialog, ThePreviewFollowsTheChoices) {
    QImage source(300, 100, QImage::Format_RGB32);
    source.fill(qRgb(140, 140, 140));
    source.setPixel(20, 50, qRgb(0, 0, 0));
    app::ImportDialog dialog(source, 0xFF445CAE);
    auto* threshold = control<QSlider>(dialog, "threshold");
    colouring::LineArtOptions expected{colouring::LineArtFit::Inside, true, 0.5, 0xFF445CAE};
    auto expectPreview = [&](const char* choice) {
        EXPECT_EQ(dialog.result(), colouring::makeLineArt(source, expected)) << choice;
        EXPECT_EQ(threshold->isEnabled(), expected.lineArt) << choice;
    };
    expectPreview("as opened");
    threshold->setValue(60);
    expected.threshold = 0.6;
    expectPreview("a lighter threshold");
    control<QRadioButton>(dialog, "fillCrop")->click();
    expected.fit = colouring::LineArtFit::Crop;
    expectPreview("crop");
    control<QCheckBox>(dialog, "lineArt")->click();
    expected.lineArt = false;
    expectPreview("colour");
}

TEST(NamedColourSearch, CompletesEitherNameAndSetsTheDialogsColour) {
    QColorDialog dialog(Qt::black);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    QLineEdit* field = app::addNamedColourSearch(dialog);
    EXPECT_NE(dialog.layout()->itemAt(0)->layout()->indexOf(field), -1) << "at the top";
    field->completer()->setCompletionPrefix(QStringLiteral("珊瑚"));
    EXPECT_EQ(field->completer()->currentCompletion(), QStringLiteral("珊瑚色 coral"));
    QTest::keyClicks(field, QStringLiteral("Coral"));
    EXPECT_EQ(dialog.currentColor(), QColor(0xFF, 0x7F, 0x50));
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ExportDialog, WritesTheSameFileAsPatternRender) {
    QTemporaryDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    auto patternRender = [](const QStringList& arguments) {
        const test_support::RenderRun run = test_support::runRender(arguments);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
    };
    const QStringList design = {"--pattern", "Command55", "--fill", "70,30,#C03020"};
    const QString designPath = folder.filePath(QStringLiteral("design.png"));
    patternRender(design + QStringList{"-o", designPath});
    // The file, its format, page size and unit, dots per inch, tile size and unit, repeat and
    // credit, and the same as pattern-render arguments.
    const std::tuple<const char*, const char*, QSizeF, const char*, int, double, const char*,
                     const char*, bool, const char*>
        cases[] = {{"half-drop.png", "PNG", QSizeF(600, 400), "像素", 300, 80, "像素", "半落",
                    false, "--out-size 600x400 --dpi 300 --tile-size 80 --repeat half-drop"},
                   {"mirror.tif", "TIFF", QSizeF(5, 4), "厘米", 150, 1, "厘米", "镜像", true,
                    "--out-size 5x4cm --dpi 150 --tile-size 1cm --repeat mirror --credit"}};
    for (const auto& [file, format, page, unit, dpi, tileSize, tileUnit, repeat, credit,
                      arguments] : cases) {
        app::ExportDialog dialog(QImage(designPath), tiling::Repeat::Straight);
        control<QComboBox>(dialog, "format")->setCurrentText(QString::fromUtf8(format));
        control<QComboBox>(dialog, "unit")->setCurrentText(QString::fromUtf8(unit));
        control<QSpinBox>(dialog, "dpi")->setValue(dpi);
        control<QDoubleSpinBox>(dialog, "pageWidth")->setValue(page.width());
        control<QDoubleSpinBox>(dialog, "pageHeight")->setValue(page.height());
        control<QComboBox>(dialog, "tileUnit")->setCurrentText(QString::fromUtf8(tileUnit));
        control<QDoubleSpinBox>(dialog, "tileSize")->setValue(tileSize);
        control<QComboBox>(dialog, "repeat")->setCurrentText(QString::fromUtf8(repeat));
        control<QCheckBox>(dialog, "credit")->setChecked(credit);

        const QString exported = folder.filePath(QStringLiteral("window-") + file);
        const QString rendered = folder.filePath(QStringLiteral("render-") + file);
        EXPECT_TRUE(dialog.exportTo(exported).saved) << file;
        patternRender(design + QString::fromLatin1(arguments).split(' ') +
                      QStringList{"-o", rendered});
        const QByteArray bytes = contents(exported);
        EXPECT_FALSE(bytes.isEmpty()) << file;
        EXPECT_TRUE(bytes == contents(rendered)) << file;
    }
}

TEST(ExportDialog, StartsWithoutCreditRemembersItsChoicesAndSaysWhatItWrote) {
    QTemporaryDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QImage design(142, 142, QImage::Format_RGB32);
    design.fill(Qt::darkCyan);
    // The choices, in the order a user makes them, as the controls' properties.
    const std::tuple<const char*, const char*, QVariant> choices[] = {
        {"format", "currentText", "TIFF"},
        {"unit", "currentText", "毫米"},
        {"dpi", "value", 150},
        {"pageWidth", "value", 100.0},
        {"pageHeight", "value", 50.0},
        {"tileUnit", "currentText", "厘米"},
        {"tileSize", "value", 2.5},
        {"repeat", "currentText", "砖块"},
        {"preset", "currentText", "自定义"},
    };
    std::vector<QUrl> opened;
    {
        app::ExportDialog dialog(design, tiling::Repeat::Straight);
        EXPECT_FALSE(control<QCheckBox>(dialog, "credit")->isChecked());
        for (const auto& [name, property, value] : choices) {
            control<QWidget>(dialog, name)->setProperty(property, value);
        }
        dialog.setSavePathDialog([&](QWidget*, const QString&) { return folder.filePath("p"); });
        dialog.setUrlOpener([&](const QUrl& url) { opened.push_back(url); });
        dialog.accept();
    }
    QMessageBox* done = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("ExportDone")) {
            done = qobject_cast<QMessageBox*>(widget);
        }
    }
    ASSERT_NE(done, nullptr);
    const QString expectedSize = QLocale().formattedDataSize(
        QFileInfo(folder.filePath("p.tif")).size(), 1, QLocale::DataSizeTraditionalFormat);
    EXPECT_TRUE(done->text().contains(QStringLiteral("导出完成")) &&
                done->text().contains(expectedSize))
        << done->text().toStdString();
    done->findChild<QPushButton*>(QStringLiteral("openFolder"))->click();
    EXPECT_EQ(opened, std::vector{QUrl::fromLocalFile(folder.path())});

    app::ExportDialog again(design, tiling::Repeat::Straight);
    for (const auto& [name, property, value] : choices) {
        EXPECT_EQ(control<QWidget>(again, name)->property(property), value) << name;
    }
    // Past the program's largest side, the page says so and cannot be exported.
    control<QDoubleSpinBox>(again, "pageWidth")->setValue(60000); // 354331 pixels
    EXPECT_TRUE(control<QLabel>(again, "pixelSize")->text().contains(QStringLiteral("300000")));
    EXPECT_FALSE(again.job().has_value());
}

TEST(ExportDialog, RedrawsALargeTileOnItsWorkerWhichTheCancelStops) {
    // Thousands of replacements take seconds to redraw: a cancel heard only after the redraw, as
    // on the window's own thread, would come too late to stop the file.
    QImage design(142, 142, QImage::Format_RGB32);
    design.fill(qRgb(0x44, 0x5C, 0xAE));
    colouring::DesignRecord record{0x00AE5C44, {}, colouring::OpeningSource{0x00AE5C44}, {}};
    for (QRgb colour = 0xFF000001; colour < 0xFF001000; ++colour) {
        record.changes.emplace_back(std::in_place_type<colouring::ReplaceChange>, colour - 1,
                                    colour);
    }
    QTemporaryDir folder;
    app::ExportDialog dialog(design, tiling::Repeat::Straight);
    dialog.setDesignRecord(record);
    control<QComboBox>(dialog, "tileUnit")->setCurrentText(QStringLiteral("像素"));
    control<QDoubleSpinBox>(dialog, "tileSize")->setValue(1420);
    QTimer::singleShot(0, &dialog, [&dialog] {
        QProgressDialog* progress = dialog.findChild<QProgressDialog*>();
        ASSERT_NE(progress, nullptr);
        EXPECT_EQ(progress->labelText(), QStringLiteral("正在按大图案重绘设计…"));
        progress->cancel();
    });
    const QString path = folder.filePath(QStringLiteral("page.png"));
    EXPECT_EQ(dialog.exportTo(path).problem, files::SaveProblem::Cancelled);
    EXPECT_FALSE(QFile::exists(path));
}

// A machine size fits the tile in the dialog's unit and the page exactly, shows the rule, comes
// back in the dialog next time, and lets go when the tile is typed.
TEST(ExportDialog, AMachineSizeFitsWholeRepeatsInEitherDialogAndComesBack) {
    QTemporaryDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QImage design(142, 142, QImage::Format_RGB32);
    design.fill(Qt::darkCyan);
    const struct {
        bool separations;
        const char* tileUnit;
        double tileSize;
        int dotsPerInch;
        const char* target;
        double fittedSize;
        const char* rule;
        QSize page, tile;
    } cases[] = {
        {false,
         "厘米",
         15,
         300,
         "圆网周长 64.0 厘米",
         16,
         "640 mm ÷ 4 = 160 mm",
         {10, 7560},
         {1890, 1890}},
        {true,
         "像素",
         142,
         150,
         "墙纸幅宽 53 厘米",
         142,
         "530 mm ÷ 22 = 24.091 mm",
         {3124, 10},
         {142, 142}},
        {false, "英寸", 5, 20, "24 英寸方形面板", 4.8, "24 in ÷ 5 = 4.8 in", {480, 480}, {96, 96}},
    };
    auto open = [&](bool separations) -> std::unique_ptr<app::ExportDialog> {
        if (separations) {
            return std::make_unique<app::SeparationsDialog>(design, tiling::Repeat::Straight);
        }
        return std::make_unique<app::ExportDialog>(design, tiling::Repeat::Straight);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        {
            const std::unique_ptr<app::ExportDialog> dialog = open(c.separations);
            control<QComboBox>(*dialog, "unit")->setCurrentText(QStringLiteral("像素"));
            control<QDoubleSpinBox>(*dialog, "pageWidth")->setValue(10);
            control<QDoubleSpinBox>(*dialog, "pageHeight")->setValue(10);
            control<QSpinBox>(*dialog, "dpi")->setValue(c.dotsPerInch);
            control<QComboBox>(*dialog, "tileUnit")->setCurrentText(QString::fromUtf8(c.tileUnit));
            control<QDoubleSpinBox>(*dialog, "tileSize")->setValue(c.tileSize);
            control<QComboBox>(*dialog, "repeatFit")->setCurrentText(QString::fromUtf8(c.target));
            if (c.separations) {
                control<QLineEdit>(*dialog, "folder")->setText(folder.path());
            }
            dialog->setSavePathDialog(
                [&](QWidget*, const QString&) { return folder.filePath("p"); });
            EXPECT_DOUBLE_EQ(control<QDoubleSpinBox>(*dialog, "tileSize")->value(), c.fittedSize);
            EXPECT_EQ(control<QLabel>(*dialog, "repeatRule")->text(), QString::fromUtf8(c.rule));
            EXPECT_EQ(dialog->job()->page, c.page);
            EXPECT_EQ(dialog->job()->tile.size(), c.tile);
            dialog->accept();
        }
        const std::unique_ptr<app::ExportDialog> again = open(c.separations);
        EXPECT_EQ(control<QComboBox>(*again, "repeatFit")->currentText(),
                  QString::fromUtf8(c.target));
        EXPECT_EQ(again->job()->page, c.page);
        control<QDoubleSpinBox>(*again, "tileSize")->stepUp();
        EXPECT_EQ(control<QComboBox>(*again, "repeatFit")->currentIndex(), 0);
        EXPECT_TRUE(control<QLabel>(*again, "repeatRule")->text().isEmpty());
    }
}

} // namespace
