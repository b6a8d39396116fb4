#include "separations_dialog.h"

#include "file_dialogs.h"
#include "studio_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

namespace app {
namespace {

const QString kSettingsGroup = QStringLiteral("separations");
// In the order they come back: units before the lengths they convert, the preset after them.
const QStringList kKeptChoices = {QStringLiteral("unit"),
                                  QStringLiteral("dpi"),
                                  QStringLiteral("pageWidth"),
                                  QStringLiteral("pageHeight"),
                                  QStringLiteral("preset"),
                                  QStringLiteral("tileUnit"),
                                  QStringLiteral("tileSize"),
                                  QStringLiteral("repeatFit"),
                                  QStringLiteral("repeat"),
                                  QStringLiteral("unprinted"),
                                  QStringLiteral("registrationMarks"),
                                  QStringLiteral("trap"),
                                  QStringLiteral("compression"),
                                  QStringLiteral("folder")};

} // namespace

SeparationsDialog::SeparationsDialog(const QImage& design, tiling::Repeat repeat, QWidget* parent)
    : ExportDialog(design, repeat, parent), folderDialog_([](QWidget* parent) {
          return askFolder(parent, QStringLiteral("选择文件夹"));
      }) {
    setObjectName(QStringLiteral("SeparationsDialog"));
    setWindowTitle(QStringLiteral("导出分色"));
    exportingText_ = QStringLiteral("正在导出分色…");
    // Screens are always 1-bit TIFF files, and the credit line is no screen's.
    format_->setCurrentText(QStringLiteral("TIFF"));
    credit_->setChecked(false);
    form_->setRowVisible(format_, false);
    form_->setRowVisible(credit_, false);

    unprinted_ = new QCheckBox(QStringLiteral("底色不印(&U)"), this);
    unprinted_->setObjectName(QStringLiteral("unprinted"));
    unprinted_->setToolTip(QStringLiteral("页面上面积最大的颜色不出网版，留出承印物的本色"));
    marks_ = new QCheckBox(QStringLiteral("套准标记(&M)"), this);
    marks_->setObjectName(QStringLiteral("registrationMarks"));
    marks_->setToolTip(QStringLiteral("在页面四周加 1 厘米的边，每张网版同一位置印上十字套准线"));
    trap_ = new QSpinBox(this);
    trap_->setObjectName(QStringLiteral("trap"));
    trap_->setRange(0, print::kMostTrap);
    trap_->setSuffix(QStringLiteral(" 像素"));
    trap_->setToolTip(QStringLiteral("除最深的颜色外，每张网版向相邻的较深颜色扩展这么多像素，"
                                     "套印时不露白缝"));
    compression_ = new QComboBox(this);
    compression_->setObjectName(QStringLiteral("compression"));
    compression_->addItem(QStringLiteral("CCITT G4（推荐）"),
                          int(print::ScreenCompression::Group4));
    compression_->addItem(QStringLiteral("Deflate"), int(print::ScreenCompression::Deflate));
    compression_->setToolTip(QStringLiteral("网版 TIFF 的压缩方式"));
    folder_ = new QLineEdit(this);
    folder_->setObjectName(QStringLiteral("folder"));
    folder_->setPlaceholderText(QStringLiteral("网版、合成校样和分色单写入的文件夹"));
    auto* browse = new QPushButton(QStringLiteral("浏览…"), this);
    browse->setObjectName(QStringLiteral("browse"));
    connect(browse, &QPushButton::clicked, this, &SeparationsDialog::chooseFolder);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse);

    form_->addRow(QString(), unprinted_);
    form_->addRow(QString(), marks_);
    form_->addRow(QStringLiteral("补漏白(&K)："), trap_);
    form_->addRow(QStringLiteral("网版压缩："), compression_);
    form_->addRow(QStringLiteral("文件夹(&O)："), folderRow);
    exportButton_->setText(QStringLiteral("导出"));
    restoreDialogChoices(*this, kSettingsGroup, kKeptChoices);
}

print::SeparationOptions SeparationsDialog::options() const {
    print::SeparationOptions options;
    options.unprintedBackground = unprinted_->isChecked();
    options.registrationMarks = marks_->isChecked();
    options.trap = trap_->value();
    options.compression = print::ScreenCompression(compression_->currentData().toInt());
    options.colourName = naming_;
    return options;
}

void SeparationsDialog::chooseFolder() {
    if (const QString folder = folderDialog_(this); !folder.isEmpty()) {
        folder_->setText(QDir::toNativeSeparators(folder));
    }
}

files::SaveOutcome SeparationsDialog::exportTo(const QString& folder) {
    running_ = options();
    return ExportDialog::exportTo(folder);
}

files::SaveOutcome SeparationsDialog::write(const print::PrintJob& print,
                                            const QByteArray& nativeFolder,
                                            const print::PrintProgress& progress,
                                            const std::atomic<bool>* cancel) {
    const print::SeparationOutcome done =
        print::renderSeparations(print, running_, nativeFolder, progress, cancel);
    screensWritten_ = done.plan.screens.size();
    return done.outcome;
}

void SeparationsDialog::accept() {
    if (folder_->text().isEmpty()) {
        chooseFolder();
    }
    const QString folder = QDir::fromNativeSeparators(folder_->text());
    if (folder.isEmpty()) {
        return;
    }
    keepDialogChoices(*this, kSettingsGroup, kKeptChoices);
    const files::SaveOutcome outcome = exportTo(folder);
    if (outcome.saved) {
        reportDone(QStringLiteral("分色完成：%1 张网版、合成校样和分色单已写入 %2")
                       .arg(screensWritten_)
                       .arg(QDir::toNativeSeparators(folder)),
                   folder);
        QDialog::accept();
    } else if (outcome.problem != files::SaveProblem::Cancelled) {
        QMessageBox::warning(this, windowTitle(), outcome.error);
    }
}

} // namespace app
