#pragma once

#include "colouring/colour_tools.h"

#include <QWidget>
#include <functional>

class QLabel;

namespace app {

class ColourTools;

// Six recolourings of the design in a 2 x 3 grid from the current colour source, keeping locked
// colours. 再来一组 (Space) draws six new ones; a click on one makes it the design; 导出方案图
// writes the sheet as PNG.
class ColourwaysWindow : public QWidget {
    Q_OBJECT
  public:
    // Asks for the PNG path to write the sheet to; an empty result means the user cancelled.
    using SheetPathDialog = std::function<QString(QWidget* parent)>;
    static constexpr int kWays = 6;

    ColourwaysWindow(const canvas::Surface& design, const ColourTools& tools,
                     canvas::RandomSource& random, const std::function<QString()>& title,
                     QWidget* parent = nullptr);

    void setSheetPathDialog(SheetPathDialog dialog) { sheetPathDialog_ = std::move(dialog); }
    const colouring::ColourwaySet& colourways() const { return set_; }
    // Draws six new colourways of the design as it is now.
    void drawAgain();
    void exportSheet();

  signals:
    void colourwayChosen(const colouring::Colourway& way);

  private:
    class Tile;

    const canvas::Surface& design_;
    const ColourTools& tools_;
    canvas::RandomSource& random_;
    std::function<QString()> title_;
    SheetPathDialog sheetPathDialog_;
    colouring::ColourwaySet set_;
    QList<Tile*> tiles_;
    QLabel* note_ = nullptr;
};

} // namespace app
