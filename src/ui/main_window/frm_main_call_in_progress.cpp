// The call in progress in the store: kept when it starts and at each new whole minute, gone
// when it is recorded or dropped by Exit, and recorded at the next start when the process
// ended during it without either.
#include "ui/main_window/frm_main.h"

#include "metering/date_time_text.h"
#include "metering/tariff.h"
#include "store/sessionlog/session_log_store.h"

#include <QScopedValueRollback>
#include <QStatusBar>

namespace dvx {

// Even a call that has just started is billed the minimum charge, so that is what it is kept at.
void TfrmMain::keepCallInProgress() {
    const std::int32_t seconds = meter_.sessionSeconds();
    const CallInProgress call{
        .start = meter_.sessionStart(),
        .seconds = seconds,
        .charge = SessionCharge(seconds, meter_.currentRate(), meter_.tariff().minimumCharge),
        .connectionName = meter_.connectionName(),
        .number = meter_.number()};
    const bool failed = services_.sessionLog.KeepCallInProgress(call, regional());
    keptMinute_ = failed ? std::nullopt : std::optional(seconds / 60);
}

// A keep that failed is tried again at the next tick.
void TfrmMain::keepCallEachMinute() {
    if (meter_.charging() && keptMinute_ != meter_.sessionSeconds() / 60)
        keepCallInProgress();
}

// Exit during a call records nothing of it, now or at the next start.
void TfrmMain::forgetRunningCall() {
    if (meter_.charging())
        services_.sessionLog.ForgetCallInProgressStartedAt(
            DateTimeText(meter_.sessionStart(), regional()), regional());
}

void TfrmMain::EndCallOnTermination() {
    if (!meter_.charging())
        return;
    meter_.updateSession(AlarmWindowState::notMade);
    const QScopedValueRollback noQuestion(settings_.PromptForDescription, false);
    SetCharging(false);
}

// The call is recorded as it was when last kept, ending that many seconds after its start, as
// a session that ended then: in the totals and the log, with its proposed description (nobody
// was there to give another). What cannot be read as a call is removed.
void TfrmMain::recordUnfinishedCall() {
    if (!services_.sessionLog.CallInProgressKept())
        return;
    const std::optional<CallInProgress> call = services_.sessionLog.ReadCallInProgress();
    if (!call) {
        services_.sessionLog.RemoveCallInProgress();
        return;
    }
    const FinishedSession session{.start = call->start,
                                  .stop = call->start + call->seconds / kSecondsPerDay,
                                  .seconds = call->seconds,
                                  .charge = call->charge,
                                  .connectionName = call->connectionName,
                                  .number = call->number};
    {
        const QScopedValueRollback noQuestion(settings_.PromptForDescription, false);
        RecordSession(session);
    }
    showStatus(QStringLiteral("Recorded an unfinished call from ") +
               DateTimeText(call->start, regional()));
}

} // namespace dvx
