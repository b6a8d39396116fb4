#pragma once

#include "canvas/surface.h"

#include <QTimer>
#include <QWidget>

namespace app {

// Shows one picture surface: its 2-pixel sunken border and its persistent image, pixel for pixel
// (scaled without smoothing on high-density screens). Presses are reported in the surface's own
// units. The view draws nothing of its own into the surface.
class SurfaceView : public QWidget {
    Q_OBJECT
  public:
    SurfaceView(canvas::Surface& surface, const QString& name, QWidget* parent);
    ~SurfaceView() override;

    canvas::Surface& surface() const { return surface_; }

  signals:
    // Client-area position in the surface's units, with the button that was pressed.
    void pressed(float x, float y, Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void followSurface();

    canvas::Surface& surface_;
    // A change repaints at once; further changes within one frame repaint once at its end, so a
    // stream of dots costs one repaint per frame, not one per dot.
    QTimer frame_;
    bool changedDuringFrame_ = false;
};

} // namespace app
