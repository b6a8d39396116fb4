#pragma once

#include <QList>

class QAction;
class QWidget;

namespace app {

// The design's own keys win over a text field or editable list of `window` that holds the focus
// while the user has not changed its text since it took the focus: then `designActions` (undo,
// redo, paste) act on the design. Once the user types, the field takes them for its own text; a
// paste goes to the field too while the clipboard holds text and no picture.
void giveDesignKeysPriority(QWidget& window, const QList<QAction*>& designActions);

// Esc closes `window`, as it closes a dialog.
void closeOnEscape(QWidget& window);

} // namespace app
