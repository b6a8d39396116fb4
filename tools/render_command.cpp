#include "render_command.h"

#include "canvas/bmp.h"
#include "canvas/numbers.h"
#include "canvas/random_source.h"
#include "patterns/advanced.h"
#include "patterns/catalogue.h"
#include "workflow/tiling.h"
#include "workflow/surfaces.h"
#include "workflow/workflow.h"

#include <QBuffer>
#include <QColor>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QRegularExpression>
#include <cmath>
#include <optional>

namespace {

class Render {
    Q_DECLARE_TR_FUNCTIONS(PatternRender)
};

constexpr int kUsage = 2;
constexpr int kInputOutput = 1;

const char* const kHelp = QT_TRANSLATE_NOOP(
    "PatternRender",
    "Usage: pattern-render [options] -o FILE\n"
    "Draws a design headless with the same drawing core as the window and writes it as BMP "
    "(24-bit,\n"
    "as the window saves) or PNG, chosen by the file name's extension.\n"
    "\n"
    "Figure (one of):\n"
    "  --list                  print the 48 catalogue figures: control name, caption, family\n"
    "  --pattern NAME          a catalogue figure by its control name, e.g. Command12\n"
    "  --advanced N            advanced pattern N = 1..4 (\"高级图案1\" .. \"高级图案4\")\n"
    "  --category 0|1          advanced patterns: 1 fills the figure (the window's \"类别\" box)\n"
    "Design:\n"
    "  --width N               line width, as typed into the line-width list (default 2)\n"
    "  --fill X,Y[,#RRGGBB]    a press at canvas point X,Y (0..141); repeatable, applied in "
    "order;\n"
    "                          the colour is random from the seed unless given\n"
    "  --seed N                seed of the random colours and advanced draws (default: the clock)\n"
    "Output:\n"
    "  --effect own|SIZE       the effect picture (643 x 643) as \"生成效果图\" renders it: own "
    "size\n"
    "                          tiles, or tiles of SIZE pixels (1..1000), with the credit line\n"
    "  --no-credit             leave the credit line out of the effect picture\n"
    "  --out-size WxH          tile the design over W x H pixels instead (e.g. 2480x3508, A4 at\n"
    "                          300 dpi); tiles are the design's size, or SIZE with --effect SIZE\n"
    "  --repeat MODE           straight (default), half-drop (every other column lowered by half "
    "a\n"
    "                          tile) or brick (every other row shifted by half a tile); implies a\n"
    "                          tiling of 643 x 643 unless --out-size is given\n"
    "  -o, --output FILE       the file to write (.bmp or .png)\n"
    "  -h, --help              this text\n"
    "Exit status: 0 written, 1 the file could not be written, 2 bad arguments.\n");

struct Press {
    float x;
    float y;
    std::optional<canvas::Colour> colour;
};

struct Request {
    bool list = false;
    bool help = false;
    QString pattern;
    int advanced = 0;
    int category = 0;
    QString width = QStringLiteral("2");
    std::vector<Press> presses;
    std::optional<std::uint64_t> seed;
    bool effect = false;
    std::optional<float> tileSize;
    bool credit = true;
    std::optional<QSize> outSize;
    std::optional<workflow::Repeat> repeat;
    QByteArray output;
};

struct UsageError {
    QString message;
};

std::optional<std::uint64_t> parseUnsigned(const QString& text) {
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    return ok ? std::optional<std::uint64_t>(value) : std::nullopt;
}

Press parsePress(const QString& text) {
    static const QRegularExpression form(QStringLiteral(
        R"(^\s*([-+0-9.eE]+)\s*,\s*([-+0-9.eE]+)\s*(?:,\s*(#[0-9a-fA-F]{6}))?\s*$)"));
    const QRegularExpressionMatch match = form.match(text);
    const double x = match.hasMatch() ? canvas::parseNumber(match.captured(1)).value_or(NAN) : NAN;
    const double y = match.hasMatch() ? canvas::parseNumber(match.captured(2)).value_or(NAN) : NAN;
    if (std::isnan(x) || std::isnan(y)) {
        throw UsageError{Render::tr("--fill wants X,Y or X,Y,#RRGGBB, not \"%1\"").arg(text)};
    }
    if (x < 0 || y < 0 || x >= 142 || y >= 142) {
        throw UsageError{Render::tr("--fill point %1 lies outside the 142 x 142 canvas").arg(text)};
    }
    Press press{float(x), float(y), std::nullopt};
    if (!match.captured(3).isEmpty()) {
        const QColor colour(match.captured(3));
        press.colour = canvas::rgbColour(colour.red(), colour.green(), colour.blue());
    }
    return press;
}

QSize parseSize(const QString& text) {
    static const QRegularExpression form(QStringLiteral(R"(^(\d{1,5})[xX](\d{1,5})$)"));
    const QRegularExpressionMatch match = form.match(text);
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (!match.hasMatch() || width < 1 || height < 1 || width > 20000 || height > 20000) {
        throw UsageError{
            Render::tr("--out-size wants WxH with W and H from 1 to 20000, not \"%1\"").arg(text)};
    }
    return {width, height};
}

// Options are read as text; the output file name stays the bytes given, so a name in any
// encoding is written exactly.
Request parseArguments(const QList<QByteArray>& arguments) {
    Request request;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString option = QFile::decodeName(arguments[i]);
        auto value = [&]() -> QString {
            if (i + 1 >= arguments.size()) {
                throw UsageError{Render::tr("%1 needs a value").arg(option)};
            }
            return QFile::decodeName(arguments[++i]);
        };
        if (option == "--list") {
            request.list = true;
        } else if (option == "-h" || option == "--help") {
            request.help = true;
        } else if (option == "--pattern") {
            request.pattern = value();
            if (!patterns::findFigure(request.pattern)) {
                throw UsageError{
                    Render::tr("unknown figure \"%1\" (see --list)").arg(request.pattern)};
            }
        } else if (option == "--advanced") {
            const QString text = value();
            request.advanced = text.toInt();
            if (request.advanced < 1 || request.advanced > 4 ||
                QString::number(request.advanced) != text) {
                throw UsageError{Render::tr("--advanced wants 1, 2, 3 or 4, not \"%1\"").arg(text)};
            }
        } else if (option == "--category") {
            const QString text = value();
            if (text != "0" && text != "1") {
                throw UsageError{Render::tr("--category wants 0 or 1, not \"%1\"").arg(text)};
            }
            request.category = text.toInt();
        } else if (option == "--width") {
            request.width = value();
            if (!canvas::parseDrawWidth(request.width)) {
                throw UsageError{Render::tr("--width wants a positive whole number up to "
                                            "32767, not \"%1\"")
                                     .arg(request.width)};
            }
        } else if (option == "--fill") {
            request.presses.push_back(parsePress(value()));
        } else if (option == "--seed") {
            const QString text = value();
            request.seed = parseUnsigned(text);
            if (!request.seed) {
                throw UsageError{Render::tr("--seed wants a whole number, not \"%1\"").arg(text)};
            }
        } else if (option == "--effect") {
            const QString text = value();
            request.effect = true;
            if (text != "own") {
                request.tileSize = canvas::parseTileSize(text);
                if (!request.tileSize) {
                    throw UsageError{
                        Render::tr("--effect wants own or a size from 1 to 1000, not \"%1\"")
                            .arg(text)};
                }
            }
        } else if (option == "--no-credit") {
            request.credit = false;
        } else if (option == "--out-size") {
            request.outSize = parseSize(value());
        } else if (option == "--repeat") {
            const QString text = value();
            if (text == "straight") {
                request.repeat = workflow::Repeat::Straight;
            } else if (text == "half-drop") {
                request.repeat = workflow::Repeat::HalfDrop;
            } else if (text == "brick") {
                request.repeat = workflow::Repeat::Brick;
            } else {
                throw UsageError{
                    Render::tr("--repeat wants straight, half-drop or brick, not \"%1\"")
                        .arg(text)};
            }
        } else if (option == "-o" || option == "--output") {
            value();
            request.output = arguments[i];
        } else {
            throw UsageError{Render::tr("unknown option \"%1\" (see --help)").arg(option)};
        }
    }
    if (request.help || request.list) {
        return request;
    }
    if (request.pattern.isEmpty() == (request.advanced == 0)) {
        throw UsageError{Render::tr("give one of --pattern NAME or --advanced N")};
    }
    if (request.output.isEmpty()) {
        throw UsageError{Render::tr("give the output file with -o FILE")};
    }
    const QString suffix = QFileInfo(QFile::decodeName(request.output)).suffix().toLower();
    if (suffix != "bmp" && suffix != "png") {
        throw UsageError{Render::tr("the output file must end in .bmp or .png")};
    }
    return request;
}

// The advanced buttons as the window numbers them: 高级图案1 is Command71(2) ... 高级图案4 is
// Command70(1).
struct AdvancedButton {
    int array;
    int index;
};
constexpr AdvancedButton kAdvancedButtons[] = {{71, 2}, {71, 1}, {70, 2}, {70, 1}};

QImage renderDesign(const Request& request) {
    canvas::Surface design(workflow::designCanvasSetup());
    const std::uint64_t seed = request.seed.value_or(canvas::clockSeed());
    // Each press reseeds from "the clock"; here the clock is the seed and the press number.
    std::uint64_t tick = 0;
    canvas::RandomSource random(seed);
    random.setClock([seed, &tick] { return seed * 1000003u + tick++; });

    if (request.advanced != 0) {
        const AdvancedButton button = kAdvancedButtons[request.advanced - 1];
        patterns::drawAdvancedPattern(design, button.array, button.index, request.category,
                                      request.width, random);
    } else {
        std::int16_t savedFillStyle = 0;
        const patterns::Figure& figure = *patterns::findFigure(request.pattern);
        patterns::drawCatalogueFigure(design, figure, request.width, QString(), savedFillStyle);
    }
    for (const Press& press : request.presses) {
        if (press.colour) {
            workflow::fillRegion(design, press.x, press.y, *press.colour);
        } else {
            workflow::colourRegion(design, press.x, press.y, random);
        }
    }
    return design.image();
}

QImage renderOutput(const Request& request) {
    canvas::Surface design(workflow::designCanvasSetup());
    design.setPicture(renderDesign(request));
    if (request.outSize || request.repeat) {
        QImage tile = design.image();
        if (request.tileSize) {
            const int side = int(canvas::roundHalfEven(*request.tileSize));
            tile = tile.scaled(side, side, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        }
        return workflow::repeatOver(tile, request.outSize.value_or(QSize(643, 643)),
                                    request.repeat.value_or(workflow::Repeat::Straight));
    }
    if (!request.effect) {
        return design.image();
    }
    canvas::Surface effect(workflow::effectViewSetup());
    canvas::Surface strip(workflow::stripSetup());
    const QString credit = request.credit ? workflow::creditLine(QDate::currentDate()) : QString();
    if (request.tileSize) {
        workflow::renderEffectChosenSize(effect, strip, design,
                                         QString::number(double(*request.tileSize)), credit);
    } else {
        workflow::renderEffectOwnSize(effect, design, strip, credit);
    }
    return effect.image();
}

// The image encoded as the file name asks, written whole or not at all.
workflow::SaveOutcome writeImage(const QImage& image, const QByteArray& path) {
    if (image.isNull()) {
        // Every picture drawn here has pixels; a null one is an allocation that failed.
        return workflow::saveFailure(workflow::SaveProblem::OutOfMemory, path);
    }
    if (QFileInfo(QFile::decodeName(path)).suffix().compare("bmp", Qt::CaseInsensitive) == 0) {
        return workflow::saveBytes(canvas::encodeBmp(image), path);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        return workflow::saveFailure(workflow::SaveProblem::Other, path, writer.errorString());
    }
    return workflow::saveBytes(png, path);
}

} // namespace

int runPatternRender(const QList<QByteArray>& arguments, QTextStream& out, QTextStream& err) {
    Request request;
    try {
        request = parseArguments(arguments);
    } catch (const UsageError& error) {
        err << "pattern-render: " << error.message << "\n";
        return kUsage;
    }
    if (request.help) {
        out << QCoreApplication::translate("PatternRender", kHelp);
        return 0;
    }
    if (request.list) {
        for (const patterns::Figure& figure : patterns::catalogue()) {
            out << patterns::controlName(figure) << "\t" << patterns::caption(figure) << "\t"
                << patterns::family(figure) << "\n";
        }
        return 0;
    }
    workflow::SaveOutcome outcome;
    try {
        outcome = writeImage(renderOutput(request), request.output);
    } catch (const std::bad_alloc&) {
        outcome = workflow::saveFailure(workflow::SaveProblem::OutOfMemory, request.output);
    }
    if (!outcome.saved) {
        err << "pattern-render: " << outcome.error << "\n";
        return kInputOutput;
    }
    return 0;
}

int runPatternRender(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QList<QByteArray> native;
    for (const QString& argument : arguments) {
        native << QFile::encodeName(argument);
    }
    return runPatternRender(native, out, err);
}
