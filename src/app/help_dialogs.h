#pragma once

#include <QString>

class QMenuBar;

namespace app {

// The how-to (rich text): the three steps, the pads, the studio's tools, and a table of the
// shortcuts of every action in `menus`, in their order.
QString helpText(const QMenuBar& menus);
// Name, version, the maker's address, the Qt version and the licences of what the program uses.
QString aboutText();

} // namespace app
