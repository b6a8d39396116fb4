#pragma once

class QWidget;

namespace app {

// Gives every control of the window its tooltip: the catalogue buttons name their family and
// number within it and show the figure; the figure buttons their routine and parameters; every
// other control a line on what it does. The catalogue's pictures are drawn when first asked for.
void installControlTips(QWidget& form);

} // namespace app
