#include "reduce_colours_dialog.h"

#include "studio_settings.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace app {
namespace {

constexpr int kPreviewScale = 2;

} // namespace

ReduceColoursDialog::ReduceColoursDialog(const QImage& design, const QSet<QRgb>& locked,
                                         QWidget* parent)
    : QDialog(parent), design_(design.convertToFormat(QImage::Format_RGB32)),
      reducer_(colouring::palette(design_), locked) {
    setObjectName(QStringLiteral("ReduceColoursDialog"));
    setWindowTitle(QStringLiteral("减少颜色"));
    const colouring::ColourReduction last = lastColourReduction();

    byTolerance_ = new QRadioButton(QStringLiteral("合并相近颜色(&M)"), this);
    byTolerance_->setObjectName(QStringLiteral("byTolerance"));
    byTolerance_->setToolTip(QStringLiteral("色差（CIEDE2000）小于所选值的颜色合为一种"));
    byCount_ = new QRadioButton(QStringLiteral("减少到颜色数(&N)"), this);
    byCount_->setObjectName(QStringLiteral("byCount"));
    byCount_->setToolTip(QStringLiteral("一次次合并最相近的两种颜色，直到只剩所选的颜色数"));
    auto* modes = new QButtonGroup(this);
    modes->addButton(byTolerance_);
    modes->addButton(byCount_);
    (last.mode == colouring::ColourReduction::Mode::Count ? byCount_ : byTolerance_)
        ->setChecked(true);

    tolerance_ = new QSlider(Qt::Horizontal, this);
    tolerance_->setObjectName(QStringLiteral("tolerance"));
    tolerance_->setRange(0, int(colouring::kMostMergeTolerance));
    tolerance_->setValue(int(last.tolerance));
    tolerance_->setToolTip(QStringLiteral("色差：约 1 为刚能分辨，越大合并越多"));
    toleranceValue_ = new QLabel(this);
    toleranceValue_->setMinimumWidth(toleranceValue_->fontMetrics().horizontalAdvance("ΔE 30"));
    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("count"));
    count_->setRange(colouring::kFewestReducedColours, colouring::kMostReducedColours);
    count_->setValue(last.count);
    count_->setSuffix(QStringLiteral(" 色"));

    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setFixedSize(design_.size() * kPreviewScale);
    preview_->setToolTip(QStringLiteral("减少颜色后的图案"));
    colourCount_ = new QLabel(this);
    colourCount_->setObjectName(QStringLiteral("colourCount"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* choices = new QGridLayout;
    choices->addWidget(byTolerance_, 0, 0);
    choices->addWidget(tolerance_, 0, 1);
    choices->addWidget(toleranceValue_, 0, 2);
    choices->addWidget(byCount_, 1, 0);
    choices->addWidget(count_, 1, 1, 1, 2, Qt::AlignLeft);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(preview_, 0, Qt::AlignHCenter);
    layout->addWidget(colourCount_);
    if (!locked.isEmpty()) {
        layout->addWidget(new QLabel(QStringLiteral("锁定的颜色保持不变，也不会互相合并"), this));
    }
    layout->addWidget(buttons);

    connect(byTolerance_, &QRadioButton::toggled, this, &ReduceColoursDialog::showReduction);
    connect(tolerance_, &QSlider::valueChanged, this, &ReduceColoursDialog::showReduction);
    connect(count_, &QSpinBox::valueChanged, this, &ReduceColoursDialog::showReduction);
    showReduction();
}

colouring::ColourReduction ReduceColoursDialog::reduction() const {
    return {byCount_->isChecked() ? colouring::ColourReduction::Mode::Count
                                  : colouring::ColourReduction::Mode::Tolerance,
            double(tolerance_->value()), count_->value()};
}

void ReduceColoursDialog::showReduction() {
    tolerance_->setEnabled(byTolerance_->isChecked());
    count_->setEnabled(byCount_->isChecked());
    toleranceValue_->setText(QStringLiteral("ΔE %1").arg(tolerance_->value()));
    reduced_ = reducer_.reduce(reduction());
    const QImage reduced = colouring::applyColourway(design_, reduced_.mapping);
    preview_->setPixmap(QPixmap::fromImage(reduced.scaled(preview_->size())));
    colourCount_->setText(QStringLiteral("减少后共 %1 色（原有 %2 色）")
                              .arg(reduced_.colours)
                              .arg(reducer_.colourCount()));
}

void ReduceColoursDialog::done(int result) {
    if (result == QDialog::Accepted) {
        keepColourReduction(reduction());
    }
    QDialog::done(result);
}

} // namespace app
