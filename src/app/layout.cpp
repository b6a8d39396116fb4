#include "layout.h"

#include "effect/effect.h"
#include "pads/figures.h"
#include "patterns/catalogue.h"

#include <QUrl>
#include <array>

namespace app {
namespace {

using canvas::Colour;

constexpr int kButtonWidth = 69;
constexpr int kButtonHeight = 23;
constexpr Colour kLabelText = 0xFFFFFF;

// The catalogue buttons stand in four columns; each row lies on one coloured panel. Their
// captions are the catalogue's.
struct CatalogueRow {
    int top;
    Colour colour;
    std::array<const char*, 4> buttons;
};

constexpr std::array<int, 4> kCatalogueColumns{664, 736, 808, 880};

const CatalogueRow kCatalogueRows[] = {
    {160, 0xFFC0C0, {{"Command1", "Command3", "Command4", "Command5"}}},
    {186, 0xFFC0C0, {{"Command6", "Command7", "Command8", "Command9"}}},
    {212, 0xFFC0C0, {{"Command10", "Command11", "Command12", "Command13"}}},
    {244, 0xC0FFC0, {{"Command18", "Command21", "Command25", "Command26"}}},
    {270, 0xC0FFC0, {{"Command19", "Command22", "Command28", "Command29"}}},
    {296, 0xC0FFC0, {{"Command24", "Command20", "Command23", "Command27"}}},
    {334, 0xFFC0FF, {{"Command43", "Command44", "Command52", "Command47"}}},
    {360, 0xFFC0FF, {{"Command48", "Command51", "Command53", "Command54"}}},
    {386, 0xFFC0FF, {{"Command49", "Command50", "Command46", "Command55"}}},
    {422, 0x80C0FF, {{"Command37", "Command38", "Command39", "Command40"}}},
    {448, 0x80C0FF, {{"Command41", "Command42", "Command31", "Command32"}}},
    {474, 0x80C0FF, {{"Command33", "Command34", "Command35", "Command36"}}},
};

// The figure gallery's buttons, in the presets' caption order, six rows of five.
constexpr QPoint kFigureGalleryOrigin{958, 534};
constexpr QSize kFigureButtonSize{49, 19};
constexpr int kFigureStepAcross = 52;
constexpr int kFigureStepDown = 22;
constexpr int kFiguresPerRow = 5;
constexpr int kFirstColourChange = 15; // "图16" on take the second colour
constexpr Colour kFigureColours[] = {canvas::rgbColour(192, 192, 255),
                                     canvas::rgbColour(192, 255, 255)};

ControlSpec button(const QString& name, const QString& caption, int left, int top,
                   std::optional<Colour> colour = {}, int width = kButtonWidth,
                   int height = kButtonHeight) {
    return {ControlKind::Button, name, caption, QRect(left, top, width, height), colour, {},
            TextStyle::Regular};
}

ControlSpec label(const QString& name, const QString& caption, QRect geometry,
                  TextStyle style = TextStyle::Regular, Colour text = kLabelText,
                  std::optional<Colour> background = {}) {
    return {ControlKind::Label, name, caption, geometry, background, text, style};
}

ControlSpec control(ControlKind kind, const QString& name, const QString& caption, QRect geometry) {
    return {kind, name, caption, geometry, {}, kLabelText, TextStyle::Regular};
}

// The credit shows the maker's name and the host of its address.
QString creditText() {
    return QStringLiteral("澄川软件 ") + QUrl(effect::kMakerAddress).host();
}

std::vector<ControlSpec> buildControls() {
    constexpr Colour kAdvanced = 0x7B15D7;
    constexpr Colour kInstructionBack = 0x404000;
    constexpr Colour kInstructionText = 0x4E14E4;
    constexpr Colour kTitleYellow = 0x00FFFF;
    constexpr Colour kCreditOrange = 0x0080FF;
    using K = ControlKind;

    std::vector<ControlSpec> controls{
        // Beside the design canvas.
        label("Label1", "点击左图配色", {804, 4, 101, 27}, TextStyle::Regular, kInstructionText,
              kInstructionBack),
        label("Label2", "设计图案", {804, 24, 91, 25}, TextStyle::Large, kTitleYellow),
        control(K::ComboBox, "Combo2", "2", {804, 44, 41, 20}),
        label("Label18", "线宽", {846, 46, 31, 19}),
        control(K::CheckBox, "Check1", "类别", {804, 70, 73, 21}),
        label("Label26", "连续点击", {890, 28, 55, 19}),
        button("Command71(2)", "高级图案1", 880, 44, kAdvanced),
        button("Command71(1)", "高级图案2", 880, 70, kAdvanced),
        button("Command70(2)", "高级图案3", 880, 96, kAdvanced),
        button("Command70(1)", "高级图案4", 880, 122, kAdvanced),
        button("Command14", "生成效果图", 808, 96),
        button("Command2", "保存图案", 808, 122),
        // The size list.
        label("Label3", "图案大小调控", {672, 528, 109, 25}),
        control(K::ComboBox, "Combo1", "80", {766, 526, 53, 20}),
        button("Command15", "生成效果图", 828, 526, {}, 79),
        // Application areas and the how-to.
        label("Label4", "图案应用范围", {660, 562, 100, 17}, TextStyle::Bold),
        label("Label5", "美工设计", {660, 579, 66, 17}),
        label("Label6", "纺织图案", {730, 579, 66, 17}),
        label("Label7", "包装图案", {800, 579, 66, 17}),
        label("Label8", "美术教育", {870, 579, 66, 17}),
        label("Label15", "建材图案", {660, 596, 66, 17}),
        label("Label16", "陶瓷图案", {730, 596, 66, 17}),
        label("Label17", "家装图案", {800, 596, 66, 17}),
        label("Label9", "设计方法", {660, 612, 120, 17}, TextStyle::Bold),
        label("Label10", "1:点图案选择按钮", {660, 628, 288, 17}),
        label("Label11", "2:点最上图配色, 可多次配色,交叉配色", {660, 644, 288, 17}),
        label("Label12", "3:点生成效果图,已完成设计", {660, 660, 288, 17}),
        // Under the effect view.
        label("Label14", "效果图", {476, 656, 60, 19}, TextStyle::Large),
        button("Command17", "保存效果图", 566, 652, {}, 79),
        label("Label13", creditText(), {2, 654, 203, 21}, TextStyle::Regular, kCreditOrange),
        // Random-art pad.
        label("Label22", "设计高级图案", {1110, 4, 100, 17}),
        label("Label21", "点击左图", {1110, 20, 100, 15}),
        control(K::OptionButton, "Option1", "选图1", {1110, 36, 80, 16}),
        control(K::OptionButton, "Option2", "选图2", {1110, 52, 80, 16}),
        control(K::OptionButton, "Option3", "选图3", {1110, 68, 80, 14}),
        control(K::OptionButton, "Option4", "选图4", {1110, 82, 80, 16}),
        button("Command60", "调入主图", 1110, 102),
        button("Command59", "重新设计", 1110, 126),
        button("Command61", "清空主图", 962, 156),
        // Symbol pad.
        label("Label23", "设计高级图案", {1110, 184, 100, 16}),
        label("Label24", "点击左图", {1110, 200, 100, 16}),
        label("Label25", "可加文字符号", {1110, 216, 100, 16}),
        control(K::OptionButton, "Option5", "wingdings", {1110, 232, 100, 16}),
        control(K::OptionButton, "Option6", "wingdings 2", {1110, 248, 100, 16}),
        control(K::OptionButton, "Option7", "wingdings 3", {1110, 264, 100, 16}),
        button("Command63", "调入主图", 1110, 284),
        button("Command64", "重新设计", 1110, 308),
        label("Label19", "设置文字", {962, 336, 56, 17}),
        control(K::ComboBox, "Combo3", "I love you", {1020, 334, 86, 20}),
        label("Label20", "文字角度", {962, 358, 56, 17}),
        control(K::ScrollBar, "HScroll1", "", {1020, 358, 86, 17}),
        button("Command57", "字体", 1110, 346),
        // Figure pad; its four parameter fields lie inside the pad's area.
        control(K::TextField, "txtParam(0)", "Text1", {962, 436, 61, 23}),
        control(K::TextField, "txtParam(1)", "Text1", {962, 460, 61, 23}),
        control(K::TextField, "txtParam(2)", "Text1", {964, 490, 61, 23}),
        control(K::TextField, "txtParam(3)", "Text1", {970, 494, 61, 23}),
        label("Label28", "设计高级图案", {1112, 380, 104, 17}),
        label("Label27", "可多次换图点击", {1112, 398, 104, 17}),
        label("Label29", "可配出多种图案", {1112, 416, 104, 17}),
        label("Label30", "用于高级装饰", {1112, 434, 104, 17}),
        button("Command62", "调入主图", 1110, 480),
        button("Command65", "重新设计", 1110, 504),
    };
    for (const auto& row : kCatalogueRows) {
        for (std::size_t column = 0; column < row.buttons.size(); ++column) {
            const QString name = QString::fromLatin1(row.buttons[column]);
            controls.push_back(button(name, patterns::caption(*patterns::findFigure(name)),
                                      kCatalogueColumns[column], row.top, row.colour));
        }
    }
    const auto& presets = pads::figurePresets();
    for (int figure = 0; figure < int(presets.size()); ++figure) {
        const QPoint topLeft =
            kFigureGalleryOrigin + QPoint(figure % kFiguresPerRow * kFigureStepAcross,
                                          figure / kFiguresPerRow * kFigureStepDown);
        controls.push_back(button(QString::fromLatin1(presets[figure].controlName),
                                  QString::fromUtf8(presets[figure].caption), topLeft.x(),
                                  topLeft.y(), kFigureColours[figure < kFirstColourChange ? 0 : 1],
                                  kFigureButtonSize.width(), kFigureButtonSize.height()));
    }
    return controls;
}

} // namespace

const std::vector<ControlSpec>& layoutControls() {
    static const std::vector<ControlSpec> controls = buildControls();
    return controls;
}

const std::vector<PanelSpec>& layoutPanels() {
    static const std::vector<PanelSpec> panels{
        {{654, 152, 299, 89}, 3, 0x008000},
        {{654, 238, 299, 87}, 3, 0x5616AD},
        {{654, 326, 299, 89}, 3, 0x404000},
        {{654, 414, 299, 91}, 3, 0xAE80D5},
        {{654, 504, 299, 53}, 3, kWindowColour},
        {{654, 558, 299, 121}, 3, kWindowColour},
        {{654, 2, 299, 151}, 2, {}},
        {{952, 2, 267, 677}, 2, {}},
    };
    return panels;
}

const std::vector<SurfacePlacement>& layoutSurfaces() {
    static const std::vector<SurfacePlacement> surfaces{
        {QStringLiteral("Picture1"), {656, 4}},   {QStringLiteral("Picture2"), {0, 0}},
        {QStringLiteral("Picture3"), {656, 538}}, {QStringLiteral("Picture4"), {960, 4}},
        {QStringLiteral("Picture5"), {960, 184}}, {QStringLiteral("picOutput"), {960, 380}},
    };
    return surfaces;
}

} // namespace app
