#pragma once

#include "export_dialog.h"

#include "colouring/named_colours.h"
#include "print/separations.h"

class QLineEdit;

namespace app {

// 导出分色: the page of 导出印刷图 (its size, resolution, tile and repeat) written as one screen a
// colour into a folder, with the composite proof and the sheet of the screens, on the same
// worker with progress and cancel. Its choices come back at the next start.
class SeparationsDialog : public ExportDialog {
    Q_OBJECT
  public:
    // Asks for the folder to write into; an empty result means the user cancelled.
    using FolderDialog = std::function<QString(QWidget* parent)>;

    SeparationsDialog(const QImage& design, tiling::Repeat repeat, QWidget* parent = nullptr);

    void setFolderDialog(FolderDialog dialog) { folderDialog_ = std::move(dialog); }

    print::SeparationOptions options() const;
    // Writes the separations the choices describe into `folder`, as exportTo writes a page.
    files::SaveOutcome exportTo(const QString& folder);

  public slots:
    // Exports into the chosen folder (asked for when none is given) and closes once the files
    // are written, leaving a note of how many screens were written where.
    void accept() override;

  protected:
    files::SaveOutcome write(const print::PrintJob& print, const QByteArray& nativeFolder,
                             const print::PrintProgress& progress,
                             const std::atomic<bool>* cancel) override;

  private:
    void chooseFolder();

    FolderDialog folderDialog_;
    print::ColourNaming naming_ = colouring::nearestColourName;
    print::SeparationOptions running_; // the options of the export under way, for the worker
    std::size_t screensWritten_ = 0;
    QCheckBox* unprinted_ = nullptr;
    QCheckBox* marks_ = nullptr;
    QSpinBox* trap_ = nullptr;
    QComboBox* compression_ = nullptr;
    QLineEdit* folder_ = nullptr;
};

} // namespace app
