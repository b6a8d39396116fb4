#pragma once

#include "canvas/surface.h"

#include <QWidget>

class QHBoxLayout;
class QScrollArea;
class QSpinBox;

namespace app {

class ZoomCanvas;

// The design canvas shown large, so its small cells are easy to hit: every design pixel as a
// square of 2 to 8 screen pixels, with a faint pixel grid from 6 on. The window only shows the
// design and reports presses in design pixels; the main window does the colouring (and the
// drawing, watching designView()) and calls refresh() after every change of the design.
class ZoomWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kMinimumZoom = 2;
    static constexpr int kMaximumZoom = 8;
    static constexpr int kDefaultZoom = 4;
    static constexpr int kFirstZoomWithGrid = 6;

    explicit ZoomWindow(const canvas::Surface& design, QWidget* parent = nullptr);

    int zoom() const;
    void setZoom(int zoom);
    // The enlarged design, and where a position on it lies in design units (a pixel's centre at
    // whole numbers).
    QWidget* designView() const;
    QPointF designPoint(QPointF viewPosition) const;
    // A tool bar shown beside the zoom choice.
    void addToolBar(QWidget* bar);
    // Repaints from the design canvas, following a change of its size too.
    void refresh();

  signals:
    // A press on design pixel (x, y); presses beside the design are not reported.
    void designPixelPressed(int x, int y, Qt::KeyboardModifiers modifiers);
    // The pointer moved over design pixel (x, y).
    void pointerOverPixel(int x, int y);

  private:
    void fitToCanvas(QScrollArea* scroller);

    QSpinBox* zoomChoice_ = nullptr;
    QHBoxLayout* choiceRow_ = nullptr;
    ZoomCanvas* canvas_ = nullptr;
};

} // namespace app
