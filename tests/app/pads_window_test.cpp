#include "form1_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

namespace {

using PadsWindow = Form1Test;

int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            count += a.pixel(x, y) != b.pixel(x, y);
        }
    }
    return count;
}

TEST_F(PadsWindow, FigureButtonWritesItsParametersAndPlotsOnTheFigurePad) {
    const QImage before = form_->figurePad().image();
    click("Command90"); // "图1"
    EXPECT_EQ(find<QLineEdit>("txtParam(0)")->text(), "120");
    EXPECT_EQ(find<QLineEdit>("txtParam(1)")->text(), "30");
    EXPECT_EQ(find<QLineEdit>("txtParam(2)")->text(), "10");
    EXPECT_EQ(find<QLineEdit>("txtParam(3)")->text(), "2880");
    EXPECT_GT(differingPixels(before, form_->figurePad().image()), 100);
    click("Command90");
    EXPECT_EQ(find<QLineEdit>("txtParam(2)")->text(), "15");
}

TEST_F(PadsWindow, DotStreamRunsUntilTheResetButton) {
    auto* timer = form_->findChild<QTimer*>("Timer1");
    find<QRadioButton>("Option2")->click();
    press("Picture4", 70, 70);
    EXPECT_TRUE(timer->isActive());
    const QImage pressed = form_->randomArtPad().image();
    QTest::qWait(30);
    EXPECT_GT(differingPixels(pressed, form_->randomArtPad().image()), 0); // the stream sprinkles

    click("Command59");
    EXPECT_FALSE(timer->isActive());
    const QImage reset = form_->randomArtPad().image();
    const QRgb colour = reset.pixel(0, 0);
    for (int y = 0; y < reset.height(); ++y) {
        for (int x = 0; x < reset.width(); ++x) {
            ASSERT_EQ(reset.pixel(x, y), colour);
        }
    }
    QTest::qWait(10);
    EXPECT_EQ(form_->randomArtPad().image(), reset); // no dots after the reset
}

TEST_F(PadsWindow, NoModeSelectedMeansThePadIgnoresPresses) {
    find<QRadioButton>("Option5")->click(); // a symbol font clears the random-art mode
    EXPECT_FALSE(find<QRadioButton>("Option1")->isChecked());
    const QImage before = form_->randomArtPad().image();
    press("Picture4", 70, 70);
    EXPECT_EQ(form_->randomArtPad().image(), before);
}

TEST_F(PadsWindow, SymbolFontReachesTheStampsFromTheSecondPress) {
    const QImage blank = form_->symbolPad().image();
    press("Picture5", 20, 40);
    EXPECT_GT(differingPixels(blank, form_->symbolPad().image()), 20);

    find<QRadioButton>("Option5")->click();
    press("Picture5", 20, 80);
    EXPECT_EQ(form_->rotatedFont().logFont()->name, QStringLiteral("宋体"));
    press("Picture5", 20, 110);
    EXPECT_EQ(form_->rotatedFont().logFont()->name, QStringLiteral("wingdings"));
}

TEST_F(PadsWindow, AngleSliderTurnsTheNextStampAndShowsItsReadout) {
    auto* angle = find<QScrollBar>("HScroll1");
    emit angle->sliderMoved(45);
    EXPECT_EQ(find<QLabel>("Label1")->text(), QStringLiteral("&Output Angle (45):"));
    angle->setValue(45);
    EXPECT_EQ(form_->rotatedFont().rotation(), 45.0f);
}

TEST_F(PadsWindow, FontDialogChoiceAppliesAndCancelChangesNothing) {
    std::optional<pads::FontChoice> answer;
    form_->setFontDialog([&](QWidget*, const pads::FontDialogStart&) { return answer; });
    press("Picture5", 10, 10);
    const pads::FontDescription before = *form_->rotatedFont().logFont();
    click("Command57");
    press("Picture5", 10, 40);
    EXPECT_EQ(*form_->rotatedFont().logFont(), before);

    answer = pads::FontChoice{QStringLiteral("DejaVu Sans"), 20, false};
    click("Command57");
    press("Picture5", 10, 70);
    EXPECT_EQ(form_->rotatedFont().logFont()->name, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(form_->rotatedFont().logFont()->size, 20);
    EXPECT_FALSE(form_->rotatedFont().logFont()->bold);
}

TEST_F(PadsWindow, LoadingAPadThenAPatternThenClearing) {
    click("Command90");
    click("Command62");
    const QImage pad = form_->figurePad().image();
    EXPECT_EQ(form_->designCanvas().image(), pad.copy(0, 0, 142, 142));
    EXPECT_EQ(find<QLabel>("Label2")->text(), QStringLiteral("设计高级图案"));

    click("Command11");
    EXPECT_EQ(find<QLabel>("Label2")->text(), QStringLiteral("设计经典格子"));
    EXPECT_EQ(pixel(form_->designCanvas(), 10, 73), qRgb(0, 0, 0));
    EXPECT_EQ(pixel(form_->designCanvas(), 0, 0), pad.pixel(0, 0) | 0xFF000000u);

    click("Command61");
    const QImage plain = form_->designCanvas().image();
    for (int y = 0; y < 142; y += 7) {
        for (int x = 0; x < 142; x += 7) {
            ASSERT_EQ(plain.pixel(x, y) | 0xFF000000u, kWindowBlue);
        }
    }
}

TEST_F(PadsWindow, ResetsGiveEachPadAPlainNewBackground) {
    press("Picture5", 20, 40);
    click("Command64");
    click("Command90");
    click("Command65");
    for (canvas::Surface* pad : {&form_->symbolPad(), &form_->figurePad()}) {
        const QImage image = pad->image();
        for (int y = 0; y < image.height(); y += 5) {
            for (int x = 0; x < image.width(); x += 5) {
                ASSERT_EQ(image.pixel(x, y), image.pixel(0, 0));
            }
        }
    }
    click("Command63");
    EXPECT_EQ(form_->designCanvas().image(), form_->symbolPad().image());
}

} // namespace

namespace {

TEST_F(PadsWindow, AngleReadoutHidesItsAccessKeyMark) {
    emit find<QScrollBar>("HScroll1")->sliderMoved(45);
    auto* label = find<QLabel>("Label1");
    QLabel plain(QStringLiteral("Output Angle (45):"));
    plain.setFont(label->font());
    // Without the mark the text is as wide as the plain text, not one "&" wider.
    EXPECT_EQ(label->sizeHint().width(), plain.sizeHint().width());
    EXPECT_EQ(label->buddy(), find<QWidget>("HScroll1"));
}

} // namespace
