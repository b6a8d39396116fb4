#include "colour_menu.h"

#include "form1.h"
#include "named_colour_search.h"

#include <QAction>
#include <QActionGroup>
#include <QColorDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace app {
namespace {

using colouring::ColourRule;
using colouring::FillScope;
using colouring::Symmetry;

// One exclusive choice of the menu: its value, action name, text and the submenu it sits in
// (empty: the menu itself).
template <typename Value> struct Choice {
    Value value;
    const char* name;
    const char* text;
    const char* submenu;
};

constexpr Choice<ColourRule> kRuleChoices[] = {
    {ColourRule::Random, "actionRuleRandom", "随机", ""},
    {ColourRule::Chosen, "actionRuleChosen", "指定颜色", ""},
    {ColourRule::Analogous, "actionRuleAnalogous", "类似色", "和谐随机"},
    {ColourRule::Complementary, "actionRuleComplementary", "互补色", "和谐随机"},
    {ColourRule::Triadic, "actionRuleTriadic", "三角色", "和谐随机"},
    {ColourRule::Mono, "actionRuleMono", "单色", "和谐随机"},
};

constexpr Choice<FillScope> kScopeChoices[] = {
    {FillScope::Region, "actionScopeRegion", "连通区域", "填充范围"},
    {FillScope::Global, "actionScopeGlobal", "同色全部", "填充范围"},
    {FillScope::Wrap, "actionScopeWrap", "接缝连通", "填充范围"},
};

constexpr Choice<Symmetry> kSymmetryChoices[] = {
    {Symmetry::None, "actionSymmetryNone", "无", "对称"},
    {Symmetry::LeftRight, "actionSymmetryLeftRight", "左右", "对称"},
    {Symmetry::TopBottom, "actionSymmetryTopBottom", "上下", "对称"},
    {Symmetry::Four, "actionSymmetryFour", "四向", "对称"},
    {Symmetry::Eight, "actionSymmetryEight", "八向", "对称"},
};

// The submenu of `menu` titled `title`, made on first use; the menu itself for an empty title.
QMenu* submenu(QMenu& menu, const char* title) {
    if (*title == '\0') {
        return &menu;
    }
    const QString text = QString::fromUtf8(title);
    for (QAction* action : menu.actions()) {
        if (action->menu() != nullptr && action->text() == text) {
            return action->menu();
        }
    }
    return menu.addMenu(text);
}

// Adds one exclusive group of choices, returned in their order; the first is checked, as the
// defaults are.
template <typename Value, std::size_t N>
QList<QAction*> addChoices(QMenu& menu, QObject* owner, const Choice<Value> (&choices)[N],
                           const std::function<void(Value)>& choose) {
    auto* group = new QActionGroup(owner);
    for (const Choice<Value>& choice : choices) {
        QAction* action = submenu(menu, choice.submenu)->addAction(QString::fromUtf8(choice.text));
        action->setObjectName(QString::fromLatin1(choice.name));
        action->setCheckable(true);
        action->setChecked(&choice == &choices[0]);
        group->addAction(action);
        const Value value = choice.value;
        QObject::connect(action, &QAction::triggered, owner, [choose, value] { choose(value); });
    }
    return group->actions();
}

// Qt's own colour dialog (not the desktop's), which has room for the search by name.
std::optional<QColor> askColour(QWidget* parent, const QColor& start) {
    QColorDialog dialog(start, parent);
    dialog.setObjectName(QStringLiteral("ChooseColourDialog"));
    dialog.setWindowTitle(QStringLiteral("选择颜色"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    addNamedColourSearch(dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.selectedColor();
}

constexpr int kSwatch = 14;
constexpr int kSwatchGap = 2;

} // namespace

ColourTools::ColourTools(design::DesignModel& model, QWidget* dialogParent)
    : QObject(dialogParent), model_(model), dialogParent_(dialogParent), colourDialog_(askColour) {}

void ColourTools::fillMenu(QMenu& menu) {
    ruleActions_ = addChoices<ColourRule>(menu, this, kRuleChoices,
                                          [this](ColourRule rule) { setRule(rule); });
    menu.addSeparator();
    QAction* choose = menu.addAction(QStringLiteral("选择颜色…"));
    choose->setObjectName(QStringLiteral("actionChooseColour"));
    connect(choose, &QAction::triggered, this, &ColourTools::chooseColour);
    QAction* eyedropper = menu.addAction(QStringLiteral("吸色"));
    eyedropper->setObjectName(QStringLiteral("actionEyedropper"));
    eyedropper->setShortcut(Qt::Key_I);
    connect(eyedropper, &QAction::triggered, this, &ColourTools::armEyedropper);
    menu.addSeparator();
    addChoices<FillScope>(menu, this, kScopeChoices, [this](FillScope scope) {
        colouring::PressOptions options = this->options();
        options.scope = scope;
        setOptions(options);
    });
    addChoices<Symmetry>(menu, this, kSymmetryChoices, [this](Symmetry symmetry) {
        colouring::PressOptions options = this->options();
        options.symmetry = symmetry;
        setOptions(options);
    });
}

const colouring::PressOptions& ColourTools::options() const {
    return model_.pressOptions();
}

QRgb ColourTools::currentColour() const {
    return canvas::toPixel(options().current) | 0xFF000000u;
}

void ColourTools::setRule(ColourRule rule) {
    colouring::PressOptions options = this->options();
    options.rule = rule;
    setOptions(options);
    for (int choice = 0; choice < ruleActions_.size(); ++choice) {
        if (kRuleChoices[choice].value == rule) {
            ruleActions_[choice]->setChecked(true);
        }
    }
}

void ColourTools::setOptions(const colouring::PressOptions& options) {
    model_.setPressOptions(options);
}

void ColourTools::setCurrentColour(QRgb colour) {
    colour |= 0xFF000000u;
    colouring::PressOptions options = this->options();
    options.current = canvas::fromPixel(colour);
    setOptions(options);
    recent_.removeAll(colour);
    recent_.prepend(colour);
    if (recent_.size() > kRecentColours) {
        recent_.removeLast();
    }
    emit currentColourChanged(colour);
}

void ColourTools::pickColour(QRgb colour) {
    setCurrentColour(colour);
    // A harmony rule keeps its place: the picked colour is the base of its colours.
    if (options().rule == ColourRule::Random) {
        setRule(ColourRule::Chosen);
    }
}

void ColourTools::chooseColour() {
    if (const std::optional<QColor> chosen = colourDialog_(dialogParent_, currentColour())) {
        pickColour(chosen->rgb());
    }
}

void ColourTools::toggleLock(QRgb colour) {
    colour |= 0xFF000000u;
    if (!locked_.remove(colour)) {
        locked_.insert(colour);
    }
    emit locksChanged();
}

void ColourTools::replaceWithCurrent(QRgb colour) {
    const QRgb current = currentColour();
    model_.applyChange(colouring::ReplaceChange{colour | 0xFF000000u, current | 0xFF000000u});
}

bool ColourTools::takePress(QPoint pixel, Qt::KeyboardModifiers modifiers) {
    const bool altEyedropper =
        modifiers.testFlag(Qt::AltModifier) && options().rule == ColourRule::Chosen;
    if (!eyedropperArmed_ && !altEyedropper) {
        return false;
    }
    eyedropperArmed_ = false;
    const QImage& design = model_.canvas().imageRef();
    if (design.rect().contains(pixel)) {
        pickColour(design.pixel(pixel));
    }
    return true;
}

RecentColoursStrip::RecentColoursStrip(ColourTools& tools, QWidget* parent)
    : QWidget(parent), tools_(tools) {
    setObjectName(QStringLiteral("RecentColours"));
    setToolTip(QStringLiteral("当前颜色与最近用过的颜色；单击色块设为当前颜色"));
    connect(&tools, &ColourTools::currentColourChanged, this, qOverload<>(&QWidget::update));
}

QSize RecentColoursStrip::sizeHint() const {
    // The current colour twice as wide, then the recent ones.
    return {(ColourTools::kRecentColours + 2) * (kSwatch + kSwatchGap) + kSwatchGap,
            kSwatch + 2 * kSwatchGap};
}

std::optional<QRgb> RecentColoursStrip::colourAt(QPoint point) const {
    const int slot = point.x() / (kSwatch + kSwatchGap) - 2;
    if (slot < 0 || slot >= tools_.recentColours().size()) {
        return std::nullopt;
    }
    return tools_.recentColours().at(slot);
}

void RecentColoursStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect current(kSwatchGap, kSwatchGap, 2 * kSwatch, kSwatch);
    painter.fillRect(current, QColor(tools_.currentColour()));
    painter.drawRect(current.adjusted(0, 0, -1, -1));
    for (int slot = 0; slot < tools_.recentColours().size(); ++slot) {
        const QRect swatch((slot + 2) * (kSwatch + kSwatchGap) + kSwatchGap, kSwatchGap, kSwatch,
                           kSwatch);
        painter.fillRect(swatch, QColor(tools_.recentColours().at(slot)));
    }
}

void RecentColoursStrip::mousePressEvent(QMouseEvent* event) {
    if (const std::optional<QRgb> colour = colourAt(event->position().toPoint())) {
        tools_.pickColour(*colour);
    }
}

} // namespace app
