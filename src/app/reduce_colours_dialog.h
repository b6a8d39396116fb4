#pragma once

#include "colouring/colour_reduction.h"

#include <QDialog>
#include <QImage>

class QLabel;
class QRadioButton;
class QSlider;
class QSpinBox;

namespace app {

// 减少颜色: merge the design's colours closer than a tolerance, or down to a count, keeping the
// locked ones, with a live preview of the design and its colour count. It opens with the last
// choice and keeps the choice it is accepted with.
class ReduceColoursDialog : public QDialog {
    Q_OBJECT
  public:
    ReduceColoursDialog(const QImage& design, const QSet<QRgb>& locked, QWidget* parent = nullptr);

    colouring::ColourReduction reduction() const;
    // The reduction as the preview shows it.
    const colouring::ReducedColours& result() const { return reduced_; }

    void done(int result) override;

  private:
    void showReduction();

    QImage design_;
    colouring::ColourReducer reducer_;
    colouring::ReducedColours reduced_;
    QRadioButton* byTolerance_ = nullptr;
    QRadioButton* byCount_ = nullptr;
    QSlider* tolerance_ = nullptr;
    QLabel* toleranceValue_ = nullptr;
    QSpinBox* count_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* colourCount_ = nullptr;
};

} // namespace app
