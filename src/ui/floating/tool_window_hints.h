#pragma once

class QWidget;

namespace dvx {

// Tells an X11 window manager and task bar what Qt's window flags leave open about a small tool
// window without a frame: no task bar or pager entry, no decorations, and only moving (no
// minimising, maximising, closing or resizing) where the window manager reads that. Call it right
// before the window is shown: a window manager drops a withdrawn window's state. Off X11 it does
// nothing.
void MarkAsToolWindow(QWidget& window);

} // namespace dvx
