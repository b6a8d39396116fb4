#pragma once

class QWidget;

namespace app {

// What the window does while it starts, so that its first paint comes soon after exec.

// Asks whether accessibility is on, which starts the platform's accessibility bridge. The bridge
// connects to the session bus; with no bus running, that connection first tries to start one in a
// child process. The first control given a text would ask; asked right after the application is
// made, the child is forked from a small process, and fewer of the window's pages are left
// write-protected behind it.
void startAccessibilityBridge();

// Makes the window's native window and its backing store at the size showing it gives (the size
// hint, not taken as set by the user, as show() does) and hands the window system the requests at
// once. For a large window the window system takes a while to make its own picture of that size;
// meanwhile the backing store's pages are mapped and filled with the window's colour, so that
// neither waits for the other and the first paint writes to pages already there. Call just
// before show().
void prepareBackingStore(QWidget& window);

} // namespace app
