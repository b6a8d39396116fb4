#pragma once

#include "canvas/surface.h"
#include "files/atomic_file.h"
#include "tiling/tiling.h"

#include <QDate>
#include <QImage>
#include <QString>
#include <vector>

namespace effect {
inline const QString kMakerAddress = QStringLiteral("http://www.chengchuan-soft.cn");
// " 澄川软件公元" + today's date in the platform's short date form + "设计出品 " + kMakerAddress
QString creditLine(const QDate& today);
// Tile origins 0, step, 2*step, ... while < extent (pure; both the int loop of Command14 and the
// single-precision loop of Command15).
std::vector<int> tileOrigins(int step, int extent);
std::vector<float> tileOrigins(float step, float extent);
// Command14: Cls effect, 25 unscaled tiles of design.image() at integer steps,
// strip.setPicture(design image), print the credit line on the effect view at (0,0). Any other
// repeat than Straight lays the same tile out by the tiling row producer instead.
void renderEffectOwnSize(canvas::Surface& effect, const canvas::Surface& design,
                         canvas::Surface& strip, const QString& credit,
                         tiling::Repeat repeat = tiling::Repeat::Straight);
// Command15: when sizeText is not a valid tile size (canvas::parseTileSize) returns false and
// changes nothing. When the strip has no kept copy yet, first keeps design.image() in it exactly as
// Command14 does. Then: Cls effect, strip width/height = size, tiles of the kept copy stretched to
// the strip's width x height (stretch once, then copy each tile), credit line. Returns true.
// Any other repeat than Straight lays the stretched tile (chosenTileSize) out by the tiling row
// producer instead.
bool renderEffectChosenSize(canvas::Surface& effect, canvas::Surface& strip,
                            const canvas::Surface& design, const QString& sizeText,
                            const QString& credit,
                            tiling::Repeat repeat = tiling::Repeat::Straight);
// The tile size in effect-view pixels that Command15 last stretched the kept copy to.
QSize chosenTileSize(const canvas::Surface& strip);
// The design pixel an effect-view pixel shows, for tiles of `tile` pixels made from a design of
// `design` pixels (stretched by nearest pixels when the sizes differ) laid out by `repeat`.
QPoint designPixelUnder(QPoint effectPixel, QSize tile, tiling::Repeat repeat, QSize design);
// A picture of the design's size as one tile of `tile` pixels shows it (nearest pixels, RGB32).
QImage stretchedToTile(const QImage& picture, QSize tile);
// Saving. The dialog's filter text, and the same converted to a Qt file-dialog filter string.
inline const QString kBitmapFilter = QStringLiteral("Bitmap(*.bmp)|*.bmp|All files(*.*)|*.*");
QString qtFilter(const QString& pipeFilter);
// Writes the image as an uncompressed 24-bit bitmap whole or not at all, through the print
// engine's one-tile page (no extension added; empty path → nothing, saved=false; a null
// image → NoPicture).
files::SaveOutcome saveBitmap(const QImage& image, const QString& path);
// The same as a PNG.
files::SaveOutcome savePng(const QImage& image, const QString& path);
} // namespace effect
