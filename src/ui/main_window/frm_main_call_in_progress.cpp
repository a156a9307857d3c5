// A call left in the store by a process that ended during it: recorded at the next start as the
// session it was when last kept, in the totals and the log, with its proposed description
// (nobody was there to give another).
#include "ui/main_window/frm_main.h"

#include "metering/date_time_text.h"

#include <QScopedValueRollback>

namespace dvx {

void TfrmMain::recordUnfinishedCall() {
    const std::optional<FinishedSession> call = callLog_.takeLeftoverCall();
    if (!call)
        return;
    {
        const QScopedValueRollback noQuestion(settings_.PromptForDescription, false);
        RecordSession(*call);
    }
    showStatus(QStringLiteral("Recorded an unfinished call from ") +
               DateTimeText(call->start, regional()));
}

// The process is asked to end: the call is recorded up to this moment, without a question.
void TfrmMain::EndCallOnTermination() {
    if (!meter_.charging())
        return;
    meter_.updateSession(AlarmWindowState::notMade);
    const QScopedValueRollback noQuestion(settings_.PromptForDescription, false);
    SetCharging(false);
}

} // namespace dvx
