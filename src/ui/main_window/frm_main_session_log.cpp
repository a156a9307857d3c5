// The session log: recording a finished session, the session list and its totals, the reset.
#include "ui/main_window/frm_main.h"

#include "metering/date_time_text.h"
#include "metering/money_text.h"
#include "metering/seconds_sum.h"
#include "metering/session_list_model.h"
#include "platform/clock/clock.h"
#include "platform/dialogs/dialogs.h"
#include "store/sessionlog/log_totals.h"
#include "store/sessionlog/pending_sessions.h"
#include "store/sessionlog/session_records.h"
#include "store/settings/last_reset_date.h"

#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>

namespace dvx {

// The store side of a session's end: the totals grow and show, the totals and the record are
// written in one change of the store, then the record gets its description and the session
// shows in the list. The description box may be open while the record already holds everything
// else. A session the store cannot take now waits and is written at a later tick.
void TfrmMain::RecordSession(const FinishedSession& session) {
    meter_.addToTotals(session);
    edtTotalCallTime->setText(DurationText(meter_.totalSeconds()));
    edtTotalCost->setText(MoneyText(meter_.totalCharges(), regional()));
    const std::uint64_t ticket =
        pendingSessions_.add({.callTime = session.seconds,
                              .sessionStart = DateTimeText(session.start, regional()),
                              .sessionStop = DateTimeText(session.stop, regional()),
                              .callCharges = MoneyText(session.charge, regional()),
                              .connectionName = session.connectionName,
                              .number = session.number,
                              .description = {}},
                             meter_.totalSeconds(), meter_.totalCharges());
    savePendingSessions();
    pendingSessions_.describe(ticket, sessionDescription(session));
    savePendingSessions();
    FillSessionList();
}

// A manual session proposes its connection name, a detected one the default description; the
// user may be asked, and cancelling keeps the proposal.
QString TfrmMain::sessionDescription(const FinishedSession& session) {
    const QString proposed =
        session.isManual() ? session.connectionName : settings_.DefaultDescription;
    if (!settings_.PromptForDescription)
        return proposed;
    return dialogs()
        .inputBox(QStringLiteral("Dorvantix - Session Close"),
                  QStringLiteral("Please enter a description for this session"), proposed)
        .value_or(proposed);
}

// One row per stored record, in the order the records were made, and the sums of the listed
// records in the totals boxes. A record whose charge cannot be read stops the filling there:
// its row shows without its cost.
void TfrmMain::FillSessionList() {
    ListedSessions rows;
    std::int32_t seconds = 0;
    Currency charges;
    const auto showRows =
        qScopeGuard([this, &rows] { sessionList_->setSessions(std::move(rows)); });
    const QList<SessionRecord> records = ReadSessionRecords();
    rows.reserve(records.size());
    for (const SessionRecord& record : records) {
        StoredSession row{record.sessionStart, record.description, {}, {}};
        // A row that stops at its duration or cost is listed as far as it came.
        const auto listRow = qScopeGuard([&rows, &row] { rows.append(std::move(row)); });
        seconds = AddSeconds(seconds, record.callTime);
        row.seconds = record.callTime;
        charges += ParseMoneyText(record.callCharges, regional());
        row.cost = record.callCharges;
    }
    edtTotalCallTime->setText(DurationText(seconds));
    edtTotalCost->setText(MoneyText(charges, regional()));
    lblLogname->setText(QStringLiteral("Current Log - From ") + meter_.lastResetDate());
    lblLogname->adjustSize();
}

// Asks first; on Yes the totals, the reset date and every record start again.
void TfrmMain::BtnResetTotalsClick() {
    if (!dialogs().confirm(QStringLiteral("Reset current log (this is irreversable)?")))
        return;
    const QString now = DateTimeText(clock().now(), regional());
    meter_.resetTotals(now);
    edtTotalCallTime->setText(DurationText(0));
    edtTotalCost->setText(MoneyText(Currency(), regional()));
    WriteLogTotals(0, Currency(), regional());
    WriteLastResetDate(now);
    lblLastResetDate->setText(TotalsSinceText(now));
    DeleteSessionRecords();
    FillSessionList();
}

void TfrmMain::tabStatisticsShow() {
    FillSessionList();
}

} // namespace dvx
