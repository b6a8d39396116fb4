#include "ascii_picture.h"
#include "pads/pad_setup.h"
#include "pads/symbol_pad.h"
#include "scripted_random.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>
#include <set>

using ascii::boundsOf;
using ascii::changedPixels;
using pads::SymbolFont;
using test_support::ScriptedRandom;

namespace {

constexpr canvas::Colour kGreen = 0x00FF00;
const SymbolFont kSymbolFonts[] = {SymbolFont::Wingdings, SymbolFont::Wingdings2,
                                   SymbolFont::Wingdings3};

class SymbolPad : public ::testing::Test {
  protected:
    // A press at pixel (x, y); the pad works in twips. Returns the pixels the stamp changed.
    std::vector<QPoint> press(int x, int y, const QString& text,
                              std::optional<SymbolFont> option = std::nullopt) {
        const QImage before = pad.image();
        pads::stampSymbol(pad, padFont, fontObject, random, float(x) * canvas::kTwipsPerPixel,
                          float(y) * canvas::kTwipsPerPixel, text, option);
        return changedPixels(before, pad.image());
    }

    canvas::Surface pad{pads::symbolPadSetup()};
    pads::FontDescription padFont = pads::symbolPadInitialFont();
    pads::CLogFont fontObject{[] { return 96; }};
    ScriptedRandom random{{0.5, 0.0, 0.999}, 0.25};
};

TEST_F(SymbolPad, FirstStampIsGreenHorizontalTextFromThePressPoint) {
    const auto changed = press(100, 50, "I love you");
    ASSERT_FALSE(changed.empty());
    const QRect bounds = boundsOf(changed);
    EXPECT_TRUE(QRect(100, 50, 7, 11).contains(bounds.topLeft()))
        << bounds.x() << ", " << bounds.y();
    EXPECT_GT(bounds.width(), 2 * bounds.height());
    EXPECT_EQ(ascii::count(pad.imageRef(), {kGreen}), int(changed.size()));
    EXPECT_EQ(ascii::colourAt(pad, 0, 0), canvas::Colour(0x5616AD));
    EXPECT_FLOAT_EQ(pad.currentX(), 1500.0f);
    EXPECT_FLOAT_EQ(pad.currentY(), 750.0f);
    EXPECT_EQ(pad.foreColor(), canvas::rgbColour(117, 0, 234));
    EXPECT_EQ(fontObject.logFont()->name, QStringLiteral("宋体"));
    EXPECT_EQ(fontObject.record().lfHeight, -19);
}

TEST_F(SymbolPad, NinetyDegreesRunsUpwardsFromThePressPoint) {
    pads::changeOutputAngle(fontObject, 90);
    const QRect bounds = boundsOf(press(40, 130, "I love you"));
    ASSERT_FALSE(bounds.isEmpty());
    EXPECT_GT(bounds.height(), 2 * bounds.width());
    EXPECT_LE(bounds.bottom(), 130);
    EXPECT_GE(bounds.left(), 40);
    EXPECT_EQ(fontObject.record().lfEscapement, 900);
}

TEST_F(SymbolPad, SymbolFontTakesEffectFromTheSecondPressAndStaysEvenForEmptyText) {
    // An empty text stamps nothing but still steps the colour and the font.
    EXPECT_TRUE(press(50, 50, "", SymbolFont::Wingdings2).empty());
    EXPECT_EQ(pad.foreColor(), canvas::rgbColour(117, 0, 234));
    EXPECT_EQ(fontObject.logFont()->name, QStringLiteral("宋体"));
    EXPECT_EQ(padFont.name, QStringLiteral("wingdings 2"));
    press(10, 10, "a", SymbolFont::Wingdings3);
    EXPECT_EQ(fontObject.logFont()->name, QStringLiteral("wingdings 2"));
    EXPECT_EQ(pad.font().family(), QStringLiteral("wingdings 3"));
    // Size and style stay with the symbol font.
    EXPECT_EQ(fontObject.logFont()->size, 14.25);
    EXPECT_EQ(fontObject.logFont()->weight, 700);
    // Without an option the last symbol font stays.
    press(10, 10, "a");
    press(10, 10, "a");
    EXPECT_EQ(fontObject.logFont()->name, QStringLiteral("wingdings 3"));
}

TEST_F(SymbolPad, OrdinaryFontsDrawTheirOwnTextAMissingSymbolFontAPictogram) {
    const pads::StampGlyphs own = pads::resolveStampGlyphs(QFont("DejaVu Sans"), "abc");
    EXPECT_EQ(own.font.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(own.text, QStringLiteral("abc"));
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
    EXPECT_GT(ascii::count(pad.imageRef(), {kGreen}), 20);
}

TEST(SymbolPadControls, SliderReadoutMarksTheAccessKeyAndAnEqualValueBuildsNoHandle) {
    EXPECT_EQ(pads::outputAngleReadout(45), QStringLiteral("&Output Angle (45):"));
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
    EXPECT_EQ(padFont,
              (pads::FontDescription{"DejaVu Serif", 20.0, false, true, false, false, 400, 134}));
    EXPECT_EQ(pad.font().family(), QStringLiteral("DejaVu Serif"));
}

TEST(SymbolFontTables, EveryLetterGivesItsOwnPictogramThatSymbolaDraws) {
    const QFont symbola("Symbola");
    const QFontMetrics metrics(symbola);
    const bool symbolaInstalled = QFontInfo(symbola).family() == QStringLiteral("Symbola");
    for (const SymbolFont font : kSymbolFonts) {
        std::set<uint> seen;
        for (const char* range : {"az", "AZ"}) {
            for (char letter = range[0]; letter <= range[1]; ++letter) {
                SCOPED_TRACE(testing::Message()
                             << pads::symbolFontName(font).toStdString() << " " << letter);
                const QString mapped = pads::mapToPictograms(QString(QChar(letter)), font);
                ASSERT_FALSE(mapped.isEmpty());
                const uint codePoint = mapped.toUcs4().front();
                EXPECT_GT(codePoint, 0x7Fu);
                EXPECT_TRUE(mapped.endsWith(QChar(0xFE0E)));
                EXPECT_TRUE(seen.insert(codePoint).second) << "repeats";
                EXPECT_TRUE(!symbolaInstalled || letter < 'a' || metrics.inFontUcs4(codePoint));
            }
        }
    }
}

} // namespace
