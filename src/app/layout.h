#pragma once

#include "canvas/colour.h"

#include <QRect>
#include <QString>
#include <optional>
#include <vector>

namespace app {

enum class ControlKind { Button, Label, ComboBox, CheckBox, OptionButton, TextField, ScrollBar };

// The look of a control's text: "宋体" at 9 points regular, 9 points bold or 10.5 points bold.
enum class TextStyle { Regular, Bold, Large };

// One control of the window: its layout name (the widget's objectName), caption or initial text,
// position and size in window pixels, and its colours where the layout gives them.
struct ControlSpec {
    ControlKind kind;
    QString name;
    QString caption;
    QRect geometry;
    std::optional<canvas::Colour> background;
    std::optional<canvas::Colour> text;
    TextStyle style = TextStyle::Regular;
};

// A rectangle drawn on the window behind the controls: a border, and a fill where one is given.
struct PanelSpec {
    QRect geometry;
    int borderWidth;
    std::optional<canvas::Colour> fill;
};

// A picture surface's place on the window; its size comes from the surface itself.
struct SurfacePlacement {
    QString name;
    QPoint topLeft;
};

inline constexpr int kClientWidth = 1229;
inline constexpr int kClientHeight = 682;
inline constexpr canvas::Colour kWindowColour = 0xAE5C44;
inline constexpr canvas::Colour kPanelBorderColour = 0x59C8A2;

// Every control of the window, in creation (stacking) order.
const std::vector<ControlSpec>& layoutControls();
const std::vector<PanelSpec>& layoutPanels();
const std::vector<SurfacePlacement>& layoutSurfaces();

} // namespace app
