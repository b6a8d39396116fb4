#pragma once

#include <QFont>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace pads {

// The platform's standard font object: the eight attributes a font description carries.
struct FontDescription {
    QString name;
    double size = 8.25; // points, fractional
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    std::int16_t weight = 400;
    std::int16_t charset = 0;

    // Setting Bold also sets Weight (700 or 400), as the standard font object does.
    void setBold(bool on) {
        bold = on;
        weight = on ? 700 : 400;
    }
    bool operator==(const FontDescription&) const = default;
};

// A toolkit font as a font description; the toolkit font carries no charset, so it is given.
FontDescription describeFont(const QFont& font, std::int16_t charset = 0);

// The logical-font record handed to font creation, field by field.
struct LogFontRecord {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    // The 32-character face field: the name, one NUL, blanks to the end, cut at 32.
    QString lfFaceName;

    // The face name as font creation reads it: up to the NUL.
    QString faceName() const;
};

inline constexpr std::uint8_t kOutPrecisionTrueTypeOnly = 7;
inline constexpr std::uint8_t kProofQuality = 2;
inline constexpr std::int16_t kSymbolCharset = 255;

// The record for a font at a rotation (degrees, counter-clockwise) on a screen of the given
// vertical resolution.
LogFontRecord buildLogFontRecord(const FontDescription& font, float rotation, int screenDpiY);

// The font the surface draws with for a record; the angle travels separately in lfEscapement.
QFont fontFromRecord(const LogFontRecord& record);

// The vertical resolution of the primary screen, 96 when there is none.
int primaryScreenDpiY();

// Turns a font description plus a rotation into one rotated font handle, owned until its inputs
// change. The handle is the font a surface draws with; its angle is record().lfEscapement / 10.
class CLogFont {
  public:
    using DpiSource = std::function<int()>;

    explicit CLogFont(DpiSource screenDpiY = primaryScreenDpiY);

    // Copies the font (or forgets it for none) and rebuilds the handle.
    void setLogFont(const std::optional<FontDescription>& newFont);
    const std::optional<FontDescription>& logFont() const { return font_; }

    // A different angle rebuilds the handle when a font is set; an equal one changes nothing.
    void setRotation(float newValue);
    float rotation() const { return rotation_; }

    // The current handle, or null when no font is set.
    const QFont* handle() const { return handle_ ? &*handle_ : nullptr; }
    // The record the current handle was built from (meaningful while handle() is not null).
    const LogFontRecord& record() const { return record_; }
    // The text angle of the current handle in degrees.
    double escapementDegrees() const { return record_.lfEscapement / 10.0; }

    // How many handles have been created so far.
    int handlesCreated() const { return handlesCreated_; }

  private:
    void buildFontHandle();

    DpiSource screenDpiY_;
    std::optional<FontDescription> font_;
    std::optional<QFont> handle_;
    float rotation_ = 0.0f;
    LogFontRecord record_;
    int handlesCreated_ = 0;
};

} // namespace pads
