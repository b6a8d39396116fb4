// Design documents and sharp print tiles: saving and opening a document of 200 presses and one of
// imported line art, a sharp 20 cm tile at 300 dpi with its check, 10 x tiles of a design of
// strokes and of a figure pad's design, and an A4 page of sharp 5 cm tiles against the same page
// of tiles enlarged with nearest pixels.
#include "canvas/raster.h"
#include "colouring/colouring.h"
#include "colouring/surfaces.h"
#include "design/design_document.h"
#include "design/design_model.h"
#include "pads/figures.h"
#include "pads/pad_setup.h"
#include "print/print_engine.h"
#include "print/sharp_render.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// "彩色太极" with `presses` presses of every scope and symmetry spread over the canvas.
colouring::DesignRecord pressedRecord(int presses) {
    canvas::Surface design(colouring::designCanvasSetup());
    colouring::DesignRecord record =
        colouring::DesignRecord::startedBy({}, design, colouring::CatalogueSource{"Command55", 2});
    for (int i = 0; i < presses; ++i) {
        const QPoint pixel((i * 37 + 11) % 142, (i * 53 + 29) % 142);
        record.changes.emplace_back(std::in_place_type<colouring::PressChange>, pixel,
                                    canvas::rgbColour(i * 7 % 235, i * 13 % 235, i * 29 % 235),
                                    colouring::FillScope(i % 3), colouring::Symmetry(i % 5));
    }
    return record;
}

design::DesignDocument pressedDocument(int presses) {
    return {pressedRecord(presses), QStringLiteral("设计彩色太极"), QStringLiteral("2"),
            QStringLiteral("80"), tiling::Repeat::Straight};
}

void BM_SaveDesignDocument(benchmark::State& state) {
    const QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("design.ccpat")));
    const design::DesignDocument document = pressedDocument(int(state.range(0)));
    for (auto _ : state) {
        if (!design::saveDesignDocument(document, path).saved) {
            state.SkipWithError("the document was not written");
        }
    }
}
BENCHMARK(BM_SaveDesignDocument)->UseRealTime()->Arg(200)->Unit(benchmark::kMillisecond);

// Reading, checking and rebuilding the design's pixels, as the window opens a document.
void openAsTheWindowDoes(benchmark::State& state, const QString& path) {
    for (auto _ : state) {
        const design::DocumentReading reading = design::openDesignDocument(path);
        if (!reading.document) {
            state.SkipWithError("the document was not read");
            break;
        }
        canvas::Surface design(colouring::designCanvasSetup());
        colouring::rebuildDesign(reading.document->record, design);
        benchmark::DoNotOptimize(design.imageRef().constBits());
    }
}

void BM_OpenDesignDocument(benchmark::State& state) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("design.ccpat"));
    design::saveDesignDocument(pressedDocument(int(state.range(0))), QFile::encodeName(path));
    openAsTheWindowDoes(state, path);
}
BENCHMARK(BM_OpenDesignDocument)->UseRealTime()->Arg(200)->Unit(benchmark::kMillisecond);

// A 4000 x 4000 drawing imported as line art (400 anti-aliased rings and strokes) with 20
// presses: its document's size (the "MB" counter) and the time to open it as the window does.
void BM_OpenLineArtDocument(benchmark::State& state) {
    QImage drawing(4000, 4000, QImage::Format_RGB32);
    drawing.fill(Qt::white);
    {
        QPainter painter(&drawing);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 4));
        for (int i = 0; i < 400; ++i) {
            const QPointF centre((i * 977) % 4000, (i * 1543) % 4000);
            if (i % 2 == 0) {
                painter.drawEllipse(centre, 40 + (i * 37) % 400, 40 + (i * 53) % 400);
            } else {
                painter.drawLine(centre, QPointF((i * 613) % 4000, (i * 389) % 4000));
            }
        }
    }
    colouring::LineArtOptions options;
    options.background = canvas::toPixel(colouring::designCanvasSetup().backColor);
    design::DesignDocument document{
        {colouring::designCanvasSetup().backColor,
         colouring::importedPicture(drawing, options),
         colouring::PictureSource{colouring::PictureSource::Origin::Import},
         {}},
        QStringLiteral("设计导入线稿"),
        {},
        {},
        tiling::Repeat::Straight};
    for (int i = 0; i < 20; ++i) {
        document.record.changes.emplace_back(std::in_place_type<colouring::PressChange>,
                                             QPoint((i * 37 + 11) % 142, (i * 53 + 29) % 142),
                                             canvas::rgbColour(i * 11, 90, 160));
    }
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("line-art.ccpat"));
    design::saveDesignDocument(document, QFile::encodeName(path));
    state.counters["MB"] = double(QFile(path).size()) / (1024.0 * 1024.0);
    openAsTheWindowDoes(state, path);
}
BENCHMARK(BM_OpenLineArtDocument)->UseRealTime()->Unit(benchmark::kMillisecond);

QImage designOf(const colouring::DesignRecord& record) {
    canvas::Surface design(colouring::designCanvasSetup());
    colouring::rebuildDesign(record, design);
    return design.image();
}

// A 20 cm tile at 300 dpi, the block check included. Arg: presses.
void BM_SharpTile(benchmark::State& state) {
    const colouring::DesignRecord record = pressedRecord(int(state.range(0)));
    const QImage design = designOf(record);
    for (auto _ : state) {
        const print::SharpTile tile = print::renderSharpTile(record, design, {2362, 2362});
        if (!tile.sharp) {
            state.SkipWithError("the tile fell back");
        }
        benchmark::DoNotOptimize(tile.image.constBits());
    }
}
BENCHMARK(BM_SharpTile)->UseRealTime()->Arg(0)->Arg(30)->Unit(benchmark::kMillisecond);

// "彩色太极" with three strokes of each kind across it and a press after each, as a 10 x tile (a
// 12 cm tile at 300 dpi). The counters say how many blocks agree and whether the tile differs
// from the design enlarged with nearest pixels.
void BM_StrokeDesignSharpTile(benchmark::State& state) {
    colouring::DesignRecord record = pressedRecord(0);
    for (int i = 0; i < 3; ++i) {
        const double at = 10 + 40 * i;
        for (const colouring::StrokeKind kind :
             {colouring::StrokeKind::Pen, colouring::StrokeKind::Line,
              colouring::StrokeKind::Rectangle, colouring::StrokeKind::Ellipse,
              colouring::StrokeKind::Eraser}) {
            const double step = 7 * int(kind);
            const std::vector<QPointF> points{
                {at + step, at}, {at + 30, at + step + 12.5}, {at + 60 - step, at + 45}};
            record.changes.emplace_back(
                std::in_place_type<colouring::StrokeChange>, kind,
                twoPointStroke(kind) ? std::vector(points.begin(), points.begin() + 2) : points,
                1 + (i + int(kind)) % 4, canvas::rgbColour(40 * int(kind), 200 - 60 * i, 120));
            record.changes.emplace_back(std::in_place_type<colouring::PressChange>,
                                        QPoint(int(at + step + 20), int(at + 25)),
                                        canvas::rgbColour(200, 40 * i, 90));
        }
    }
    const QImage design = designOf(record);
    const QSize size(1420, 1420);
    print::SharpTile tile;
    for (auto _ : state) {
        tile = print::renderSharpTile(record, design, size);
        benchmark::DoNotOptimize(tile.image.constBits());
    }
    state.counters["agreement"] = tile.agreement;
    state.counters["differs"] = tile.image != canvas::enlargeByBlocks(design, 10);
    if (!tile.sharp) {
        state.SkipWithError("the tile fell back");
    }
}
BENCHMARK(BM_StrokeDesignSharpTile)->UseRealTime()->Unit(benchmark::kMillisecond);

// An A4 page at 300 dpi of 5 cm tiles, from the record to the PNG file. Arg: 1 sharp tiles,
// 0 the design enlarged with nearest pixels.
void BM_A4OfTiles(benchmark::State& state) {
    const QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("page.png")));
    const colouring::DesignRecord record = pressedRecord(30);
    const QSize tileSize(591, 591);
    for (auto _ : state) {
        const QImage design = designOf(record);
        const QImage tile = state.range(0) == 1
                                ? print::renderSharpTile(record, design, tileSize).image
                                : print::scaledTile(design, tileSize);
        const print::PrintJob job{
            tile, {2480, 3508}, tiling::Repeat::Straight, print::PrintFormat::Png, 300.0, {}};
        if (!print::renderPrint(job, path).saved) {
            state.SkipWithError("the page was not written");
        }
    }
}
BENCHMARK(BM_A4OfTiles)
    ->UseRealTime()
    ->ArgName("sharp")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// 图5 (12,880 steps of the finest routine) put into the design from the figure pad, printed at
// 10 x through the model. Arg: 1 the pad's drawing redrawn, 0 its pixels enlarged.
void BM_FigurePadSharpTile(benchmark::State& state) {
    canvas::RandomSource random(5);
    canvas::Surface pad(pads::figurePadSetup());
    pads::PadDrawing drawing(pads::PadKind::Figure);
    std::int16_t counter = 0;
    pads::FigureParams fields;
    pads::runFigurePreset(4, counter, fields, pad, random, &drawing);
    design::DesignModel model(random);
    model.loadPicture(state.range(0) == 1 ? colouring::padPicture(pad.image(), drawing)
                                          : colouring::DesignPicture{pad.image()},
                      colouring::kAdvancedDesignTitle, colouring::PictureSource::Origin::Pad);
    for (auto _ : state) {
        const print::SharpTile tile = model.renderSharpTile({1420, 1420});
        if (!tile.sharp) {
            state.SkipWithError("the tile fell back");
        }
        benchmark::DoNotOptimize(tile.image.constBits());
    }
}
BENCHMARK(BM_FigurePadSharpTile)
    ->UseRealTime()
    ->ArgName("drawing")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
