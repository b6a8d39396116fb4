// Design documents near a valid one: a few bytes of a document with every kind of source and
// change overwritten, inserted or cut. Reading must never crash; whatever it accepts must write
// back to the same document and redraw at any scale.
#include "fuzz_input.h"
#include "workflow/design_document.h"
#include "workflow/sharp_render.h"
#include "workflow/surfaces.h"

#include <cstdlib>

namespace {

QByteArray validDocument() {
    using namespace workflow;
    DesignDocument document;
    document.title = QStringLiteral("设计钻石格子");
    document.lineWidth = QStringLiteral("2");
    document.tileSize = QStringLiteral("80");
    DesignRecord& record = document.record;
    record.picture = QImage(6, 4, QImage::Format_RGB32);
    record.picture.fill(0xFF102030);
    record.background = 0x445CAE;
    record.source = AdvancedSource{
        {patterns::AdvancedShape::Polygon, 660, 660, 900, 900, 0x102030, 7, 1, 0x0000FF, true}, 2};
    record.changes = {
        PressChange{{70, 70}, 0x00FF00, FillScope::Wrap, Symmetry::Eight},
        ReplaceChange{0xFF000000, 0xFF00FF00},
        ColourwayChange{{{0xFF00FF00, 0xFF0000FF}, {0xFF0000FF, 0xFF00FF00}}},
        ClearPictureChange{},
        PressChange{{3, 140}, 0x123456, FillScope::Global, Symmetry::TopBottom},
    };
    return writeDesignDocument(document);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ensureGuiApplication();
    static const QByteArray valid = validDocument();
    FuzzInput in{data, data + size};
    QByteArray bytes = valid;
    for (int edits = in.byte() % 8; edits > 0 && !bytes.isEmpty(); --edits) {
        const qsizetype at = qsizetype(in.u32() % std::uint32_t(bytes.size()));
        const char value = char(in.byte());
        // Overwrite one byte, insert one or cut up to 16.
        const int kind = in.byte() % 3;
        const qsizetype cut = kind == 0 ? 1 : kind == 1 ? 0 : 1 + in.byte() % 16;
        bytes.replace(at, cut, kind == 2 ? QByteArray() : QByteArray(1, value));
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
