#pragma once

#include "canvas/random_source.h"
#include "canvas/surface.h"
#include "colouring/colour_tools.h"
#include "colouring/design_record.h"
#include "colouring/seam_check.h"
#include "design/design_document.h"
#include "design/history.h"
#include "print/sharp_render.h"
#include "tiling/tiling.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>

namespace design {

// One design as the window, the studio and pattern-render work on it: the design canvas, how it
// was made, its undo steps and the settings a document keeps with it. Every change is one
// operation that pushes one undo step, keeps itself in the record and signals changed() once;
// nothing else appends to the record or pushes an undo step.
class DesignModel : public QObject {
    Q_OBJECT
  public:
    explicit DesignModel(canvas::RandomSource& random, QObject* parent = nullptr);

    canvas::Surface& canvas() { return canvas_; }
    const canvas::Surface& canvas() const { return canvas_; }
    const colouring::DesignRecord& record() const { return record_; }
    const QString& title() const { return title_; }
    const QString& lineWidthText() const { return lineWidth_; }
    const QString& tileSizeText() const { return tileSize_; }
    tiling::Repeat repeat() const { return repeat_; }
    const colouring::PressOptions& pressOptions() const { return pressOptions_; }
    canvas::RandomSource& random() const { return random_; }

    // Settings the next changes and the document read; setting them is no change of the design.
    void setLineWidthText(const QString& text) { lineWidth_ = text; }
    void setTileSizeText(const QString& text) { tileSize_ = text; }
    void setRepeat(tiling::Repeat repeat) { repeat_ = repeat; }
    void setPressOptions(const colouring::PressOptions& options) { pressOptions_ = options; }

    // The design as the window opens: the blank effect picture tiled over the canvas, with this
    // title, kept as the record's opening colour. No undo step and no signal: nothing came before.
    void showOpening(const QString& title);

    // A catalogue figure by its control name, with the line width text; an unknown name does
    // nothing.
    void drawFigure(const QString& controlName, const QString& caption);
    // An advanced pattern ("Command70(2)" is array 70, index 2) with the category value of the
    // window's check box (0, 1 or 2 for greyed) and the line width text.
    void drawAdvanced(int array, int index, int category);
    // A press at (x, y) in design units under the press options; a seam fill follows the repeat.
    void press(float x, float y);
    // 检查接缝: the drawn regions whose colour breaks at a seam of the repeat.
    std::vector<colouring::SeamBreak> seamBreaks() const;
    // 统一接缝颜色: each broken region takes the colour of its larger part, as seam presses in one
    // undo step; with none broken, no change.
    void unifySeams();
    // A colour replaced, a colourway applied or a stroke drawn on the design as it is.
    void applyChange(const colouring::DesignChange& change);
    // Each colour of the mapping becomes its partner at once (a colour reduction); a mapping that
    // changes no colour of the design is no change.
    void mapColours(const colouring::ColourMapping& mapping);
    // A stroke drawn on the design, kept as colouring::keptStroke makes it; one without points
    // does nothing.
    void drawStroke(const colouring::StrokeChange& stroke);
    // The stroke shown while it is dragged, over the design as it was before the drag: no undo
    // step and nothing recorded. drawStroke, any other change, undo and redo take it off first.
    void previewStroke(const colouring::StrokeChange& stroke);
    // A colourway's picture becomes the design, whatever the design shows meanwhile.
    void chooseColourway(const colouring::Colourway& way);
    // A new picture under the design (a pad's or an imported one).
    void loadPicture(const colouring::DesignPicture& picture, const QString& title,
                     colouring::PictureSource::Origin origin);
    // 导入线稿: the picture under `options` as a new picture under the design; line art keeps its
    // lines at the picture's own resolution (colouring::importedPicture).
    void importLineArt(const QImage& source, const colouring::LineArtOptions& options,
                       const QString& title);
    // 清空主图.
    void clearPicture();
    void undo();
    void redo();

    // The design as a document: record, title, line width, tile size and repeat type.
    DesignDocument document() const;
    // Rebuilds the design from a document as one undo step, with its title, line width and tile
    // size when it has them; the repeat type stays as it is.
    void showDocument(const DesignDocument& document);
    files::SaveOutcome saveDocument(const QByteArray& nativePath) const;
    // Shows the document read from `path` when it is good; the reading says why not otherwise.
    DocumentReading openDocument(const QString& path);
    DocumentReading openDocument(const QByteArray& nativePath);

    // The design redrawn from its record at `size`, for print.
    print::SharpTile renderSharpTile(QSize size,
                                     const colouring::DrawingControl& control = {}) const;

  signals:
    // Once after every change of the canvas, its title or its record.
    void changed();

  private:
    DesignState state() const;
    void pushUndoStep();
    void endPreview();
    void show(const DesignState& state);
    DocumentReading shown(DocumentReading reading);

    canvas::RandomSource& random_;
    canvas::Surface canvas_;
    colouring::DesignRecord record_;
    DesignHistory history_;
    QString title_;
    QString lineWidth_;
    QString tileSize_;
    tiling::Repeat repeat_ = tiling::Repeat::Straight;
    colouring::PressOptions pressOptions_;
    std::int16_t savedFillStyle_ = 0; // the catalogue's fill style, kept from figure to figure
    std::optional<canvas::SurfaceSnapshot> underPreview_; // the canvas before a previewed stroke
};

} // namespace design
