#include "app/colour_button.h"
#include "app/layout.h"
#include "app_fixture.h"

namespace {

using ColourButtonTest = AppTest;

enum class Look { Normal, Pressed, TabFocused, Hovered, Disabled };

// The style sheet the coloured buttons had: the button must paint exactly what it painted.
QPushButton* styledButton(const QString& caption, const QColor& colour, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 2px outset %1; }"
                       "QPushButton:pressed { border-style: inset; }")
            .arg(colour.name()));
    return button;
}

QImage shown(QPushButton& button, const QFont& font, QSize size, Look look) {
    button.setFont(font);
    button.resize(size);
    button.show();
    button.setDown(look == Look::Pressed);
    button.setEnabled(look != Look::Disabled);
    button.setAttribute(Qt::WA_UnderMouse, look == Look::Hovered);
    if (look == Look::TabFocused) {
        button.setFocus(Qt::TabFocusReason);
        button.window()->setAttribute(Qt::WA_KeyboardFocusChange);
    }
    return button.grab().toImage();
}

TEST_F(ColourButtonTest, PaintsWhatTheStyleSheetPaintedInEveryLook) {
    struct Case {
        QRgb colour;
        QString caption;
        QSize size;
        Look look;
    };
    std::vector<Case> cases{
        {qRgb(0, 0, 0), "图1", {49, 19}, Look::Normal},
        {qRgb(240, 250, 230), "经典格子", {69, 23}, Look::Pressed},
        {qRgb(10, 20, 30), "高级图案1", {69, 23}, Look::TabFocused},
        {qRgb(250, 240, 255), "两行\n字", {69, 40}, Look::Hovered},
        {qRgb(128, 0, 255), "&Save", {69, 23}, Look::Disabled},
        {qRgb(128, 0, 255), "&Save", {30, 23}, Look::TabFocused},
    };
    for (const app::ControlSpec& entry : app::layoutControls()) {
        if (entry.kind == app::ControlKind::Button && entry.background) {
            for (const Look look : {Look::Normal, Look::Pressed}) {
                cases.push_back({canvas::toPixel(*entry.background), entry.caption,
                                 entry.geometry.size(), look});
            }
        }
    }
    const QFont font = find("Command1")->font();
    for (const auto& [colour, caption, size, look] : cases) {
        auto styled = std::unique_ptr<QPushButton>(styledButton(caption, colour, &form()));
        app::ColourButton painted(caption, colour, &form());
        EXPECT_EQ(shown(painted, font, size, look), shown(*styled, font, size, look))
            << caption.toStdString() << " look " << int(look) << " " << std::hex << colour;
    }
}

} // namespace
