// The running call kept in the hive while it runs, dropped when the user ends the program
// during it, and recorded at the next start when the program ended otherwise.
#include "calllog/call_log.h"

#include "metering/date_time_text.h"
#include "metering/meter/session_meter.h"
#include "store/sessionlog/session_log_store.h"

#include <algorithm>

namespace dvx {

void CallLog::keepRunningCall() {
    if (!meter_.charging() || !storeUsable_ || ticksToNextTry_ > 0)
        return;
    const FinishedSession call = meter_.sessionSoFar();
    const std::pair<DateTime, std::int32_t> step{call.start, call.seconds / kKeepEverySeconds};
    if (kept_ == step || !call.priced)
        return;
    const StoreResult kept = store_.KeepCallInProgress({.start = call.start,
                                                        .seconds = call.seconds,
                                                        .charge = call.charge,
                                                        .connectionName = call.connectionName,
                                                        .number = call.number},
                                                       regional_);
    if (kept.ok()) {
        kept_ = step;
        return;
    }
    kept_.reset();
    if (!kept.busy())
        ticksToNextTry_ = kRetryTicks;
}

void CallLog::dropRunningCall() {
    if (!meter_.charging())
        return;
    const DateTime start = meter_.sessionStart();
    if (storeUsable_ &&
        store_.DropCallInProgressStartedAt(DateTimeText(start, regional_), regional_).ok())
        return;
    waiting_.droppedCallStarts.append(start);
    fileDirty_ = true;
    sync();
}

std::optional<FinishedSession> CallLog::takeLeftoverCall() {
    if (!storeUsable_)
        return std::nullopt;
    if (!store_.CallInProgressKept()) {
        if (!waiting_.droppedCallStarts.isEmpty()) {
            waiting_.droppedCallStarts.clear();
            fileDirty_ = true;
            sync();
        }
        return std::nullopt;
    }
    const std::optional<CallInProgress> call = store_.ReadCallInProgress();
    if (!call) {
        store_.RemoveCallInProgress();
        return std::nullopt;
    }
    if (waiting_.droppedCallStarts.contains(call->start)) {
        const QString startText = DateTimeText(call->start, regional_);
        if (store_.DropCallInProgressStartedAt(startText, regional_).ok()) {
            waiting_.droppedCallStarts.removeAll(call->start);
            fileDirty_ = true;
            sync();
        }
        return std::nullopt;
    }
    // Its record waits already; landing it removes the kept call.
    if (std::any_of(waiting_.calls.begin(), waiting_.calls.end(), [&](const WaitingCall& waiting) {
            return waiting.session.start == call->start;
        }))
        return std::nullopt;
    return FinishedSession{.start = call->start,
                           .stop = call->start + call->seconds / kSecondsPerDay,
                           .seconds = call->seconds,
                           .charge = call->charge,
                           .connectionName = call->connectionName,
                           .number = call->number};
}

} // namespace dvx
