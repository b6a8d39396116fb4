// Design documents near a valid one: a few bytes of a document with every kind of source and
// change overwritten, inserted or cut. Reading must never crash; whatever it accepts must write
// back to the same document and redraw at any scale.
#include "fuzz_input.h"
#include "workflow/design_document.h"
#include "workflow/sharp_render.h"
#include "workflow/surfaces.h"

#include <QGuiApplication>
#include <cstdlib>

namespace {

QByteArray validDocument() {
    workflow::DesignDocument document;
    document.title = QStringLiteral("设计钻石格子");
    document.lineWidth = QStringLiteral("2");
    document.tileSize = QStringLiteral("80");
    QImage picture(6, 4, QImage::Format_RGB32);
    picture.fill(0xFF102030);
    workflow::DesignRecord& record = document.record;
    record.picture = picture;
    record.background = 0x445CAE;
    patterns::AdvancedFigure figure{
        patterns::AdvancedShape::Polygon, 660, 660, 900, 900, 0x102030, 7, 1, 0x0000FF, true};
    record.source = workflow::AdvancedSource{figure, 2};
    record.changes = {
        workflow::PressChange{
            {70, 70}, 0x00FF00, workflow::FillScope::Wrap, workflow::Symmetry::Eight},
        workflow::ReplaceChange{0xFF000000, 0xFF00FF00},
        workflow::ColourwayChange{{{0xFF00FF00, 0xFF0000FF}, {0xFF0000FF, 0xFF00FF00}}},
        workflow::ClearPictureChange{},
        workflow::PressChange{
            {3, 140}, 0x123456, workflow::FillScope::Global, workflow::Symmetry::TopBottom},
    };
    return workflow::writeDesignDocument(document);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "design-document-fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    static const QByteArray valid = validDocument();
    FuzzInput in(data, size);
    QByteArray bytes = valid;
    const int edits = in.byte() % 8;
    for (int i = 0; i < edits && !bytes.isEmpty(); ++i) {
        const qsizetype at = qsizetype(in.u32() % std::uint32_t(bytes.size()));
        const char value = char(in.byte());
        switch (in.byte() % 3) {
        case 0:
            bytes[at] = value;
            break;
        case 1:
            bytes.insert(at, value);
            break;
        default:
            bytes.remove(at, 1 + in.byte() % 16);
            break;
        }
    }
    const workflow::DocumentReading reading = workflow::readDesignDocument(bytes);
    if (!reading.document) {
        if (reading.message.isEmpty()) {
            std::abort();
        }
        return 0;
    }
    const workflow::DocumentReading again =
        workflow::readDesignDocument(workflow::writeDesignDocument(*reading.document));
    if (!again.document || !(*again.document == *reading.document)) {
        std::abort();
    }
    canvas::Surface design(workflow::designCanvasSetup());
    workflow::rebuildDesign(reading.document->record, design);
    workflow::renderSharpTile(reading.document->record, design.imageRef(), {355, 355});
    return 0;
}
