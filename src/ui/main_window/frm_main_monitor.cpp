// The session monitor's handlers: the meter does the metering, the window shows what it did in
// its boxes, the tray tip and the floating display, and has a finished session recorded.
#include "ui/main_window/frm_main.h"

#include "metering/money_text.h"
#include "platform/dialogs/dialogs.h"
#include "ui/alarm/alarm_window.h"
#include "ui/floating/frm_float.h"
#include "ui/main_window/timer_pause.h"

#include <QAction>
#include <QLineEdit>
#include <QScopeGuard>
#include <QStatusBar>
#include <QToolButton>

namespace dvx {

// While a call is metered the timer is off while the tick works and on again afterwards,
// whatever happens, so the next tick comes a second after this one ends (the end of a call
// records it, which may ask the user). A tick that only looks for a call leaves a running timer
// as it is: an idle program does nothing more than that look once a second.
void TfrmMain::DurationTimerTimer() {
    showCallLogNews(callLog_.tick());
    const bool pause = meter_.monitoring() && meter_.charging();
    if (pause)
        DurationTimer->stop();
    else if (meter_.monitoring() && !DurationTimer->isActive())
        DurationTimer->start();
    const auto startAgain = qScopeGuard([this, pause] {
        if (pause)
            DurationTimer->start();
    });
    showTickOutcome(meter_.tick(alarmWindowState()));
    updateMonitorNotice();
}

void TfrmMain::showTickOutcome(const TickOutcome& outcome) {
    if (outcome.started)
        showSessionStarted();
    if (outcome.updated) {
        showCall();
        callLog_.keepRunningCall();
        showAlarm(outcome.alarm);
    }
    if (outcome.ended)
        sessionEnded(*outcome.ended);
}

// A session ended here records what it had: one that is already over is never recorded twice.
void TfrmMain::SetCharging(bool on) {
    const auto pause = PauseTimer(*DurationTimer);
    if (on && !meter_.charging()) {
        meter_.startSession(SessionKind::automatic);
        showSessionStarted();
    } else if (!on) {
        if (const std::optional<FinishedSession> ended = meter_.endSession())
            sessionEnded(*ended);
    }
}

void TfrmMain::showSessionStarted() {
    showText(edtCurrentChargeRate, RateText(meter_.currentRate(), regional()));
    showStatus(QStringLiteral("Charging call..."));
    callLog_.keepRunningCall();
}

void TfrmMain::showCall() {
    const QString cost = MoneyText(meter_.sessionCharge(), regional());
    for (CallDisplay* display : callDisplays())
        display->showCall(meter_.sessionSeconds(), cost);
}

void TfrmMain::showNotConnected() {
    monitorNotice_ = MonitorNotice::other;
    for (CallDisplay* display : callDisplays())
        display->showNotConnected();
}

std::vector<CallDisplay*> TfrmMain::callDisplays() {
    std::vector<CallDisplay*> displays{&callBoxes_, &trayTip_};
    if (frmFloat != nullptr)
        displays.push_back(frmFloat);
    return displays;
}

void TfrmMain::showAlarm(const std::optional<RaisedAlarm>& alarm) {
    if (alarm && services_.alarmWindow != nullptr) {
        services_.alarmWindow->ShowAlarm(alarm->message);
        notifyAlarm(alarm->message);
    }
}

// Before the alarm window is made (a tick inside a box of the start-up) no alarm is used up, so
// the alarm shows at the first tick after.
AlarmWindowState TfrmMain::alarmWindowState() const {
    const TfrmAlarm* window = services_.alarmWindow;
    if (window == nullptr)
        return AlarmWindowState::notMade;
    return window->isShowing() ? AlarmWindowState::showing : AlarmWindowState::hidden;
}

// The Monitor! button is usable again however a manual session ends.
void TfrmMain::sessionEnded(const FinishedSession& session) {
    showNotConnected();
    const auto releaseMonitor = qScopeGuard([this, &session] {
        if (session.isManual())
            writes_.write(btnMonitor, [](QToolButton& button) { button.setEnabled(true); });
    });
    RecordSession(session);
}

void TfrmMain::SetMonitoring(bool on) {
    meter_.setMonitoring(on);
    mnuMonitor->setChecked(on);
    updateMonitorNotice();
}

void TfrmMain::btnManualStartClick() {
    if (meter_.charging()) {
        dialogs().error(
            QStringLiteral("You are currently charging a call.  Please stop this call first"));
        return;
    }
    writes_.write(btnMonitor, [](QToolButton& button) { button.setEnabled(false); });
    const auto pause = PauseTimer(*DurationTimer);
    meter_.startSession(SessionKind::manual);
    showSessionStarted();
}

// While the question is open the tick goes on and may end the session itself; a Yes then finds
// no session and only enables the Monitor! button.
void TfrmMain::btnManualStopClick() {
    if (!meter_.charging())
        return;
    if (!dialogs().confirm(QStringLiteral("Stop charging current call?")))
        return;
    SetCharging(false);
    writes_.write(btnMonitor, [](QToolButton& button) { button.setEnabled(true); });
}

} // namespace dvx
