#pragma once

#include "colouring/strokes.h"

#include <QHash>
#include <QObject>
#include <QPoint>
#include <functional>
#include <optional>

class QToolBar;
class QWidget;

namespace design {
class DesignModel;
}

namespace app {

// The design's drawing tools: 画笔, 直线, 矩形, 椭圆, 橡皮 or none, and the pen's width in design
// pixels. With no tool (the start) a press colours as ever; with one, a drag on a watched view
// draws a stroke in the current colour, shown as it goes and kept as one undo step when the
// button is let go. Every tool bar made here shows the same choice.
class StrokeTools : public QObject {
    Q_OBJECT
  public:
    // Takes a press at a design pixel before anything is drawn (the eyedropper): true when taken.
    using PressTaker = std::function<bool(QPoint pixel, Qt::KeyboardModifiers modifiers)>;
    // Where a position on a view lies in design units.
    using DesignPoint = std::function<QPointF(QPointF position)>;

    StrokeTools(design::DesignModel& model, PressTaker takePress, QObject* parent = nullptr);

    std::optional<colouring::StrokeKind> tool() const { return tool_; }
    void setTool(std::optional<colouring::StrokeKind> tool);
    int width() const { return width_; }
    // Widths outside 1..colouring::kMostStrokeWidth are taken as the nearest one.
    void setWidth(int width);

    // A tool bar of the tools and the width, in step with every other one.
    QToolBar* makeToolBar(QWidget* parent);
    // Drags on `view` draw strokes while a tool is chosen.
    void watch(QWidget* view, DesignPoint designPoint);

  signals:
    void toolChanged();
    void widthChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    design::DesignModel& model_;
    PressTaker takePress_;
    std::optional<colouring::StrokeKind> tool_;
    int width_ = colouring::kDefaultStrokeWidth;
    QHash<QObject*, DesignPoint> views_;
    std::optional<colouring::StrokeChange> dragged_;
};

} // namespace app
