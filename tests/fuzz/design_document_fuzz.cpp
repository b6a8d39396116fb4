// Design documents near a valid one: a few bytes of one of the seeds (a compact document with
// every kind of change, an indented version 1 document, a picture source with a colourway kept as
// a picture) overwritten, inserted or cut. Reading must never crash; whatever it accepts must write
// back to the same document and redraw at any scale.
#include "colouring/surfaces.h"
#include "design/design_document.h"
#include "fuzz_input.h"
#include "print/sharp_render.h"

#include <QJsonDocument>
#include <cstdlib>

namespace {

QByteArray compactDocument() {
    using namespace colouring;
    using namespace design;
    DesignDocument document;
    document.title = QStringLiteral("设计钻石格子");
    document.lineWidth = QStringLiteral("2");
    document.tileSize = QStringLiteral("80");
    DesignRecord& record = document.record;
    record.picture.pixels = QImage(6, 4, QImage::Format_RGB32);
    record.picture.pixels.fill(0xFF102030);
    record.background = 0x445CAE;
    record.source = AdvancedSource{
        {patterns::AdvancedShape::Polygon, 660, 660, 900, 900, 0x102030, 7, 1, 0x0000FF, true}, 2};
    record.changes = {
        PressChange{{70, 70}, 0x00FF00, FillScope::Wrap, Symmetry::Eight},
        ReplaceChange{0xFF000000, 0xFF00FF00},
        ColourwayChange{{{0xFF00FF00, 0xFF0000FF}, {0xFF0000FF, 0xFF00FF00}}},
        ClearPictureChange{},
        PressChange{{3, 140}, 0x123456, FillScope::Global, Symmetry::TopBottom},
        StrokeChange{StrokeKind::Ellipse, {{10, 20}, {60.5, 90}}, 3, 0x804020},
    };
    return writeDesignDocument(document);
}

// A picture source, and a colourway kept as the design's pixels after it.
QByteArray pictureDocument() {
    QImage picture(142, 142, QImage::Format_RGB32);
    picture.fill(0xFF203040);
    const colouring::ColourwayChange mirrored{{}, picture.mirrored()};
    const colouring::DesignRecord record{0, {picture}, colouring::PictureSource{}, {mirrored}};
    return design::writeDesignDocument({record, {}, {}, {}, {}});
}

// As version 1 wrote it: indented, a colourway as a list of colour pairs.
QByteArray indentedDocument() {
    return QJsonDocument::fromJson(R"({"format": "chengchuan-pattern-design", "version": 1,
        "background": "#445CAE", "source": {"kind": "opening", "colour": "#A2C859"},
        "changes": [{"kind": "colourway", "mapping": [["#445CAE", "#0000FF"]]}]})")
        .toJson(QJsonDocument::Indented);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ensureGuiApplication();
    static const QByteArray seeds[] = {compactDocument(), indentedDocument(), pictureDocument()};
    FuzzInput in{data, data + size};
    QByteArray bytes = seeds[in.byte() % std::size(seeds)];
    for (int edits = in.byte() % 8; edits > 0 && !bytes.isEmpty(); --edits) {
        const qsizetype at = qsizetype(in.u32() % std::uint32_t(bytes.size()));
        const char value = char(in.byte());
        // Overwrite one byte, insert one or cut up to 16.
        const int kind = in.byte() % 3;
        const qsizetype cut = kind == 0 ? 1 : kind == 1 ? 0 : 1 + in.byte() % 16;
        bytes.replace(at, cut, kind == 2 ? QByteArray() : QByteArray(1, value));
    }
    const design::DocumentReading reading = design::readDesignDocument(bytes);
    if (!reading.document) {
        if (reading.message.isEmpty()) {
            std::abort();
        }
        return 0;
    }
    const design::DocumentReading again =
        design::readDesignDocument(design::writeDesignDocument(*reading.document));
    if (!again.document || !(*again.document == *reading.document)) {
        std::abort();
    }
    canvas::Surface design(colouring::designCanvasSetup());
    colouring::rebuildDesign(reading.document->record, design);
    print::renderSharpTile(reading.document->record, design.imageRef(), {355, 355});
    return 0;
}
