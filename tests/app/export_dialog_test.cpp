#include "app/export_dialog.h"
#include "render_run.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QSpinBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int patternRender(const QStringList& arguments) {
    const test_support::RenderRun run = test_support::runRender(arguments);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    return run.status;
}

template <typename T> T* control(const QDialog& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

struct ExportCase {
    const char* file;
    const char* format;
    QSizeF page;
    const char* unit;
    int dotsPerInch;
    int tileSize;
    const char* repeat;
    bool credit;
    QStringList renderArguments;
};

TEST(ExportDialog, WritesTheSameFileAsPatternRender) {
    QTemporaryDir folder;
    const QStringList design = {"--pattern", "Command55", "--fill", "70,30,#C03020"};
    const QString designPath = folder.filePath(QStringLiteral("design.png"));
    ASSERT_EQ(patternRender(design + QStringList{"-o", designPath}), 0);

    const std::vector<ExportCase> cases = {
        {"half-drop.png",
         "PNG",
         {600, 400},
         "像素",
         300,
         80,
         "半落",
         false,
         {"--out-size", "600x400", "--dpi", "300", "--tile-size", "80", "--repeat", "half-drop"}},
        {"mirror.tif",
         "TIFF",
         {5, 4},
         "厘米",
         150,
         142,
         "镜像",
         true,
         {"--out-size", "5x4cm", "--dpi", "150", "--repeat", "mirror", "--credit"}},
    };
    for (const ExportCase& c : cases) {
        app::ExportDialog dialog(QImage(designPath), workflow::Repeat::Straight);
        control<QComboBox>(dialog, "format")->setCurrentText(QString::fromUtf8(c.format));
        control<QComboBox>(dialog, "unit")->setCurrentText(QString::fromUtf8(c.unit));
        control<QSpinBox>(dialog, "dpi")->setValue(c.dotsPerInch);
        control<QDoubleSpinBox>(dialog, "pageWidth")->setValue(c.page.width());
        control<QDoubleSpinBox>(dialog, "pageHeight")->setValue(c.page.height());
        control<QSpinBox>(dialog, "tileSize")->setValue(c.tileSize);
        control<QComboBox>(dialog, "repeat")->setCurrentText(QString::fromUtf8(c.repeat));
        control<QCheckBox>(dialog, "credit")->setChecked(c.credit);

        const QString exported = folder.filePath(QStringLiteral("window-") + c.file);
        const QString rendered = folder.filePath(QStringLiteral("render-") + c.file);
        EXPECT_TRUE(dialog.exportTo(exported).saved) << c.file;
        ASSERT_EQ(patternRender(design + c.renderArguments + QStringList{"-o", rendered}), 0);
        const QByteArray bytes = contents(exported);
        EXPECT_FALSE(bytes.isEmpty()) << c.file;
        EXPECT_TRUE(bytes == contents(rendered)) << c.file;
    }
}

} // namespace
