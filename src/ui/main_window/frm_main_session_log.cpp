// The session log as the window shows it: a finished session goes to the call log, which records
// it with its proposed description; the user may then give another. The list and its totals
// show what the call log feeds them; the reset asks first.
#include "ui/main_window/frm_main.h"

#include "metering/date_time_text.h"
#include "metering/money_text.h"
#include "platform/clock/clock.h"
#include "platform/dialogs/dialogs.h"
#include "store/settings/last_reset_date.h"

#include <QLabel>
#include <QLineEdit>

namespace dvx {

// The record holds every value, its proposed description too, while the description box is
// open; the answer replaces that description.
void TfrmMain::RecordSession(const FinishedSession& session) {
    const QString proposed = proposedDescription(session);
    const CallLog::Ticket ticket = callLog_.record(session, proposed);
    showCallLogNews(callLog_.news());
    if (settings_.PromptForDescription) {
        const QString answer = dialogs()
                                   .inputBox(QStringLiteral("Dorvantix - Session Close"),
                                             QStringLiteral("Please enter a description for "
                                                            "this session"),
                                             proposed)
                                   .value_or(proposed);
        callLog_.describe(ticket, answer);
        showCallLogNews(callLog_.news());
    }
    FillSessionList();
}

// A manual session proposes its connection name, a detected one the default description.
QString TfrmMain::proposedDescription(const FinishedSession& session) const {
    return session.isManual() ? session.connectionName : settings_.DefaultDescription;
}

// One row per stored record, in the order the records were made, and the sums of the listed
// records in the totals boxes. A record whose charge cannot be read stops the filling there:
// its row shows without its cost, and the boxes keep what they showed.
// Read on the call log's reader, the list and its totals show once the reading is there.
void TfrmMain::FillSessionList() {
    callLog_.fillList();
    if (!callLog_.listReading())
        showListTotals(callLog_.listedSeconds(), callLog_.listedCharges());
}

// A list read on the call log's reader is there: a reading that stopped at a record says why,
// when a fill that tells was waiting for it.
void TfrmMain::showFilledList(const std::exception_ptr& failure, bool tell) {
    if (!failure) {
        showListTotals(callLog_.listedSeconds(), callLog_.listedCharges());
        return;
    }
    if (tell)
        runGuarded([&failure] { std::rethrow_exception(failure); });
}

// A window already opened has its list. An error is not told here: the list is read again when
// the window shows it, which tells it then, as it always did.
void TfrmMain::fillSessionListAhead() {
    if (writes_.built())
        return;
    try {
        callLog_.fillList(CallLog::ListTelling::quiet);
    } catch (const std::exception&) {
    }
}

void TfrmMain::showListTotals(std::int32_t seconds, Currency charges) {
    showText(edtTotalCallTime, DurationText(seconds));
    showText(edtTotalCost, MoneyText(charges, regional()));
    writes_.write(lblLogname, [text = QStringLiteral("Current Log - From ") +
                                      meter_.lastResetDate()](QLabel& label) {
        label.setText(text);
        label.adjustSize();
    });
}

// Asks first; on Yes the totals, the reset date and every record start again, all in one change
// of the store. A store that cannot take it changes nothing, and says why.
void TfrmMain::BtnResetTotalsClick() {
    if (!dialogs().confirm(QStringLiteral("Reset current log (this is irreversable)?")))
        return;
    const QString now = DateTimeText(clock().now(), regional());
    if (const StoreResult reset = callLog_.reset(now); !reset.ok()) {
        dialogs().error(QStringLiteral("The log could not be reset: %1").arg(reset.reason()));
        return;
    }
    meter_.setLastResetDate(now);
    showText(edtTotalCallTime, DurationText(0));
    showText(edtTotalCost, MoneyText(Currency(), regional()));
    showText(lblLastResetDate, TotalsSinceText(now));
    showUnsavedSessions(callLog_.unsaved());
    FillSessionList();
}

void TfrmMain::tabStatisticsShow() {
    FillSessionList();
}

} // namespace dvx
