#include "pads/log_font.h"

#include <gtest/gtest.h>

using pads::CLogFont;
using pads::FontDescription;

namespace {

FontDescription songTi(double size = 14.25, std::int16_t charset = 134) {
    return {QStringLiteral("宋体"), size, true, false, false, false, 700, charset};
}

// The record's numbers in field order: height, width, escapement, orientation, weight, italic,
// underline, strike-out, charset, out precision, clip precision, quality, pitch and family.
std::vector<int> numbersOf(const pads::LogFontRecord& r) {
    return {r.lfHeight,        r.lfWidth,     r.lfEscapement,    r.lfOrientation, r.lfWeight,
            r.lfItalic,        r.lfUnderline, r.lfStrikeOut,     r.lfCharSet,     r.lfOutPrecision,
            r.lfClipPrecision, r.lfQuality,   r.lfPitchAndFamily};
}

const FontDescription kFlagged{QStringLiteral("宋体"), 14.25, true, true, true, true, 400, 134};

// A font, its rotation and the screen's resolution; the record's numbers.
const std::tuple<FontDescription, float, int, std::vector<int>> kRecords[] = {
    {songTi(), 0, 96, {-19, 0, 0, 0, 700, 0, 0, 0, 134, 0, 0, 2, 0}},
    // Escapement in tenths; only whole turns (after rounding to degrees) count as unrotated.
    {songTi(), 0.4f, 96, {-19, 0, 4, 4, 700, 0, 0, 0, 134, 0, 0, 2, 0}},
    {songTi(), 0.6f, 96, {-19, 0, 6, 6, 700, 0, 0, 0, 134, 7, 0, 2, 0}},
    {songTi(), 90, 96, {-19, 0, 900, 900, 700, 0, 0, 0, 134, 7, 0, 2, 0}},
    {songTi(), -90, 96, {-19, 0, -900, -900, 700, 0, 0, 0, 134, 7, 0, 2, 0}},
    {songTi(), 180, 96, {-19, 0, 1800, 1800, 700, 0, 0, 0, 134, 7, 0, 2, 0}},
    {songTi(), 360, 96, {-19, 0, 3600, 3600, 700, 0, 0, 0, 134, 0, 0, 2, 0}},
    {songTi(), 720, 96, {-19, 0, 7200, 7200, 700, 0, 0, 0, 134, 0, 0, 2, 0}},
    // The symbol charset is dropped only when rotated.
    {songTi(14.25, 255), 0, 96, {-19, 0, 0, 0, 700, 0, 0, 0, 255, 0, 0, 2, 0}},
    {songTi(14.25, 255), 360, 96, {-19, 0, 3600, 3600, 700, 0, 0, 0, 255, 0, 0, 2, 0}},
    {songTi(14.25, 255), 45, 96, {-19, 0, 450, 450, 700, 0, 0, 0, 0, 7, 0, 2, 0}},
    // The height follows the screen resolution with ties to even: 1.875 pt at 96 dpi is exactly
    // 2.5 pixels, 1.125 pt exactly 1.5.
    {songTi(10), 0, 96, {-13, 0, 0, 0, 700, 0, 0, 0, 134, 0, 0, 2, 0}},
    {songTi(10), 0, 120, {-17, 0, 0, 0, 700, 0, 0, 0, 134, 0, 0, 2, 0}},
    {songTi(1.875), 0, 96, {-2, 0, 0, 0, 700, 0, 0, 0, 134, 0, 0, 2, 0}},
    {songTi(1.125), 0, 96, {-2, 0, 0, 0, 700, 0, 0, 0, 134, 0, 0, 2, 0}},
    // The weight wins over bold, and the flags become full bytes.
    {kFlagged, 0, 96, {-19, 0, 0, 0, 400, 255, 255, 255, 134, 0, 0, 2, 0}},
};

TEST(LogFontRecord, FieldsFollowTheFontTheRotationAndTheScreen) {
    for (const auto& [font, rotation, dpi, numbers] : kRecords) {
        EXPECT_EQ(numbersOf(pads::buildLogFontRecord(font, rotation, dpi)), numbers)
            << font.size << " pt, charset " << font.charset << ", weight " << font.weight << ", "
            << rotation << " degrees, " << dpi << " dpi";
    }
}

TEST(LogFontRecord, FaceNameIsNulTerminatedBlankPaddedAndCut) {
    const pads::LogFontRecord record = pads::buildLogFontRecord(songTi(), 0, 96);
    EXPECT_EQ(record.lfFaceName, QStringLiteral("宋体") + QChar(0) + QString(29, u' '));
    EXPECT_EQ(record.faceName(), QStringLiteral("宋体"));

    EXPECT_EQ(pads::buildLogFontRecord({QString(40, u'x')}, 0, 96).lfFaceName, QString(32, u'x'));
}

TEST(LogFontRecord, ToolkitFontsAreDescribedWithTheirWeightAndGivenCharset) {
    const QFont font(QStringLiteral("DejaVu Sans"), 24, QFont::Bold, true);
    const FontDescription description = pads::describeFont(font, 134);
    EXPECT_EQ(description, (FontDescription{QStringLiteral("DejaVu Sans"), 24, true, true, false,
                                            false, 700, 134}));
    EXPECT_EQ(pads::buildLogFontRecord(description, 0, 96).lfHeight, -32);
}

TEST(RotatedFontObject, GivingAFontOrARotationBuildsAHandleTheSurfaceCanDrawWith) {
    CLogFont fontObject([] { return 96; });
    fontObject.setLogFont(songTi());
    ASSERT_NE(fontObject.handle(), nullptr);
    EXPECT_EQ(fontObject.handle()->family(), QStringLiteral("宋体"));
    EXPECT_EQ(fontObject.handle()->pixelSize(), 19);
    EXPECT_EQ(fontObject.handle()->weight(), QFont::Bold);
    EXPECT_EQ(fontObject.logFont(), songTi());
    EXPECT_EQ(fontObject.handlesCreated(), 1);

    // One handle per distinct rotation.
    fontObject.setRotation(30.0f);
    fontObject.setRotation(30.0f);
    EXPECT_EQ(fontObject.handlesCreated(), 2);
    EXPECT_EQ(fontObject.record().lfEscapement, 300);
    EXPECT_DOUBLE_EQ(fontObject.escapementDegrees(), 30.0);
    fontObject.setRotation(0.0f);
    EXPECT_EQ(fontObject.handlesCreated(), 3);
    EXPECT_EQ(fontObject.record().lfEscapement, 0);
}

TEST(RotatedFontObject, NoFontMeansNoHandleEvenAfterARotationAndTheScreenIsInjected) {
    CLogFont fontObject([] { return 96; });
    fontObject.setLogFont(songTi());
    fontObject.setLogFont(std::nullopt);
    EXPECT_EQ(fontObject.handle(), nullptr);
    EXPECT_FALSE(fontObject.logFont().has_value());
    fontObject.setRotation(45.0f);
    EXPECT_EQ(fontObject.handle(), nullptr);
    EXPECT_EQ(fontObject.handlesCreated(), 1);
    EXPECT_EQ(fontObject.rotation(), 45.0f);
    // The angle is kept for the next font.
    fontObject.setLogFont(songTi());
    EXPECT_EQ(fontObject.record().lfEscapement, 450);

    CLogFont at144Dpi([] { return 144; });
    at144Dpi.setLogFont(songTi(10));
    EXPECT_EQ(at144Dpi.record().lfHeight, -20);
}

} // namespace
