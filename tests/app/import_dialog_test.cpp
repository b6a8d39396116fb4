#include "app/import_dialog.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(ImportDialog, ThePreviewFollowsTheChoices) {
    QImage source(300, 100, QImage::Format_RGB32);
    source.fill(qRgb(140, 140, 140));
    source.setPixel(20, 50, qRgb(0, 0, 0));
    const QRgb background = qRgb(0x44, 0x5C, 0xAE);
    app::ImportDialog dialog(source, background);
    auto* crop = dialog.findChild<QRadioButton*>(QStringLiteral("fillCrop"));
    auto* lineArt = dialog.findChild<QCheckBox*>(QStringLiteral("lineArt"));
    auto* threshold = dialog.findChild<QSlider*>(QStringLiteral("threshold"));
    ASSERT_TRUE(crop && lineArt && threshold);

    struct ChoiceCase {
        const char* name;
        std::function<void()> choose;
        workflow::LineArtFit fit;
        bool lineArt;
        double threshold;
    };
    const std::vector<ChoiceCase> cases = {
        {"as opened", [] {}, workflow::LineArtFit::Inside, true, 0.5},
        {"lighter threshold", [&] { threshold->setValue(60); }, workflow::LineArtFit::Inside, true,
         0.6},
        {"crop", [&] { crop->click(); }, workflow::LineArtFit::Crop, true, 0.6},
        {"colour", [&] { lineArt->click(); }, workflow::LineArtFit::Crop, false, 0.6},
    };
    for (const ChoiceCase& c : cases) {
        c.choose();
        workflow::LineArtOptions expected;
        expected.fit = c.fit;
        expected.lineArt = c.lineArt;
        expected.threshold = c.threshold;
        expected.background = background;
        EXPECT_EQ(dialog.result(), workflow::makeLineArt(source, expected)) << c.name;
        EXPECT_EQ(threshold->isEnabled(), c.lineArt) << c.name;
    }
}

} // namespace
