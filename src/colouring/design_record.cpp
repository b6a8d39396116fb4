#include "design_record.h"

#include "canvas/raster.h"
#include "colouring.h"
#include "patterns/catalogue.h"

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

struct ChangeDrawer {
    canvas::Surface& design;

    void operator()(const PressChange& press) const {
        // A chosen colour draws nothing from the random source.
        canvas::RandomSource unused;
        pressDesign(design, float(press.pixel.x()), float(press.pixel.y()),
                    {ColourRule::Chosen, press.colour, press.scope, press.symmetry}, unused);
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

DesignRecord DesignRecord::startedBy(const canvas::Surface& design, DesignSource source) {
    return {design.backColor(), design.picture(), std::move(source), {}};
}

bool rebuildDesign(const DesignRecord& record, canvas::Surface& design,
                   const DrawingControl& control, int extraSteps) {
    const int steps = int(record.changes.size()) + 1 + extraSteps;
    auto stepDone = [&](int done) {
        if (control.progress) {
            control.progress(done, steps);
        }
        return !control.stopped();
    };
    design.setBackColor(record.background);
    design.setPicture(record.picture);
    std::visit(SourceDrawer{design}, record.source);
    if (!stepDone(1)) {
        return false;
    }
    for (std::size_t i = 0; i < record.changes.size(); ++i) {
        applyChange(record.changes[i], design);
        if (!stepDone(int(i) + 2)) {
            return false;
        }
    }
    return true;
}

void applyChange(const DesignChange& change, canvas::Surface& design) {
    std::visit(ChangeDrawer{design}, change);
}

canvas::Colour pressAndRecord(canvas::Surface& design, DesignRecord& record, float x, float y,
                              const PressOptions& options, canvas::RandomSource& random) {
    const std::optional<QPoint> pixel = pressedPixel(design, x, y);
    const canvas::Colour colour = pressDesign(design, x, y, options, random);
    if (pixel) {
        record.changes.emplace_back(std::in_place_type<PressChange>, *pixel, colour, options.scope,
                                    options.symmetry);
    }
    return colour;
}

} // namespace colouring
