#pragma once

#include "ui/history/history_services.h"

class QAction;
class QWidget;

namespace dvx {

// The menu item "&History...": it opens the History window as a window of `owner`'s own, one at
// a time, which goes when it is closed; chosen while the window is open, it reads the session
// log again and brings the window to the front.
QAction* HistoryMenuItem(QWidget& owner, HistoryServices services);

} // namespace dvx
