// The alarm check of every tick that times a session.
#include "ui/main_window/frm_main.h"

#include "metering/alarms/alarm_check.h"
#include "ui/alarm/alarm_window.h"

namespace dvx {

// Compares the session and the totals with the four limits. The first alarm reached is shown
// unless the alarm window already shows one; every alarm reached is used up for this session.
// Before the alarm window exists (a tick inside a box of the start-up) nothing is used up, so
// the alarm shows at the first tick after.
void TfrmMain::CheckAlarms() {
    if (frmAlarm == nullptr)
        return;
    const AlarmLimits limits{SessionTimeAlarm, SessionCostAlarm, TotalTimeAlarm, TotalCostAlarm};
    const AlarmsArmed armed{SessionCostArmed, SessionTimeArmed, TotalCostArmed, TotalTimeArmed};
    const MeteredAmounts amounts{SessionSeconds, SessionCharge, TotalSeconds, TotalCharges,
                                 LastResetDate};
    const AlarmCheckResult result =
        CheckAlarmLimits(limits, armed, amounts, frmAlarm->isShowing(), regional());
    if (result.toShow)
        frmAlarm->ShowAlarm(result.toShow->message);
    SessionCostArmed = result.armed.sessionCost;
    SessionTimeArmed = result.armed.sessionTime;
    TotalCostArmed = result.armed.totalCost;
    TotalTimeArmed = result.armed.totalTime;
}

} // namespace dvx
