#include "render_command.h"

#include "canvas/numbers.h"
#include "canvas/random_source.h"
#include "colouring/colour_reduction.h"
#include "colouring/colour_tools.h"
#include "colouring/colouring.h"
#include "colouring/line_art.h"
#include "colouring/named_colours.h"
#include "colouring/strokes.h"
#include "colouring/surfaces.h"
#include "design/design_model.h"
#include "effect/effect.h"
#include "pads/figures.h"
#include "pads/pad_setup.h"
#include "patterns/catalogue.h"
#include "print/print_engine.h"
#include "print/print_size.h"
#include "print/repeat_fit.h"
#include "print/separations.h"
#include "print/sharp_render.h"
#include "progress_line.h"

#include <QColor>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <variant>

namespace {

using print::PrintSize;

class Render {
    Q_DECLARE_TR_FUNCTIONS(PatternRender)
};

constexpr int kUsage = 2;
constexpr int kInputOutput = 1;

const char* const kHelp = QT_TRANSLATE_NOOP(
    "PatternRender",
    "Usage: pattern-render [options] -o FILE\n"
    "Draws a design headless with the same drawing core as the window and writes it as PNG, TIFF\n"
    "or BMP (24-bit, as the window saves), chosen by the file name's extension.\n"
    "\n"
    "Figure (one of):\n"
    "  --list                  print the 48 catalogue figures: control name, caption, family\n"
    "  --pattern NAME          a catalogue figure by its control name, e.g. Command12\n"
    "  --advanced N            advanced pattern N = 1..4 (\"高级图案1\" .. \"高级图案4\")\n"
    "  --category 0|1          advanced patterns: 1 fills the figure (the window's \"类别\" box)\n"
    "  --design FILE.ccpat     a design document saved by the window or by --save-design; its\n"
    "                          repeat type is used for tiled pages unless --repeat is given\n"
    "  --line-art FILE         a picture turned into line art as \"导入线稿\" does (the whole\n"
    "                          picture, on the canvas's background colour), its lines kept at\n"
    "                          the picture's own resolution so that tiles print them sharp\n"
    "  --threshold T           --line-art: a pixel darker than T (0 black .. 1 white, default\n"
    "                          0.5) is a line\n"
    "  --figure-pad N          figure N = 1..30 (\"图1\" .. \"图30\") of the figure pad, put into\n"
    "                          the design as \"调入主图\" does in a newly opened window; drawn\n"
    "                          again sharp for larger tiles\n"
    "Design:\n"
    "  --width N               line width, as typed into the line-width list (default 2)\n"
    "  --fill X,Y[,#RRGGBB]    a press at canvas point X,Y (0..141); repeatable, applied in "
    "order;\n"
    "                          the colour is random from the seed unless given\n"
    "  --stroke KIND:X1,Y1,X2,Y2[,...][:WIDTH][:#RRGGBB]\n"
    "                          a stroke: KIND pen (through every point), line, rect or ellipse\n"
    "                          (outlines, from the first point to the second), or eraser (the\n"
    "                          design's background colour, like pen); points in canvas units,\n"
    "                          within one canvas around it; WIDTH 1..20 pixels (default 2); the\n"
    "                          colour of --base, or black, unless given; repeatable, applied in\n"
    "                          order with the presses\n"
    "  --seed N                seed of the random colours and advanced draws (default: the clock)\n"
    "  --fill-scope SCOPE      what a press fills: region (default, the connected region), global\n"
    "                          (every pixel of the pressed colour) or wrap (the region as drawn,\n"
    "                          continued across the seams of --repeat)\n"
    "  --symmetry MODE         where else a press fills: none (default), lr (mirrored "
    "left-right),\n"
    "                          tb (top-bottom), four (both) or eight (and the diagonals)\n"
    "  --colour-rule RULE      the colour of presses without one: random (default), analogous,\n"
    "                          complementary, triadic or mono, around the --base colour\n"
    "  --base #RRGGBB          the colour the harmony rules start from (default: a random hue)\n"
    "  --merge-colours DE      merge the design's colours that differ by less than DE (CIEDE2000,\n"
    "                          0..30), as 颜色 ▸ 减少颜色… does; repeatable, in order with --fill\n"
    "  --colours N             merge the design's closest colours until N (2..24) are left;\n"
    "                          repeatable, in order with --fill\n"
    "  --save-design FILE.ccpat  also write the design document of what was drawn (-o may then\n"
    "                          be left out)\n"
    "Output:\n"
    "  --effect own|SIZE       the effect picture (643 x 643) as \"生成效果图\" renders it: own "
    "size\n"
    "                          tiles, or tiles of SIZE pixels (1..1000), with the credit line\n"
    "  --no-credit             leave the credit line out of the effect picture\n"
    "  --out-size SIZE         tile the design over a page of SIZE instead, streamed in constant\n"
    "                          memory: WxH or one side, in pixels (2480x3508, 300) or with a\n"
    "                          unit cm, mm or in (21x29.7cm, 210x297mm, 8.5x11in, 20cm); up to\n"
    "                          300000 pixels a side (BMP: files up to 4 GB)\n"
    "  --tile-size SIZE        the tile's size: larger than the design, the design is redrawn\n"
    "                          sharp at that size (or, when the redrawing does not match the\n"
    "                          design, enlarged with nearest pixels, with a warning); without it\n"
    "                          tiles are the design's size\n"
    "  --dpi N                 dots per inch for physical sizes, written into the file (default\n"
    "                          300 when a size has a unit, otherwise none; 1 to 10000)\n"
    "  --fit-repeat TARGET     fit a whole number of tiles exactly into a machine's length:\n"
    "                          rotary-64cm or rotary-91.4cm (a rotary screen's circumference,\n"
    "                          along the page's height), wallpaper-53cm (across its width),\n"
    "                          panel-24in (a 24 x 24 in panel, both ways) or a length with a\n"
    "                          unit (50cm: along the height); the tile becomes the length over\n"
    "                          the number of repeats nearest its size (\"640 mm ÷ 4 = 160 mm\",\n"
    "                          told on stderr) and the page that many tiles along it (without\n"
    "                          --out-size, both ways)\n"
    "  --repeat MODE           straight (default), half-drop (every other column lowered by half\n"
    "                          a tile), brick (every other row shifted by half a tile), mirror\n"
    "                          (neighbours meet as reflections), rotate (a 2 x 2 block of\n"
    "                          quarter turns), half-drop-1/3, half-drop-1/4, brick-1/3, brick-1/4\n"
    "                          (each column or row a third or a quarter of a tile further),\n"
    "                          centre (a second copy at each cell's centre) or a wallpaper group:\n"
    "                          p1, p2, pm, pg, cm, pmm, pmg, pgg, cmm, p4, p4m, p4g, p3, p3m1,\n"
    "                          p31m, p6, p6m (the design is the group's cell); implies a page of\n"
    "                          643 x 643 unless --out-size\n"
    "  --credit                print the credit line at the top-left of a tiled page\n"
    "  --quiet                 no progress line (shown only on a terminal, after a second)\n"
    "  --colourways N          a sheet of N recolourings (1..60) of the design from the colour\n"
    "                          rule, with a title and the colour values, instead of the design\n"
    "Separations (a tiled page as one screen a colour, instead of -o):\n"
    "  --separations DIR       write into the folder DIR a 1-bit TIFF a colour of the page,\n"
    "                          named NN-#RRGGBB.tif and printed lightest first (NN: the order),\n"
    "                          the page as printed (composite.png) and a sheet of the screens\n"
    "                          with their colours and areas (separations.pdf); all or nothing\n"
    "  --unprinted-background  leave the page's most frequent colour unprinted (no screen)\n"
    "  --registration-marks    crosses at the same place on every screen, in a 1 cm margin\n"
    "                          added around the page\n"
    "  --trap K                grow each screen by K pixels (0..10, a round disk) over its\n"
    "                          darker neighbours, so the print registers without gaps\n"
    "  --screen-compression g4|deflate  how screens are compressed (default g4: CCITT Group 4)\n"
    "  -o, --output FILE       the file to write (.png, .tif, .tiff or .bmp)\n"
    "  -h, --help              this text\n"
    "  --version               the version of pattern-render\n"
    "Every option is given at most once (--fill, --stroke, --merge-colours and --colours as\n"
    "often as needed), and only where it does something.\n"
    "Exit status: 0 written, 1 the file could not be written, 2 bad arguments or a bad design\n"
    "document, 128 + the signal's number when a signal stopped it (130 for Ctrl+C, 129 for a\n"
    "closed terminal, 143 for SIGTERM; nothing is left behind).\n");

struct Press {
    float x;
    float y;
    std::optional<canvas::Colour> colour;
};
// A stroke whose colour, when not given, is the current colour once every option is read.
struct Stroke {
    colouring::StrokeChange change;
    std::optional<canvas::Colour> colour;
};
// The changes after the figure, in the order given: presses, strokes and colour reductions.
using DesignStep = std::variant<Press, Stroke, colouring::ColourReduction>;

struct Request {
    bool list = false;
    bool help = false;
    bool version = false;
    QString pattern;
    int advanced = 0;
    int category = 0;
    int figurePad = 0;
    QString width = QStringLiteral("2");
    QByteArray designPath;
    QByteArray lineArtPath;
    std::optional<double> threshold;
    QByteArray saveDesign;
    std::vector<DesignStep> steps;
    std::optional<std::uint64_t> seed;
    bool effect = false;
    std::optional<float> effectSize;
    bool credit = true;
    bool pageCredit = false;
    std::optional<PrintSize> outSize;
    std::optional<PrintSize> tileSize;
    std::optional<double> dotsPerInch;
    std::optional<print::RepeatTarget> fitTarget;
    std::optional<tiling::Repeat> repeat;
    colouring::PressOptions pressOptions;
    int colourways = 0;
    bool quiet = false;
    QByteArray output;
    QByteArray separations; // the folder of the screens
    print::SeparationOptions separationOptions;
    // Worked out from the above once all options are read.
    print::PrintFormat format = print::PrintFormat::Png;
    bool tiled = false;
    QSize page;
    std::optional<QSize> tile;
    QString fitNotice; // the rule of --fit-repeat and the sizes it gave
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

// --merge-colours DE (a colour difference) or --colours N.
colouring::ColourReduction parseReduction(const QString& option, const QString& text) {
    using Mode = colouring::ColourReduction::Mode;
    if (option == "--colours") {
        const int count = text.toInt();
        if (count < colouring::kFewestReducedColours || count > colouring::kMostReducedColours ||
            QString::number(count) != text) {
            throw UsageError{Render::tr("--colours wants a whole number from %1 to %2, not \"%3\"")
                                 .arg(colouring::kFewestReducedColours)
                                 .arg(colouring::kMostReducedColours)
                                 .arg(text)};
        }
        return {Mode::Count, 0, count};
    }
    const std::optional<double> tolerance = canvas::parseNumber(text);
    if (!tolerance || *tolerance < 0 || *tolerance > colouring::kMostMergeTolerance) {
        throw UsageError{Render::tr("--merge-colours wants a colour difference from 0 to %1, not "
                                    "\"%2\"")
                             .arg(colouring::kMostMergeTolerance)
                             .arg(text)};
    }
    return {Mode::Tolerance, *tolerance, 0};
}

Stroke parseStroke(const QString& text) {
    static const QRegularExpression form(QStringLiteral(
        R"(^\s*([a-z]+)\s*:([-+0-9.eE,\s]+?)(?::\s*([0-9]+)\s*)?(?::\s*(#[0-9a-fA-F]{6})\s*)?$)"));
    const QRegularExpressionMatch match = form.match(text);
    const auto* kindName = std::find(std::begin(colouring::kStrokeKindNames),
                                     std::end(colouring::kStrokeKindNames), match.captured(1));
    const QStringList numbers = match.captured(2).split(',');
    Stroke stroke;
    stroke.change.width =
        match.captured(3).isEmpty() ? colouring::kDefaultStrokeWidth : match.captured(3).toInt();
    if (!match.hasMatch() || kindName == std::end(colouring::kStrokeKindNames) ||
        numbers.size() % 2 != 0 || stroke.change.width < 1 ||
        stroke.change.width > colouring::kMostStrokeWidth) {
        throw UsageError{Render::tr("--stroke wants KIND:X1,Y1,X2,Y2[,...][:WIDTH][:#RRGGBB], KIND "
                                    "pen, line, rect, ellipse or eraser and WIDTH 1 to %1, not "
                                    "\"%2\"")
                             .arg(colouring::kMostStrokeWidth)
                             .arg(text)};
    }
    stroke.change.kind = colouring::StrokeKind(kindName - std::begin(colouring::kStrokeKindNames));
    for (qsizetype i = 0; i < numbers.size(); i += 2) {
        const double x = canvas::parseNumber(numbers[i].trimmed()).value_or(NAN);
        const double y = canvas::parseNumber(numbers[i + 1].trimmed()).value_or(NAN);
        if (!(x >= colouring::kStrokeReachLeast && x <= colouring::kStrokeReachMost &&
              y >= colouring::kStrokeReachLeast && y <= colouring::kStrokeReachMost)) {
            throw UsageError{Render::tr("--stroke point %1,%2 is not a number from %3 to %4")
                                 .arg(numbers[i].trimmed(), numbers[i + 1].trimmed())
                                 .arg(colouring::kStrokeReachLeast)
                                 .arg(colouring::kStrokeReachMost)};
        }
        stroke.change.points.emplace_back(x, y);
    }
    const std::size_t points = stroke.change.points.size();
    if (points < 2 || (colouring::twoPointStroke(stroke.change.kind) && points != 2) ||
        points > std::size_t(colouring::kMostStrokePoints)) {
        throw UsageError{Render::tr("--stroke line, rect and ellipse take two points, pen and "
                                    "eraser 2 to %1, not \"%2\"")
                             .arg(colouring::kMostStrokePoints)
                             .arg(text)};
    }
    if (!match.captured(4).isEmpty()) {
        if (stroke.change.kind == colouring::StrokeKind::Eraser) {
            throw UsageError{Render::tr("--stroke eraser draws the background colour and takes no "
                                        "colour, not \"%1\"")
                                 .arg(text)};
        }
        stroke.colour = canvas::fromPixel(QColor(match.captured(4)).rgb());
    }
    return stroke;
}

template <typename Value> struct NamedValue {
    const char* name;
    Value value;
};

constexpr NamedValue<colouring::FillScope> kScopeNames[] = {
    {"region", colouring::FillScope::Region},
    {"global", colouring::FillScope::Global},
    {"wrap", colouring::FillScope::Wrap},
};
constexpr NamedValue<colouring::Symmetry> kSymmetryNames[] = {
    {"none", colouring::Symmetry::None},    {"lr", colouring::Symmetry::LeftRight},
    {"tb", colouring::Symmetry::TopBottom}, {"four", colouring::Symmetry::Four},
    {"eight", colouring::Symmetry::Eight},
};
constexpr NamedValue<print::ScreenCompression> kCompressionNames[] = {
    {"g4", print::ScreenCompression::Group4},
    {"deflate", print::ScreenCompression::Deflate},
};
constexpr NamedValue<colouring::ColourRule> kRuleNames[] = {
    {"random", colouring::ColourRule::Random},
    {"analogous", colouring::ColourRule::Analogous},
    {"complementary", colouring::ColourRule::Complementary},
    {"triadic", colouring::ColourRule::Triadic},
    {"mono", colouring::ColourRule::Mono},
};

template <typename Value, std::size_t N>
Value parseNamed(const QString& option, const QString& text, const NamedValue<Value> (&names)[N]) {
    QStringList known;
    for (const NamedValue<Value>& named : names) {
        if (text == QLatin1String(named.name)) {
            return named.value;
        }
        known << QString::fromLatin1(named.name);
    }
    throw UsageError{
        Render::tr("%1 wants one of %2, not \"%3\"").arg(option, known.join(", "), text)};
}

constexpr int kMostColourways = 60;

// The largest tile side --tile-size accepts: a tile is held whole in memory.
constexpr int kMostTileSide = 20000;
// The design's side, the tile's without --tile-size.
constexpr int kDesignSide = 142;

PrintSize parsePrintSizeOption(const QString& option, const QString& text) {
    const std::optional<PrintSize> size = print::parsePrintSize(text);
    if (!size) {
        throw UsageError{Render::tr("%1 wants WxH or one side, in pixels or with a unit cm, mm or "
                                    "in (2480x3508, 21x29.7cm, 20cm), not \"%2\"")
                             .arg(option, text)};
    }
    return *size;
}

// The size in whole pixels, refused when a side is below one pixel or above `most`.
QSize pixelSize(const QString& option, const PrintSize& size, double dotsPerInch, int most) {
    const auto [width, height] = print::sizeInPixels(size, dotsPerInch);
    if (width < 1 || height < 1) {
        throw UsageError{Render::tr("%1 comes to less than one pixel a side").arg(option)};
    }
    if (width > most || height > most) {
        throw UsageError{Render::tr("%1 allows at most %2 pixels a side, not %3 x %4")
                             .arg(option)
                             .arg(most)
                             .arg(width, 0, 'f', 0)
                             .arg(height, 0, 'f', 0)};
    }
    return {int(width), int(height)};
}

// The tile's sides that the target measures fitted to it, any other side keeping the tile's
// shape; the page exactly that many tiles along them, and the target both ways without
// --out-size.
void fitTile(Request& request, double dotsPerInch) {
    const print::RepeatTarget& target = *request.fitTarget;
    const QSize tile = request.tile.value_or(QSize(kDesignSide, kDesignSide));
    const bool across = print::fitsWidth(target.direction);
    const bool along = print::fitsHeight(target.direction);
    const print::RepeatFit acrossFit = print::fitRepeat(target, tile.width(), dotsPerInch);
    const print::RepeatFit alongFit = print::fitRepeat(target, tile.height(), dotsPerInch);
    const double scale = across ? double(acrossFit.tilePixels) / tile.width()
                                : double(alongFit.tilePixels) / tile.height();
    const PrintSize fittedTile{across ? acrossFit.tilePixels : std::round(tile.width() * scale),
                               along ? alongFit.tilePixels : std::round(tile.height() * scale)};
    const bool ownPage = !request.outSize;
    const PrintSize page{double(across    ? acrossFit.pagePixels
                                : ownPage ? alongFit.pagePixels
                                          : request.page.width()),
                         double(along     ? alongFit.pagePixels
                                : ownPage ? acrossFit.pagePixels
                                          : request.page.height())};
    const QString option = QStringLiteral("--fit-repeat");
    request.tile = pixelSize(option, fittedTile, dotsPerInch, kMostTileSide);
    request.page = pixelSize(option, page, dotsPerInch, print::kMostPrintSide);
    QStringList rules;
    if (across) {
        rules << acrossFit.rule;
    }
    if (along && !rules.contains(alongFit.rule)) {
        rules << alongFit.rule;
    }
    request.fitNotice = Render::tr("fitted the repeat: %1; tiles of %2 x %3 pixels on a page of "
                                   "%4 x %5 pixels")
                            .arg(rules.join(QStringLiteral(", ")))
                            .arg(request.tile->width())
                            .arg(request.tile->height())
                            .arg(request.page.width())
                            .arg(request.page.height());
}

// Page and tile in pixels, the dots per inch (300 when a size is physical and none was given),
// and the page checked against what its format can hold.
void resolvePage(Request& request) {
    const bool physical = (request.outSize && request.outSize->physical()) ||
                          (request.tileSize && request.tileSize->physical()) || request.fitTarget;
    if (physical && !request.dotsPerInch) {
        request.dotsPerInch = 300.0;
    }
    const double dotsPerInch = request.dotsPerInch.value_or(300.0);
    request.tiled = request.outSize || request.repeat || request.tileSize || request.fitTarget ||
                    !request.separations.isEmpty();
    request.page = request.outSize ? pixelSize(QStringLiteral("--out-size"), *request.outSize,
                                               dotsPerInch, print::kMostPrintSide)
                                   : QSize(643, 643);
    if (request.tileSize) {
        request.tile =
            pixelSize(QStringLiteral("--tile-size"), *request.tileSize, dotsPerInch, kMostTileSide);
    }
    if (request.fitTarget) {
        fitTile(request, dotsPerInch);
    }
    if (request.tiled && print::beyondFormat(request.format, request.page)) {
        throw UsageError{Render::tr("a %1 x %2 page would make a BMP file over 4 GB; write .png "
                                    "or .tif instead")
                             .arg(request.page.width())
                             .arg(request.page.height())};
    }
}

// Screens are named in the language pattern-render speaks.
QString screenColourName(QRgb colour) {
    const colouring::NamedColour* named = colouring::nearestNamedColour(colour);
    if (named == nullptr) {
        return {};
    }
    return QLocale::system().language() == QLocale::Chinese ? QString::fromUtf8(named->chinese)
                                                            : QString::fromLatin1(named->english);
}

print::SeparationOptions separationOptions(const Request& request) {
    print::SeparationOptions options = request.separationOptions;
    options.colourName = screenColourName;
    return options;
}

bool separating(const Request& request) {
    return !request.separations.isEmpty();
}

bool pressesIn(const Request& request) {
    return std::any_of(request.steps.begin(), request.steps.end(),
                       [](const DesignStep& step) { return std::holds_alternative<Press>(step); });
}

// Options that do something only with others (`needed`), or do nothing with them.
struct OptionPairing {
    const char* option;
    const char* others;
    bool needed;
    bool (*given)(const Request&); // whether the others are there
};
constexpr OptionPairing kPairings[] = {
    {"--credit", "--out-size/--tile-size/--fit-repeat/--repeat", true,
     [](const Request& r) { return r.tiled; }},
    {"--effect", "--out-size/--tile-size/--fit-repeat/--repeat", false,
     [](const Request& r) { return r.tiled; }},
    {"--no-credit", "--effect", true, [](const Request& r) { return r.effect; }},
    {"--category", "--advanced", true, [](const Request& r) { return r.advanced != 0; }},
    {"--width", "--design", false, [](const Request& r) { return !r.designPath.isEmpty(); }},
    {"--width", "--line-art", false, [](const Request& r) { return !r.lineArtPath.isEmpty(); }},
    {"--threshold", "--line-art", true, [](const Request& r) { return !r.lineArtPath.isEmpty(); }},
    {"--fill-scope", "--fill", true, [](const Request& r) { return pressesIn(r); }},
    {"--symmetry", "--fill", true, [](const Request& r) { return pressesIn(r); }},
    {"--credit", "--separations", false, [](const Request& r) { return !r.separations.isEmpty(); }},
    {"--unprinted-background", "--separations", true, separating},
    {"--registration-marks", "--separations", true, separating},
    {"--trap", "--separations", true, separating},
    {"--screen-compression", "--separations", true, separating},
};

void checkPairings(const Request& request, const QSet<QString>& given) {
    for (const OptionPairing& pairing : kPairings) {
        const QString option = QString::fromLatin1(pairing.option);
        const QString others = QString::fromLatin1(pairing.others);
        if (given.contains(option) && pairing.given(request) != pairing.needed) {
            throw UsageError{pairing.needed
                                 ? Render::tr("%1 does nothing without %2").arg(option, others)
                                 : Render::tr("%1 does nothing with %2").arg(option, others)};
        }
    }
}

// Options are read as text; file names stay the bytes given, so a name in any encoding is used
// exactly.
Request parseArguments(const QList<QByteArray>& arguments) {
    Request request;
    QSet<QString> given;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString option = QFile::decodeName(arguments[i]);
        const QString name = option == "-o"   ? QStringLiteral("--output")
                             : option == "-h" ? QStringLiteral("--help")
                                              : option;
        const bool repeatable = name == "--fill" || name == "--stroke" ||
                                name == "--merge-colours" || name == "--colours";
        if (given.contains(name) && !repeatable) {
            throw UsageError{Render::tr("%1 is given twice").arg(option)};
        }
        given.insert(name);
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
        } else if (option == "--version") {
            request.version = true;
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
        } else if (option == "--figure-pad") {
            const QString text = value();
            request.figurePad = text.toInt();
            if (request.figurePad < 1 || request.figurePad > pads::kFigurePresetCount ||
                QString::number(request.figurePad) != text) {
                throw UsageError{Render::tr("--figure-pad wants a figure from 1 to %1, not \"%2\"")
                                     .arg(pads::kFigurePresetCount)
                                     .arg(text)};
            }
        } else if (option == "--width") {
            request.width = value();
            if (!canvas::parseDrawWidth(request.width)) {
                throw UsageError{Render::tr("--width wants a positive whole number up to "
                                            "32767, not \"%1\"")
                                     .arg(request.width)};
            }
        } else if (option == "--design") {
            value();
            request.designPath = arguments[i];
        } else if (option == "--line-art") {
            value();
            request.lineArtPath = arguments[i];
        } else if (option == "--threshold") {
            const QString text = value();
            request.threshold = canvas::parseNumber(text);
            if (!request.threshold || !(*request.threshold >= 0 && *request.threshold <= 1)) {
                throw UsageError{
                    Render::tr("--threshold wants a number from 0 to 1, not \"%1\"").arg(text)};
            }
        } else if (option == "--save-design") {
            value();
            request.saveDesign = arguments[i];
        } else if (option == "--fill") {
            request.steps.emplace_back(parsePress(value()));
        } else if (option == "--merge-colours" || option == "--colours") {
            request.steps.emplace_back(parseReduction(option, value()));
        } else if (option == "--stroke") {
            request.steps.emplace_back(parseStroke(value()));
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
                request.effectSize = canvas::parseTileSize(text);
                if (!request.effectSize) {
                    throw UsageError{
                        Render::tr("--effect wants own or a size from 1 to 1000, not \"%1\"")
                            .arg(text)};
                }
            }
        } else if (option == "--no-credit") {
            request.credit = false;
        } else if (option == "--credit") {
            request.pageCredit = true;
        } else if (option == "--out-size" || option == "--tile-size") {
            const PrintSize size = parsePrintSizeOption(option, value());
            (option == "--out-size" ? request.outSize : request.tileSize) = size;
        } else if (option == "--dpi") {
            const QString text = value();
            request.dotsPerInch = print::parseDotsPerInch(text);
            if (!request.dotsPerInch) {
                throw UsageError{
                    Render::tr("--dpi wants a number from 1 to 10000, not \"%1\"").arg(text)};
            }
        } else if (option == "--fit-repeat") {
            const QString text = value();
            request.fitTarget = print::parseRepeatTarget(text);
            if (!request.fitTarget) {
                QStringList keys;
                for (const print::RepeatTarget& target : print::kRepeatTargets) {
                    keys << QString::fromLatin1(target.key);
                }
                throw UsageError{Render::tr("--fit-repeat wants %1 or a length in cm, mm or in "
                                            "(50cm), not \"%2\"")
                                     .arg(keys.join(QStringLiteral(", ")), text)};
            }
        } else if (option == "--fill-scope") {
            request.pressOptions.scope = parseNamed(option, value(), kScopeNames);
        } else if (option == "--symmetry") {
            request.pressOptions.symmetry = parseNamed(option, value(), kSymmetryNames);
        } else if (option == "--colour-rule") {
            request.pressOptions.rule = parseNamed(option, value(), kRuleNames);
        } else if (option == "--base") {
            const QString text = value();
            static const QRegularExpression hex(QStringLiteral("^#[0-9a-fA-F]{6}$"));
            if (!hex.match(text).hasMatch()) {
                throw UsageError{Render::tr("--base wants a colour #RRGGBB, not \"%1\"").arg(text)};
            }
            request.pressOptions.current = canvas::fromPixel(QColor(text).rgb());
        } else if (option == "--colourways") {
            const QString text = value();
            request.colourways = text.toInt();
            if (request.colourways < 1 || request.colourways > kMostColourways ||
                QString::number(request.colourways) != text) {
                throw UsageError{Render::tr("--colourways wants a whole number from 1 to %1, not "
                                            "\"%2\"")
                                     .arg(kMostColourways)
                                     .arg(text)};
            }
        } else if (option == "--quiet") {
            request.quiet = true;
        } else if (option == "--repeat") {
            const QString text = value();
            const auto* name =
                std::find(std::begin(tiling::kRepeatNames), std::end(tiling::kRepeatNames), text);
            if (name == std::end(tiling::kRepeatNames)) {
                QStringList names;
                for (const char* known : tiling::kRepeatNames) {
                    names << QString::fromLatin1(known);
                }
                throw UsageError{Render::tr("--repeat wants one of %1, not \"%2\"")
                                     .arg(names.join(QStringLiteral(", ")), text)};
            }
            request.repeat = tiling::Repeat(name - std::begin(tiling::kRepeatNames));
        } else if (option == "--separations") {
            value();
            request.separations = arguments[i];
        } else if (option == "--unprinted-background") {
            request.separationOptions.unprintedBackground = true;
        } else if (option == "--registration-marks") {
            request.separationOptions.registrationMarks = true;
        } else if (option == "--trap") {
            const QString text = value();
            const int trap = text.toInt();
            if (trap < 0 || trap > print::kMostTrap || QString::number(trap) != text) {
                throw UsageError{
                    Render::tr("--trap wants a whole number of pixels from 0 to %1, not \"%2\"")
                        .arg(print::kMostTrap)
                        .arg(text)};
            }
            request.separationOptions.trap = trap;
        } else if (option == "--screen-compression") {
            request.separationOptions.compression = parseNamed(option, value(), kCompressionNames);
        } else if (option == "-o" || option == "--output") {
            value();
            request.output = arguments[i];
        } else {
            throw UsageError{Render::tr("unknown option \"%1\" (see --help)").arg(option)};
        }
    }
    if (request.help || request.list || request.version) {
        return request;
    }
    if (int(!request.pattern.isEmpty()) + int(request.advanced != 0) +
            int(!request.designPath.isEmpty()) + int(!request.lineArtPath.isEmpty()) +
            int(request.figurePad != 0) !=
        1) {
        throw UsageError{Render::tr("give one of --pattern NAME, --advanced N, --design FILE, "
                                    "--line-art FILE or --figure-pad N")};
    }
    if (!request.separations.isEmpty() && !request.output.isEmpty()) {
        throw UsageError{Render::tr("--separations writes files of its own: leave out -o")};
    }
    if (request.output.isEmpty() && request.separations.isEmpty()) {
        if (!request.saveDesign.isEmpty()) {
            return request;
        }
        throw UsageError{Render::tr("give the output file with -o FILE")};
    }
    if (request.separations.isEmpty()) {
        const std::optional<print::PrintFormat> format =
            print::printFormatForName(QFile::decodeName(request.output));
        if (!format) {
            throw UsageError{Render::tr("the output file must end in .png, .tif, .tiff or .bmp")};
        }
        request.format = *format;
    }
    resolvePage(request);
    if (request.colourways > 0 && (request.effect || request.tiled)) {
        throw UsageError{Render::tr("--colourways writes a sheet of its own: leave out --effect, "
                                    "--out-size, --tile-size, --fit-repeat and --repeat")};
    }
    checkPairings(request, given);
    return request;
}

// The advanced buttons as the window numbers them: 高级图案1 is Command71(2) ... 高级图案4 is
// Command70(1).
struct AdvancedButton {
    int array;
    int index;
};
constexpr AdvancedButton kAdvancedButtons[] = {{71, 2}, {71, 1}, {70, 2}, {70, 1}};

// Each press reseeds from "the clock"; here the clock is the seed and the press number.
class SeededRandom : public canvas::RandomSource {
  public:
    explicit SeededRandom(std::uint64_t seed) : RandomSource(seed) {
        setClock([this, seed] { return seed * 1000003u + tick_++; });
    }

  private:
    std::uint64_t tick_ = 0;
};

// The design drawn as the window draws it, with the document that records how.
struct Drawn {
    std::unique_ptr<design::DesignModel> model;
    QImage design;
    design::DesignDocument document;
};

QString importProblem(colouring::ImportProblem problem) {
    switch (problem) {
    case colouring::ImportProblem::Incomplete:
        return Render::tr("the picture is cut short");
    case colouring::ImportProblem::Empty:
        return Render::tr("the picture is empty");
    case colouring::ImportProblem::TooLarge:
        return Render::tr("the picture has more than %1 pixels").arg(colouring::kMaxImportPixels);
    case colouring::ImportProblem::Unreadable:
    case colouring::ImportProblem::None:
        break;
    }
    return Render::tr("it is not a regular file holding a picture this program reads");
}

// A design started from a picture as 导入线稿 does with its defaults.
void importLineArt(design::DesignModel& model, const Request& request) {
    const colouring::ImportedImage picture = colouring::readImportImage(request.lineArtPath);
    if (picture.problem != colouring::ImportProblem::None) {
        throw UsageError{
            Render::tr("cannot import %1: %2")
                .arg(QFile::decodeName(request.lineArtPath), importProblem(picture.problem))};
    }
    colouring::LineArtOptions options;
    options.threshold = request.threshold.value_or(options.threshold);
    options.background = canvas::toPixel(model.canvas().backColor());
    model.importLineArt(picture.image, options, colouring::kImportedDesignTitle);
}

// A click on a figure button of a newly opened window's figure pad, then 调入主图.
void loadFigurePad(design::DesignModel& model, int preset, canvas::RandomSource& random) {
    canvas::Surface pad(pads::figurePadSetup());
    pads::PadDrawing drawing(pads::PadKind::Figure);
    std::int16_t counter = 0;
    pads::FigureParams fields;
    pads::runFigurePreset(preset, counter, fields, pad, random, &drawing);
    model.loadPicture(colouring::padPicture(pad.image(), drawing), colouring::kAdvancedDesignTitle,
                      colouring::PictureSource::Origin::Pad);
}

Drawn drawDesign(const Request& request, canvas::RandomSource& random) {
    auto model = std::make_unique<design::DesignModel>(random);
    if (!request.lineArtPath.isEmpty()) {
        importLineArt(*model, request);
    } else if (!request.designPath.isEmpty()) {
        const design::DocumentReading reading = model->openDocument(request.designPath);
        if (reading.problem == design::DocumentProblem::OutOfMemory) {
            throw std::bad_alloc();
        }
        if (!reading.document) {
            throw UsageError{reading.message};
        }
        model->setRepeat(reading.document->repeat);
    } else if (request.figurePad != 0) {
        model->setLineWidthText(request.width);
        loadFigurePad(*model, request.figurePad - 1, random);
    } else if (request.advanced != 0) {
        const AdvancedButton button = kAdvancedButtons[request.advanced - 1];
        model->setLineWidthText(request.width);
        model->drawAdvanced(button.array, button.index, request.category);
    } else {
        model->setLineWidthText(request.width);
        model->drawFigure(request.pattern,
                          patterns::caption(*patterns::findFigure(request.pattern)));
    }
    // A seam fill follows the repeat the page is tiled with.
    if (request.repeat) {
        model->setRepeat(*request.repeat);
    }
    for (const DesignStep& step : request.steps) {
        if (const auto* reduction = std::get_if<colouring::ColourReduction>(&step)) {
            model->mapColours(
                colouring::reduceColours(model->canvas().imageRef(), {}, *reduction).mapping);
            continue;
        }
        if (const auto* stroke = std::get_if<Stroke>(&step)) {
            colouring::StrokeChange change = stroke->change;
            change.colour = stroke->colour.value_or(request.pressOptions.current);
            model->drawStroke(change);
            continue;
        }
        const Press& press = std::get<Press>(step);
        colouring::PressOptions options = request.pressOptions;
        if (press.colour) {
            options.rule = colouring::ColourRule::Chosen;
            options.current = *press.colour;
        }
        model->setPressOptions(options);
        model->press(press.x, press.y);
    }
    QImage design = model->canvas().image();
    design::DesignDocument document = model->document();
    return {std::move(model), std::move(design), std::move(document)};
}

QString designName(const Request& request, const Drawn& drawn) {
    if (!request.designPath.isEmpty()) {
        return drawn.document.title;
    }
    if (!request.lineArtPath.isEmpty()) {
        return QFileInfo(QFile::decodeName(request.lineArtPath)).fileName();
    }
    if (request.figurePad != 0) {
        return QString::fromUtf8(
            pads::figurePresets().at(std::size_t(request.figurePad - 1)).caption);
    }
    return request.advanced != 0 ? Render::tr("advanced pattern %1").arg(request.advanced)
                                 : patterns::caption(*patterns::findFigure(request.pattern));
}

// Where the render writes, for messages: the file, or the folder of the separations.
QByteArray outputPath(const Request& request) {
    return request.separations.isEmpty() ? request.output : request.separations;
}

// A render that ended before its file was begun: cancelled, or short of memory.
struct Stopped {
    files::SaveOutcome outcome;
};

// The design at the tile size: redrawn sharp when --tile-size or --fit-repeat makes it larger
// than it is.
QImage tileOf(const Request& request, const Drawn& drawn, const RenderControls& controls,
              QTextStream& err) {
    const QSize size = *request.tile;
    if (size.width() <= drawn.design.width() && size.height() <= drawn.design.height()) {
        return print::scaledTile(drawn.design, size);
    }
    const print::SharpTile tile = drawn.model->renderSharpTile(size, {{}, controls.cancel});
    if (tile.problem != files::SaveProblem::None) {
        files::SaveOutcome outcome = files::saveFailure(tile.problem, outputPath(request));
        if (!tile.message.isEmpty()) {
            outcome.error = tile.message;
        }
        throw Stopped{outcome};
    }
    if (!tile.sharp) {
        err << "pattern-render: "
            << Render::tr("warning: the design does not redraw to match itself (%1 % of its pixels "
                          "agree); its pixels are enlarged instead")
                   .arg(tile.agreement * 100, 0, 'f', 1)
            << "\n";
    }
    return tile.image;
}

// The picture to write: the design, its colourways, its effect picture, or a page of its tiles.
print::PrintJob printJob(const Request& request, const Drawn& drawn, canvas::RandomSource& random,
                         const RenderControls& controls, QTextStream& err) {
    canvas::Surface design(colouring::designCanvasSetup());
    design.setPicture(drawn.design);
    print::PrintJob job;
    job.format = request.format;
    job.dotsPerInch = request.dotsPerInch;
    if (request.colourways > 0) {
        const colouring::PressOptions& options = request.pressOptions;
        job.tile = colouring::colourwaySheet(
            colouring::makeColourways(design.image(), {}, options.rule, options.current, random,
                                      request.colourways),
            Render::tr("Colourways of %1").arg(designName(request, drawn)));
    } else if (request.tiled) {
        job.tile = request.tile ? tileOf(request, drawn, controls, err) : design.image();
        job.page = request.page;
        job.repeat = request.repeat.value_or(drawn.document.repeat);
        if (request.pageCredit) {
            job.overlay = print::creditOverlay(effect::creditLine(QDate::currentDate()));
        }
    } else if (!request.effect) {
        job.tile = design.image();
    } else {
        canvas::Surface effect(colouring::effectViewSetup());
        canvas::Surface strip(colouring::stripSetup());
        const QString credit =
            request.credit ? effect::creditLine(QDate::currentDate()) : QString();
        if (request.effectSize) {
            effect::renderEffectChosenSize(effect, strip, design,
                                           QString::number(double(*request.effectSize)), credit);
        } else {
            effect::renderEffectOwnSize(effect, design, strip, credit);
        }
        job.tile = effect.image();
    }
    if (!request.tiled) {
        job.page = job.tile.size();
    }
    // Every picture drawn here has pixels; a null one is an allocation that failed.
    if (job.tile.isNull()) {
        throw std::bad_alloc();
    }
    return job;
}

} // namespace

int runPatternRender(const QList<QByteArray>& arguments, QTextStream& out, QTextStream& err,
                     const RenderControls& controls) {
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
    if (request.version) {
        out << "pattern-render " << PW_VERSION << "\n";
        return 0;
    }
    if (request.list) {
        for (const patterns::Figure& figure : patterns::catalogue()) {
            out << patterns::controlName(figure) << "\t" << patterns::caption(figure) << "\t"
                << patterns::familyName(figure) << "\n";
        }
        return 0;
    }
    if (!request.fitNotice.isEmpty()) {
        err << "pattern-render: " << request.fitNotice << "\n";
    }
    SeededRandom random(request.seed.value_or(canvas::clockSeed()));
    Drawn drawn;
    try {
        drawn = drawDesign(request, random);
    } catch (const UsageError& error) {
        err << "pattern-render: " << error.message << "\n";
        return kUsage;
    } catch (const std::bad_alloc&) {
        err << "pattern-render: "
            << files::saveFailure(files::SaveProblem::OutOfMemory,
                                  QFile::encodeName(request.designPath))
                   .error
            << "\n";
        return kInputOutput;
    }
    if (!request.saveDesign.isEmpty()) {
        const files::SaveOutcome saved =
            design::saveDesignDocument(drawn.document, request.saveDesign);
        if (!saved.saved) {
            err << "pattern-render: " << saved.error << "\n";
            return kInputOutput;
        }
        if (request.output.isEmpty() && request.separations.isEmpty()) {
            return 0;
        }
    }
    ProgressLine progress(err, controls.clock, controls.terminal && !request.quiet);
    files::SaveOutcome outcome;
    const auto heard = [&progress](int done, int total) { progress.update(done, total); };
    try {
        const print::PrintJob job = printJob(request, drawn, random, controls, err);
        outcome = request.separations.isEmpty()
                      ? print::renderPrint(job, request.output, heard, controls.cancel)
                      : print::renderSeparations(job, separationOptions(request),
                                                 request.separations, heard, controls.cancel)
                            .outcome;
    } catch (const std::bad_alloc&) {
        outcome = files::saveFailure(files::SaveProblem::OutOfMemory, outputPath(request));
    } catch (const Stopped& stopped) {
        outcome = stopped.outcome;
    }
    progress.finish();
    if (!outcome.saved) {
        err << "pattern-render: " << outcome.error << "\n";
        const int signal = controls.cancelSignal ? controls.cancelSignal->load() : 0;
        return outcome.problem == files::SaveProblem::Cancelled && signal != 0 ? 128 + signal
                                                                               : kInputOutput;
    }
    return 0;
}

int runPatternRender(const QStringList& arguments, QTextStream& out, QTextStream& err,
                     const RenderControls& controls) {
    QList<QByteArray> native;
    for (const QString& argument : arguments) {
        native << QFile::encodeName(argument);
    }
    return runPatternRender(native, out, err, controls);
}
