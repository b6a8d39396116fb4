#include "app_fixture.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

namespace {

using PadsWindow = AppTest;

int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            count += a.pixel(x, y) != b.pixel(x, y);
        }
    }
    return count;
}

// True when every pixel of the image has the colour.
bool isPlain(const QImage& image, QRgb colour) {
    QImage plain(image.size(), QImage::Format_RGB32);
    plain.fill(QColor(colour));
    return image.convertToFormat(QImage::Format_RGB32) == plain;
}

TEST_F(PadsWindow, FigureButtonWritesItsParametersAndPlotsOnTheFigurePad) {
    const QImage before = form().figurePad().image();
    click("Command90"); // "图1"
    QStringList parameters;
    for (const char* field : {"txtParam(0)", "txtParam(1)", "txtParam(2)", "txtParam(3)"}) {
        parameters << find<QLineEdit>(field)->text();
    }
    EXPECT_EQ(parameters, (QStringList{"120", "30", "10", "2880"}));
    EXPECT_GT(differingPixels(before, form().figurePad().image()), 100);
    click("Command90");
    EXPECT_EQ(find<QLineEdit>("txtParam(2)")->text(), "15");
}

TEST_F(PadsWindow, DotStreamRunsUntilTheResetButtonNoModeIgnoresPressesAndCrossLinesDraw) {
    auto* timer = form().findChild<QTimer*>("Timer1");
    EXPECT_TRUE(find<QRadioButton>("Option1")->isChecked());
    find<QRadioButton>("Option2")->click();
    press("Picture4", {70, 70});
    EXPECT_TRUE(timer->isActive());
    const QImage pressed = form().randomArtPad().image();
    QTest::qWait(30);
    EXPECT_GT(differingPixels(pressed, form().randomArtPad().image()), 0) << "the stream sprinkles";

    click("Command59");
    EXPECT_FALSE(timer->isActive());
    const QImage reset = form().randomArtPad().image();
    EXPECT_TRUE(isPlain(reset, reset.pixel(0, 0)));
    QTest::qWait(10);
    EXPECT_EQ(form().randomArtPad().image(), reset) << "no dots after the reset";
    // The seven options of both pads are one group: a symbol font clears the random-art mode.
    find<QRadioButton>("Option5")->click();
    EXPECT_EQ(form().findChildren<QRadioButton*>().size(), 7);
    EXPECT_FALSE(find<QRadioButton>("Option2")->isChecked());
    press("Picture4", {70, 70});
    EXPECT_EQ(form().randomArtPad().image(), reset);
    find<QRadioButton>("Option4")->click(); // the fourth mode, cross lines
    press("Picture4", {70, 70});
    EXPECT_NE(form().randomArtPad().image(), reset);
}

TEST_F(PadsWindow, SymbolFontAndFontDialogChoiceReachTheStampsFromTheNextPress) {
    const QImage blank = form().symbolPad().image();
    press("Picture5", {20, 40});
    EXPECT_GT(differingPixels(blank, form().symbolPad().image()), 20);
    find<QRadioButton>("Option5")->click();
    press("Picture5", {20, 80});
    EXPECT_EQ(form().rotatedFont().logFont()->name, QStringLiteral("宋体"));
    press("Picture5", {20, 110});
    EXPECT_EQ(form().rotatedFont().logFont()->name, QStringLiteral("wingdings"));

    std::optional<pads::FontChoice> answer;
    form().setFontDialog([&](QWidget*, const pads::FontDialogStart&) { return answer; });
    click("Command57"); // cancelled
    press("Picture5", {10, 40});
    EXPECT_EQ(form().rotatedFont().logFont()->name, QStringLiteral("wingdings"));
    answer = pads::FontChoice{QStringLiteral("DejaVu Sans"), 20, false};
    click("Command57");
    press("Picture5", {10, 70});
    const pads::FontDescription chosen = *form().rotatedFont().logFont();
    EXPECT_EQ(std::tuple(chosen.name, chosen.size, chosen.bold),
              std::tuple(QStringLiteral("DejaVu Sans"), 20, false));
}

TEST_F(PadsWindow, AngleSliderTurnsTheNextStampAndShowsItsReadout) {
    auto* angle = find<QScrollBar>("HScroll1");
    emit angle->sliderMoved(45);
    auto* label = find<QLabel>("Label1");
    EXPECT_EQ(label->text(), QStringLiteral("&Output Angle (45):"));
    // The access key mark is hidden: the text is as wide as the plain text, not one "&" wider.
    QLabel plain(QStringLiteral("Output Angle (45):"));
    plain.setFont(label->font());
    EXPECT_EQ(label->sizeHint().width(), plain.sizeHint().width());
    EXPECT_EQ(label->buddy(), angle);
    angle->setValue(45);
    EXPECT_EQ(form().rotatedFont().rotation(), 45.0f);
}

TEST_F(PadsWindow, PadsResetPlainAndLoadIntoTheDesignWhichAPatternOrClearingFollows) {
    press("Picture5", {20, 40});
    click("Command64");
    EXPECT_TRUE(isPlain(form().symbolPad().image(), form().symbolPad().image().pixel(0, 0)));
    click("Command63");
    EXPECT_EQ(design(), form().symbolPad().image());

    click("Command90");
    click("Command62");
    const QImage pad = form().figurePad().image();
    EXPECT_EQ(design(), pad.copy(0, 0, 142, 142));
    EXPECT_TRUE(std::holds_alternative<pads::PadDrawing>(form().model().record().picture.drawing));
    EXPECT_EQ(title(), QStringLiteral("设计高级图案"));
    click("Command11");
    EXPECT_EQ(opaque(design().pixel(10, 73)), qRgb(0, 0, 0));
    EXPECT_EQ(opaque(design().pixel(0, 0)), opaque(pad.pixel(0, 0))) << "on the pad's background";
    click("Command61");
    EXPECT_TRUE(isPlain(design(), kWindowBlue));
    click("Command65");
    EXPECT_TRUE(isPlain(form().figurePad().image(), form().figurePad().image().pixel(0, 0)));
}

} // namespace
