#include "design_model.h"

#include "colouring/colouring.h"
#include "colouring/surfaces.h"
#include "patterns/advanced.h"
#include "patterns/catalogue.h"

namespace design {

DesignModel::DesignModel(canvas::RandomSource& random, QObject* parent)
    : QObject(parent), random_(random), canvas_(colouring::designCanvasSetup()) {}

void DesignModel::showOpening(const QString& title) {
    // The blank effect view tiled over the design: its back colour everywhere. One pixel of it,
    // stretched, spares the start-up a picture of the view's size.
    QImage blankPixel(1, 1, QImage::Format_RGB32);
    blankPixel.fill(canvas::toPixel(colouring::effectViewSetup().backColor));
    canvas_.paintPicture(blankPixel, 0, 0, canvas_.scaleWidth(), canvas_.scaleHeight());
    canvas_.setScaleMode(canvas::ScaleMode::Pixels);
    record_ = colouring::DesignRecord::startedBy(
        record_, canvas_,
        colouring::OpeningSource{canvas::fromPixel(canvas_.imageRef().pixel(0, 0))});
    title_ = title;
}

DesignState DesignModel::state() const {
    return {canvas_.snapshot(), title_, record_};
}

void DesignModel::pushUndoStep() {
    endPreview();
    history_.record(state());
}

void DesignModel::endPreview() {
    if (underPreview_) {
        canvas_.restore(*underPreview_);
        underPreview_.reset();
    }
}

void DesignModel::show(const DesignState& state) {
    canvas_.restore(state.canvas);
    title_ = state.title;
    record_ = state.record;
    emit changed();
}

void DesignModel::drawFigure(const QString& controlName, const QString& caption) {
    const patterns::Figure* figure = patterns::findFigure(controlName);
    if (figure == nullptr) {
        return;
    }
    pushUndoStep();
    title_ = patterns::drawCatalogueFigure(canvas_, *figure, lineWidth_, caption, savedFillStyle_);
    record_ = colouring::DesignRecord::startedBy(
        record_, canvas_, colouring::CatalogueSource{controlName, canvas_.drawWidth()});
    emit changed();
}

void DesignModel::drawAdvanced(int array, int index, int category) {
    pushUndoStep();
    const int penWidth = canvas_.drawWidth();
    patterns::AdvancedFigure figure;
    title_ = patterns::drawAdvancedPattern(canvas_, array, index, category, lineWidth_, random_,
                                           &figure);
    record_ = colouring::DesignRecord::startedBy(record_, canvas_,
                                                 colouring::AdvancedSource{figure, penWidth});
    emit changed();
}

void DesignModel::press(float x, float y) {
    pushUndoStep();
    colouring::PressOptions options = pressOptions_;
    options.repeat = repeat_;
    colouring::pressAndRecord(canvas_, record_, x, y, options, random_);
    emit changed();
}

std::vector<colouring::SeamBreak> DesignModel::seamBreaks() const {
    return colouring::seamBreaks(canvas_.imageRef(), colouring::drawnDesign(record_), repeat_);
}

void DesignModel::unifySeams() {
    const std::vector<colouring::SeamBreak> breaks = seamBreaks();
    if (breaks.empty()) {
        return;
    }
    pushUndoStep();
    for (const colouring::SeamBreak& broken : breaks) {
        const colouring::PressOptions options{
            colouring::ColourRule::Chosen, canvas::fromPixel(broken.largestColour),
            colouring::FillScope::Wrap, colouring::Symmetry::None, repeat_};
        colouring::pressAndRecord(canvas_, record_, float(broken.pixel.x()),
                                  float(broken.pixel.y()), options, random_);
    }
    emit changed();
}

void DesignModel::applyChange(const colouring::DesignChange& change) {
    pushUndoStep();
    colouring::applyChange(change, canvas_);
    record_.changes.push_back(change);
    emit changed();
}

void DesignModel::mapColours(const colouring::ColourMapping& mapping) {
    colouring::ColourwayChange change = recordedColourway(canvas_.imageRef(), mapping);
    if (!change.mapping.empty() || !change.picture.isNull()) {
        applyChange(std::move(change));
    }
}

void DesignModel::drawStroke(const colouring::StrokeChange& stroke) {
    if (!stroke.points.empty()) {
        applyChange(colouring::keptStroke(stroke));
    }
}

void DesignModel::previewStroke(const colouring::StrokeChange& stroke) {
    if (underPreview_) {
        canvas_.restore(*underPreview_);
    } else {
        underPreview_ = canvas_.snapshot();
    }
    colouring::drawStroke(canvas_, colouring::keptStroke(stroke));
    emit changed();
}

void DesignModel::chooseColourway(const colouring::Colourway& way) {
    const QImage picture = way.image.convertToFormat(QImage::Format_RGB32);
    if (colouring::applyColourway(canvas_.imageRef(), way.mapping) == picture) {
        applyChange(recordedColourway(canvas_.imageRef(), way.mapping));
        return;
    }
    // The design changed since the colourway was drawn from it: the record keeps its picture.
    pushUndoStep();
    colouring::chooseColourway(canvas_, way);
    record_ = {canvas_.backColor(), {picture, {}}, colouring::PictureSource{}, {}};
    emit changed();
}

void DesignModel::loadPicture(const colouring::DesignPicture& picture, const QString& title,
                              colouring::PictureSource::Origin origin) {
    pushUndoStep();
    colouring::showPicture(canvas_, picture);
    title_ = title;
    record_ = {canvas_.backColor(), picture, colouring::PictureSource{origin}, {}};
    emit changed();
}

void DesignModel::importLineArt(const QImage& source, const colouring::LineArtOptions& options,
                                const QString& title) {
    loadPicture(colouring::importedPicture(source, options), title,
                colouring::PictureSource::Origin::Import);
}

void DesignModel::clearPicture() {
    pushUndoStep();
    colouring::clearDesignPicture(canvas_);
    record_.changes.emplace_back(std::in_place_type<colouring::ClearPictureChange>);
    emit changed();
}

void DesignModel::undo() {
    endPreview();
    if (const auto previous = history_.undo(state())) {
        show(*previous);
    }
}

void DesignModel::redo() {
    endPreview();
    if (const auto next = history_.redo(state())) {
        show(*next);
    }
}

DesignDocument DesignModel::document() const {
    return {record_, title_, lineWidth_, tileSize_, repeat_};
}

void DesignModel::showDocument(const DesignDocument& document) {
    pushUndoStep();
    colouring::rebuildDesign(document.record, canvas_);
    record_ = document.record;
    title_ = document.title;
    for (const auto& [text, kept] :
         {std::pair{&lineWidth_, document.lineWidth}, std::pair{&tileSize_, document.tileSize}}) {
        if (!kept.isEmpty()) {
            *text = kept;
        }
    }
    emit changed();
}

files::SaveOutcome DesignModel::saveDocument(const QByteArray& nativePath) const {
    return saveDesignDocument(document(), nativePath);
}

DocumentReading DesignModel::shown(DocumentReading reading) {
    if (reading.document) {
        showDocument(*reading.document);
    }
    return reading;
}

DocumentReading DesignModel::openDocument(const QString& path) {
    return shown(openDesignDocument(path));
}

DocumentReading DesignModel::openDocument(const QByteArray& nativePath) {
    return shown(openDesignDocument(nativePath));
}

print::SharpTile DesignModel::renderSharpTile(QSize size,
                                              const colouring::DrawingControl& control) const {
    return print::renderSharpTile(record_, canvas_.image(), size, control);
}

} // namespace design
