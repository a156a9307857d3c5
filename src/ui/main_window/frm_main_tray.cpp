// The tray icon component: created with the window, before the start-up runs, with the tray menu
// on its right button and the double click reported to the window; while an alarm is up, the
// icon asks for attention. Without a tray the window is the program's only face: it is shown,
// and closing it never hides it where no one can find it.
#include "ui/main_window/frm_main.h"

#include "ui/alarm/alarm_window.h"
#include "ui/floating/frm_float.h"
#include "ui/tray/cool_tray_icon.h"
#include "ui/tray/desktop_tray_host.h"

#include <QCloseEvent>
#include <QToolButton>

namespace dvx {

void TfrmMain::buildTray() {
    CoolTrayIcon = new TCoolTrayIcon(this, trayHost());
    CoolTrayIcon->setObjectName(QStringLiteral("CoolTrayIcon"));
    CoolTrayIcon->setPopupMenu(PopupMenu);
    CoolTrayIcon->MinimizeToTray = true;
    connect(CoolTrayIcon, &TCoolTrayIcon::OnDblClick, this,
            [this] { runGuarded([this] { CoolTrayIconDblClick(); }); });
    connect(CoolTrayIcon, &TCoolTrayIcon::trayMissing, this,
            [this] { runGuarded([this] { CoolTrayIconTrayMissing(); }); });
    connect(this, &TfrmMain::programEnding, this, [this] { ending_ = true; });
    if (services_.alarmWindow != nullptr)
        connect(services_.alarmWindow, &TfrmAlarm::showingChanged, CoolTrayIcon,
                &TCoolTrayIcon::setNeedsAttention);
}

// The tray the icon goes on, looked at right before the icon is made.
TrayHost& TfrmMain::trayHost() {
    if (services_.trayHost == nullptr)
        services_.trayHost = new DesktopTrayHost(this);
    return *services_.trayHost;
}

// No tray appeared at start: the window shows, monitor mode stays as it is.
void TfrmMain::CoolTrayIconTrayMissing() {
    CoolTrayIcon->ShowFromTray();
}

// The window manager's close (close button, Alt+F4) is the way back into the tray, as
// "Monitor!" is: a window hidden with monitor mode off would let the next call go unmetered.
// While a call timed by hand runs, "Monitor!" is off and the window only goes into the tray.
void TfrmMain::FormClose() {
    // Monitor! is off only during a call started by hand, which the window's controls started.
    if (btnMonitor == nullptr || btnMonitor->isEnabled())
        btnMonitorClick();
    else
        CoolTrayIcon->HideToTray();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (ending_ || destroyed_) {
        event->accept();
        return;
    }
    event->ignore();
    runGuarded([this] { FormClose(); });
}

} // namespace dvx
