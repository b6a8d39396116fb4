#pragma once

#include "colouring/colour_tools.h"

#include <QDockWidget>
#include <optional>

class QLabel;

namespace app {

class ColourTools;

// The design's colours as chips, largest area first, each with its share of the area, and the
// colour count. A click makes a chip the current colour, Ctrl+click locks or unlocks it, and its
// menu replaces it with the current colour or copies its value.
class PaletteDock : public QDockWidget {
    Q_OBJECT
  public:
    PaletteDock(const canvas::Surface& design, ColourTools& tools, QWidget* parent = nullptr);

    // Counts the design's colours again; while hidden it waits until it is shown.
    void refresh();
    const std::vector<colouring::PaletteEntry>& entries() const { return entries_; }
    int totalPixels() const { return totalPixels_; }
    // The chip's colour at a point of the chip area, if any.
    std::optional<QRgb> colourAt(QPoint point) const;
    QWidget* chipArea() const;
    static void copyColourValue(QRgb colour);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    class Chips;
    void chipPressed(QRgb colour, Qt::KeyboardModifiers modifiers);
    void chipMenu(QRgb colour, QPoint globalPosition);

    const canvas::Surface& design_;
    ColourTools& tools_;
    std::vector<colouring::PaletteEntry> entries_;
    QImage counted_; // the design as entries_ counted it
    int totalPixels_ = 0;
    bool stale_ = true;
    QLabel* count_ = nullptr;
    Chips* chips_ = nullptr;
};

} // namespace app
