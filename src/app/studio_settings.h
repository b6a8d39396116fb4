#pragma once

namespace app {

class MainWindow;

// What the studio around the window looked like when it last closed: the 调色板 dock's
// visibility and place, 实时效果图, 显示单元框, the repeat type, the colour source, the current and
// recent colours, the fill scope, the symmetry and the pen width of the drawing tools (not the
// tool: the studio starts with none). The window's own controls are not kept.
void keepStudioSettings(MainWindow& window);
// Brings that back without drawing anything: the live effect view waits for the next change.
void restoreStudioSettings(MainWindow& window);

} // namespace app
