#pragma once

#include "colouring/design_record.h"
#include "print/print_engine.h"
#include "print/repeat_fit.h"

#include <QDialog>
#include <QImage>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QSpinBox;
class QUrl;

namespace app {

// The design repeated over a print-size page and written as PNG, TIFF or BMP, by the same engine
// as pattern-render. The page is given in pixels or in centimetres, millimetres or inches at a
// resolution, directly or from a preset; the tile is the design stretched to its chosen size, in
// pixels or in the same units. A machine's size (a rotary screen, a wallpaper, a panel) makes the
// tile fit a whole number of times into it, and the page along it exactly that many tiles. The
// dialog starts with the choices of its last export.
class ExportDialog : public QDialog {
    Q_OBJECT
  public:
    // Asks for the path to export to; an empty result means the user cancelled.
    using SavePathDialog = std::function<QString(QWidget* parent, const QString& filter)>;
    // Opens a folder for the user (the file manager by default).
    using UrlOpener = std::function<void(const QUrl&)>;
    // A page takes this long or more before the progress dialog shows.
    static constexpr int kProgressDelayMilliseconds = 500;

    ExportDialog(const QImage& design, tiling::Repeat repeat, QWidget* parent = nullptr);

    void setSavePathDialog(SavePathDialog dialog) { savePathDialog_ = std::move(dialog); }
    void setUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }
    // How the design was made: a tile larger than the design is then redrawn sharp.
    void setDesignRecord(const colouring::DesignRecord& record) { record_ = record; }

    // The print the choices describe; nothing when the page is empty or beyond the format. Its
    // tile is null when it is to be redrawn from the record (needsRedraw).
    std::optional<print::PrintJob> job() const;
    bool needsRedraw() const;
    // Writes that print to `path` on a worker thread, the sharp redraw of its tile included, with
    // a progress dialog that can cancel once the export runs longer than
    // kProgressDelayMilliseconds; the window keeps working meanwhile. A cancelled or failed export
    // leaves no file behind.
    files::SaveOutcome exportTo(const QString& path);

  public slots:
    // Asks for the file, exports, and closes once the file is written, leaving a note of 导出完成
    // with the file's size and a button that opens its folder.
    void accept() override;

  protected:
    // Writes the print on the export's worker thread: it must touch no widget.
    virtual files::SaveOutcome write(const print::PrintJob& print, const QByteArray& nativePath,
                                     const print::PrintProgress& progress,
                                     const std::atomic<bool>* cancel);
    // A note that outlives the dialog, with a button that opens `folder`.
    void reportDone(const QString& text, const QString& folder);

    QFormLayout* form_ = nullptr;
    QComboBox* format_ = nullptr;
    QCheckBox* credit_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QString exportingText_; // the progress dialog's text while the page is written

  private:
    QSize pagePixels() const;
    int tilePixels() const;
    // Why the page or tile cannot be written; empty when they can.
    QString sizeProblem() const;
    void presetChosen(int index);
    void unitChosen(int index);
    void tileUnitChosen(int index);
    void pageEdited();
    void repeatFitChosen();
    // The fit of the chosen machine size to the tile as typed; the rule it follows is shown.
    void applyRepeatFit();
    // A side of the page edited: a fit that measures it no longer holds.
    void pageSideEdited(bool width);
    void showPageSize();
    QString pathForFormat(const QString& chosen) const;
    void restoreChoices();
    void keepChoices() const;

    QImage design_;
    std::optional<colouring::DesignRecord> record_;
    SavePathDialog savePathDialog_;
    UrlOpener urlOpener_;
    int unit_ = 0;     // the unit the width and height are shown in
    int tileUnit_ = 0; // the unit the tile size is shown in
    bool applyingPreset_ = false;
    bool keepingFit_ = false; // the dialog, not the user, is changing the sizes
    // The chosen machine size and its fit, which give the tile's and the page's pixels.
    std::optional<print::RepeatTarget> fitTarget_;
    std::optional<print::RepeatFit> fit_;
    QComboBox* preset_ = nullptr;
    QDoubleSpinBox* pageWidth_ = nullptr;
    QDoubleSpinBox* pageHeight_ = nullptr;
    QComboBox* unitChoice_ = nullptr;
    QSpinBox* dpi_ = nullptr;
    QLabel* pixelSize_ = nullptr;
    QDoubleSpinBox* tileSize_ = nullptr;
    QComboBox* tileUnitChoice_ = nullptr;
    QComboBox* repeatFit_ = nullptr;
    QLabel* repeatRule_ = nullptr;
    QComboBox* repeat_ = nullptr;
    QLabel* tileNotice_ = nullptr; // says when a large tile could not be redrawn sharp
};

// The length of the last print export's tile: the print's physical size of a repeat.
double lastExportTileInches();

} // namespace app
