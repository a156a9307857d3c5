// The session log: recording a finished session, the session list and its totals, the reset.
#include "ui/main_window/frm_main.h"
#include "ui/main_window/session_list_rows.h"

#include "metering/date_time_text.h"
#include "metering/money_text.h"
#include "platform/clock/clock.h"
#include "platform/dialogs/dialogs.h"
#include "store/sessionlog/finished_session.h"
#include "store/sessionlog/log_totals.h"
#include "store/sessionlog/session_records.h"
#include "store/settings/last_reset_date.h"

#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

namespace dvx {

namespace {

const QString kManualConnection = QStringLiteral("Manual Connection");

} // namespace

// The store side of a session's end: the totals grow and are written through, the session
// becomes a record, gets its description and shows in the list. The description box may be
// open while the record already holds everything else.
void TfrmMain::RecordSession() {
    TotalSeconds = AddSeconds(TotalSeconds, SessionSeconds);
    TotalCharges += SessionCharge;
    edtTotalCallTime->setText(DurationText(TotalSeconds));
    edtTotalCost->setText(MoneyText(TotalCharges, regional()));
    const QString recordKey =
        RecordWholeSession({.callTime = SessionSeconds,
                            .sessionStart = DateTimeText(SessionStart, regional()),
                            .sessionStop = DateTimeText(SessionStop, regional()),
                            .callCharges = MoneyText(SessionCharge, regional()),
                            .connectionName = ConnectionName,
                            .number = Number,
                            .description = {}},
                           TotalSeconds, TotalCharges, regional());
    WriteSessionDescription(recordKey, sessionDescription());
    SessionSeconds = 0;
    SetSessionCharge(Currency());
    FillSessionList();
}

// A manual session proposes its connection name, a detected one the default description; the
// user may be asked, and cancelling keeps the proposal.
QString TfrmMain::sessionDescription() {
    const QString proposed =
        ConnectionName == kManualConnection ? ConnectionName : DefaultDescription;
    if (!PromptForDescription)
        return proposed;
    return dialogs()
        .inputBox(QStringLiteral("Dorvantix - Session Close"),
                  QStringLiteral("Please enter a description for this session"), proposed)
        .value_or(proposed);
}

// One row per stored record, in the order the records were made, and the sums of the listed
// records in the totals boxes. A record whose charge cannot be read stops the filling there.
void TfrmMain::FillSessionList() {
    LVSessions->clear();
    std::int32_t seconds = 0;
    Currency charges;
    for (const QString& name : SessionRecordNames()) {
        const SessionRecord record = ReadSessionRecord(name);
        auto* row = new QTreeWidgetItem(LVSessions);
        row->setText(dateColumn, record.sessionStart);
        row->setText(descriptionColumn, record.description);
        seconds = AddSeconds(seconds, record.callTime);
        row->setText(durationColumn, DurationText(record.callTime));
        charges += ParseMoneyText(record.callCharges, regional());
        row->setText(costColumn, record.callCharges);
    }
    edtTotalCallTime->setText(DurationText(seconds));
    edtTotalCost->setText(MoneyText(charges, regional()));
    lblLogname->setText(QStringLiteral("Current Log - From ") + LastResetDate);
    lblLogname->adjustSize();
}

// Asks first; on Yes the totals, the reset date and every record start again.
void TfrmMain::BtnResetTotalsClick() {
    if (!dialogs().confirm(QStringLiteral("Reset current log (this is irreversable)?")))
        return;
    TotalSeconds = 0;
    TotalCharges = Currency();
    edtTotalCallTime->setText(DurationText(0));
    edtTotalCost->setText(MoneyText(Currency(), regional()));
    WriteLogTotals(0, Currency(), regional());
    const QString now = DateTimeText(clock().now(), regional());
    WriteLastResetDate(now);
    LastResetDate = now;
    lblLastResetDate->setText(TotalsSinceText(now));
    DeleteSessionRecords();
    FillSessionList();
}

void TfrmMain::tabStatisticsShow() {
    FillSessionList();
}

} // namespace dvx
