#include "export_dialog.h"

#include "tile_frame.h"

#include "effect/effect.h"
#include "file_dialogs.h"
#include "print/print_size.h"
#include "print/sharp_render.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <atomic>
#include <climits>
#include <cmath>
#include <memory>
#include <utility>

namespace app {
namespace {

using print::PrintFormat;
using tiling::Repeat;

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
    print::PrintSize::Unit unit;
};
constexpr int kPixels = 0;
constexpr int kCentimetres = 1;
constexpr int kMillimetres = 2;
constexpr UnitEntry kUnits[] = {
    {"像素", 0.0, 0, print::PrintSize::Unit::Pixel},
    {"厘米", 2.54, 2, print::PrintSize::Unit::Centimetre},
    {"毫米", 25.4, 1, print::PrintSize::Unit::Millimetre},
    {"英寸", 1.0, 2, print::PrintSize::Unit::Inch},
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

QDoubleSpinBox* lengthBox(const char* name, double largest, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(text(name));
    box->setRange(0, largest);
    return box;
}

QComboBox* unitBox(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(text(name));
    for (const UnitEntry& entry : kUnits) {
        box->addItem(text(entry.name));
    }
    return box;
}

// Shows the boxes' lengths in another unit, keeping what they measure.
void convertLengths(std::initializer_list<QDoubleSpinBox*> boxes, int from, int to,
                    int dotsPerInch) {
    for (QDoubleSpinBox* box : boxes) {
        const double inches = toInches(box->value(), from, dotsPerInch);
        box->setDecimals(kUnits[to].decimals);
        box->setValue(fromInches(inches, to, dotsPerInch));
    }
}

// Where the last export's choices are kept.
const QString kFormatKey = QStringLiteral("export/format");
const QString kPresetKey = QStringLiteral("export/page");
const QString kUnitKey = QStringLiteral("export/unit");
const QString kWidthKey = QStringLiteral("export/width");
const QString kHeightKey = QStringLiteral("export/height");
const QString kDotsPerInchKey = QStringLiteral("export/dpi");
const QString kTileSizeKey = QStringLiteral("export/tileSize");
const QString kTileUnitKey = QStringLiteral("export/tileUnit");
const QString kRepeatKey = QStringLiteral("export/repeat");
const QString kRepeatFitKey = QStringLiteral("export/repeatFit");

} // namespace

ExportDialog::ExportDialog(const QImage& design, Repeat repeat, QWidget* parent)
    : QDialog(parent), exportingText_(kExporting), design_(design), savePathDialog_(askSavePath),
      urlOpener_([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
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
    pageWidth_ = lengthBox("pageWidth", print::kMostPrintSide, this);
    pageHeight_ = lengthBox("pageHeight", print::kMostPrintSide, this);
    unitChoice_ = unitBox("unit", this);
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

    tileSize_ = lengthBox("tileSize", kLargestTile, this);
    tileSize_->setDecimals(0);
    tileSize_->setValue(kDesignSide);
    tileSize_->setToolTip(QStringLiteral("图案拉伸到的边长，与“生成效果图”的图案大小相同"));
    tileUnitChoice_ = unitBox("tileUnit", this);
    auto* tileRow = new QHBoxLayout;
    tileRow->addWidget(tileSize_, 1);
    tileRow->addWidget(tileUnitChoice_);

    repeatFit_ = new QComboBox(this);
    repeatFit_->setObjectName(QStringLiteral("repeatFit"));
    repeatFit_->addItem(QStringLiteral("无"), -1);
    for (int target = 0; target < int(std::size(print::kRepeatTargets)); ++target) {
        repeatFit_->addItem(text(print::kRepeatTargets[target].name), target);
    }
    repeatFit_->setToolTip(QStringLiteral("让整数个图案正好排满圆网周长、墙纸幅宽或面板：图案改为"
                                          "最接近的整份，页面沿该方向正好是这么多个图案"));
    repeatRule_ = new QLabel(this);
    repeatRule_->setObjectName(QStringLiteral("repeatRule"));

    repeat_ = new QComboBox(this);
    repeat_->setObjectName(QStringLiteral("repeat"));
    for (int index = 0; index < tiling::kRepeatCount; ++index) {
        repeat_->addItem(repeatIcon(Repeat(index)), QString::fromUtf8(tiling::kRepeatLabels[index]),
                         index);
    }
    repeat_->setCurrentIndex(repeat_->findData(int(repeat)));

    credit_ = new QCheckBox(QStringLiteral("左上角加署名行(&C)"), this);
    credit_->setObjectName(QStringLiteral("credit"));
    credit_->setToolTip(QStringLiteral("在页面左上角印上带日期的署名行，与效果图的署名相同"));

    auto* form = form_ = new QFormLayout;
    form->addRow(QStringLiteral("格式(&F)："), format_);
    form->addRow(QStringLiteral("页面(&P)："), preset_);
    form->addRow(QStringLiteral("宽 × 高："), sizeRow);
    form->addRow(QStringLiteral("分辨率(&D)："), dpi_);
    form->addRow(QStringLiteral("图案大小(&T)："), tileRow);
    form->addRow(QStringLiteral("机器尺寸(&G)："), repeatFit_);
    form->addRow(QString(), repeatRule_);
    form->addRow(QString(), pixelSize_);
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
    connect(tileUnitChoice_, &QComboBox::currentIndexChanged, this, &ExportDialog::tileUnitChosen);
    connect(tileSize_, &QDoubleSpinBox::valueChanged, this, &ExportDialog::showPageSize);
    connect(pageWidth_, &QDoubleSpinBox::valueChanged, this, [this] { pageSideEdited(true); });
    connect(pageHeight_, &QDoubleSpinBox::valueChanged, this, [this] { pageSideEdited(false); });
    connect(tileSize_, &QDoubleSpinBox::valueChanged, this, [this] {
        if (!keepingFit_) {
            repeatFit_->setCurrentIndex(0);
        }
    });
    connect(dpi_, &QSpinBox::valueChanged, this, [this] {
        if (fitTarget_ && !keepingFit_) {
            applyRepeatFit();
        }
    });
    connect(repeatFit_, &QComboBox::currentIndexChanged, this, &ExportDialog::repeatFitChosen);
    connect(format_, &QComboBox::currentIndexChanged, this, &ExportDialog::showPageSize);
    presetChosen(0);
    restoreChoices();
}

void ExportDialog::restoreChoices() {
    const QSettings settings;
    if (!settings.contains(kPresetKey)) {
        return;
    }
    format_->setCurrentIndex(std::max(0, format_->findText(settings.value(kFormatKey).toString())));
    unitChoice_->setCurrentIndex(settings.value(kUnitKey).toInt());
    dpi_->setValue(settings.value(kDotsPerInchKey).toInt());
    pageWidth_->setValue(settings.value(kWidthKey).toDouble());
    pageHeight_->setValue(settings.value(kHeightKey).toDouble());
    preset_->setCurrentIndex(settings.value(kPresetKey).toInt());
    tileUnitChoice_->setCurrentIndex(settings.value(kTileUnitKey).toInt());
    tileSize_->setValue(settings.value(kTileSizeKey).toDouble());
    repeatFit_->setCurrentIndex(settings.value(kRepeatFitKey).toInt());
    repeat_->setCurrentIndex(settings.value(kRepeatKey).toInt());
}

void ExportDialog::keepChoices() const {
    QSettings settings;
    settings.setValue(kFormatKey, format_->currentText());
    settings.setValue(kPresetKey, preset_->currentIndex());
    settings.setValue(kUnitKey, unitChoice_->currentIndex());
    settings.setValue(kDotsPerInchKey, dpi_->value());
    settings.setValue(kWidthKey, pageWidth_->value());
    settings.setValue(kHeightKey, pageHeight_->value());
    settings.setValue(kTileUnitKey, tileUnitChoice_->currentIndex());
    settings.setValue(kTileSizeKey, tileSize_->value());
    settings.setValue(kRepeatFitKey, repeatFit_->currentIndex());
    settings.setValue(kRepeatKey, repeat_->currentIndex());
}

QSize ExportDialog::pagePixels() const {
    // Converted by the core, as pattern-render converts a typed size.
    auto [width, height] = print::sizeInPixels(
        {pageWidth_->value(), pageHeight_->value(), kUnits[unit_].unit}, dpi_->value());
    // A fit's sides are exactly its tiles, which the lengths shown may round away.
    if (fit_ && print::fitsWidth(fitTarget_->direction)) {
        width = double(fit_->pagePixels);
    }
    if (fit_ && print::fitsHeight(fitTarget_->direction)) {
        height = double(fit_->pagePixels);
    }
    return {int(std::min<double>(width, INT_MAX)), int(std::min<double>(height, INT_MAX))};
}

int ExportDialog::tilePixels() const {
    if (fit_) {
        return fit_->tilePixels;
    }
    const double side =
        print::sizeInPixels({tileSize_->value(), tileSize_->value(), kUnits[tileUnit_].unit},
                            dpi_->value())
            .first;
    return int(std::min<double>(side, INT_MAX));
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
    const bool wasApplying = std::exchange(applyingPreset_, true);
    const bool wasKeeping = std::exchange(keepingFit_, true);
    convertLengths({pageWidth_, pageHeight_}, std::exchange(unit_, index), index, dpi_->value());
    applyingPreset_ = wasApplying;
    keepingFit_ = wasKeeping;
    showPageSize();
}

// The tile keeps its size in the new unit.
void ExportDialog::tileUnitChosen(int index) {
    const bool wasKeeping = std::exchange(keepingFit_, true);
    convertLengths({tileSize_}, std::exchange(tileUnit_, index), index, dpi_->value());
    keepingFit_ = wasKeeping;
    showPageSize();
}

void ExportDialog::repeatFitChosen() {
    const int target = repeatFit_->currentData().toInt();
    fitTarget_ = target < 0 ? std::nullopt : std::optional(print::kRepeatTargets[target]);
    fit_.reset();
    repeatRule_->clear();
    if (fitTarget_) {
        applyRepeatFit();
    } else {
        showPageSize();
    }
}

void ExportDialog::applyRepeatFit() {
    fit_.reset();
    const int dotsPerInch = dpi_->value();
    const print::RepeatFit fit = print::fitRepeat(*fitTarget_, tilePixels(), dotsPerInch);
    const bool wasKeeping = std::exchange(keepingFit_, true);
    tileSize_->setValue(tileUnit_ == kPixels
                            ? fit.tilePixels
                            : fromInches(print::inInches(fit.tileLength, fitTarget_->unit),
                                         tileUnit_, dotsPerInch));
    const double pageLength = fromInches(double(fit.pagePixels) / dotsPerInch, unit_, dotsPerInch);
    if (print::fitsWidth(fitTarget_->direction)) {
        pageWidth_->setValue(pageLength);
    }
    if (print::fitsHeight(fitTarget_->direction)) {
        pageHeight_->setValue(pageLength);
    }
    keepingFit_ = wasKeeping;
    fit_ = fit;
    repeatRule_->setText(fit.rule);
    showPageSize();
}

void ExportDialog::pageSideEdited(bool width) {
    if (keepingFit_ || !fitTarget_) {
        return;
    }
    if (width ? print::fitsWidth(fitTarget_->direction)
              : print::fitsHeight(fitTarget_->direction)) {
        repeatFit_->setCurrentIndex(0);
    }
}

void ExportDialog::pageEdited() {
    if (applyingPreset_) {
        return;
    }
    preset_->setCurrentIndex(preset_->findText(kCustomPreset));
    showPageSize();
}

QString ExportDialog::sizeProblem() const {
    const QSize page = pagePixels();
    if (page.isEmpty()) {
        return QStringLiteral("页面的宽和高都须至少 1 像素");
    }
    if (page.width() > print::kMostPrintSide || page.height() > print::kMostPrintSide) {
        return QStringLiteral("页面每边最多 %1 像素").arg(print::kMostPrintSide);
    }
    if (print::beyondFormat(PrintFormat(format_->currentData().toInt()), page)) {
        return QStringLiteral("BMP 文件不能超过 4 GB，请选 PNG 或 TIFF");
    }
    if (const int tile = tilePixels(); tile < 1 || tile > kLargestTile) {
        return QStringLiteral("图案每边须在 1 到 %1 像素之间").arg(kLargestTile);
    }
    return {};
}

void ExportDialog::showPageSize() {
    const QSize page = pagePixels();
    const QString problem = sizeProblem();
    const QString size = QStringLiteral("%1 × %2 像素，图案 %3 像素")
                             .arg(page.width())
                             .arg(page.height())
                             .arg(tilePixels());
    pixelSize_->setText(problem.isEmpty() ? size : size + QStringLiteral("：") + problem);
    exportButton_->setEnabled(problem.isEmpty());
}

std::optional<print::PrintJob> ExportDialog::job() const {
    print::PrintJob job;
    job.page = pagePixels();
    job.format = PrintFormat(format_->currentData().toInt());
    if (!sizeProblem().isEmpty()) {
        return std::nullopt;
    }
    const QSize tile(tilePixels(), tilePixels());
    if (!needsRedraw()) {
        job.tile = print::scaledTile(design_, tile);
    }
    job.repeat = Repeat(repeat_->currentData().toInt());
    job.dotsPerInch = dpi_->value();
    if (credit_->isChecked()) {
        job.overlay = print::creditOverlay(effect::creditLine(QDate::currentDate()));
    }
    return job;
}

bool ExportDialog::needsRedraw() const {
    const int side = tilePixels();
    return record_ && (side > design_.width() || side > design_.height());
}

// The chosen name, with the format's extension added when it has another one or none.
QString ExportDialog::pathForFormat(const QString& chosen) const {
    const FormatEntry& entry = kFormats[format_->currentIndex()];
    if (chosen.isEmpty() || print::printFormatForName(chosen) == entry.format) {
        return chosen;
    }
    return chosen + QLatin1Char('.') + QLatin1String(entry.suffix);
}

files::SaveOutcome ExportDialog::exportTo(const QString& path) {
    const QByteArray nativePath = QFile::encodeName(path);
    std::optional<print::PrintJob> print = job();
    if (!print) {
        return files::saveFailure(files::SaveProblem::TooLarge, nativePath);
    }
    std::atomic<bool> cancel = false;
    std::atomic<bool> redrawing = needsRedraw();
    std::atomic<int> stepsDone = 0;
    std::atomic<int> stepsTotal = 0;
    auto heard = [&](int done, int total) {
        stepsTotal = total;
        stepsDone = done;
    };
    files::SaveOutcome outcome;
    bool sharp = true;
    // The worker has its own copies of everything it draws from; it never touches a widget.
    const QSize tileSize(tilePixels(), tilePixels());
    const std::unique_ptr<QThread> worker(
        QThread::create([&, print = *print, record = record_, design = design_]() mutable {
            if (redrawing) {
                const print::SharpTile tile =
                    print::renderSharpTile(*record, design, tileSize, {heard, &cancel});
                if (tile.image.isNull()) {
                    outcome = files::saveFailure(tile.problem, nativePath);
                    outcome.error = tile.message.isEmpty() ? outcome.error : tile.message;
                    return;
                }
                sharp = tile.sharp;
                print.tile = tile.image;
                stepsTotal = 0;
                redrawing = false;
            }
            outcome = write(print, nativePath, heard, &cancel);
        }));

    QProgressDialog progress(redrawing ? kRedrawing : exportingText_, QStringLiteral("取消"), 0,
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
        progress.setLabelText(redrawing ? kRedrawing : exportingText_);
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
    keepChoices();
    const files::SaveOutcome outcome = exportTo(path);
    if (outcome.saved) {
        const QFileInfo file(path);
        reportDone(QStringLiteral("导出完成：%1（%2）")
                       .arg(QDir::toNativeSeparators(file.absoluteFilePath()),
                            QLocale().formattedDataSize(file.size(), 1,
                                                        QLocale::DataSizeTraditionalFormat)),
                   file.absolutePath());
        QDialog::accept();
    } else if (outcome.problem != files::SaveProblem::Cancelled) {
        QMessageBox::warning(this, windowTitle(), outcome.error);
    }
}

files::SaveOutcome ExportDialog::write(const print::PrintJob& print, const QByteArray& nativePath,
                                       const print::PrintProgress& progress,
                                       const std::atomic<bool>* cancel) {
    return print::renderPrint(print, nativePath, progress, cancel);
}

// A note that outlives the dialog, so the window goes on while it shows.
void ExportDialog::reportDone(const QString& text, const QString& folder) {
    auto* box = new QMessageBox(QMessageBox::Information, windowTitle(), text, QMessageBox::Close,
                                parentWidget());
    box->setObjectName(QStringLiteral("ExportDone"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->button(QMessageBox::Close)->setText(QStringLiteral("关闭"));
    QPushButton* openFolder =
        box->addButton(QStringLiteral("打开所在文件夹"), QMessageBox::ActionRole);
    openFolder->setObjectName(QStringLiteral("openFolder"));
    connect(openFolder, &QPushButton::clicked, box,
            [opener = urlOpener_, url = QUrl::fromLocalFile(folder)] { opener(url); });
    box->open();
}

double lastExportTileInches() {
    const QSettings settings;
    const int dotsPerInch =
        std::max(1, settings.value(kDotsPerInchKey, kPresets[0].dotsPerInch).toInt());
    const int unit =
        std::clamp(settings.value(kTileUnitKey, kPixels).toInt(), 0, int(std::size(kUnits)) - 1);
    return toInches(settings.value(kTileSizeKey, kDesignSide).toDouble(), unit, dotsPerInch);
}

} // namespace app
