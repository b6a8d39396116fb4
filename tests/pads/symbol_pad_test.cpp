#include "pad_test_support.h"

#include "pads/pad_setup.h"
#include "pads/symbol_pad.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>
#include <set>

using pads::SymbolFont;
using pads_test::boundsOf;
using pads_test::changedPixels;
using pads_test::ScriptedRandom;

namespace {

constexpr canvas::Colour kGreen = 0x00FF00;
constexpr float kTwips = 15.0f;

int pixelsOf(const canvas::Surface& pad, canvas::Colour colour) {
    int count = 0;
    for (int y = 0; y < pad.clientPixelHeight(); ++y) {
        for (int x = 0; x < pad.clientPixelWidth(); ++x) {
            count += pads_test::pixelColour(pad, x, y) == colour;
        }
    }
    return count;
}

class SymbolPad : public ::testing::Test {
  protected:
    // A press at pixel (x, y); the pad works in twips.
    void press(int x, int y, const QString& text, std::optional<SymbolFont> option = std::nullopt) {
        pads::stampSymbol(pad, padFont, fontObject, random, float(x) * kTwips, float(y) * kTwips,
                          text, option);
    }

    canvas::Surface pad{pads::symbolPadSetup()};
    pads::FontDescription padFont = pads::symbolPadInitialFont();
    pads::CLogFont fontObject{[] { return 96; }};
    ScriptedRandom random{{}, pads_test::kAfterScript};
};

TEST_F(SymbolPad, FirstStampIsGreenHorizontalTextFromThePressPoint) {
    const QImage before = pad.image();
    random.push(0.5);
    random.push(0.0);
    random.push(0.999);
    press(10, 40, "I love you");
    const auto changed = changedPixels(before, pad.image());
    ASSERT_FALSE(changed.empty());
    const QRect bounds = boundsOf(changed);
    EXPECT_GE(bounds.left(), 10);
    EXPECT_GE(bounds.top(), 40);
    EXPECT_GT(bounds.width(), 2 * bounds.height());
    for (const QPoint& p : changed) {
        EXPECT_EQ(pads_test::pixelColour(pad, p.x(), p.y()), kGreen);
    }
    EXPECT_EQ(pad.foreColor(), canvas::rgbColour(117, 0, 234));
    EXPECT_EQ(fontObject.logFont()->name, QStringLiteral("宋体"));
    EXPECT_EQ(fontObject.record().lfHeight, -19);
}

TEST_F(SymbolPad, NinetyDegreesRunsUpwardsFromThePressPoint) {
    pads::changeOutputAngle(fontObject, 90);
    const QImage before = pad.image();
    press(40, 130, "I love you");
    const QRect bounds = boundsOf(changedPixels(before, pad.image()));
    ASSERT_FALSE(bounds.isEmpty());
    EXPECT_GT(bounds.height(), 2 * bounds.width());
    EXPECT_LE(bounds.bottom(), 130);
    EXPECT_GE(bounds.left(), 40);
    EXPECT_EQ(fontObject.record().lfEscapement, 900);
}

TEST_F(SymbolPad, SymbolFontTakesEffectFromTheSecondPress) {
    press(10, 10, "a", SymbolFont::Wingdings);
    EXPECT_EQ(fontObject.logFont()->name, QStringLiteral("宋体"));
    EXPECT_EQ(padFont.name, QStringLiteral("wingdings"));
    EXPECT_EQ(pad.font().family(), QStringLiteral("wingdings"));
    press(60, 60, "a", SymbolFont::Wingdings);
    EXPECT_EQ(fontObject.logFont()->name, QStringLiteral("wingdings"));
    // Size and style stay with the symbol font.
    EXPECT_EQ(fontObject.logFont()->size, 14.25);
    EXPECT_EQ(fontObject.logFont()->weight, 700);
}

TEST_F(SymbolPad, WithoutAnOptionTheLastSymbolFontStays) {
    press(10, 10, "a", SymbolFont::Wingdings3);
    press(10, 10, "a");
    press(10, 10, "a");
    EXPECT_EQ(fontObject.logFont()->name, QStringLiteral("wingdings 3"));
}

TEST_F(SymbolPad, EmptyTextStampsNothingButStillStepsColourAndFont) {
    const QImage before = pad.image();
    random.push(0.1);
    random.push(0.2);
    random.push(0.3);
    press(50, 50, "", SymbolFont::Wingdings2);
    EXPECT_TRUE(changedPixels(before, pad.image()).empty());
    EXPECT_EQ(pad.foreColor(), canvas::rgbColour(23, 47, 70));
    EXPECT_EQ(padFont.name, QStringLiteral("wingdings 2"));
}

TEST_F(SymbolPad, MissingSymbolFontStampsAPictogramInThePictogramFamily) {
    if (pads::fontFamilyInstalled("wingdings")) {
        GTEST_SKIP() << "the symbol font itself is installed";
    }
    padFont.name = QStringLiteral("wingdings");
    const pads::StampGlyphs glyphs = pads::resolveStampGlyphs(
        pads::fontFromRecord(pads::buildLogFontRecord(padFont, 0, 96)), QStringLiteral("J"));
    EXPECT_EQ(glyphs.font.family(), QStringLiteral("Symbola"));
    // The smiling face, asked for in its text form.
    EXPECT_EQ(glyphs.text, QString(QChar(0x263A)) + QChar(0xFE0E));

    press(50, 50, "J");
    EXPECT_GT(pixelsOf(pad, kGreen), 20);
}

TEST_F(SymbolPad, OrdinaryFontsDrawTheirOwnText) {
    const pads::StampGlyphs glyphs = pads::resolveStampGlyphs(QFont("DejaVu Sans"), "abc");
    EXPECT_EQ(glyphs.font.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(glyphs.text, QStringLiteral("abc"));
}

TEST_F(SymbolPad, PressPointIsTakenInTwips) {
    const QImage before = pad.image();
    pads::stampSymbol(pad, padFont, fontObject, random, 1500.0f, 750.0f, "I", std::nullopt);
    const QRect bounds = boundsOf(changedPixels(before, pad.image()));
    EXPECT_GE(bounds.left(), 100);
    EXPECT_LE(bounds.left(), 106);
    EXPECT_GE(bounds.top(), 50);
    EXPECT_LE(bounds.top(), 60);
    EXPECT_FLOAT_EQ(pad.currentX(), 1500.0f);
    EXPECT_FLOAT_EQ(pad.currentY(), 750.0f);
}

TEST(SymbolPadControls, AngleReadoutMarksTheAccessKey) {
    EXPECT_EQ(pads::outputAngleReadout(45), QStringLiteral("&Output Angle (45):"));
    EXPECT_EQ(pads::outputAngleReadout(0), QStringLiteral("&Output Angle (0):"));
}

TEST(SymbolPadControls, SliderAtTheSameValueBuildsNoNewHandle) {
    pads::CLogFont fontObject([] { return 96; });
    fontObject.setLogFont(pads::symbolPadInitialFont());
    pads::changeOutputAngle(fontObject, 360);
    pads::changeOutputAngle(fontObject, 360);
    EXPECT_EQ(fontObject.handlesCreated(), 2);
    EXPECT_EQ(fontObject.record().lfOutPrecision, 0);
}

TEST(SymbolPadControls, FontDialogTakesNameSizeAndBoldOnlyWhenConfirmed) {
    canvas::Surface pad(pads::symbolPadSetup());
    pads::FontDescription padFont = pads::symbolPadInitialFont();
    padFont.italic = true;
    const pads::FontDialogStart start = pads::fontDialogStart(padFont);
    EXPECT_EQ(start.name, QStringLiteral("宋体"));
    EXPECT_EQ(start.size, 14.25);

    pads::applyFontChoice(pad, padFont, std::nullopt);
    EXPECT_EQ(padFont.name, QStringLiteral("宋体"));

    pads::applyFontChoice(pad, padFont, pads::FontChoice{"DejaVu Serif", 20.0, false});
    EXPECT_EQ(padFont.name, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(padFont.size, 20.0);
    EXPECT_FALSE(padFont.bold);
    EXPECT_EQ(padFont.weight, 400);
    EXPECT_TRUE(padFont.italic);
    EXPECT_EQ(padFont.charset, 134);
    EXPECT_EQ(pad.font().family(), QStringLiteral("DejaVu Serif"));
}

TEST(SymbolFontTables, EveryLetterGivesItsOwnPictogram) {
    for (const SymbolFont font :
         {SymbolFont::Wingdings, SymbolFont::Wingdings2, SymbolFont::Wingdings3}) {
        std::set<uint> seen;
        for (const char* range : {"az", "AZ"}) {
            for (char letter = range[0]; letter <= range[1]; ++letter) {
                const QString mapped = pads::mapToPictograms(QString(QChar(letter)), font);
                ASSERT_FALSE(mapped.isEmpty());
                const uint codePoint = mapped.toUcs4().front();
                EXPECT_GT(codePoint, 0x7Fu) << letter;
                EXPECT_TRUE(mapped.endsWith(QChar(0xFE0E))) << letter;
                EXPECT_TRUE(seen.insert(codePoint).second) << letter << " repeats";
            }
        }
    }
}

TEST(SymbolFontTables, SymbolaDrawsEveryLetterPictogram) {
    const QFont symbola("Symbola");
    const QFontMetrics metrics(symbola);
    if (QFontInfo(symbola).family() != QStringLiteral("Symbola")) {
        GTEST_SKIP() << "Symbola is not installed";
    }
    for (const SymbolFont font :
         {SymbolFont::Wingdings, SymbolFont::Wingdings2, SymbolFont::Wingdings3}) {
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            const uint codePoint =
                pads::mapToPictograms(QString(QChar(letter)), font).toUcs4().front();
            EXPECT_TRUE(metrics.inFontUcs4(codePoint))
                << pads::symbolFontName(font).toStdString() << " " << letter;
        }
    }
}

} // namespace
