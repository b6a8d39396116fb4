#include "colouring/surfaces.h"
#include "design/design_document.h"
#include "fifo_guard.h"
#include "pad_drawings.h"
#include "patterns/catalogue.h"
#include "pixel_pictures.h"
#include "print/sharp_render.h"
#include "scripted_random.h"

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

namespace {

using colouring::DesignRecord;
using colouring::FillScope;
using colouring::Symmetry;
using design::DocumentProblem;

// A design made as the window makes it, with the record the window keeps beside it.
struct Made {
    canvas::Surface design{colouring::designCanvasSetup()};
    DesignRecord record;

    // With `seams`, a seam fill of the regions as drawn, as the window makes one.
    void press(QPoint pixel, canvas::Colour colour, FillScope scope, Symmetry symmetry,
               std::optional<tiling::Repeat> seams = {}) {
        canvas::RandomSource unused;
        if (seams) {
            colouring::pressAndRecord(
                design, record, float(pixel.x()), float(pixel.y()),
                {colouring::ColourRule::Chosen, colour, scope, symmetry, *seams}, unused);
            return;
        }
        colouring::pressDesign(design, float(pixel.x()), float(pixel.y()),
                               {colouring::ColourRule::Chosen, colour, scope, symmetry}, unused);
        record.changes.emplace_back(colouring::PressChange{pixel, colour, scope, symmetry});
    }
    // Presses of every scope and symmetry, then a replacement.
    void colourIn() {
        press({5, 5}, 0x3050A0, FillScope::Region, Symmetry::None);
        press({30, 71}, 0x20B040, FillScope::Global, Symmetry::LeftRight);
        press({71, 20}, 0xA02020, FillScope::Wrap, Symmetry::Eight, tiling::Repeat::Rotate);
        press({100, 110}, 0x808000, FillScope::Region, Symmetry::Four);
        press({60, 125}, 0x0080F0, FillScope::Wrap, Symmetry::TopBottom);
        const QRgb from = design.imageRef().pixel(5, 5);
        colouring::replaceColour(design, from, 0xFF112233);
        record.changes.emplace_back(colouring::ReplaceChange{from, 0xFF112233});
    }
    void stroke(const colouring::StrokeChange& stroke) {
        colouring::drawStroke(design, stroke);
        record.changes.emplace_back(stroke);
    }
    // Black line art on white, as an import or a pad gives it, or a colour picture.
    void startWithPicture(colouring::PictureSource::Origin origin, QImage art = {}) {
        if (art.isNull()) {
            art = QImage(142, 142, QImage::Format_RGB32);
            art.fill(Qt::white);
            QPainter painter(&art);
            painter.setPen(QPen(Qt::black, 3));
            painter.drawEllipse(QPoint(71, 71), 50, 40);
            painter.drawLine(0, 30, 141, 100);
            painter.drawRect(20, 90, 40, 30);
        }
        design.setPicture(art);
        record = DesignRecord::startedBy({}, design, colouring::PictureSource{origin});
    }
    // A colourway of every colour, as the window records it when one is chosen.
    void chooseColourway() {
        std::vector<std::pair<QRgb, QRgb>> inverted;
        for (const colouring::PaletteEntry& entry : colouring::palette(design.image())) {
            inverted.emplace_back(entry.colour, ~entry.colour | 0xFF000000u);
        }
        record.changes.push_back(design::recordedColourway(design.image(), inverted));
        design.paintPicture(colouring::applyColourway(design.image(), inverted), 0, 0, 142, 142);
    }
};

// A design begun in each way the window begins one, then coloured in.
const std::pair<const char*, std::function<void(Made&)>> kDesigns[] = {
    {"catalogue",
     [](Made& made) {
         std::int16_t savedFillStyle = 0;
         patterns::drawCatalogueFigure(made.design, *patterns::findFigure(u"Command55"),
                                       QStringLiteral("2"), {}, savedFillStyle);
         made.record =
             DesignRecord::startedBy({}, made.design, colouring::CatalogueSource{"Command55", 2});
     }},
    {"advanced",
     [](Made& made) {
         test_support::ScriptedRandom random({0.3, 0.6, 0.1, 0.45, 0.9, 0.2, 0.5});
         patterns::AdvancedFigure figure;
         made.design.setDrawWidth(2);
         patterns::drawAdvancedPattern(made.design, 71, 1, 1, QStringLiteral("3"), random, &figure);
         made.record =
             DesignRecord::startedBy({}, made.design, colouring::AdvancedSource{figure, 2});
     }},
    {"opening",
     [](Made& made) {
         QImage plain(142, 142, QImage::Format_RGB32);
         plain.fill(canvas::toPixel(0x3366AA));
         made.design.paintPicture(plain, 0, 0, 142, 142);
         made.record = DesignRecord::startedBy({}, made.design, colouring::OpeningSource{0x3366AA});
     }},
    {"pad load", [](Made& made) { made.startWithPicture(colouring::PictureSource::Origin::Pad); }},
    {"import", [](Made& made) { made.startWithPicture(colouring::PictureSource::Origin::Import); }},
    {"figure pad",
     [](Made& made) {
         const test_support::DrawnPad drawn = test_support::drawnPad(test_support::kPadRuns[0]);
         made.startWithPicture(colouring::PictureSource::Origin::Pad, drawn.pad.image());
         made.record.picture = colouring::padPicture(drawn.pad.image(), drawn.drawing);
     }},
    {"noise",
     [](Made& made) {
         made.startWithPicture(colouring::PictureSource::Origin::Import,
                               pictures::noise({142, 142}, 7));
     }},
    {"strokes",
     [](Made& made) {
         using enum colouring::StrokeKind;
         made.startWithPicture(colouring::PictureSource::Origin::Import);
         for (const colouring::StrokeChange& stroke :
              {colouring::StrokeChange{Pen, {{3, 3}, {40.5, 20.25}, {60, 3}}, 3, 0x2080C0},
               {Line, {{0, 141}, {141, 60}}, 1, 0x00A0FF},
               {Rectangle, {{20, 50}, {90, 100}}, 4, 0xFF00FF},
               {Ellipse, {{50, 30}, {130, 120}}, 2, 0x008000},
               {Eraser, {{-10, 70}, {150, 75}}, 5, 0}}) {
             made.stroke(stroke);
         }
     }},
};

Made make(const std::function<void(Made&)>& start) {
    Made made;
    start(made);
    made.colourIn();
    made.chooseColourway();
    return made;
}

TEST(DesignDocument, RoundTripRebuildsThePixels) {
    for (const auto& [name, start] : kDesigns) {
        SCOPED_TRACE(name);
        const Made made = make(start);
        const design::DesignDocument document{made.record, QStringLiteral("设计彩色太极"),
                                              QStringLiteral("2"), QStringLiteral("80"),
                                              tiling::Repeat::P31m};
        const design::DocumentReading reading =
            design::readDesignDocument(design::writeDesignDocument(document));
        ASSERT_TRUE(reading.document) << reading.message.toStdString();
        EXPECT_EQ(*reading.document, document);
        // Only a design of many colours keeps its colourway as a picture.
        const auto& colourway =
            std::get<colouring::ColourwayChange>(document.record.changes.back());
        EXPECT_EQ(colourway.picture.isNull(), std::string(name) != "noise");
        canvas::Surface rebuilt(colouring::designCanvasSetup());
        colouring::rebuildDesign(reading.document->record, rebuilt);
        EXPECT_EQ(rebuilt.imageRef(), made.design.imageRef());
    }
}

TEST(SharpRender, RedrawsEachKindAtAnyScale) {
    for (const auto& [name, start] : kDesigns) {
        const Made made = make(start);
        for (const double scale : {1.0, 4.0, 591 / 142.0, 16.6}) {
            SCOPED_TRACE(std::string(name) + " at " + std::to_string(scale));
            const QSize size(int(std::round(142 * scale)), int(std::round(142 * scale)));
            const print::SharpTile tile =
                print::renderSharpTile(made.record, made.design.imageRef(), size);
            EXPECT_TRUE(tile.sharp) << tile.agreement;
            EXPECT_EQ(tile.image.size(), size);
            if (scale == 1.0) {
                EXPECT_EQ(tile.image, made.design.imageRef());
            }
        }
    }
}

TEST(SharpRender, StopsAtTheStepACancelCameWith) {
    Made made = make(kDesigns[0].second);
    for (QRgb colour = 0xFF000001; colour < 0xFF000200; ++colour) {
        made.record.changes.emplace_back(std::in_place_type<colouring::ReplaceChange>, colour - 1,
                                         colour);
    }
    const int steps = int(made.record.changes.size()) + 2; // the source and the enlargement
    for (const int cancelAt : {1, 100, steps - 1, steps}) {
        SCOPED_TRACE(cancelAt);
        std::atomic<bool> cancel = false;
        int heard = 0;
        const auto progress = [&](int done, int total) {
            EXPECT_EQ(total, steps);
            heard = done;
            cancel = done == cancelAt;
        };
        const print::SharpTile tile = print::renderSharpTile(made.record, made.design.imageRef(),
                                                             {568, 568}, {progress, &cancel});
        EXPECT_EQ(heard, cancelAt);
        EXPECT_EQ(tile.problem, files::SaveProblem::Cancelled);
        EXPECT_TRUE(tile.image.isNull());
    }
}

TEST(SharpRender, FallsBackToTheDesignsPixelsWhenTheRedrawDiffers) {
    // A design its record does not draw: a press the record has lost.
    const QByteArray document = R"({"format": "chengchuan-pattern-design", "version": 1,
        "background": "#445CAE",
        "source": {"kind": "catalogue", "figure": "Command55", "lineWidth": 1},
        "changes": [{"kind": "press", "x": 2, "y": 2, "colour": "#FF0000",
                     "scope": "region", "symmetry": "none"}]})";
    const design::DocumentReading reading = design::readDesignDocument(document);
    ASSERT_TRUE(reading.document) << reading.message.toStdString();
    canvas::Surface design(colouring::designCanvasSetup());
    colouring::DesignRecord record = reading.document->record;
    colouring::rebuildDesign(record, design);
    record.changes.clear();
    const print::SharpTile tile = print::renderSharpTile(record, design.imageRef(), {568, 568});
    EXPECT_FALSE(tile.sharp);
    EXPECT_LT(tile.agreement, print::kLeastBlockAgreement);
    EXPECT_EQ(tile.image, canvas::enlargeByBlocks(design.imageRef(), 4));
}

TEST(DesignDocument, RefusesBadDocumentsWithAReason) {
    const QByteArray good = R"({"format": "chengchuan-pattern-design", "version": 1,
        "background": "#445CAE", "source": {"kind": "opening", "colour": "#A2C859"},
        "changes": []})";
    auto with = [&good](const char* from, const QByteArray& to) {
        return QByteArray(good).replace(from, to);
    };
    const char* opening = R"({"kind": "opening", "colour": "#A2C859"})";
    const auto png = [](QSize size) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImage(size, QImage::Format_RGB32).save(&buffer, "PNG");
        return bytes.toBase64();
    };
    const QByteArray picture = "\"picture\": \"" + png({2049, 1}) + "\", \"changes\"";
    const std::pair<QByteArray, DocumentProblem> cases[] = {
        {good.left(40), DocumentProblem::NotJson},
        {with("\"version\": 1", "\"version\": 3"), DocumentProblem::UnknownVersion},
        {with("\"version\": 1", "\"version\": 0"), DocumentProblem::UnknownVersion},
        {with(opening, R"({"kind": "catalogue", "figure": "Command99", "lineWidth": 2})"),
         DocumentProblem::UnknownFigure},
        {with(opening, R"({"kind": "catalogue", "figure": "Command12", "lineWidth": 0})"),
         DocumentProblem::BadValue},
        {with("#445CAE", "#445CAG"), DocumentProblem::BadValue},
        {with("[]", R"([{"kind": "press", "x": 142, "y": 3, "colour": "#FF0000",
                         "scope": "region", "symmetry": "none"}])"),
         DocumentProblem::PressOutside},
        {with("\"changes\"", "\"picture\": \"aGVsbG8=\", \"changes\""),
         DocumentProblem::PictureUndecodable},
        {with("\"changes\"", picture), DocumentProblem::PictureTooLarge},
        {with("[]", R"([{"kind": "colourway", "mapping": "#000000>#FFFFFF #000000"}])"),
         DocumentProblem::BadValue},
        {with("[]", R"([{"kind": "colourway", "picture": ")" + png({143, 142}) + "\"}]"),
         DocumentProblem::BadValue},
        {with("\"changes\"", R"("pictureDrawing": {"kind": "pad", "pad": "figure", "steps": []},
                                "changes")"),
         DocumentProblem::BadValue},
        {with("\"changes\"",
              "\"picture\": \"" + png({2, 2}) + R"(", "pictureDrawing": {"kind": "pad",
             "pad": "figure", "steps": [{"kind": "figure", "colour": "#000000", "width": 3,
             "values": [3, 1, 1, 1, 1]}]}, "changes")"),
         DocumentProblem::BadValue},
        {good + QByteArray(design::kLargestDesignDocument, ' '), DocumentProblem::TooLarge},
        {with("[]", R"([{"kind": "stroke", "tool": "line", "width": 2, "colour": "#FF0000",
                         "points": [1, 2, 3, 4, 5, 6]}])"),
         DocumentProblem::BadValue},
        {with("[]", R"([{"kind": "stroke", "tool": "pen", "width": 21, "colour": "#FF0000",
                         "points": [1, 2]}])"),
         DocumentProblem::BadValue},
        {with("[]",
              R"([{"kind": "stroke", "tool": "eraser", "width": 2, "points": [1, 2, 3, 285]}])"),
         DocumentProblem::BadValue},
    };
    ASSERT_TRUE(design::readDesignDocument(good).document);
    // Version 1 kept a colourway as a list of colour pairs.
    ASSERT_TRUE(design::readDesignDocument(
                    with("[]", R"([{"kind": "colourway", "mapping": [["#445CAE", "#FF0000"]]}])"))
                    .document);
    for (const auto& [bytes, problem] : cases) {
        SCOPED_TRACE(bytes.left(80).toStdString());
        const design::DocumentReading reading = design::readDesignDocument(bytes);
        EXPECT_FALSE(reading.document);
        EXPECT_EQ(reading.problem, problem);
        EXPECT_FALSE(reading.message.isEmpty());
    }
}

// The largest designs the size limit is made for save and open again; a design whose document
// would be larger is refused before anything is written.
TEST(DesignDocument, EverythingSavedOpensAgain) {
    // A colour import and forty colourways: 78 MB as version 1 wrote them, every colour mapped.
    Made noisy;
    kDesigns[6].second(noisy);
    for (int i = 0; i < 40; ++i) {
        noisy.chooseColourway();
    }
    // The largest picture, and colourways of noise in all the room the limit makes for them.
    DesignRecord largest{0, {pictures::noise({2048, 2048}, 3)}, colouring::PictureSource{}, {}};
    largest.changes.resize(design::kRoomForColourways,
                           colouring::ColourwayChange{{}, pictures::noise({142, 142}, 5)});
    // With the largest pad drawing: stamps holding all the text it may have, then lines.
    auto& padDrawing = largest.picture.drawing.emplace<pads::PadDrawing>(pads::PadKind::Symbol);
    const double farthest = -1.2345678901234567e-300;
    pads::PadStep stamp = pads::padStep(pads::PadStepKind::Stamp, 0, 32767, {-1e6, -1e6, farthest});
    stamp.text = QString(pads::kLongestStampText, QChar(1));
    stamp.font = {QString(24, QChar(1)), pads::kLargestStampPixels, 1000, true, true, true};
    padDrawing.steps.resize(pads::kMostPadTextCharacters / 1024, stamp);
    padDrawing.steps.resize(
        pads::kMostPadSteps,
        pads::padStep(pads::PadStepKind::Line, 0, 32767, {farthest, farthest, farthest, farthest}));
    // And all the stroke points the limit makes room for, each written at its longest.
    const colouring::StrokeChange longest{
        {}, std::vector<QPointF>(colouring::kMostStrokePoints, {-141.9375, -141.9375}), 20, 0};
    const auto strokes = design::kMostDocumentStrokePoints / colouring::kMostStrokePoints;
    largest.changes.insert(largest.changes.end(), strokes, longest);
    DesignRecord tooManyPoints;
    tooManyPoints.changes.resize(strokes + 1, longest);
    DesignRecord tooMany;
    tooMany.changes.resize(design::kMostDesignChanges + 1, colouring::ReplaceChange{});
    colouring::ColourwayChange everyColour;
    for (QRgb colour = 0; colour < 142 * 142; ++colour) {
        everyColour.mapping.emplace_back(colour, ~colour);
    }
    DesignRecord tooLarge;
    tooLarge.changes.resize(250, everyColour);
    const std::tuple<const char*, DesignRecord, bool> cases[] = {
        {"noisy", noisy.record, true},
        {"largest", std::move(largest), true},
        {"too many", std::move(tooMany), false},
        {"too many stroke points", std::move(tooManyPoints), false},
        {"too large", std::move(tooLarge), false},
    };
    QTemporaryDir folder;
    for (const auto& [name, record, saved] : cases) {
        SCOPED_TRACE(name);
        const QString path = folder.filePath(QString::fromLatin1(name));
        const files::SaveOutcome outcome =
            design::saveDesignDocument({record, {}, {}, {}, {}}, QFile::encodeName(path));
        EXPECT_EQ(outcome.saved, saved) << outcome.error.toStdString();
        EXPECT_EQ(QFile::exists(path), saved);
        EXPECT_EQ(outcome.error.contains("more than"), !saved) << outcome.error.toStdString();
        const design::DocumentReading reading = design::openDesignDocument(path);
        EXPECT_EQ(reading.document ? reading.document->record : DesignRecord{},
                  saved ? record : DesignRecord{});
    }
}

// Only a regular file is opened: anything that could make an open wait is refused at once.
TEST(DesignDocument, OpensOnlyRegularFilesWithoutWaiting) {
    QTemporaryDir folder;
    const QByteArray fifo = QFile::encodeName(folder.filePath("fifo.ccpat"));
    mkfifo(fifo.constData(), 0600);
    sockaddr_un address{AF_UNIX, {}};
    std::strcpy(address.sun_path, QFile::encodeName(folder.filePath("socket.ccpat")).constData());
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const std::pair<QString, DocumentProblem> cases[] = {
        {folder.filePath("fifo.ccpat"), DocumentProblem::NotRegularFile},
        {folder.filePath("socket.ccpat"), DocumentProblem::NotRegularFile},
        {"/dev/null", DocumentProblem::NotRegularFile},
        {folder.path(), DocumentProblem::NotRegularFile},
        {folder.filePath("missing.ccpat"), DocumentProblem::Unreadable},
    };
    for (const auto& [path, problem] : cases) {
        SCOPED_TRACE(path.toStdString());
        design::DocumentReading reading;
        EXPECT_TRUE(test_support::returnsPromptly(
            fifo, [&] { reading = design::openDesignDocument(path); }));
        EXPECT_EQ(reading.problem, problem);
        EXPECT_TRUE(reading.message.contains(path)) << reading.message.toStdString();
    }
    ::close(socket);
}

} // namespace
