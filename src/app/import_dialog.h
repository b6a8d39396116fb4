#pragma once

#include "colouring/line_art.h"

#include <QDialog>
#include <QImage>
#include <optional>

class QCheckBox;
class QLabel;
class QRadioButton;
class QSlider;

namespace app {

// Turns a picture into the design canvas's background picture: fit inside or fill and crop, and
// optionally into black line art on the background colour, with a live preview of the result.
class ImportDialog : public QDialog {
    Q_OBJECT
  public:
    ImportDialog(const QImage& source, QRgb background, QWidget* parent = nullptr);

    colouring::LineArtOptions options() const;
    // The picture as the preview shows it.
    const QImage& result() const { return result_; }

  private:
    void reduce();
    void showResult();

    QImage source_;
    QRgb background_;
    colouring::LineArtCells cells_;
    QImage result_;
    QRadioButton* fitInside_ = nullptr;
    QRadioButton* fillCrop_ = nullptr;
    QCheckBox* lineArt_ = nullptr;
    QSlider* threshold_ = nullptr;
    QLabel* thresholdValue_ = nullptr;
    QLabel* preview_ = nullptr;
};

// Shows the dialog; the chosen options, or nothing when the user cancels.
std::optional<colouring::LineArtOptions> askLineArt(QWidget* parent, const QImage& source,
                                                    QRgb background);

// The whole import of a picture read from `path` (empty for the clipboard): a message when it
// cannot be imported, the dialog otherwise; the chosen options, or nothing.
std::optional<colouring::LineArtOptions> importLineArt(QWidget* parent,
                                                       const colouring::ImportedImage& picture,
                                                       const QString& path, QRgb background);

// The open dialog's filter: every picture format this Qt reads.
QString importFilter();

// What the window tells the user when a picture cannot be imported; an empty path names the
// clipboard.
QString importProblemText(colouring::ImportProblem problem, const QString& path);

} // namespace app
