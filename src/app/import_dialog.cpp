#include "import_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace app {
namespace {

constexpr int kDefaultThresholdPercent = 50;

} // namespace

ImportDialog::ImportDialog(const QImage& source, QRgb background, QWidget* parent)
    : QDialog(parent), source_(source), background_(background) {
    setObjectName(QStringLiteral("ImportDialog"));
    setWindowTitle(QStringLiteral("导入线稿"));
    const colouring::LineArtOptions defaults;

    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setFixedSize(defaults.size);
    preview_->setToolTip(QStringLiteral("导入后的图案，与主图同样大小"));

    fitInside_ = new QRadioButton(QStringLiteral("完整放入(&F)"), this);
    fitInside_->setObjectName(QStringLiteral("fitInside"));
    fitInside_->setToolTip(QStringLiteral("整幅图片放入图案，空出的边用画布底色"));
    fitInside_->setChecked(true);
    fillCrop_ = new QRadioButton(QStringLiteral("填满裁切(&C)"), this);
    fillCrop_->setObjectName(QStringLiteral("fillCrop"));
    fillCrop_->setToolTip(QStringLiteral("图片填满图案，裁去超出的两边"));
    auto* fits = new QButtonGroup(this);
    fits->addButton(fitInside_);
    fits->addButton(fillCrop_);

    lineArt_ = new QCheckBox(QStringLiteral("转为线稿(&L)"), this);
    lineArt_->setObjectName(QStringLiteral("lineArt"));
    lineArt_->setToolTip(QStringLiteral("深色像素变为黑线，其余变为画布底色，便于单击上色"));
    lineArt_->setChecked(defaults.lineArt);

    threshold_ = new QSlider(Qt::Horizontal, this);
    threshold_->setObjectName(QStringLiteral("threshold"));
    threshold_->setRange(0, 100);
    threshold_->setValue(kDefaultThresholdPercent);
    threshold_->setToolTip(QStringLiteral("亮度低于此值的像素变为黑线"));
    thresholdValue_ = new QLabel(this);
    thresholdValue_->setMinimumWidth(thresholdValue_->fontMetrics().horizontalAdvance("100%"));
    auto* thresholdRow = new QHBoxLayout;
    thresholdRow->addWidget(threshold_);
    thresholdRow->addWidget(thresholdValue_);

    auto* options = new QFormLayout;
    options->addRow(QStringLiteral("放置方式："), fitInside_);
    options->addRow(QString(), fillCrop_);
    options->addRow(QString(), lineArt_);
    options->addRow(QStringLiteral("黑线阈值："), thresholdRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* body = new QHBoxLayout;
    body->addWidget(preview_, 0, Qt::AlignTop);
    body->addLayout(options);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);

    connect(fitInside_, &QRadioButton::toggled, this, &ImportDialog::reduce);
    connect(lineArt_, &QCheckBox::toggled, this, &ImportDialog::showResult);
    connect(threshold_, &QSlider::valueChanged, this, &ImportDialog::showResult);
    reduce();
}

colouring::LineArtOptions ImportDialog::options() const {
    colouring::LineArtOptions options;
    options.fit =
        fillCrop_->isChecked() ? colouring::LineArtFit::Crop : colouring::LineArtFit::Inside;
    options.lineArt = lineArt_->isChecked();
    options.threshold = threshold_->value() / 100.0;
    options.background = background_;
    return options;
}

// A new placement needs a new reduction of the picture; the other choices only finish it.
void ImportDialog::reduce() {
    const colouring::LineArtOptions chosen = options();
    cells_ = colouring::reduceForLineArt(source_, chosen.fit, chosen.size, chosen.background);
    showResult();
}

void ImportDialog::showResult() {
    const colouring::LineArtOptions chosen = options();
    threshold_->setEnabled(chosen.lineArt);
    thresholdValue_->setText(QStringLiteral("%1%").arg(threshold_->value()));
    result_ = colouring::finishLineArt(cells_, chosen.lineArt, chosen.threshold);
    preview_->setPixmap(QPixmap::fromImage(result_));
}

std::optional<colouring::LineArtOptions> askLineArt(QWidget* parent, const QImage& source,
                                                    QRgb background) {
    ImportDialog dialog(source, background, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.options();
}

std::optional<colouring::LineArtOptions> importLineArt(QWidget* parent,
                                                       const colouring::ImportedImage& picture,
                                                       const QString& path, QRgb background) {
    if (picture.problem != colouring::ImportProblem::None) {
        QMessageBox::warning(parent, QStringLiteral("导入线稿"),
                             importProblemText(picture.problem, path));
        return std::nullopt;
    }
    return askLineArt(parent, picture.image, background);
}

QString importFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    }
    return QStringLiteral("图片 (%1);;所有文件 (*)").arg(patterns.join(QLatin1Char(' ')));
}

QString importProblemText(colouring::ImportProblem problem, const QString& path) {
    const QString name = path.isEmpty() ? QStringLiteral("剪贴板中的图片")
                                        : QStringLiteral("“%1”").arg(QFileInfo(path).fileName());
    switch (problem) {
    case colouring::ImportProblem::None:
        return {};
    case colouring::ImportProblem::Unreadable:
        return QStringLiteral("无法读取%1：不是可识别的图片。").arg(name);
    case colouring::ImportProblem::Incomplete:
        return QStringLiteral("%1不完整：图片数据在结尾前中断，无法导入。").arg(name);
    case colouring::ImportProblem::Empty:
        return QStringLiteral("%1是空的，没有可导入的图像。").arg(name);
    case colouring::ImportProblem::TooLarge:
        return QStringLiteral("%1太大：超过 1 亿像素，无法导入。").arg(name);
    }
    return {};
}

} // namespace app
