#include "stroke_tools.h"

#include "design/design_model.h"

#include <QActionGroup>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QToolBar>
#include <algorithm>
#include <cmath>
#include <utility>

namespace app {
namespace {

using colouring::StrokeKind;

struct ToolButton {
    StrokeKind kind;
    const char* name;
    const char* text;
    const char* tip;
};

constexpr ToolButton kToolButtons[] = {
    {StrokeKind::Pen, "actionStrokePen", "画笔", "画笔：按住拖动，用当前颜色随手画线"},
    {StrokeKind::Line, "actionStrokeLine", "直线",
     "直线：从按下处拖到松开处；按住 Shift 取 45° 的倍数"},
    {StrokeKind::Rectangle, "actionStrokeRectangle", "矩形",
     "矩形：拖出矩形的边框；按住 Shift 画正方形"},
    {StrokeKind::Ellipse, "actionStrokeEllipse", "椭圆", "椭圆：拖出椭圆的边框；按住 Shift 画圆"},
    {StrokeKind::Eraser, "actionStrokeEraser", "橡皮", "橡皮：按住拖动，用图案的底色擦去"},
};

const QString kToolTipEnd = QStringLiteral("\n再点一下放下工具，单击又给区域上色");

} // namespace

StrokeTools::StrokeTools(design::DesignModel& model, PressTaker takePress, QObject* parent)
    : QObject(parent), model_(model), takePress_(std::move(takePress)) {}

void StrokeTools::setTool(std::optional<StrokeKind> tool) {
    if (tool != tool_) {
        tool_ = tool;
        emit toolChanged();
    }
}

void StrokeTools::setWidth(int width) {
    width = std::clamp(width, 1, colouring::kMostStrokeWidth);
    if (width != width_) {
        width_ = width;
        emit widthChanged();
    }
}

QToolBar* StrokeTools::makeToolBar(QWidget* parent) {
    auto* bar = new QToolBar(QStringLiteral("画图工具"), parent);
    bar->setObjectName(QStringLiteral("strokeToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* group = new QActionGroup(bar);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const ToolButton& button : kToolButtons) {
        QAction* action = bar->addAction(QString::fromUtf8(button.text));
        action->setObjectName(QString::fromLatin1(button.name));
        action->setCheckable(true);
        action->setToolTip(QString::fromUtf8(button.tip) + kToolTipEnd);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, action, kind = button.kind] {
            setTool(action->isChecked() ? std::optional(kind) : std::nullopt);
        });
    }
    const auto showTool = [this, group] {
        const QList<QAction*> actions = group->actions();
        for (qsizetype i = 0; i < actions.size(); ++i) {
            actions[i]->setChecked(tool_ == kToolButtons[i].kind);
        }
    };
    showTool();
    connect(this, &StrokeTools::toolChanged, bar, showTool);

    bar->addSeparator();
    auto* width = new QSpinBox(bar);
    width->setObjectName(QStringLiteral("strokeWidth"));
    width->setRange(1, colouring::kMostStrokeWidth);
    width->setValue(width_);
    width->setSuffix(QStringLiteral(" 像素"));
    width->setToolTip(QStringLiteral("画笔、直线、矩形、椭圆和橡皮的宽度，以图案像素计"));
    auto* label = new QLabel(QStringLiteral("笔宽"), bar);
    label->setToolTip(width->toolTip());
    bar->addWidget(label);
    bar->addWidget(width);
    connect(width, &QSpinBox::valueChanged, this, &StrokeTools::setWidth);
    connect(this, &StrokeTools::widthChanged, width, [this, width] { width->setValue(width_); });
    return bar;
}

void StrokeTools::watch(QWidget* view, DesignPoint designPoint) {
    views_.insert(view, std::move(designPoint));
    view->installEventFilter(this);
    connect(view, &QObject::destroyed, this, [this, view] { views_.remove(view); });
}

bool StrokeTools::eventFilter(QObject* watched, QEvent* event) {
    const auto view = views_.constFind(watched);
    const QEvent::Type type = event->type();
    if (view == views_.cend() || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
                                  type != QEvent::MouseButtonRelease)) {
        return QObject::eventFilter(watched, event);
    }
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    const QPointF point = view.value()(mouse->position());
    if (type == QEvent::MouseButtonPress) {
        if (!tool_) {
            return false;
        }
        const QPoint pixel(int(std::floor(point.x() + 0.5)), int(std::floor(point.y() + 0.5)));
        if (mouse->button() == Qt::LeftButton && !takePress_(pixel, mouse->modifiers())) {
            dragged_ = colouring::beginStroke(*tool_, point, width_, model_.pressOptions().current);
            model_.previewStroke(*dragged_);
        }
        return true;
    }
    if (!dragged_) {
        return false;
    }
    colouring::dragStroke(*dragged_, point, mouse->modifiers().testFlag(Qt::ShiftModifier));
    if (type == QEvent::MouseMove) {
        model_.previewStroke(*dragged_);
        return false;
    }
    if (mouse->button() == Qt::LeftButton) {
        model_.drawStroke(*std::exchange(dragged_, std::nullopt));
    }
    return true;
}

} // namespace app
