#pragma once

#include "colouring/colour_reduction.h"

#include <QStringList>

class QWidget;

namespace app {

class MainWindow;

// What the studio around the window looked like when it last closed: the 调色板 dock's
// visibility and place, 实时效果图, 显示单元框, 实际尺寸, the repeat type, the colour source, the
// current and recent colours, the fill scope, the symmetry and the pen width of the drawing tools
// (not the tool: the studio starts with none). The window's own controls are not kept.
void keepStudioSettings(MainWindow& window);
// Brings that back without drawing anything: the live effect view waits for the next change.
void restoreStudioSettings(MainWindow& window);

// A dialog's choices: the user property (the value, the text, the checked state, the chosen
// entry) of its children of these names, kept under `group`. They come back in the order named,
// so a control that converts others (a unit) goes before them.
void keepDialogChoices(const QWidget& dialog, const QString& group, const QStringList& names);
void restoreDialogChoices(QWidget& dialog, const QString& group, const QStringList& names);
// The choice 减少颜色 was last accepted with (the defaults before that), and keeping a new one.
colouring::ColourReduction lastColourReduction();
void keepColourReduction(const colouring::ColourReduction& reduction);

} // namespace app
