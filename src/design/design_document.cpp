#include "design_document.h"

#include "canvas/numbers.h"
#include "canvas/raster.h"
#include "files/file_reading.h"
#include "patterns/catalogue.h"
#include "png_reading.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>

namespace design {
namespace {

class DocumentMessages {
    Q_DECLARE_TR_FUNCTIONS(DesignDocument)

  public:
    static QString tooLarge() {
        return tr("The design document is larger than %1 MB.").arg(kLargestDocumentMegabytes);
    }
    static QString wouldBeTooLarge(qint64 bytes) {
        return tr("The design's document would take %1 MB, more than the %2 MB a design document "
                  "may hold, so it could not be opened again.")
            .arg((bytes + kMegabyte - 1) / kMegabyte)
            .arg(kLargestDocumentMegabytes);
    }
    static QString tooManyChanges(qsizetype changes) {
        return tr("The design has %1 changes, more than the %2 a design document may hold.")
            .arg(changes)
            .arg(kMostDesignChanges);
    }
    static QString tooManyStrokePoints(qsizetype points) {
        return tr("The design's strokes have %1 points, more than the %2 a design document may "
                  "hold.")
            .arg(points)
            .arg(kMostDocumentStrokePoints);
    }
    static QString outOfMemory() {
        return tr("There is not enough memory to read the design document.");
    }
    static QString notJson(const QString& reason) {
        return tr("The design document is not valid JSON: %1.").arg(reason);
    }
    static QString unknownVersion(const QString& version) {
        return tr("The design document has format version %1; this program reads versions %2 to "
                  "%3.")
            .arg(version)
            .arg(kOldestDesignDocumentVersion)
            .arg(kDesignDocumentVersion);
    }
    static QString unknownFigure(const QString& name) {
        return tr("The design document names an unknown figure \"%1\".").arg(name);
    }
    static QString badValue(const QString& field) {
        return tr("The design document has a missing or out-of-range value: %1.").arg(field);
    }
    static QString pressOutside(int x, int y) {
        return tr("The design document has a press at %1, %2, outside the 142 x 142 canvas.")
            .arg(x)
            .arg(y);
    }
    static QString pictureUndecodable() {
        return tr("The design document's picture is not a readable PNG image.");
    }
    static QString pictureTooLarge(int width, int height) {
        return tr("The design document's picture is %1 x %2 pixels; at most 2048 x 2048 are "
                  "allowed.")
            .arg(width)
            .arg(height);
    }
    static QString linesTooLarge(int width, int height) {
        return tr("The design document's line art is %1 x %2 pixels; at most %3 pixels and %4 a "
                  "side are allowed.")
            .arg(width)
            .arg(height)
            .arg(colouring::kMaxImportPixels)
            .arg(colouring::kLargestLineArtSide);
    }
    static QString unreadable(const QString& path, const QString& reason) {
        return tr("The design document %1 could not be read: %2.").arg(path, reason);
    }
    static QString notRegularFile(const QString& path) {
        return tr("%1 is not a regular file (a FIFO, a device or a socket); only a design document "
                  "saved as a file can be opened.")
            .arg(path);
    }
    static QString colourwayPictureSize() {
        return tr("The design document has a colourway picture that is not 142 x 142 pixels.");
    }

  private:
    static constexpr qint64 kMegabyte = 1024 * 1024;
    static constexpr qint64 kLargestDocumentMegabytes =
        (kLargestDesignDocument + kMegabyte - 1) / kMegabyte;
};

constexpr const char* kFormatName = "chengchuan-pattern-design";
constexpr int kDesignSide = 142;
constexpr int kLargestTwips = kDesignSide * 15;
constexpr int kMostStarPoints = 100;
constexpr qsizetype kMostText = 1000;

constexpr const char* kScopeNames[] = {"region", "global", "wrap"};
constexpr const char* kSymmetryNames[] = {"none", "lr", "tb", "four", "eight"};
constexpr const char* kShapeNames[] = {"star", "polygon"};
constexpr const char* kOriginNames[] = {"pad", "import"};

struct DocumentError {
    DocumentProblem problem;
    QString message;
};

[[noreturn]] void badValue(const QString& field) {
    throw DocumentError{DocumentProblem::BadValue, DocumentMessages::badValue(field)};
}

// "#RRGGBB"; written digit by digit, as a colourway may hold every colour of the design.
void appendColourText(QString& text, QRgb pixel) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    text += QLatin1Char('#');
    for (int shift = 20; shift >= 0; shift -= 4) {
        text += QLatin1Char(kDigits[(pixel >> shift) & 0xFu]);
    }
}

QString colourText(QRgb pixel) {
    QString text;
    appendColourText(text, pixel);
    return text;
}

template <std::size_t N> int nameIndex(const char* const (&names)[N], const QString& name) {
    const auto* found = std::find_if(std::begin(names), std::end(names),
                                     [&name](const char* candidate) { return name == candidate; });
    return found == std::end(names) ? -1 : int(found - std::begin(names));
}

// Typed reads of one object's fields, each refusing a missing or out-of-range value by name.
class Fields {
  public:
    Fields(const QJsonObject& object, QString path) : object_(object), path_(std::move(path)) {}

    QString field(const char* name) const {
        return path_.isEmpty() ? QString::fromLatin1(name) : path_ + '.' + QLatin1String(name);
    }
    bool has(const char* name) const { return object_.contains(QLatin1String(name)); }
    QJsonValue value(const char* name) const { return object_.value(QLatin1String(name)); }

    int integer(const char* name, int least, int most) const {
        const QJsonValue v = value(name);
        const double number = v.toDouble(NAN);
        if (!v.isDouble() || number != std::floor(number) || number < least || number > most) {
            badValue(field(name));
        }
        return int(number);
    }
    QString text(const char* name) const {
        const QJsonValue v = value(name);
        if (!v.isString() || v.toString().size() > kMostText) {
            badValue(field(name));
        }
        return v.toString();
    }
    QString optionalText(const char* name) const { return has(name) ? text(name) : QString(); }
    bool boolean(const char* name) const {
        const QJsonValue v = value(name);
        if (!v.isBool()) {
            badValue(field(name));
        }
        return v.toBool();
    }
    QRgb colour(const char* name) const { return colourValue(value(name), field(name)); }
    template <std::size_t N> int choice(const char* name, const char* const (&names)[N]) const {
        const int index = nameIndex(names, value(name).toString());
        if (index < 0) {
            badValue(field(name));
        }
        return index;
    }
    QJsonArray array(const char* name) const {
        const QJsonValue v = value(name);
        if (!v.isArray()) {
            badValue(field(name));
        }
        return v.toArray();
    }
    QJsonObject object(const char* name) const {
        const QJsonValue v = value(name);
        if (!v.isObject()) {
            badValue(field(name));
        }
        return v.toObject();
    }

    static QRgb colourValue(const QJsonValue& v, const QString& field) {
        return colourFromText(v.toString(), field);
    }
    static QRgb colourFromText(QStringView text, const QString& field) {
        bool ok = text.size() == 7 && text.startsWith('#') &&
                  std::all_of(text.begin() + 1, text.end(), [](QChar c) { return isHexDigit(c); });
        const uint rgb = ok ? text.mid(1).toUInt(&ok, 16) : 0;
        if (!ok) {
            badValue(field);
        }
        return 0xFF000000u | rgb;
    }

  private:
    static bool isHexDigit(QChar c) {
        return c.isDigit() || (c.toLower() >= 'a' && c.toLower() <= 'f');
    }

    const QJsonObject& object_;
    QString path_;
};

[[noreturn]] void pictureUndecodable() {
    throw DocumentError{DocumentProblem::PictureUndecodable,
                        DocumentMessages::pictureUndecodable()};
}

QByteArray pngBytes(const QString& base64) {
    auto decoded =
        QByteArray::fromBase64Encoding(base64.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
        pictureUndecodable();
    }
    return std::move(*decoded);
}

// A picture decoded; a decoder that found no memory for it says no more than one that found no
// picture, so a null one of a good size is memory that could not be had.
QImage decoded(QImage picture, QSize size) {
    if (picture.isNull()) {
        if (!size.isEmpty()) {
            canvas::requirePixels(QImage(size, QImage::Format_RGB32));
        }
        pictureUndecodable();
    }
    return picture;
}

QImage readPicture(const QString& base64) {
    const QByteArray png = pngBytes(base64);
    const QSize size = pngSize(png);
    if (size.width() > kLargestDocumentPictureSide || size.height() > kLargestDocumentPictureSide) {
        throw DocumentError{DocumentProblem::PictureTooLarge,
                            DocumentMessages::pictureTooLarge(size.width(), size.height())};
    }
    return canvas::requirePixels(
        decoded(decodePng(png), size).convertToFormat(QImage::Format_RGB32));
}

// The lines of imported line art, up to an import's size.
colouring::LineArtDrawing readLineArt(const Fields& fields) {
    colouring::LineArtDrawing lineArt;
    lineArt.background = fields.colour("background");
    const QJsonArray placed = fields.array("placed");
    int sides[4] = {};
    for (int i = 0; i < 4 && placed.size() == 4; ++i) {
        const double side = placed[i].toDouble(NAN);
        sides[i] =
            placed[i].isDouble() && side == std::floor(side) && side >= 0 && side <= kDesignSide
                ? int(side)
                : -1;
    }
    lineArt.placed = QRect(sides[0], sides[1], sides[2], sides[3]);
    if (placed.size() != 4 || std::count(std::begin(sides), std::end(sides), -1) > 0 ||
        lineArt.placed.isEmpty() ||
        !QRect(0, 0, kDesignSide, kDesignSide).contains(lineArt.placed)) {
        badValue(fields.field("placed"));
    }
    const QJsonValue lines = fields.value("lines");
    if (!lines.isString()) {
        badValue(fields.field("lines"));
    }
    const QByteArray png = pngBytes(lines.toString());
    const QSize size = pngSize(png);
    if (size.width() > colouring::kLargestLineArtSide ||
        size.height() > colouring::kLargestLineArtSide ||
        qint64(size.width()) * size.height() > colouring::kMaxImportPixels) {
        throw DocumentError{DocumentProblem::PictureTooLarge,
                            DocumentMessages::linesTooLarge(size.width(), size.height())};
    }
    lineArt.lines = decoded(decodePngLines(png, lineArt.background), size);
    return lineArt;
}

// A picture field: base64 text of any length, up to the document's own.
QImage readPictureField(const QJsonValue& value, const QString& field) {
    if (!value.isString()) {
        badValue(field);
    }
    return readPicture(value.toString());
}

QString pictureText(const QImage& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return QString::fromLatin1(png.toBase64());
}

colouring::DesignSource readSource(const QJsonObject& object) {
    const Fields fields(object, QStringLiteral("source"));
    const QString kind = fields.text("kind");
    if (kind == "opening") {
        return colouring::OpeningSource{canvas::fromPixel(fields.colour("colour"))};
    }
    if (kind == "picture") {
        return colouring::PictureSource{
            colouring::PictureSource::Origin(fields.choice("origin", kOriginNames))};
    }
    if (kind == "catalogue") {
        const QString figure = fields.text("figure");
        if (patterns::findFigure(figure) == nullptr) {
            throw DocumentError{DocumentProblem::UnknownFigure,
                                DocumentMessages::unknownFigure(figure)};
        }
        return colouring::CatalogueSource{figure, fields.integer("lineWidth", 1, 32767)};
    }
    if (kind == "advanced") {
        patterns::AdvancedFigure figure;
        figure.shape = patterns::AdvancedShape(fields.choice("shape", kShapeNames));
        const QJsonArray box = fields.array("box");
        if (box.size() != 4) {
            badValue(fields.field("box"));
        }
        std::int32_t* sides[] = {&figure.left, &figure.top, &figure.width, &figure.height};
        for (int i = 0; i < 4; ++i) {
            const double side = box[i].toDouble(NAN);
            if (!box[i].isDouble() || side != std::floor(side) || side < 0 ||
                side > kLargestTwips) {
                badValue(fields.field("box"));
            }
            *sides[i] = std::int32_t(side);
        }
        figure.background = canvas::fromPixel(fields.colour("background"));
        figure.count = std::int16_t(fields.integer("count", 0, kMostStarPoints));
        figure.fill = std::int16_t(fields.integer("fill", 0, 2));
        figure.colour = canvas::fromPixel(fields.colour("colour"));
        figure.bands = fields.boolean("bands");
        return colouring::AdvancedSource{figure, fields.integer("lineWidth", 1, 32767)};
    }
    badValue(fields.field("kind"));
}

// "#RRGGBB>#RRGGBB" for each colour that changes, separated by spaces.
constexpr QLatin1Char kPairSeparator(' ');
constexpr QLatin1Char kMapsTo('>');
constexpr qsizetype kColourText = 7;

colouring::ColourwayChange readColourway(const Fields& fields) {
    colouring::ColourwayChange colourway;
    if (fields.has("picture")) {
        colourway.picture = readPictureField(fields.value("picture"), fields.field("picture"));
        if (colourway.picture.size() != QSize(kDesignSide, kDesignSide)) {
            throw DocumentError{DocumentProblem::BadValue,
                                DocumentMessages::colourwayPictureSize()};
        }
        return colourway;
    }
    const QString field = fields.field("mapping");
    const QJsonValue mapping = fields.value("mapping");
    if (mapping.isString()) {
        const QString text = mapping.toString();
        for (const QStringView pair : QStringView(text).split(kPairSeparator, Qt::SkipEmptyParts)) {
            if (pair.size() != 2 * kColourText + 1 || pair[kColourText] != kMapsTo) {
                badValue(field);
            }
            colourway.mapping.emplace_back(
                Fields::colourFromText(pair.left(kColourText), field),
                Fields::colourFromText(pair.mid(kColourText + 1), field));
        }
        return colourway;
    }
    // Version 1: a list of [from, to] pairs.
    for (const QJsonValue& pair : fields.array("mapping")) {
        const QJsonArray colours = pair.toArray();
        if (colours.size() != 2) {
            badValue(field);
        }
        colourway.mapping.emplace_back(Fields::colourValue(colours[0], field),
                                       Fields::colourValue(colours[1], field));
    }
    return colourway;
}

QString mappingText(const std::vector<std::pair<QRgb, QRgb>>& mapping) {
    QString text;
    text.reserve(qsizetype(mapping.size()) * (2 * kColourText + 2));
    for (const auto& [from, to] : mapping) {
        if (!text.isEmpty()) {
            text += kPairSeparator;
        }
        appendColourText(text, from);
        text += kMapsTo;
        appendColourText(text, to);
    }
    return text;
}

static_assert(pads::kLongestStampText <= kMostText, "every stamp text reads as a document text");

pads::PadStep readPadStep(const QJsonValue& value, const QString& path) {
    if (!value.isObject()) {
        badValue(path);
    }
    const QJsonObject object = value.toObject();
    const Fields fields(object, path);
    const QString kindName = fields.text("kind");
    const auto* info = std::find_if(std::begin(pads::kPadStepKinds), std::end(pads::kPadStepKinds),
                                    [&](const auto& kind) { return kindName == kind.name; });
    if (info == std::end(pads::kPadStepKinds)) {
        badValue(fields.field("kind"));
    }
    pads::PadStep step;
    step.kind = info->kind;
    step.colour = canvas::fromPixel(fields.colour("colour"));
    step.width = std::int16_t(fields.integer("width", 1, 32767));
    const QJsonArray values = fields.array("values");
    if (values.size() != info->valueCount) {
        badValue(fields.field("values"));
    }
    for (int i = 0; i < info->valueCount; ++i) {
        if (!values[i].isDouble()) {
            badValue(fields.field("values"));
        }
        step.values[std::size_t(i)] = values[i].toDouble();
    }
    if (info->hasText) {
        step.text = fields.text("text");
        const QJsonObject fontObject = fields.object("font");
        const Fields font(fontObject, fields.field("font"));
        step.font = {font.text("family"),
                     font.integer("pixelSize", 0, pads::kLargestStampPixels),
                     font.integer("weight", 1, 1000),
                     font.boolean("italic"),
                     font.boolean("underline"),
                     font.boolean("strikeOut")};
    }
    return step;
}

// What a pad drew, as its recorder would take it: a clear only first, every value and the whole
// within the recorder's bounds.
pads::PadDrawing readPadDrawing(const Fields& fields) {
    pads::PadDrawing drawing{pads::PadKind(fields.choice("pad", pads::kPadNames))};
    const QJsonArray steps = fields.array("steps");
    if (steps.size() > pads::kMostPadSteps) {
        badValue(fields.field("steps"));
    }
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QString path = fields.field("steps") + QStringLiteral("[%1]").arg(i);
        const pads::PadStep step = readPadStep(steps[i], path);
        drawing.record(step);
        if (!drawing.complete || drawing.steps.size() != i + 1) {
            badValue(path);
        }
    }
    return drawing;
}

colouring::PictureDrawing readPictureDrawing(const QJsonObject& object) {
    const Fields fields(object, QStringLiteral("pictureDrawing"));
    if (fields.text("kind") == "pad") {
        return readPadDrawing(fields);
    }
    if (fields.text("kind") == "line-art") {
        return readLineArt(fields);
    }
    badValue(fields.field("kind"));
}

// A stroke's points as a flat list x1, y1, x2, y2, ...; `pointsRead` counts the document's.
colouring::StrokeChange readStroke(const Fields& fields, qsizetype& pointsRead) {
    colouring::StrokeChange stroke;
    stroke.kind = colouring::StrokeKind(fields.choice("tool", colouring::kStrokeKindNames));
    stroke.width = fields.integer("width", 1, colouring::kMostStrokeWidth);
    if (stroke.kind != colouring::StrokeKind::Eraser) {
        stroke.colour = canvas::fromPixel(fields.colour("colour"));
    }
    const QJsonArray numbers = fields.array("points");
    const qsizetype points = numbers.size() / 2;
    pointsRead += points;
    if (numbers.size() % 2 != 0 ||
        points > (colouring::twoPointStroke(stroke.kind) ? 2 : colouring::kMostStrokePoints) ||
        pointsRead > kMostDocumentStrokePoints) {
        badValue(fields.field("points"));
    }
    for (qsizetype i = 0; i < numbers.size(); i += 2) {
        double xy[2];
        for (int axis = 0; axis < 2; ++axis) {
            xy[axis] = numbers[i + axis].toDouble(NAN);
            if (!(xy[axis] >= colouring::kStrokeReachLeast &&
                  xy[axis] <= colouring::kStrokeReachMost)) {
                badValue(fields.field("points"));
            }
        }
        stroke.points.emplace_back(xy[0], xy[1]);
    }
    return colouring::keptStroke(std::move(stroke));
}

colouring::DesignChange readChange(const QJsonValue& value, qsizetype index,
                                   qsizetype& strokePoints) {
    const QString path = QStringLiteral("changes[%1]").arg(index);
    if (!value.isObject()) {
        badValue(path);
    }
    const QJsonObject object = value.toObject();
    const Fields fields(object, path);
    const QString kind = fields.text("kind");
    if (kind == "press") {
        const int x = fields.integer("x", INT_MIN, INT_MAX);
        const int y = fields.integer("y", INT_MIN, INT_MAX);
        if (x < 0 || y < 0 || x >= kDesignSide || y >= kDesignSide) {
            throw DocumentError{DocumentProblem::PressOutside,
                                DocumentMessages::pressOutside(x, y)};
        }
        return colouring::PressChange{
            {x, y},
            canvas::fromPixel(fields.colour("colour")),
            colouring::FillScope(fields.choice("scope", kScopeNames)),
            colouring::Symmetry(fields.choice("symmetry", kSymmetryNames)),
            fields.has("repeat")
                ? std::optional(tiling::Repeat(fields.choice("repeat", tiling::kRepeatNames)))
                : std::nullopt};
    }
    if (kind == "replace") {
        return colouring::ReplaceChange{fields.colour("from"), fields.colour("to")};
    }
    if (kind == "colourway") {
        return readColourway(fields);
    }
    if (kind == "clear-picture") {
        return colouring::ClearPictureChange{};
    }
    if (kind == "stroke") {
        return readStroke(fields, strokePoints);
    }
    badValue(fields.field("kind"));
}

DesignDocument readDocument(const QByteArray& bytes) {
    if (bytes.size() > kLargestDesignDocument) {
        throw DocumentError{DocumentProblem::TooLarge, DocumentMessages::tooLarge()};
    }
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &error);
    if (json.isNull() || !json.isObject()) {
        throw DocumentError{DocumentProblem::NotJson,
                            DocumentMessages::notJson(json.isNull() ? error.errorString()
                                                                    : QStringLiteral("no object"))};
    }
    const QJsonObject root = json.object();
    const Fields fields(root, {});
    if (root.value(QLatin1String("format")).toString() != QLatin1String(kFormatName)) {
        badValue(QStringLiteral("format"));
    }
    const QJsonValue version = root.value(QLatin1String("version"));
    const double number = version.toDouble(NAN);
    if (number != std::floor(number) || number < kOldestDesignDocumentVersion ||
        number > kDesignDocumentVersion) {
        throw DocumentError{
            DocumentProblem::UnknownVersion,
            DocumentMessages::unknownVersion(
                version.isDouble() ? QString::number(version.toDouble()) : QStringLiteral("?"))};
    }
    DesignDocument document;
    document.title = fields.optionalText("title");
    document.lineWidth = fields.optionalText("lineWidth");
    if (!document.lineWidth.isEmpty() && !canvas::parseDrawWidth(document.lineWidth)) {
        badValue(QStringLiteral("lineWidth"));
    }
    document.tileSize = fields.optionalText("tileSize");
    if (!document.tileSize.isEmpty() && !canvas::parseTileSize(document.tileSize)) {
        badValue(QStringLiteral("tileSize"));
    }
    document.repeat = fields.has("repeat")
                          ? tiling::Repeat(fields.choice("repeat", tiling::kRepeatNames))
                          : tiling::Repeat::Straight;
    colouring::DesignRecord& record = document.record;
    record.background = canvas::fromPixel(fields.colour("background"));
    if (fields.has("picture")) {
        record.picture.pixels =
            readPictureField(fields.value("picture"), QStringLiteral("picture"));
    }
    if (fields.has("pictureDrawing")) {
        if (record.picture.pixels.isNull()) {
            badValue(QStringLiteral("pictureDrawing"));
        }
        record.picture.drawing = readPictureDrawing(fields.object("pictureDrawing"));
        if (const auto* lineArt = std::get_if<colouring::LineArtDrawing>(&record.picture.drawing)) {
            // The design's pixels are the lines reduced, whatever the picture says.
            record.picture.pixels = colouring::drawLineArt(*lineArt, {kDesignSide, kDesignSide}, 1);
        }
    }
    record.source = readSource(fields.object("source"));
    const QJsonArray changes = fields.array("changes");
    if (changes.size() > kMostDesignChanges) {
        badValue(QStringLiteral("changes"));
    }
    qsizetype strokePoints = 0;
    for (qsizetype i = 0; i < changes.size(); ++i) {
        record.changes.push_back(readChange(changes[i], i, strokePoints));
    }
    return document;
}

struct SourceWriter {
    QJsonObject operator()(const colouring::OpeningSource& source) const {
        return {{"kind", "opening"}, {"colour", colourText(canvas::toPixel(source.colour))}};
    }
    QJsonObject operator()(const colouring::PictureSource& source) const {
        return {{"kind", "picture"}, {"origin", kOriginNames[int(source.origin)]}};
    }
    QJsonObject operator()(const colouring::CatalogueSource& source) const {
        return {{"kind", "catalogue"}, {"figure", source.figure}, {"lineWidth", source.lineWidth}};
    }
    QJsonObject operator()(const colouring::AdvancedSource& source) const {
        const patterns::AdvancedFigure& figure = source.figure;
        return {{"kind", "advanced"},
                {"shape", kShapeNames[int(figure.shape)]},
                {"box", QJsonArray{figure.left, figure.top, figure.width, figure.height}},
                {"background", colourText(canvas::toPixel(figure.background))},
                {"count", figure.count},
                {"fill", figure.fill},
                {"colour", colourText(canvas::toPixel(figure.colour))},
                {"bands", figure.bands},
                {"lineWidth", source.lineWidth}};
    }
};

QJsonObject padStepObject(const pads::PadStep& step) {
    const pads::PadStepKindInfo& info = pads::kindInfo(step.kind);
    QJsonArray values;
    for (int i = 0; i < info.valueCount; ++i) {
        values.append(step.values[std::size_t(i)]);
    }
    QJsonObject object{{"kind", info.name},
                       {"colour", colourText(canvas::toPixel(step.colour))},
                       {"width", step.width},
                       {"values", values}};
    if (info.hasText) {
        object.insert(QLatin1String("text"), step.text);
        object.insert(QLatin1String("font"), QJsonObject{{"family", step.font.family},
                                                         {"pixelSize", step.font.pixelSize},
                                                         {"weight", step.font.weight},
                                                         {"italic", step.font.italic},
                                                         {"underline", step.font.underline},
                                                         {"strikeOut", step.font.strikeOut}});
    }
    return object;
}

// The drawing of the picture, when it has one.
struct PictureDrawingWriter {
    std::optional<QJsonObject> operator()(std::monostate) const { return std::nullopt; }
    std::optional<QJsonObject> operator()(const colouring::LineArtDrawing& lineArt) const {
        const QRect& placed = lineArt.placed;
        // Black on white, whatever the background, as decodePngLines reads them.
        QImage lines = lineArt.lines;
        lines.setColorTable({0xFFFFFFFFu, 0xFF000000u});
        return QJsonObject{
            {"kind", "line-art"},
            {"lines", pictureText(lines)},
            {"placed", QJsonArray{placed.x(), placed.y(), placed.width(), placed.height()}},
            {"background", colourText(lineArt.background)}};
    }
    std::optional<QJsonObject> operator()(const pads::PadDrawing& drawing) const {
        QJsonArray steps;
        for (const pads::PadStep& step : drawing.steps) {
            steps.append(padStepObject(step));
        }
        return QJsonObject{
            {"kind", "pad"}, {"pad", pads::kPadNames[int(drawing.pad)]}, {"steps", steps}};
    }
};

struct ChangeWriter {
    QJsonObject operator()(const colouring::PressChange& press) const {
        QJsonObject object{{"kind", "press"},
                           {"x", press.pixel.x()},
                           {"y", press.pixel.y()},
                           {"colour", colourText(canvas::toPixel(press.colour))},
                           {"scope", kScopeNames[int(press.scope)]},
                           {"symmetry", kSymmetryNames[int(press.symmetry)]}};
        // Only a seam fill of the drawn regions has one; a press without keeps the old rule.
        if (press.seams) {
            object.insert("repeat", tiling::kRepeatNames[int(*press.seams)]);
        }
        return object;
    }
    QJsonObject operator()(const colouring::ReplaceChange& replace) const {
        return {{"kind", "replace"},
                {"from", colourText(replace.from)},
                {"to", colourText(replace.to)}};
    }
    QJsonObject operator()(const colouring::ColourwayChange& colourway) const {
        if (!colourway.picture.isNull()) {
            return {{"kind", "colourway"}, {"picture", pictureText(colourway.picture)}};
        }
        return {{"kind", "colourway"}, {"mapping", mappingText(colourway.mapping)}};
    }
    QJsonObject operator()(const colouring::ClearPictureChange&) const {
        return {{"kind", "clear-picture"}};
    }
    QJsonObject operator()(const colouring::StrokeChange& change) const {
        const colouring::StrokeChange stroke = colouring::keptStroke(change);
        QJsonArray points;
        for (const QPointF point : stroke.points) {
            points.append(point.x());
            points.append(point.y());
        }
        QJsonObject object{{"kind", "stroke"},
                           {"tool", colouring::kStrokeKindNames[int(stroke.kind)]},
                           {"width", stroke.width},
                           {"points", points}};
        if (stroke.kind != colouring::StrokeKind::Eraser) {
            object.insert(QLatin1String("colour"), colourText(canvas::toPixel(stroke.colour)));
        }
        return object;
    }
};

qsizetype strokePoints(const colouring::DesignRecord& record) {
    qsizetype points = 0;
    for (const colouring::DesignChange& change : record.changes) {
        if (const auto* stroke = std::get_if<colouring::StrokeChange>(&change)) {
            points += qsizetype(stroke->points.size());
        }
    }
    return points;
}

} // namespace

QByteArray writeDesignDocument(const DesignDocument& document) {
    const colouring::DesignRecord& record = document.record;
    const bool lineWidthReads = canvas::parseDrawWidth(document.lineWidth).has_value();
    const bool tileSizeReads = canvas::parseTileSize(document.tileSize).has_value();
    QJsonObject root{{"format", kFormatName},
                     {"version", kDesignDocumentVersion},
                     {"title", document.title.left(kMostText)},
                     {"lineWidth", lineWidthReads ? document.lineWidth : QString()},
                     {"tileSize", tileSizeReads ? document.tileSize : QString()},
                     {"repeat", tiling::kRepeatNames[int(document.repeat)]},
                     {"background", colourText(canvas::toPixel(record.background))},
                     {"source", std::visit(SourceWriter{}, record.source)}};
    if (!record.picture.pixels.isNull()) {
        root.insert(QLatin1String("picture"), pictureText(record.picture.pixels));
        if (const auto drawing = std::visit(PictureDrawingWriter{}, record.picture.drawing)) {
            root.insert(QLatin1String("pictureDrawing"), *drawing);
        }
    }
    QJsonArray changes;
    for (const colouring::DesignChange& change : record.changes) {
        changes.append(std::visit(ChangeWriter{}, change));
    }
    root.insert(QLatin1String("changes"), changes);
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

DocumentReading readDesignDocument(const QByteArray& bytes) {
    try {
        return {readDocument(bytes), DocumentProblem::None, {}};
    } catch (const DocumentError& error) {
        return {std::nullopt, error.problem, error.message};
    } catch (const std::bad_alloc&) {
        return {std::nullopt, DocumentProblem::OutOfMemory, DocumentMessages::outOfMemory()};
    }
}

colouring::ColourwayChange recordedColourway(const QImage& design,
                                             const std::vector<std::pair<QRgb, QRgb>>& mapping) {
    colouring::ColourwayChange changing;
    std::copy_if(mapping.begin(), mapping.end(), std::back_inserter(changing.mapping),
                 [](const auto& pair) { return pair.first != pair.second; });
    const QImage after = colouring::applyColourway(design, changing.mapping);
    const qsizetype mappingSize = qsizetype(changing.mapping.size()) * (2 * kColourText + 2);
    if (pictureText(after).size() < mappingSize) {
        return {{}, after};
    }
    return changing;
}

files::SaveOutcome saveDesignDocument(const DesignDocument& document,
                                      const QByteArray& nativePath) {
    const qsizetype changes = qsizetype(document.record.changes.size());
    if (changes > kMostDesignChanges) {
        return {false, files::SaveProblem::TooLarge, DocumentMessages::tooManyChanges(changes)};
    }
    if (const qsizetype points = strokePoints(document.record);
        points > kMostDocumentStrokePoints) {
        return {false, files::SaveProblem::TooLarge, DocumentMessages::tooManyStrokePoints(points)};
    }
    const QByteArray written = writeDesignDocument(document);
    if (written.size() > kLargestDesignDocument) {
        return {false, files::SaveProblem::TooLarge,
                DocumentMessages::wouldBeTooLarge(written.size())};
    }
    return files::saveBytes(written, nativePath);
}

DocumentReading openDesignDocument(const QString& path) {
    return openDesignDocument(QFile::encodeName(path));
}

// Opened by its bytes: a name not valid in the locale's encoding does not survive decoding.
DocumentReading openDesignDocument(const QByteArray& nativePath) {
    const files::FileRead file = files::readRegularFile(nativePath, kLargestDesignDocument);
    const QString path = QFile::decodeName(nativePath);
    switch (file.problem) {
    case files::FileReadProblem::None:
        return readDesignDocument(file.bytes);
    case files::FileReadProblem::Unreadable:
        return {std::nullopt, DocumentProblem::Unreadable,
                DocumentMessages::unreadable(path, file.systemText)};
    case files::FileReadProblem::NotRegularFile:
        return {std::nullopt, DocumentProblem::NotRegularFile,
                DocumentMessages::notRegularFile(path)};
    case files::FileReadProblem::TooLarge:
        break;
    }
    return {std::nullopt, DocumentProblem::TooLarge, DocumentMessages::tooLarge()};
}

} // namespace design
