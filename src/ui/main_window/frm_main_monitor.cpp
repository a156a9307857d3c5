// The session monitor: the one-second tick, the start and end of a session, and the session's
// time and charge shown in the window, the tray tip and the floating display.
#include "ui/main_window/frm_main.h"

#include "metering/call_texts.h"
#include "metering/money_text.h"
#include "platform/clock/clock.h"
#include "platform/connection/connection_state.h"
#include "platform/dialogs/dialogs.h"
#include "ui/floating/frm_float.h"
#include "ui/main_window/scope_exit.h"
#include "ui/tray/cool_tray_icon.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>

namespace dvx {

namespace {

const QString kManualConnection = QStringLiteral("Manual Connection");

} // namespace

// In monitor mode the tick asks for the connection: a modem connection starts or updates a
// session, no connection ends it, and a connection without a modem freezes it. Out of monitor
// mode a running session is only updated. The timer is off while the tick works and on again
// afterwards, whatever happens.
void TfrmMain::DurationTimerTimer() {
    if (!Monitoring) {
        if (Charging)
            UpdateSession();
        return;
    }
    TimerPause pause(*DurationTimer);
    const ConnectionState state = services_.connection.query();
    if (state.connected) {
        if (state.viaModem) {
            if (!Charging)
                SetCharging(true);
            UpdateSession();
        }
    } else if (Charging) {
        SetCharging(false);
    }
}

// The session's seconds are counted from its start instant, never added up, so a late or
// skipped tick loses nothing.
void TfrmMain::UpdateSession() {
    SessionSeconds = WholeSecondsBetween(SessionStartInstantMs, clock().instantMs());
    UpdateSessionCharge();
    const QString cost = MoneyText(SessionCharge, regional());
    CoolTrayIcon->setHint(CallHintText(SessionSeconds, cost));
    frmFloat->lblTime->setText(CallTimeText(SessionSeconds));
    frmFloat->lblCost->setText(CallCostText(cost));
    edtSessionCallTime->setText(DurationText(SessionSeconds));
    edtSessionCost->setText(cost);
    CheckAlarms();
}

// The session takes its new state even when a step of its end fails, so that a session whose
// recording failed is never recorded a second time by the next tick.
void TfrmMain::SetCharging(bool on) {
    TimerPause pause(*DurationTimer);
    ScopeExit settle([this, on] { Charging = on; });
    if (on && !Charging)
        startSession();
    else if (!on && Charging)
        endSession();
}

void TfrmMain::startSession() {
    SelectChargeRate();
    SessionStart = clock().now();
    SessionStartInstantMs = clock().instantMs();
    SB->showMessage(QStringLiteral("Charging call..."));
    SessionCostArmed = SessionTimeArmed = TotalCostArmed = TotalTimeArmed = true;
    ConnectionName = QStringLiteral("Automatic Connection");
}

void TfrmMain::endSession() {
    SessionCostArmed = SessionTimeArmed = TotalCostArmed = TotalTimeArmed = false;
    SessionStop = clock().now();
    CoolTrayIcon->setHint(kNotConnectedHint);
    SB->showMessage(QStringLiteral("Not Connected"));
    showFloatingNotConnected();
    ScopeExit releaseMonitor([this] {
        if (ConnectionName == kManualConnection)
            btnMonitor->setEnabled(true);
    });
    RecordSession();
}

void TfrmMain::showFloatingNotConnected() {
    frmFloat->lblTime->setText(QStringLiteral("Not Connected"));
    frmFloat->lblCost->clear();
}

void TfrmMain::SetMonitoring(bool on) {
    Monitoring = on;
    mnuMonitor->setChecked(on);
}

void TfrmMain::btnManualStartClick() {
    if (Charging) {
        dialogs().error(
            QStringLiteral("You are currently charging a call.  Please stop this call first"));
        return;
    }
    Number.clear();
    btnMonitor->setEnabled(false);
    SetCharging(true);
    ConnectionName = kManualConnection;
}

// While the question is open the tick goes on and may end the session itself; a Yes then finds
// no session and only enables the Monitor! button.
void TfrmMain::btnManualStopClick() {
    if (!Charging)
        return;
    if (!dialogs().confirm(QStringLiteral("Stop charging current call?")))
        return;
    SetCharging(false);
    btnMonitor->setEnabled(true);
}

} // namespace dvx
