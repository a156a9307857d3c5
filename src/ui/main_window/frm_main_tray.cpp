// The tray icon component: created with the window, before the start-up runs, with the tray menu
// on its right button and the double click reported to the window.
#include "ui/main_window/frm_main.h"

#include "ui/floating/frm_float.h"
#include "ui/tray/cool_tray_icon.h"

namespace dvx {

void TfrmMain::buildTray() {
    CoolTrayIcon = new TCoolTrayIcon(this);
    CoolTrayIcon->setObjectName(QStringLiteral("CoolTrayIcon"));
    CoolTrayIcon->setPopupMenu(PopupMenu);
    CoolTrayIcon->MinimizeToTray = true;
    connect(CoolTrayIcon, &TCoolTrayIcon::OnDblClick, this,
            [this] { runGuarded([this] { CoolTrayIconDblClick(); }); });
}

} // namespace dvx
