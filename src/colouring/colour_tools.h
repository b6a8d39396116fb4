#pragma once

#include "canvas/colour.h"
#include "canvas/random_source.h"
#include "canvas/surface.h"
#include "tiling/tiling.h"

#include <QImage>
#include <QPoint>
#include <QSet>
#include <optional>
#include <vector>

class QPainter;

namespace colouring {

// Where each press's colour comes from. Random is the design canvas's own: reseed from the clock,
// three components floor(u * 235). The harmony rules draw a fresh colour around the current one.
enum class ColourRule { Random, Chosen, Analogous, Complementary, Triadic, Mono };
// What a press fills: the 4-connected region, every pixel of the pressed colour, or the region
// continued across the seams of the repeat the press carries, the design taken as its tile.
enum class FillScope { Region, Global, Wrap };
// Where else a press fills: mirrored across the vertical centre line, the horizontal one, both,
// and for Eight the diagonals too.
enum class Symmetry { None, LeftRight, TopBottom, Four, Eight };

struct PressOptions {
    ColourRule rule = ColourRule::Random;
    canvas::Colour current = 0;
    FillScope scope = FillScope::Region;
    Symmetry symmetry = Symmetry::None;
    tiling::Repeat repeat = tiling::Repeat::Straight; // whose seams a Wrap press crosses
};

// The colour of one press under a rule; every component at most 234 for the random rules. A grey
// current colour has no hue, so the harmony rules then start from a random one.
canvas::Colour pressColour(ColourRule rule, canvas::Colour current, canvas::RandomSource& random);

// The pixels a press at `pixel` also reaches under a symmetry, the pixel itself first, each once.
std::vector<QPoint> symmetricPixels(QPoint pixel, Symmetry symmetry, QSize size);

// The design pixel a press at (x, y) in the design's units lands on: the nearest, halves to even;
// none when that lies off the canvas, where a press fills nothing.
std::optional<QPoint> pressedPixel(const canvas::Surface& design, float x, float y);

// One press on the design at (x, y) in its units: the colour from the rule, then a fill at the
// press and at each symmetric pixel not already filled by this press. With default options this
// is exactly colourRegion. A Wrap press (on a design at device scale 1) colours every pixel of the
// region of `regions` around the pixel, continued across the seams of options.repeat: `regions` is
// the design as drawn (drawnDesign), so halves coloured apart are one region, or, when null, the
// design's own colours. Returns the colour used.
canvas::Colour pressDesign(canvas::Surface& design, float x, float y, const PressOptions& options,
                           canvas::RandomSource& random, const QImage& regions = {});

// Every pixel of one colour becomes another.
void replaceColour(canvas::Surface& design, QRgb from, QRgb to);

struct PaletteEntry {
    QRgb colour;
    int pixels;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};
// The image's distinct colours, largest area first (ties by colour value).
std::vector<PaletteEntry> palette(const QImage& image);
// `entries`, the palette of `before`, becomes the palette of `after` from the pixels that differ,
// in time of the image and the palette's length rather than a count again (both images of 32-bit
// pixels; of another size or format it is counted again).
void updatePalette(std::vector<PaletteEntry>& entries, const QImage& before, const QImage& after);

// A colourway: every palette colour not locked gets a new colour from the rule (Chosen acts as
// Analogous); locked colours keep theirs.
std::vector<std::pair<QRgb, QRgb>> colourwayMapping(const std::vector<PaletteEntry>& colours,
                                                    const QSet<QRgb>& locked, ColourRule rule,
                                                    canvas::Colour current,
                                                    canvas::RandomSource& random);
QImage applyColourway(const QImage& image, const std::vector<std::pair<QRgb, QRgb>>& mapping);

// Why a set of colourways shows the design unchanged: nothing is left to recolour.
enum class ColourwayLimit { None, OneColour, AllLocked };
using ColourMapping = std::vector<std::pair<QRgb, QRgb>>;

struct Colourway {
    ColourMapping mapping;
    QImage image;
    std::vector<PaletteEntry> colours;
};
struct ColourwaySet {
    std::vector<Colourway> ways;
    ColourwayLimit limit = ColourwayLimit::None;
};
// `count` recolourings of the design, each from its own mapping; when one colour or only locked
// colours are left, every one is the design itself and `limit` says why.
ColourwaySet makeColourways(const QImage& design, const QSet<QRgb>& locked, ColourRule rule,
                            canvas::Colour current, canvas::RandomSource& random, int count);
// The colourway's picture becomes the design's pixels, whatever the design shows meanwhile.
void chooseColourway(canvas::Surface& design, const Colourway& way);

// One colourway as the window's grid and the sheet show it: the picture, its number and colour
// count, and its colours as chips with their #RRGGBB values, inside `cell`.
void paintColourway(QPainter& painter, const QRect& cell, const Colourway& way, int number);
// The sheet of a set: a title line, a note when the set is limited, then the colourways three to
// a row.
QImage colourwaySheet(const ColourwaySet& set, const QString& title);
// The note for a limited set, empty when it is not.
QString colourwayLimitNote(ColourwayLimit limit);

} // namespace colouring
