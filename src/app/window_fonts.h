#pragma once

#include <QString>
#include <thread>

namespace app {

// The families of the subsets of the CJK faces that the build cuts to the window's own texts
// (src/app/CMakeLists.txt names them the same).
inline const QString kWindowSerif = QStringLiteral("Pattern Workshop Serif");
inline const QString kWindowSans = QStringLiteral("Pattern Workshop Sans");

// Loads the system's font configuration (its files and caches) on a thread of its own, while the
// application connects to the window system; join it before the first font is asked for, or the
// configuration would be loaded twice. Call before the application is made.
std::jthread startLoadingFontConfiguration();

// Registers the subsets, small files in the program's resources, and makes the application's
// font (menus, tool bar, dialogs) take Chinese characters from the sans subset, then from the
// installed Simplified Chinese face: a character outside the subsets loads the installed face
// only when it is shown. Without the subsets (a build without fontTools) the installed faces
// serve everything. Call once, before the window is made.
void installWindowFonts();

} // namespace app
