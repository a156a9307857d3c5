// The window's own commands: back to the tray, opening the window, the about box and the exit.
#include "ui/main_window/frm_main.h"

#include "platform/dialogs/dialogs.h"
#include "ui/about/frm_about.h"
#include "ui/tray/cool_tray_icon.h"

#include <QLabel>
#include <QStatusBar>

namespace dvx {

void TfrmMain::btnMonitorClick() {
    if (!meter_.charging())
        showMonitoringForCall();
    FillSessionList();
    SetMonitoring(true);
    CoolTrayIcon->HideToTray();
}

// Opening the window switches monitor mode off: a running session is still timed, but the
// connection is no longer watched until Monitor! is pressed.
void TfrmMain::mnuShowStatisticsClick() {
    SetMonitoring(false);
    CoolTrayIcon->ShowFromTray();
}

void TfrmMain::CoolTrayIconDblClick() {
    SetFloatingDisplay(false);
    SetMonitoring(false);
    CoolTrayIcon->ShowFromTray();
}

void TfrmMain::mnuMonitorClick() {
    SetMonitoring(!meter_.monitoring());
}

// The tray menu's Exit is the menu bar's action: this name does what that item does.
void TfrmMain::mnuExitClick() {
    Exit1Click();
}

void TfrmMain::Exit1Click() {
    ExitProgram();
}

void TfrmMain::About1Click() {
    TfrmAbout about(this);
    about.setWindowTitle(QString());
    about.Label11->setText(QStringLiteral("Dorvantix v1.05"));
    about.Image->setPixmap(windowIcon().pixmap(32, 32));
    dialogs().showModal(about);
}

} // namespace dvx
