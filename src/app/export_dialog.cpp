#include "export_dialog.h"

#include "file_dialogs.h"
#include "workflow/print_size.h"
#include "workflow/sharp_render.h"
#include "workflow/workflow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cmath>
#include <memory>

namespace app {
namespace {

using workflow::PrintFormat;
using workflow::Repeat;

struct FormatEntry {
    PrintFormat format;
    const char* name;
    const char* filter;
    const char* suffix;
};
constexpr FormatEntry kFormats[] = {
    {PrintFormat::Png, "PNG", "PNG 图片 (*.png)", "png"},
    {PrintFormat::Tiff, "TIFF", "TIFF 图片 (*.tif *.tiff)", "tif"},
    {PrintFormat::Bmp, "BMP", "BMP 图片 (*.bmp)", "bmp"},
};

// A unit of page length: how many of it make an inch (none for pixels), shown with so many
// decimals.
struct UnitEntry {
    const char* name;
    double perInch;
    int decimals;
    workflow::PrintSize::Unit unit;
};
constexpr int kPixels = 0;
constexpr int kCentimetres = 1;
constexpr int kMillimetres = 2;
constexpr UnitEntry kUnits[] = {
    {"像素", 0.0, 0, workflow::PrintSize::Unit::Pixel},
    {"厘米", 2.54, 2, workflow::PrintSize::Unit::Centimetre},
    {"毫米", 25.4, 1, workflow::PrintSize::Unit::Millimetre},
    {"英寸", 1.0, 2, workflow::PrintSize::Unit::Inch},
};

struct PresetEntry {
    const char* name;
    double width;
    double height;
    int unit;
    int dotsPerInch;
};
constexpr PresetEntry kPresets[] = {
    {"A4，300 dpi", 210, 297, kMillimetres, 300},
    {"A3，300 dpi", 297, 420, kMillimetres, 300},
    {"1.5 米 × 3 米，150 dpi", 150, 300, kCentimetres, 150},
};
const QString kCustomPreset = QStringLiteral("自定义");

struct RepeatEntry {
    Repeat repeat;
    const char* name;
};
constexpr RepeatEntry kRepeats[] = {
    {Repeat::Straight, "平铺"}, {Repeat::HalfDrop, "半落"}, {Repeat::Brick, "砖块"},
    {Repeat::Mirror, "镜像"},   {Repeat::Rotate, "旋转"},
};

constexpr int kDesignSide = 142;
// A tile is held whole in memory; pattern-render takes the same largest side.
constexpr int kLargestTile = 20000;
constexpr int kLargestDotsPerInch = 10000;
constexpr int kProgressSteps = 1000;
constexpr int kProgressPollMilliseconds = 50;
const QString kRedrawing = QStringLiteral("正在按大图案重绘设计…");
const QString kExporting = QStringLiteral("正在导出印刷图…");

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A length in inches, or in pixels for the pixel unit.
double toInches(double value, int unit, int dotsPerInch) {
    const double perInch = kUnits[unit].perInch;
    return perInch == 0.0 ? value / dotsPerInch : value / perInch;
}

double fromInches(double inches, int unit, int dotsPerInch) {
    const double perInch = kUnits[unit].perInch;
    return perInch == 0.0 ? inches * dotsPerInch : inches * perInch;
}

QDoubleSpinBox* lengthBox(const char* name, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(text(name));
    box->setRange(0, workflow::kMostPrintSide);
    return box;
}

} // namespace

ExportDialog::ExportDialog(const QImage& design, Repeat repeat, QWidget* parent)
    : QDialog(parent), design_(design), savePathDialog_(askSavePath) {
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(QStringLiteral("导出印刷图"));

    format_ = new QComboBox(this);
    format_->setObjectName(QStringLiteral("format"));
    for (const FormatEntry& entry : kFormats) {
        format_->addItem(text(entry.name), int(entry.format));
    }
    format_->setToolTip(QStringLiteral("TIFF 为印刷厂常用格式；BMP 文件不能超过 4 GB"));

    preset_ = new QComboBox(this);
    preset_->setObjectName(QStringLiteral("preset"));
    for (const PresetEntry& entry : kPresets) {
        preset_->addItem(text(entry.name));
    }
    preset_->addItem(kCustomPreset);
    pageWidth_ = lengthBox("pageWidth", this);
    pageHeight_ = lengthBox("pageHeight", this);
    unitChoice_ = new QComboBox(this);
    unitChoice_->setObjectName(QStringLiteral("unit"));
    for (const UnitEntry& entry : kUnits) {
        unitChoice_->addItem(text(entry.name));
    }
    dpi_ = new QSpinBox(this);
    dpi_->setObjectName(QStringLiteral("dpi"));
    dpi_->setRange(1, kLargestDotsPerInch);
    dpi_->setSuffix(QStringLiteral(" dpi"));
    dpi_->setToolTip(QStringLiteral("每英寸像素数，写入文件，并用于换算厘米、毫米和英寸"));
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(pageWidth_);
    sizeRow->addWidget(new QLabel(QStringLiteral("×"), this));
    sizeRow->addWidget(pageHeight_);
    sizeRow->addWidget(unitChoice_);
    pixelSize_ = new QLabel(this);
    pixelSize_->setObjectName(QStringLiteral("pixelSize"));

    tileSize_ = new QSpinBox(this);
    tileSize_->setObjectName(QStringLiteral("tileSize"));
    tileSize_->setRange(1, kLargestTile);
    tileSize_->setValue(kDesignSide);
    tileSize_->setSuffix(QStringLiteral(" 像素"));
    tileSize_->setToolTip(QStringLiteral("图案拉伸到的边长，与“生成效果图”的图案大小相同"));

    repeat_ = new QComboBox(this);
    repeat_->setObjectName(QStringLiteral("repeat"));
    for (const RepeatEntry& entry : kRepeats) {
        repeat_->addItem(text(entry.name), int(entry.repeat));
    }
    repeat_->setCurrentIndex(repeat_->findData(int(repeat)));

    credit_ = new QCheckBox(QStringLiteral("左上角加署名行(&C)"), this);
    credit_->setObjectName(QStringLiteral("credit"));
    credit_->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("格式(&F)："), format_);
    form->addRow(QStringLiteral("页面(&P)："), preset_);
    form->addRow(QStringLiteral("宽 × 高："), sizeRow);
    form->addRow(QStringLiteral("分辨率(&D)："), dpi_);
    form->addRow(QString(), pixelSize_);
    form->addRow(QStringLiteral("图案大小(&T)："), tileSize_);
    tileNotice_ = new QLabel(this);
    tileNotice_->setObjectName(QStringLiteral("tileNotice"));
    tileNotice_->setWordWrap(true);
    form->addRow(QString(), tileNotice_);
    form->addRow(QStringLiteral("拼接方式(&R)："), repeat_);
    form->addRow(QString(), credit_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    exportButton_ = buttons->button(QDialogButtonBox::Ok);
    exportButton_->setText(QStringLiteral("导出…"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(preset_, &QComboBox::currentIndexChanged, this, &ExportDialog::presetChosen);
    connect(unitChoice_, &QComboBox::currentIndexChanged, this, &ExportDialog::unitChosen);
    for (QDoubleSpinBox* box : {pageWidth_, pageHeight_}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &ExportDialog::pageEdited);
    }
    connect(dpi_, &QSpinBox::valueChanged, this, &ExportDialog::pageEdited);
    connect(format_, &QComboBox::currentIndexChanged, this, &ExportDialog::showPageSize);
    presetChosen(0);
}

QSize ExportDialog::pagePixels() const {
    // Converted by the core, as pattern-render converts a typed size.
    const auto [width, height] = workflow::sizeInPixels(
        {pageWidth_->value(), pageHeight_->value(), kUnits[unit_].unit}, dpi_->value());
    return {int(width), int(height)};
}

void ExportDialog::presetChosen(int index) {
    if (index >= int(std::size(kPresets))) {
        return;
    }
    const PresetEntry& preset = kPresets[index];
    applyingPreset_ = true;
    unitChoice_->setCurrentIndex(preset.unit);
    dpi_->setValue(preset.dotsPerInch);
    pageWidth_->setValue(preset.width);
    pageHeight_->setValue(preset.height);
    applyingPreset_ = false;
    showPageSize();
}

// The page keeps its size in the new unit.
void ExportDialog::unitChosen(int index) {
    const double width = toInches(pageWidth_->value(), unit_, dpi_->value());
    const double height = toInches(pageHeight_->value(), unit_, dpi_->value());
    unit_ = index;
    const bool wasApplying = applyingPreset_;
    applyingPreset_ = true;
    for (QDoubleSpinBox* box : {pageWidth_, pageHeight_}) {
        box->setDecimals(kUnits[index].decimals);
    }
    pageWidth_->setValue(fromInches(width, index, dpi_->value()));
    pageHeight_->setValue(fromInches(height, index, dpi_->value()));
    applyingPreset_ = wasApplying;
    showPageSize();
}

void ExportDialog::pageEdited() {
    if (applyingPreset_) {
        return;
    }
    preset_->setCurrentIndex(preset_->findText(kCustomPreset));
    showPageSize();
}

void ExportDialog::showPageSize() {
    const QSize page = pagePixels();
    const auto format = PrintFormat(format_->currentData().toInt());
    const bool fits = !page.isEmpty() && !workflow::beyondFormat(format, page);
    if (page.isEmpty()) {
        pixelSize_->setText(QStringLiteral("页面的宽和高都须至少 1 像素"));
    } else if (!fits) {
        pixelSize_->setText(QStringLiteral("%1 × %2 像素，超出 %3 格式的上限")
                                .arg(page.width())
                                .arg(page.height())
                                .arg(format_->currentText()));
    } else {
        pixelSize_->setText(QStringLiteral("%1 × %2 像素").arg(page.width()).arg(page.height()));
    }
    exportButton_->setEnabled(fits);
}

std::optional<workflow::PrintJob> ExportDialog::job() const {
    workflow::PrintJob job;
    job.page = pagePixels();
    job.format = PrintFormat(format_->currentData().toInt());
    if (job.page.isEmpty() || workflow::beyondFormat(job.format, job.page)) {
        return std::nullopt;
    }
    const QSize tile(tileSize_->value(), tileSize_->value());
    if (!needsRedraw()) {
        job.tile = workflow::scaledTile(design_, tile);
    }
    job.repeat = Repeat(repeat_->currentData().toInt());
    job.dotsPerInch = dpi_->value();
    if (credit_->isChecked()) {
        job.overlay = workflow::creditOverlay(workflow::creditLine(QDate::currentDate()));
    }
    return job;
}

bool ExportDialog::needsRedraw() const {
    const int side = tileSize_->value();
    return record_ && (side > design_.width() || side > design_.height());
}

// The chosen name, with the format's extension added when it has another one or none.
QString ExportDialog::pathForFormat(const QString& chosen) const {
    const FormatEntry& entry = kFormats[format_->currentIndex()];
    if (chosen.isEmpty() || workflow::printFormatForName(chosen) == entry.format) {
        return chosen;
    }
    return chosen + QLatin1Char('.') + QLatin1String(entry.suffix);
}

workflow::SaveOutcome ExportDialog::exportTo(const QString& path) {
    const QByteArray nativePath = QFile::encodeName(path);
    std::optional<workflow::PrintJob> print = job();
    if (!print) {
        return workflow::saveFailure(workflow::SaveProblem::TooLarge, nativePath);
    }
    std::atomic<bool> cancel = false;
    std::atomic<bool> redrawing = needsRedraw();
    std::atomic<int> stepsDone = 0;
    std::atomic<int> stepsTotal = 0;
    auto heard = [&](int done, int total) {
        stepsTotal = total;
        stepsDone = done;
    };
    workflow::SaveOutcome outcome;
    bool sharp = true;
    // The worker has its own copies of everything it draws from; it never touches a widget.
    const QSize tileSize(tileSize_->value(), tileSize_->value());
    const std::unique_ptr<QThread> worker(
        QThread::create([&, print = *print, record = record_, design = design_]() mutable {
            if (redrawing) {
                const workflow::SharpTile tile =
                    workflow::renderSharpTile(*record, design, tileSize, {heard, &cancel});
                if (tile.image.isNull()) {
                    outcome = workflow::saveFailure(tile.problem, nativePath);
                    outcome.error = tile.message.isEmpty() ? outcome.error : tile.message;
                    return;
                }
                sharp = tile.sharp;
                print.tile = tile.image;
                stepsTotal = 0;
                redrawing = false;
            }
            outcome = workflow::renderPrint(print, nativePath, heard, &cancel);
        }));

    QProgressDialog progress(redrawing ? kRedrawing : kExporting, QStringLiteral("取消"), 0,
                             kProgressSteps, this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(kProgressDelayMilliseconds);
    progress.setValue(0); // starts the delay after which the dialog shows
    connect(&progress, &QProgressDialog::canceled, this, [&] { cancel = true; });
    QTimer poll;
    poll.setInterval(kProgressPollMilliseconds);
    connect(&poll, &QTimer::timeout, this, [&] {
        if (progress.wasCanceled()) {
            cancel = true;
            return;
        }
        progress.setLabelText(redrawing ? kRedrawing : kExporting);
        if (const int total = stepsTotal; total > 0) {
            progress.setValue(int(qint64(stepsDone) * kProgressSteps / total));
        }
    });
    QEventLoop running;
    connect(worker.get(), &QThread::finished, &running, &QEventLoop::quit);
    worker->start();
    poll.start();
    running.exec();
    worker->wait();
    tileNotice_->setText(sharp ? QString()
                               : QStringLiteral("图案重绘后与原图不符，已改为放大原图的像素。"));
    return outcome;
}

void ExportDialog::accept() {
    const FormatEntry& entry = kFormats[format_->currentIndex()];
    const QString path = pathForFormat(savePathDialog_(this, text(entry.filter)));
    if (path.isEmpty()) {
        return;
    }
    const workflow::SaveOutcome outcome = exportTo(path);
    if (outcome.saved) {
        QDialog::accept();
    } else if (outcome.problem != workflow::SaveProblem::Cancelled) {
        QMessageBox::warning(this, windowTitle(), outcome.error);
    }
}

} // namespace app
