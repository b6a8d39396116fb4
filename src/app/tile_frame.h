#pragma once

#include "tiling/tiling.h"

#include <QIcon>
#include <QImage>
#include <QPolygonF>
#include <QWidget>
#include <functional>

namespace app {

// A thin dashed outline over a surface view's client area: one tile on the effect view, the part
// of the design a repeat uses on the design view. It lies on the view as a child, so it is drawn
// on the screen only and never reaches the surface's image, and it is drawn again whenever the
// view is; it lets every mouse event through to the view.
class TileFrame : public QWidget {
    Q_OBJECT
  public:
    // outline gives the polygon in client pixels (pixel centres) each time the frame is drawn;
    // an empty one draws nothing.
    TileFrame(std::function<QPolygonF()> outline, QWidget* view);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    std::function<QPolygonF()> outline_;
};

// A small picture of a repeat: an F, which no symmetry keeps, repeated as the repeat lays it out.
QIcon repeatIcon(tiling::Repeat repeat);
// The outlines of marked design pixels wherever the effect view shows them (检查接缝), over the
// view's client area like a TileFrame: on the screen only, mouse events going through.
class SeamOutline : public QWidget {
    Q_OBJECT
  public:
    // `layout` gives the tile size and repeat the view was drawn with each time the outline is.
    SeamOutline(std::function<std::pair<QSize, tiling::Repeat>()> layout, QWidget* view);
    // The marked design pixels: the white ones of a black-and-white image of the design's size; a
    // null image marks none.
    void setMarked(const QImage& marked);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    std::function<std::pair<QSize, tiling::Repeat>()> layout_;
    QImage marked_;
};

} // namespace app
