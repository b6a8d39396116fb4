#pragma once

#include "log_font.h"
#include "pad_drawing.h"
#include "symbol_fonts.h"

#include "canvas/random_source.h"
#include "canvas/surface.h"

#include <QFont>
#include <QString>
#include <optional>

namespace pads {

// The symbol pad's own font at start: "宋体" 14.25 points, bold, GB2312.
FontDescription symbolPadInitialFont();

// The surface font for a font description (so the pad's Font shows what the stamps use).
QFont toQFont(const FontDescription& font);

// A press on the symbol pad at (x, y) in the pad's units: hand the pad's font to the font
// object, stamp the Combo3 text there at the object's angle in ForeColor, then pick the next
// colour, then switch the pad's font name to the selected symbol font (if any), which the
// following press uses. The stamp is recorded in `drawing` when there is one.
void stampSymbol(canvas::Surface& pad, FontDescription& padFont, CLogFont& fontObject,
                 canvas::RandomSource& random, float x, float y, const QString& combo3Text,
                 std::optional<SymbolFont> selectedSymbolFont, PadDrawing* drawing = nullptr);

// The font and text a stamp actually draws: a symbol font that is not installed is drawn
// through its Unicode equivalents in the pictogram family.
struct StampGlyphs {
    QFont font;
    QString text;
};
StampGlyphs resolveStampGlyphs(const QFont& handle, const QString& text);

// HScroll1_Change: the slider value becomes the object's rotation for the next stamp.
void changeOutputAngle(CLogFont& fontObject, int sliderValue);
// HScroll1_Scroll: the caption Label1 shows while the thumb is dragged.
QString outputAngleReadout(int sliderValue);

// What the font dialog starts from, and what it hands back when the user confirms.
struct FontDialogStart {
    QString name;
    double size;
};
FontDialogStart fontDialogStart(const FontDescription& padFont);
struct FontChoice {
    QString name;
    double size;
    bool bold;
};
// A confirmed choice sets name, size and bold on the pad's font; a cancel (none) changes nothing.
void applyFontChoice(canvas::Surface& pad, FontDescription& padFont,
                     const std::optional<FontChoice>& choice);

} // namespace pads
