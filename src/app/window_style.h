#pragma once

#include <QProxyStyle>

namespace app {

// The window's look: Fusion, pixel for pixel. A main window's tool bar along the top draws its
// edge lines as one-pixel rectangles: drawn as lines, every pixel of a long edge is a run of its
// own, and the raster engine hands that many runs to a pool of threads, which the first paint
// would otherwise start (costing the start-up several milliseconds). Where a pixel is not a
// device pixel, or the bar sits elsewhere, Fusion draws it.
class WindowStyle : public QProxyStyle {
    Q_OBJECT
  public:
    WindowStyle();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

} // namespace app
