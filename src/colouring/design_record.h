#pragma once

#include "canvas/colour.h"
#include "canvas/surface.h"
#include "colour_tools.h"
#include "line_art.h"
#include "pads/pad_drawing.h"
#include "patterns/advanced.h"
#include "strokes.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace colouring {

// How a design was made, so that it can be kept, rebuilt and redrawn at any size: the canvas a
// source starts from, the source, then every change after it in order.

// The canvas as the program opens it: one colour all over.
struct OpeningSource {
    canvas::Colour colour = 0;
    bool operator==(const OpeningSource&) const = default;
};
// How a picture under the design is drawn sharper than its pixels at a larger device scale. With
// none, the picture's pixels are enlarged by nearest pixels; line art is resampled from its own
// resolution and a pad's picture is drawn again on its pad.
using PictureDrawing = std::variant<std::monostate, LineArtDrawing, pads::PadDrawing>;

// A picture under the design: its pixels as the design canvas shows them (design pixels; null for
// none) and, when it has one, how to draw it at any device scale (at scale 1 the drawing gives
// exactly the pixels).
struct DesignPicture {
    QImage pixels;
    PictureDrawing drawing{};
    bool operator==(const DesignPicture&) const = default;
};

// A pad's picture with what the pad drew, or its pixels alone when the pad gave up recording.
DesignPicture padPicture(const QImage& pixels, const pads::PadDrawing& drawing);

// The picture drawn for the device scale of `design` (null when the pixels enlarged serve).
QImage pictureAtDeviceScale(const DesignPicture& picture, const canvas::Surface& design);
// Puts the picture under the design as `design`'s device scale shows it.
void showPicture(canvas::Surface& design, const DesignPicture& picture);
// A picture imported under `options`: line art keeps its lines at the picture's own resolution,
// colour keeps its pixels only.
DesignPicture importedPicture(const QImage& source, const LineArtOptions& options);

// A picture put under the design (a pad load or an imported image): the record's picture shows
// on the background colour.
struct PictureSource {
    enum class Origin { Pad, Import };
    Origin origin = Origin::Pad;
    bool operator==(const PictureSource&) const = default;
};
// A catalogue figure by its control name, drawn with a pen of lineWidth.
struct CatalogueSource {
    QString figure;
    int lineWidth = 1;
    bool operator==(const CatalogueSource&) const = default;
};
// An advanced pattern with the values it drew, drawn with a pen of lineWidth.
struct AdvancedSource {
    patterns::AdvancedFigure figure;
    int lineWidth = 1;
    bool operator==(const AdvancedSource&) const = default;
};
using DesignSource = std::variant<OpeningSource, PictureSource, CatalogueSource, AdvancedSource>;

// A press at a design pixel, filled with the colour it got. A Wrap press keeps the repeat it
// followed in `seams` and fills the regions of the design as drawn (drawnDesign); one kept
// without it, as before presses carried their repeat, follows the straight seams through the
// colours the design showed.
struct PressChange {
    QPoint pixel;
    canvas::Colour colour = 0;
    FillScope scope = FillScope::Region;
    Symmetry symmetry = Symmetry::None;
    std::optional<tiling::Repeat> seams{};
    bool operator==(const PressChange&) const = default;
};
// Every pixel of one colour became another.
struct ReplaceChange {
    QRgb from = 0;
    QRgb to = 0;
    bool operator==(const ReplaceChange&) const = default;
};
// A colourway chosen as the design: each colour of the mapping mapped at once, or, when `picture`
// is not null, the design's pixels (142 x 142) replaced by it.
struct ColourwayChange {
    std::vector<std::pair<QRgb, QRgb>> mapping;
    QImage picture{};
    bool operator==(const ColourwayChange&) const = default;
};
// 清空主图: the picture goes, the design shows its background colour.
struct ClearPictureChange {
    bool operator==(const ClearPictureChange&) const = default;
};
// A drawn stroke (strokes.h): its pixels take its colour and bound the regions of later presses.
using DesignChange =
    std::variant<PressChange, ReplaceChange, ColourwayChange, ClearPictureChange, StrokeChange>;

struct DesignRecord {
    canvas::Colour background = 0; // the canvas's background colour when the source was drawn
    DesignPicture picture;         // the picture under the design then
    DesignSource source;
    std::vector<DesignChange> changes;
    bool operator==(const DesignRecord&) const = default;

    // The picture under the design after every change (none after 清空主图).
    DesignPicture shownPicture() const;

    // A new record whose source has just been drawn on `design`, which still holds the canvas
    // state the source started from (background colour and picture); the picture keeps the
    // drawing it had in `before`, the record of that state.
    static DesignRecord startedBy(const DesignRecord& before, const canvas::Surface& design,
                                  DesignSource source);
};

// What a long drawing reports and obeys: `progress` (may be empty) hears (steps done, steps in
// all) after each step; a set `*cancel` (may be null) stops it before the next step or band.
struct DrawingControl {
    std::function<void(int done, int total)> progress;
    const std::atomic<bool>* cancel = nullptr;

    bool stopped() const { return cancel != nullptr && cancel->load(std::memory_order_relaxed); }
    canvas::StopRequest stopRequest() const {
        return [this] { return stopped(); };
    }
};

// Draws the record on a design canvas as it is set up (colouring::designCanvasSetup(), any device
// scale). At device scale 1 the result is the design's pixels exactly. Above it, the record is
// drawn at scale 1 in step, and each press fills the pixels of the region it filled there
// (fillGuided), so a press colours the same regions at every scale. The source and each change
// are a step of `control`, counted out of `extraSteps` more; false when it was stopped, the
// drawing then left half done.
bool rebuildDesign(const DesignRecord& record, canvas::Surface& design,
                   const DrawingControl& control = {}, int extraSteps = 0);

// A change drawn onto a design canvas that already shows the record before it. A press that
// fills the regions as drawn fills those of the canvas's colours here: rebuildDesign, which keeps
// the drawing beside, replays it exactly.
void applyChange(const DesignChange& change, canvas::Surface& design);

// The design as drawn, at device scale 1: the record's source, strokes and 清空主图 without its
// presses and recolourings. Regions of one colour here are what a seam fill colours whole. The
// last one made is kept, so presses on one drawing draw it once.
QImage drawnDesign(const DesignRecord& record);

// A press as the window and pattern-render make one: filled under `options`, and recorded at the
// design pixel it lands on (pressedPixel) when it lands on the canvas; off it nothing is filled and
// nothing recorded. A Wrap press fills the regions of the record's drawnDesign and keeps its
// repeat. Returns the colour the press drew.
canvas::Colour pressAndRecord(canvas::Surface& design, DesignRecord& record, float x, float y,
                              const PressOptions& options, canvas::RandomSource& random);

} // namespace colouring
