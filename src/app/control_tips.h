#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace patterns {
struct Figure;
}

namespace app {

// Gives every control of the window its tooltip: the catalogue buttons name their family and
// number within it and show the figure; the figure buttons their routine and parameters; every
// other control a line on what it does. The catalogue's pictures are drawn when first asked for.
void installControlTips(QWidget& form);

// The catalogue button's tooltip, with its figure as an embedded picture.
QString catalogueTip(const patterns::Figure& figure);
// The figure drawn by the pattern frame on a fresh design canvas, at twice the canvas's size.
QImage catalogueThumbnail(const patterns::Figure& figure);

} // namespace app
