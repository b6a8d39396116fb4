#include "pads/log_font.h"

#include <gtest/gtest.h>

using pads::CLogFont;
using pads::FontDescription;

namespace {

FontDescription songTi(double size = 14.25, std::int16_t charset = 134) {
    FontDescription font;
    font.name = QStringLiteral("宋体");
    font.size = size;
    font.setBold(true);
    font.charset = charset;
    return font;
}

CLogFont fontObjectAt96Dpi() {
    return CLogFont([] { return 96; });
}

TEST(LogFontRecord, UnrotatedFontKeepsItsCharsetAndDefaultPrecision) {
    const pads::LogFontRecord record = pads::buildLogFontRecord(songTi(), 0.0f, 96);
    EXPECT_EQ(record.lfHeight, -19);
    EXPECT_EQ(record.lfWidth, 0);
    EXPECT_EQ(record.lfEscapement, 0);
    EXPECT_EQ(record.lfOrientation, 0);
    EXPECT_EQ(record.lfWeight, 700);
    EXPECT_EQ(record.lfItalic, 0);
    EXPECT_EQ(record.lfCharSet, 134);
    EXPECT_EQ(record.lfOutPrecision, 0);
    EXPECT_EQ(record.lfClipPrecision, 0);
    EXPECT_EQ(record.lfQuality, 2);
    EXPECT_EQ(record.lfPitchAndFamily, 0);
}

TEST(LogFontRecord, EscapementIsInTenthsAndOnlyWholeTurnsCountAsUnrotated) {
    struct Case {
        float rotation;
        int escapement;
        int outPrecision;
    };
    for (const Case c : {Case{0.4f, 4, 0}, Case{90.0f, 900, 7}, Case{360.0f, 3600, 0},
                         Case{-90.0f, -900, 7}, Case{0.6f, 6, 7}, Case{720.0f, 7200, 0}}) {
        const pads::LogFontRecord record = pads::buildLogFontRecord(songTi(), c.rotation, 96);
        EXPECT_EQ(record.lfEscapement, c.escapement) << c.rotation;
        EXPECT_EQ(record.lfOrientation, c.escapement) << c.rotation;
        EXPECT_EQ(record.lfOutPrecision, c.outPrecision) << c.rotation;
        EXPECT_EQ(record.lfCharSet, 134) << c.rotation;
    }
}

TEST(LogFontRecord, SymbolCharsetIsDroppedOnlyWhenRotated) {
    EXPECT_EQ(pads::buildLogFontRecord(songTi(14.25, 255), 0.0f, 96).lfCharSet, 255);
    EXPECT_EQ(pads::buildLogFontRecord(songTi(14.25, 255), 360.0f, 96).lfCharSet, 255);
    EXPECT_EQ(pads::buildLogFontRecord(songTi(14.25, 255), 45.0f, 96).lfCharSet, 0);
}

TEST(LogFontRecord, HeightFollowsTheScreenResolutionWithTiesToEven) {
    EXPECT_EQ(pads::buildLogFontRecord(songTi(10), 0, 96).lfHeight, -13);
    EXPECT_EQ(pads::buildLogFontRecord(songTi(14.25), 0, 96).lfHeight, -19);
    EXPECT_EQ(pads::buildLogFontRecord(songTi(10), 0, 120).lfHeight, -17);
    // 1.875 pt at 96 dpi is exactly 2.5 pixels, 1.125 pt exactly 1.5.
    EXPECT_EQ(pads::buildLogFontRecord(songTi(1.875), 0, 96).lfHeight, -2);
    EXPECT_EQ(pads::buildLogFontRecord(songTi(1.125), 0, 96).lfHeight, -2);
}

TEST(LogFontRecord, WeightWinsOverBoldAndFlagsBecomeFullBytes) {
    FontDescription font = songTi();
    font.weight = 400; // bold still set
    font.italic = true;
    font.underline = true;
    font.strikethrough = true;
    const pads::LogFontRecord record = pads::buildLogFontRecord(font, 0, 96);
    EXPECT_EQ(record.lfWeight, 400);
    EXPECT_EQ(record.lfItalic, 255);
    EXPECT_EQ(record.lfUnderline, 255);
    EXPECT_EQ(record.lfStrikeOut, 255);
}

TEST(LogFontRecord, FaceNameIsNulTerminatedBlankPaddedAndCut) {
    const pads::LogFontRecord record = pads::buildLogFontRecord(songTi(), 0, 96);
    ASSERT_EQ(record.lfFaceName.size(), 32);
    EXPECT_EQ(record.lfFaceName.left(3), QStringLiteral("宋体") + QChar(0));
    EXPECT_EQ(record.lfFaceName.mid(3), QString(29, QLatin1Char(' ')));
    EXPECT_EQ(record.faceName(), QStringLiteral("宋体"));

    FontDescription longName = songTi();
    longName.name = QString(40, QLatin1Char('x'));
    const pads::LogFontRecord cut = pads::buildLogFontRecord(longName, 0, 96);
    EXPECT_EQ(cut.lfFaceName, QString(32, QLatin1Char('x')));
}

TEST(LogFontRecord, ToolkitFontsAreDescribedWithTheirWeightAndGivenCharset) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(24);
    font.setBold(true);
    font.setItalic(true);
    const FontDescription description = pads::describeFont(font, 134);
    EXPECT_EQ(description.name, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(description.size, 24.0);
    EXPECT_TRUE(description.bold);
    EXPECT_TRUE(description.italic);
    EXPECT_EQ(description.weight, 700);
    EXPECT_EQ(description.charset, 134);
    EXPECT_EQ(pads::buildLogFontRecord(description, 0, 96).lfHeight, -32);
}

TEST(RotatedFontObject, GivingAFontBuildsAHandleTheSurfaceCanDrawWith) {
    CLogFont fontObject = fontObjectAt96Dpi();
    fontObject.setLogFont(songTi());
    ASSERT_NE(fontObject.handle(), nullptr);
    EXPECT_EQ(fontObject.handle()->family(), QStringLiteral("宋体"));
    EXPECT_EQ(fontObject.handle()->pixelSize(), 19);
    EXPECT_EQ(fontObject.handle()->weight(), QFont::Bold);
    EXPECT_EQ(fontObject.logFont(), songTi());
    EXPECT_EQ(fontObject.handlesCreated(), 1);
}

TEST(RotatedFontObject, OneHandlePerDistinctRotation) {
    CLogFont fontObject = fontObjectAt96Dpi();
    fontObject.setLogFont(songTi());
    fontObject.setRotation(30.0f);
    fontObject.setRotation(30.0f);
    EXPECT_EQ(fontObject.handlesCreated(), 2);
    EXPECT_EQ(fontObject.record().lfEscapement, 300);
    EXPECT_DOUBLE_EQ(fontObject.escapementDegrees(), 30.0);
    fontObject.setRotation(0.0f);
    EXPECT_EQ(fontObject.handlesCreated(), 3);
    EXPECT_EQ(fontObject.record().lfEscapement, 0);
}

TEST(RotatedFontObject, NoFontMeansNoHandleEvenAfterARotation) {
    CLogFont fontObject = fontObjectAt96Dpi();
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
}

TEST(RotatedFontObject, ReadsTheInjectedScreenResolution) {
    CLogFont fontObject([] { return 144; });
    fontObject.setLogFont(songTi(10));
    EXPECT_EQ(fontObject.record().lfHeight, -20);
}

} // namespace
