#include "log_font.h"

#include "canvas/numbers.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace pads {

namespace {

constexpr int kFaceNameLength = 32;
constexpr int kPointsPerInch = 72;
// The font size is held to four decimal places, so the size-times-dpi product is exact at that
// scale before the division.
constexpr double kSizeScale = 10000.0;

std::uint8_t flagByte(bool on) {
    return on ? 255 : 0;
}

QString faceField(const QString& name) {
    QString field = name + QChar(0);
    if (field.size() < kFaceNameLength) {
        field += QString(kFaceNameLength - field.size(), QLatin1Char(' '));
    }
    return field.left(kFaceNameLength);
}

} // namespace

FontDescription describeFont(const QFont& font, std::int16_t charset) {
    FontDescription description;
    description.name = font.family();
    if (font.pointSizeF() > 0) {
        description.size = font.pointSizeF();
    }
    description.bold = font.bold();
    description.italic = font.italic();
    description.underline = font.underline();
    description.strikethrough = font.strikeOut();
    description.weight = std::int16_t(font.weight());
    description.charset = charset;
    return description;
}

QString LogFontRecord::faceName() const {
    const qsizetype end = lfFaceName.indexOf(QChar(0));
    return end < 0 ? lfFaceName : lfFaceName.left(end);
}

LogFontRecord buildLogFontRecord(const FontDescription& font, float rotation, int screenDpiY) {
    const std::int64_t wholeDegrees = canvas::roundHalfEven(rotation);
    const bool rotated = wholeDegrees % 360 != 0;
    const std::int64_t scaledHeight = canvas::roundHalfEven(font.size * screenDpiY * kSizeScale);
    const auto tenths = std::int32_t(canvas::roundHalfEven(float(rotation * 10.0f)));

    LogFontRecord record;
    record.lfHeight =
        std::int32_t(canvas::roundHalfEven(-double(scaledHeight) / (kPointsPerInch * kSizeScale)));
    record.lfWidth = 0;
    record.lfEscapement = tenths;
    record.lfOrientation = tenths;
    record.lfWeight = font.weight;
    record.lfItalic = flagByte(font.italic);
    record.lfUnderline = flagByte(font.underline);
    record.lfStrikeOut = flagByte(font.strikethrough);
    record.lfCharSet =
        (font.charset == kSymbolCharset && rotated) ? 0 : std::uint8_t(font.charset & 0xFF);
    record.lfOutPrecision = rotated ? kOutPrecisionTrueTypeOnly : 0;
    record.lfClipPrecision = 0;
    record.lfQuality = kProofQuality;
    record.lfPitchAndFamily = 0;
    record.lfFaceName = faceField(font.name);
    return record;
}

QFont fontFromRecord(const LogFontRecord& record) {
    QFont font(record.faceName());
    // A negative height is the character height, a positive one the cell height; both are
    // taken as the pixel size here.
    const int pixels = std::abs(record.lfHeight);
    if (pixels > 0) {
        font.setPixelSize(pixels);
    }
    if (record.lfWeight > 0) {
        font.setWeight(QFont::Weight(std::clamp(record.lfWeight, 1, 1000)));
    }
    font.setItalic(record.lfItalic != 0);
    font.setUnderline(record.lfUnderline != 0);
    font.setStrikeOut(record.lfStrikeOut != 0);
    return font;
}

int primaryScreenDpiY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? int(canvas::roundHalfEven(screen->logicalDotsPerInchY())) : 96;
}

CLogFont::CLogFont(DpiSource screenDpiY) : screenDpiY_(std::move(screenDpiY)) {}

void CLogFont::setLogFont(const std::optional<FontDescription>& newFont) {
    handle_.reset();
    font_ = newFont;
    if (font_) {
        buildFontHandle();
    }
}

void CLogFont::setRotation(float newValue) {
    if (newValue == rotation_) {
        return;
    }
    rotation_ = newValue;
    handle_.reset();
    if (font_) {
        buildFontHandle();
    }
}

void CLogFont::buildFontHandle() {
    record_ = buildLogFontRecord(*font_, rotation_, screenDpiY_());
    handle_ = fontFromRecord(record_);
    ++handlesCreated_;
}

} // namespace pads
