#include "design_record.h"

#include "canvas/raster.h"
#include "colouring.h"
#include "guided_fill.h"
#include "patterns/catalogue.h"
#include "surfaces.h"

#include <algorithm>
#include <mutex>

namespace colouring {
namespace {

void fillWhole(canvas::Surface& design, canvas::Colour colour) {
    std::vector<canvas::Span> rows;
    for (int y = 0; y < design.clientPixelHeight(); ++y) {
        rows.push_back({y, 0, design.clientPixelWidth() - 1});
    }
    design.fillSpans(rows, colour);
}

struct SourceDrawer {
    canvas::Surface& design;

    void operator()(const OpeningSource& source) const { fillWhole(design, source.colour); }
    void operator()(const PictureSource&) const {}
    void operator()(const CatalogueSource& source) const {
        if (const patterns::Figure* figure = patterns::findFigure(source.figure)) {
            std::int16_t savedFillStyle = 0;
            patterns::drawCatalogueFigure(design, *figure, QString::number(source.lineWidth), {},
                                          savedFillStyle);
        }
    }
    void operator()(const AdvancedSource& source) const {
        design.setDrawWidth(std::int16_t(source.lineWidth));
        patterns::drawAdvancedFigure(design, source.figure);
    }
};

PressOptions pressOptions(const PressChange& press) {
    return {ColourRule::Chosen, press.colour, press.scope, press.symmetry,
            press.seams.value_or(tiling::Repeat::Straight)};
}

bool isSeamPress(const DesignChange& change) {
    const auto* press = std::get_if<PressChange>(&change);
    return press != nullptr && press->scope == FillScope::Wrap && press->seams;
}

// The changes that draw rather than colour: what bounds the regions.
bool isDrawing(const DesignChange& change) {
    return std::holds_alternative<StrokeChange>(change) ||
           std::holds_alternative<ClearPictureChange>(change);
}

struct ChangeDrawer {
    canvas::Surface& design;

    void operator()(const PressChange& press) const {
        // A chosen colour draws nothing from the random source.
        canvas::RandomSource unused;
        pressDesign(design, float(press.pixel.x()), float(press.pixel.y()), pressOptions(press),
                    unused);
    }
    void operator()(const ReplaceChange& replace) const {
        replaceColour(design, replace.from, replace.to);
    }
    void operator()(const ColourwayChange& colourway) const {
        canvas::SurfaceSnapshot recoloured = design.snapshot();
        recoloured.image = colourway.picture.isNull()
                               ? applyColourway(recoloured.image, colourway.mapping)
                               : canvas::enlargeByBlocks(colourway.picture, design.deviceScale())
                                     .convertToFormat(recoloured.image.format());
        design.restore(recoloured);
    }
    void operator()(const ClearPictureChange&) const { clearDesignPicture(design); }
    void operator()(const StrokeChange& stroke) const { drawStroke(design, stroke); }
};

} // namespace

struct PictureDrawer {
    const canvas::Surface& design;

    QImage operator()(std::monostate) const { return {}; }
    QImage operator()(const LineArtDrawing& lineArt) const {
        return drawLineArt(lineArt, design.imageRef().size(), design.deviceScale());
    }
    QImage operator()(const pads::PadDrawing& drawing) const {
        return pads::padDrawingPicture(drawing, design.deviceScale());
    }
};

DesignPicture padPicture(const QImage& pixels, const pads::PadDrawing& drawing) {
    if (!drawing.complete) {
        return {pixels};
    }
    return {pixels, drawing};
}

QImage pictureAtDeviceScale(const DesignPicture& picture, const canvas::Surface& design) {
    if (picture.pixels.isNull() || design.deviceScale() == 1) {
        return {};
    }
    return std::visit(PictureDrawer{design}, picture.drawing);
}

void showPicture(canvas::Surface& design, const DesignPicture& picture) {
    design.setPicture(picture.pixels, pictureAtDeviceScale(picture, design));
}

DesignPicture importedPicture(const QImage& source, const LineArtOptions& options) {
    if (!options.lineArt) {
        return {makeLineArt(source, options)};
    }
    LineArtDrawing lineArt =
        traceLineArt(source, options.fit, options.threshold, options.background, options.size);
    QImage pixels = drawLineArt(lineArt, options.size, 1);
    return {std::move(pixels), std::move(lineArt)};
}

DesignPicture DesignRecord::shownPicture() const {
    const bool cleared =
        std::any_of(changes.begin(), changes.end(), [](const DesignChange& change) {
            return std::holds_alternative<ClearPictureChange>(change);
        });
    return cleared ? DesignPicture{} : picture;
}

DesignRecord DesignRecord::startedBy(const DesignRecord& before, const canvas::Surface& design,
                                     DesignSource source) {
    DesignPicture picture = before.shownPicture();
    if (picture.pixels != design.picture()) {
        // The canvas shows a picture the record does not know how to draw: keep its pixels.
        picture = {design.picture(), {}};
    }
    return {design.backColor(), std::move(picture), std::move(source), {}};
}

namespace {

void drawSource(const DesignRecord& record, canvas::Surface& design) {
    design.setBackColor(record.background);
    showPicture(design, record.picture);
    std::visit(SourceDrawer{design}, record.source);
}

// The design as drawn beside a rebuild, for the presses that fill its regions: at scale 1 and at
// the device scale of the canvas rebuilt (when above 1).
struct DrawnCanvases {
    canvas::Surface atScaleOne{designCanvasSetup()};
    std::optional<canvas::Surface> atDevice;

    DrawnCanvases(const DesignRecord& record, double deviceScale) {
        drawSource(record, atScaleOne);
        if (deviceScale > 1) {
            canvas::SurfaceSetup setup = designCanvasSetup();
            setup.deviceScale = deviceScale;
            drawSource(record, atDevice.emplace(setup));
        }
    }
    void draw(const DesignChange& change) {
        applyChange(change, atScaleOne);
        if (atDevice) {
            applyChange(change, *atDevice);
        }
    }
};

// A press on a canvas of device scale above 1, with `guide`, the same design at scale 1: at each
// pixel the press fills there, the region it fills on the guide fills on the design as
// fillGuided does; a fill of every pixel of a colour takes the colour the guide shows. A press
// that fills the regions as drawn finds them on `drawn`.
void pressGuided(const PressChange& press, canvas::Surface& design, canvas::Surface& guide,
                 const DrawnCanvases* drawn) {
    design.setFillColor(press.colour);
    guide.setFillColor(press.colour);
    if (guide.fillStyle() != canvas::kFillSolid) {
        return;
    }
    const QRgb brush = canvas::toPixel(press.colour);
    for (const QPoint pixel : symmetricPixels(press.pixel, press.symmetry, guide.designSize())) {
        if (drawn != nullptr) {
            const CellRegion region = regionCells(drawn->atScaleOne.imageRef(), pixel, press.seams);
            design.fillSpans(guidedSpans(*drawn->atDevice, drawn->atScaleOne.imageRef(), region),
                             press.colour);
            guide.fillSpans(region.spans(), press.colour);
            continue;
        }
        const QRgb under = guide.imageRef().pixel(pixel) | 0xFF000000u;
        if (under == brush) {
            continue;
        }
        if (press.scope == FillScope::Global) {
            replaceColour(design, under, brush);
            replaceColour(guide, under, brush);
            continue;
        }
        const CellRegion region =
            regionCells(guide.imageRef(), pixel,
                        press.scope == FillScope::Wrap ? std::optional(tiling::Repeat::Straight)
                                                       : std::nullopt);
        fillGuided(design, guide.imageRef(), region, press.colour);
        guide.fillSpans(region.spans(), press.colour);
    }
}

} // namespace

bool rebuildDesign(const DesignRecord& record, canvas::Surface& design,
                   const DrawingControl& control, int extraSteps) {
    const int steps = int(record.changes.size()) + 1 + extraSteps;
    auto stepDone = [&](int done) {
        if (control.progress) {
            control.progress(done, steps);
        }
        return !control.stopped();
    };
    drawSource(record, design);
    std::optional<canvas::Surface> guide;
    if (design.deviceScale() > 1) {
        guide.emplace(designCanvasSetup());
        drawSource(record, *guide);
    }
    std::optional<DrawnCanvases> drawn;
    if (std::any_of(record.changes.begin(), record.changes.end(), isSeamPress)) {
        drawn.emplace(record, design.deviceScale());
    }
    if (!stepDone(1)) {
        return false;
    }
    for (std::size_t i = 0; i < record.changes.size(); ++i) {
        const DesignChange& change = record.changes[i];
        const auto* press = std::get_if<PressChange>(&change);
        const DrawnCanvases* regions = isSeamPress(change) ? &*drawn : nullptr;
        if (press && guide) {
            pressGuided(*press, design, *guide, regions);
        } else if (press && regions) {
            canvas::RandomSource unused;
            pressDesign(design, float(press->pixel.x()), float(press->pixel.y()),
                        pressOptions(*press), unused, regions->atScaleOne.imageRef());
        } else {
            applyChange(change, design);
            if (guide) {
                applyChange(change, *guide);
            }
            if (drawn && isDrawing(change)) {
                drawn->draw(change);
            }
        }
        if (!stepDone(int(i) + 2)) {
            return false;
        }
    }
    return true;
}

void applyChange(const DesignChange& change, canvas::Surface& design) {
    std::visit(ChangeDrawer{design}, change);
}

QImage drawnDesign(const DesignRecord& record) {
    DesignRecord drawing{record.background, record.picture, record.source, {}};
    std::copy_if(record.changes.begin(), record.changes.end(), std::back_inserter(drawing.changes),
                 isDrawing);
    static std::mutex guard;
    static DesignRecord lastDrawing;
    static QImage lastDrawn;
    const std::lock_guard lock(guard);
    if (lastDrawn.isNull() || drawing != lastDrawing) {
        canvas::Surface drawn(designCanvasSetup());
        rebuildDesign(drawing, drawn);
        lastDrawn = drawn.image();
        lastDrawing = std::move(drawing);
    }
    return lastDrawn;
}

canvas::Colour pressAndRecord(canvas::Surface& design, DesignRecord& record, float x, float y,
                              const PressOptions& options, canvas::RandomSource& random) {
    const std::optional<QPoint> pixel = pressedPixel(design, x, y);
    const bool seams = options.scope == FillScope::Wrap;
    const canvas::Colour colour =
        pressDesign(design, x, y, options, random, seams ? drawnDesign(record) : QImage());
    if (pixel) {
        record.changes.emplace_back(
            PressChange{*pixel, colour, options.scope, options.symmetry,
                        seams ? std::optional(options.repeat) : std::nullopt});
    }
    return colour;
}

} // namespace colouring
