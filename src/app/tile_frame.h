#pragma once

#include <QWidget>
#include <functional>

namespace app {

// A thin dashed outline of one tile over a surface view's client area. It lies on the view as a
// child, so it is drawn on the screen only and never reaches the surface's image, and it is drawn
// again whenever the view is; it lets every mouse event through to the view.
class TileFrame : public QWidget {
    Q_OBJECT
  public:
    // tileSize gives the tile's size in client pixels each time the frame is drawn.
    TileFrame(std::function<QSize()> tileSize, QWidget* view);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    std::function<QSize()> tileSize_;
};

} // namespace app
