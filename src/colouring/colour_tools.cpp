#include "colour_tools.h"

#include "canvas/numbers.h"
#include "colouring.h"
#include "guided_fill.h"

#include <QColor>
#include <QCoreApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace colouring {
namespace {

// The brightest a harmony colour may be, so that no component passes 234 as with Random.
constexpr double kTopValue = 234.0 / 255.0;

double wrapHue(double degrees) {
    const double wrapped = std::fmod(degrees, 360.0);
    return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

canvas::Colour fromHsv(double hue, double saturation, double value) {
    const QColor colour = QColor::fromHsvF(float(wrapHue(hue) / 360.0), float(saturation),
                                           float(std::min(value, kTopValue)));
    return canvas::rgbColour(std::min(colour.red(), 234), std::min(colour.green(), 234),
                             std::min(colour.blue(), 234));
}

// The centre hue a harmony rule picks for one press: the current hue or one of its partners.
double ruleHue(ColourRule rule, double baseHue, canvas::RandomSource& random) {
    switch (rule) {
    case ColourRule::Complementary:
        return baseHue + (random.next() < 0.5 ? 0.0 : 180.0);
    case ColourRule::Triadic:
        return baseHue + 120.0 * std::min(random.nextFloor(3.0), 2);
    default:
        return baseHue;
    }
}

double ruleSpread(ColourRule rule) {
    switch (rule) {
    case ColourRule::Analogous:
    case ColourRule::Chosen:
        return 30.0;
    case ColourRule::Complementary:
    case ColourRule::Triadic:
        return 15.0;
    default:
        return 0.0;
    }
}

canvas::Colour harmonyColour(ColourRule rule, canvas::Colour current,
                             canvas::RandomSource& random) {
    const QColor base = QColor::fromRgb(canvas::toPixel(current));
    const double baseHue = base.hsvHueF() < 0 ? random.next() * 360.0 : base.hsvHueF() * 360.0;
    const double centre = ruleHue(rule, baseHue, random);
    const double spread = ruleSpread(rule);
    const double hue = centre + (random.next() * 2.0 - 1.0) * spread;
    // Saturation and value at random, kept clear of grey and black so the hue shows.
    const double saturation = 0.35 + 0.65 * random.next();
    const double value = 0.45 + (kTopValue - 0.45) * random.next();
    return fromHsv(hue, saturation, value);
}

} // namespace

canvas::Colour pressColour(ColourRule rule, canvas::Colour current, canvas::RandomSource& random) {
    switch (rule) {
    case ColourRule::Chosen:
        return current;
    case ColourRule::Random:
        random.reseedFromClock();
        return canvas::randomColour(random);
    default:
        random.reseedFromClock();
        return harmonyColour(rule, current, random);
    }
}

std::vector<QPoint> symmetricPixels(QPoint pixel, Symmetry symmetry, QSize size) {
    const int x = pixel.x();
    const int y = pixel.y();
    const int right = size.width() - 1;
    const int bottom = size.height() - 1;
    // The press, its mirror images across the two centre lines, then across the diagonals.
    const QPoint images[] = {pixel,  {right - x, y},  {x, bottom - y}, {right - x, bottom - y},
                             {y, x}, {bottom - y, x}, {y, right - x},  {bottom - y, right - x}};
    // Which of the images each symmetry uses, one bit each.
    const unsigned used[] = {0b1, 0b11, 0b101, 0b1111, 0b11111111};
    const QRect canvas(QPoint(0, 0), size);
    std::vector<QPoint> points;
    for (int image = 0; image < 8; ++image) {
        const QPoint point = images[image];
        if ((used[int(symmetry)] >> image & 1u) && canvas.contains(point) &&
            std::find(points.begin(), points.end(), point) == points.end()) {
            points.push_back(point);
        }
    }
    return points;
}

std::optional<QPoint> pressedPixel(const canvas::Surface& design, float x, float y) {
    const QPoint pixel(design.toDevice(x), design.toDevice(y));
    return QRect(QPoint(0, 0), design.designSize()).contains(pixel) ? std::optional(pixel)
                                                                    : std::nullopt;
}

canvas::Colour pressDesign(canvas::Surface& design, float x, float y, const PressOptions& options,
                           canvas::RandomSource& random, const QImage& regions) {
    const canvas::Colour colour = pressColour(options.rule, options.current, random);
    if (options.scope == FillScope::Region && options.symmetry == Symmetry::None) {
        fillRegion(design, x, y, colour);
        return colour;
    }
    design.setFillColor(colour);
    // The same conditions as the region fill: a hollow brush or a press outside fills nothing.
    const std::optional<QPoint> pressed = pressedPixel(design, x, y);
    if (design.fillStyle() != canvas::kFillSolid || !pressed) {
        return colour;
    }
    const QImage& image = design.imageRef();
    for (const QPoint designPixel :
         symmetricPixels(*pressed, options.symmetry, design.designSize())) {
        if (options.scope == FillScope::Wrap) {
            // A drawn region may have the colour in part: every press fills it whole.
            const QImage& shown = regions.isNull() ? image : regions;
            design.fillSpans(regionCells(shown, designPixel, options.repeat).spans(), colour);
            continue;
        }
        const QRgb under = image.pixel(design.devicePixel(designPixel)) | 0xFF000000u;
        // A mirrored pixel that already has the colour lies in what this press filled, or in a
        // region a fill would leave as it is: either way it fills nothing more.
        if (under == canvas::toPixel(colour)) {
            continue;
        }
        if (options.scope == FillScope::Region) {
            design.floodFillSurface(designPixel.x(), designPixel.y(), canvas::fromPixel(under));
        } else {
            replaceColour(design, under, canvas::toPixel(colour));
        }
    }
    return colour;
}

void replaceColour(canvas::Surface& design, QRgb from, QRgb to) {
    design.replaceColour(canvas::fromPixel(from), canvas::fromPixel(to));
}

namespace {

// Largest area first, ties by colour value.
bool comesFirst(const PaletteEntry& a, const PaletteEntry& b) {
    return a.pixels != b.pixels ? a.pixels > b.pixels : a.colour < b.colour;
}

QRgb opaque(QRgb pixel) {
    return pixel | 0xFF000000u;
}

} // namespace

std::vector<PaletteEntry> palette(const QImage& image) {
    std::unordered_map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        // Designs are long runs of one colour: count a run with one look-up.
        for (int x = 0; x < image.width();) {
            const QRgb colour = opaque(row[x]);
            int end = x + 1;
            while (end < image.width() && opaque(row[end]) == colour) {
                ++end;
            }
            counts[colour] += end - x;
            x = end;
        }
    }
    std::vector<PaletteEntry> entries;
    entries.reserve(counts.size());
    for (const auto& [colour, pixels] : counts) {
        entries.push_back({colour, pixels});
    }
    std::sort(entries.begin(), entries.end(), comesFirst);
    return entries;
}

void updatePalette(std::vector<PaletteEntry>& entries, const QImage& before, const QImage& after) {
    if (before.size() != after.size() || before.format() != after.format()) {
        entries = palette(after);
        return;
    }
    // What each colour gained (or lost, below zero), a run of one change with one look-up.
    std::unordered_map<QRgb, int> gains;
    const int width = after.width();
    for (int y = 0; y < after.height(); ++y) {
        const auto* was = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* now = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        for (int x = 0; x < width;) {
            const QRgb from = opaque(was[x]);
            const QRgb to = opaque(now[x]);
            int end = x + 1;
            while (end < width && opaque(was[end]) == from && opaque(now[end]) == to) {
                ++end;
            }
            if (from != to) {
                gains[from] -= end - x;
                gains[to] += end - x;
            }
            x = end;
        }
    }
    if (gains.empty()) {
        return;
    }
    // The changed colours leave the list, their gains becoming their new areas; those left are
    // sorted and merged back, so the list is walked once whatever its length.
    std::size_t kept = 0;
    for (const PaletteEntry& entry : entries) {
        const auto gain = gains.find(entry.colour);
        if (gain == gains.end()) {
            entries[kept++] = entry;
        } else {
            gain->second += entry.pixels;
        }
    }
    entries.resize(kept);
    for (const auto& [colour, pixels] : gains) {
        if (pixels > 0) {
            entries.push_back({colour, pixels});
        }
    }
    const auto changed = entries.begin() + std::ptrdiff_t(kept);
    std::sort(changed, entries.end(), comesFirst);
    std::inplace_merge(entries.begin(), changed, entries.end(), comesFirst);
}

std::vector<std::pair<QRgb, QRgb>> colourwayMapping(const std::vector<PaletteEntry>& colours,
                                                    const QSet<QRgb>& locked, ColourRule rule,
                                                    canvas::Colour current,
                                                    canvas::RandomSource& random) {
    std::vector<std::pair<QRgb, QRgb>> mapping;
    for (const PaletteEntry& entry : colours) {
        QRgb to = entry.colour;
        if (!locked.contains(entry.colour)) {
            const canvas::Colour drawn =
                rule == ColourRule::Random
                    ? canvas::randomColour(random)
                    : harmonyColour(rule == ColourRule::Chosen ? ColourRule::Analogous : rule,
                                    current, random);
            to = canvas::toPixel(drawn);
        }
        mapping.emplace_back(entry.colour, to | 0xFF000000u);
    }
    return mapping;
}

QImage applyColourway(const QImage& image, const std::vector<std::pair<QRgb, QRgb>>& mapping) {
    const std::unordered_map<QRgb, QRgb> lookup(mapping.begin(), mapping.end());
    QImage result = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        QRgb lastFrom = 0;
        QRgb lastTo = 0;
        for (int x = 0; x < result.width(); ++x) {
            const QRgb colour = row[x] | 0xFF000000u;
            if (colour != lastFrom || x == 0) {
                const auto found = lookup.find(colour);
                lastFrom = colour;
                lastTo = found == lookup.end() ? colour : found->second;
            }
            row[x] = lastTo;
        }
    }
    return result;
}

namespace {

// The sheet's measures, in pixels.
constexpr int kMargin = 12;
constexpr int kTitleHeight = 30;
constexpr int kNoteHeight = 22;
constexpr int kCellWidth = 300;
constexpr int kCellHeight = 420;
constexpr int kSheetColumns = 3;
// A colourway's header line, its chip rows and the width one chip with its value takes.
constexpr int kHeaderHeight = 20;
constexpr int kChipRowHeight = 16;
constexpr int kChipRows = 6;
constexpr int kChipColumnWidth = 90;

QString hexName(QRgb colour) {
    return QColor(colour).name(QColor::HexRgb).toUpper();
}

} // namespace

ColourwaySet makeColourways(const QImage& design, const QSet<QRgb>& locked, ColourRule rule,
                            canvas::Colour current, canvas::RandomSource& random, int count) {
    ColourwaySet set;
    const std::vector<PaletteEntry> colours = palette(design);
    const bool allLocked = std::all_of(colours.begin(), colours.end(), [&](const auto& entry) {
        return locked.contains(entry.colour);
    });
    set.limit = colours.size() <= 1 ? ColourwayLimit::OneColour
                : allLocked         ? ColourwayLimit::AllLocked
                                    : ColourwayLimit::None;
    const QImage unchanged = design.convertToFormat(QImage::Format_RGB32);
    for (int way = 0; way < count; ++way) {
        if (set.limit != ColourwayLimit::None) {
            set.ways.push_back({{}, unchanged, colours});
            continue;
        }
        ColourMapping mapping = colourwayMapping(colours, locked, rule, current, random);
        const QImage image = applyColourway(design, mapping);
        set.ways.push_back({std::move(mapping), image, palette(image)});
    }
    return set;
}

void chooseColourway(canvas::Surface& design, const Colourway& way) {
    canvas::SurfaceSnapshot pixels = design.snapshot();
    if (way.image.size() != pixels.image.size()) {
        return;
    }
    pixels.image = way.image.convertToFormat(pixels.image.format());
    design.restore(pixels);
}

void paintColourway(QPainter& painter, const QRect& cell, const Colourway& way, int number) {
    const QRect inner = cell.adjusted(kMargin / 2, 0, -kMargin / 2, 0);
    const int chipColumns = std::max(1, inner.width() / kChipColumnWidth);
    const int chipSlots = chipColumns * kChipRows;
    const int colourCount = int(way.colours.size());
    const int chipRows = std::min(kChipRows, (colourCount + chipColumns - 1) / chipColumns);
    const int pictureSide = std::max(
        1, std::min(inner.width(), inner.height() - kHeaderHeight - chipRows * kChipRowHeight - 4));

    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(inner.left(), inner.top(), inner.width(), kHeaderHeight),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QCoreApplication::translate("ColourwaySheet", "Colourway %1: %2 colours")
                         .arg(number)
                         .arg(colourCount));
    const QRect picture(inner.left(), inner.top() + kHeaderHeight, pictureSide, pictureSide);
    painter.drawImage(picture, way.image);

    // When the chips do not all fit, the last slot says how many more there are.
    const int shown = colourCount > chipSlots ? chipSlots - 1 : colourCount;
    const int chipTop = picture.bottom() + 5;
    for (int slot = 0; slot < std::min(colourCount, chipSlots); ++slot) {
        const QPoint corner(inner.left() + (slot % chipColumns) * kChipColumnWidth,
                            chipTop + (slot / chipColumns) * kChipRowHeight);
        if (slot == shown) {
            painter.drawText(QRect(corner, QSize(kChipColumnWidth, kChipRowHeight)),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             QStringLiteral("+%1").arg(colourCount - shown));
            break;
        }
        const QRgb colour = way.colours[std::size_t(slot)].colour;
        painter.fillRect(QRect(corner + QPoint(0, 2), QSize(12, 12)), QColor(colour));
        painter.drawRect(QRect(corner + QPoint(0, 2), QSize(11, 11)));
        painter.drawText(
            QRect(corner + QPoint(16, 0), QSize(kChipColumnWidth - 16, kChipRowHeight)),
            Qt::AlignLeft | Qt::AlignVCenter, hexName(colour));
    }
}

QString colourwayLimitNote(ColourwayLimit limit) {
    switch (limit) {
    case ColourwayLimit::OneColour:
        return QCoreApplication::translate(
            "ColourwaySheet", "The design has one colour only, so every colourway is the same.");
    case ColourwayLimit::AllLocked:
        return QCoreApplication::translate(
            "ColourwaySheet",
            "Every colour of the design is locked, so every colourway is the same.");
    case ColourwayLimit::None:
        break;
    }
    return {};
}

QImage colourwaySheet(const ColourwaySet& set, const QString& title) {
    const int count = int(set.ways.size());
    const int columns = std::clamp(count, 1, kSheetColumns);
    const int rows = std::max(1, (count + kSheetColumns - 1) / kSheetColumns);
    const QString note = colourwayLimitNote(set.limit);
    const int top = kMargin + kTitleHeight + (note.isEmpty() ? 0 : kNoteHeight);
    QImage sheet(2 * kMargin + columns * kCellWidth, top + rows * kCellHeight + kMargin,
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    QFont font = painter.font();
    font.setPixelSize(20);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(kMargin, kMargin, sheet.width() - 2 * kMargin, kTitleHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, title);
    if (!note.isEmpty()) {
        font.setPixelSize(13);
        painter.setFont(font);
        painter.drawText(
            QRect(kMargin, kMargin + kTitleHeight, sheet.width() - 2 * kMargin, kNoteHeight),
            Qt::AlignLeft | Qt::AlignVCenter, note);
    }
    for (int way = 0; way < count; ++way) {
        const QRect cell(kMargin + (way % kSheetColumns) * kCellWidth,
                         top + (way / kSheetColumns) * kCellHeight, kCellWidth, kCellHeight);
        paintColourway(painter, cell, set.ways[std::size_t(way)], way + 1);
    }
    return sheet;
}

} // namespace colouring
