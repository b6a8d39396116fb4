#include "symbol_pad.h"

#include <algorithm>
#include <map>

namespace pads {

namespace {

constexpr std::int16_t kChineseCharset = 134;

bool installedCached(const QString& family) {
    // Installed families do not change while the program runs.
    static std::map<QString, bool> known;
    const QString key = family.toLower();
    const auto found = known.find(key);
    if (found != known.end()) {
        return found->second;
    }
    const bool installed = fontFamilyInstalled(family);
    known.emplace(key, installed);
    return installed;
}

} // namespace

FontDescription symbolPadInitialFont() {
    FontDescription font;
    font.name = QStringLiteral("宋体");
    font.size = 14.25;
    font.setBold(true);
    font.charset = kChineseCharset;
    return font;
}

QFont toQFont(const FontDescription& font) {
    QFont qfont(font.name);
    if (font.size > 0) {
        qfont.setPointSizeF(font.size);
    }
    qfont.setWeight(QFont::Weight(std::clamp<int>(font.weight, 1, 1000)));
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikethrough);
    return qfont;
}

StampGlyphs resolveStampGlyphs(const QFont& handle, const QString& text) {
    const auto symbolFont = symbolFontNamed(handle.family());
    if (!symbolFont || installedCached(handle.family())) {
        return {handle, text};
    }
    QFont pictograms = handle;
    pictograms.setFamily(QString::fromLatin1(kPictogramFamily));
    return {pictograms, mapToPictograms(text, *symbolFont)};
}

void stampSymbol(canvas::Surface& pad, FontDescription& padFont, CLogFont& fontObject,
                 canvas::RandomSource& random, float x, float y, const QString& combo3Text,
                 std::optional<SymbolFont> selectedSymbolFont, PadDrawing* drawing) {
    fontObject.setLogFont(padFont);
    pad.setCurrentX(x);
    pad.setCurrentY(y);
    const QFont* handle = fontObject.handle();
    const StampGlyphs glyphs = resolveStampGlyphs(handle ? *handle : pad.font(), combo3Text);
    const double angle = handle ? fontObject.escapementDegrees() : 0.0;
    const int pixelX = pad.toDevice(x);
    const int pixelY = pad.toDevice(y);
    PadStep stamp = padStep(PadStepKind::Stamp, pad.foreColor(), pad.drawWidth(),
                            {double(pixelX), double(pixelY), angle});
    stamp.text = glyphs.text;
    stamp.font = stampFontOf(glyphs.font);
    record(drawing, stamp);
    pad.textOut(pixelX, pixelY, glyphs.text, glyphs.font, angle);

    pad.setForeColor(canvas::randomColour(random));
    if (selectedSymbolFont) {
        padFont.name = symbolFontName(*selectedSymbolFont);
        pad.setFont(toQFont(padFont));
    }
}

void changeOutputAngle(CLogFont& fontObject, int sliderValue) {
    fontObject.setRotation(float(sliderValue));
}

QString outputAngleReadout(int sliderValue) {
    return QStringLiteral("&Output Angle (") + QString::number(sliderValue) + QStringLiteral("):");
}

FontDialogStart fontDialogStart(const FontDescription& padFont) {
    return {padFont.name, padFont.size};
}

void applyFontChoice(canvas::Surface& pad, FontDescription& padFont,
                     const std::optional<FontChoice>& choice) {
    if (!choice) {
        return;
    }
    padFont.name = choice->name;
    padFont.size = choice->size;
    padFont.setBold(choice->bold);
    pad.setFont(toQFont(padFont));
}

} // namespace pads
