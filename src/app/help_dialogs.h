#pragma once

#include <QString>

namespace app {

// The how-to: the three steps, the pads and the shortcuts (rich text).
QString helpText();
// Name, version, the maker's address, the Qt version and the licences of what the program uses.
QString aboutText();

} // namespace app
