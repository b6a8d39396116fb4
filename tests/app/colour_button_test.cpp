#include "app/colour_button.h"
#include "app/layout.h"
#include "app_fixture.h"

// The coloured buttons carried a style sheet; they paint what it painted, pixel for pixel.
TEST_F(AppTest, ColourButtonsPaintWhatTheirStyleSheetPaintedInEveryLook) {
    std::vector<std::tuple<QRgb, QString, QSize>> buttons{
        {qRgb(0, 0, 0), "图1", {49, 19}},
        {qRgb(240, 250, 230), "两行\n字", {69, 40}},
        {qRgb(10, 20, 30), "&Save", {30, 23}}};
    for (const app::ControlSpec& entry : app::layoutControls()) {
        if (entry.kind == app::ControlKind::Button && entry.background) {
            buttons.emplace_back(canvas::toPixel(*entry.background), entry.caption,
                                 entry.geometry.size());
        }
    }
    enum Look { Normal, Pressed, TabFocused, Hovered, Disabled };
    const auto shown = [font = find("Command1")->font()](QPushButton& button, QSize size,
                                                         Look look) {
        button.setFont(font);
        button.resize(size);
        button.show();
        button.setDown(look == Pressed);
        button.setEnabled(look != Disabled);
        button.setAttribute(Qt::WA_UnderMouse, look == Hovered);
        if (look == TabFocused) {
            button.setFocus(Qt::TabFocusReason);
            button.window()->setAttribute(Qt::WA_KeyboardFocusChange);
        }
        return button.grab().toImage();
    };
    for (const auto& [colour, caption, size] : buttons) {
        for (const Look look : {Normal, Pressed, TabFocused, Hovered, Disabled}) {
            QPushButton styled(caption, &form());
            styled.setStyleSheet(
                QStringLiteral("QPushButton { background-color: %1; border: 2px outset %1; }"
                               "QPushButton:pressed { border-style: inset; }")
                    .arg(QColor(colour).name()));
            app::ColourButton painted(caption, colour, &form());
            EXPECT_EQ(shown(painted, size, look), shown(styled, size, look))
                << caption.toStdString() << " look " << look << " " << std::hex << colour;
        }
    }
}
