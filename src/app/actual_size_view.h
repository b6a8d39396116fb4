#pragma once

#include "tiling/tiling.h"

#include <QWidget>
#include <functional>

namespace canvas {
class Surface;
}

namespace app {

// 视图 ▸ 实际尺寸: over a surface view's client area, the design repeated with its tile as long on
// the screen as the last print export's tile is on paper (its physical size at the screen's
// physical dots per inch), with rulers in centimetres along the top and left edges, measured
// from the corner where the repeat starts. It shows the design as it is now, and a press
// reports the design pixel it shows.
class ActualSizeView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kRulerPixels = 18;

    ActualSizeView(const canvas::Surface& design, std::function<tiling::Repeat()> repeat,
                   QWidget* view);

    // The screen's physical dots per inch; the screen's own unless handed in.
    void setScreenDotsPerInch(std::function<double()> dotsPerInch);
    // The side of one tile on the screen, in pixels.
    int tilePixels() const;

  signals:
    void designPixelPressed(QPoint pixel);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QRect clientRect() const;
    // The design pixel shown at a client-area pixel.
    QPoint designPixelAt(QPoint shown, int tileSide) const;
    void drawRulers(QPainter& painter, double pixelsPerCentimetre) const;

    const canvas::Surface& design_;
    std::function<tiling::Repeat()> repeat_;
    std::function<double()> screenDotsPerInch_;
};

} // namespace app
