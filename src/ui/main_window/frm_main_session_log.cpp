// The session log: recording a finished session, the session list and its totals, the reset.
#include "ui/main_window/frm_main.h"

#include "metering/conversion_error.h"
#include "metering/date_time_text.h"
#include "metering/money_text.h"
#include "platform/clock/clock.h"
#include "platform/dialogs/dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <limits>

namespace dvx {

namespace {

// A sum of seconds beyond 32 bits stops the operation with "Integer overflow".
std::int32_t addSeconds(std::int32_t total, std::int32_t seconds) {
    std::int32_t sum = 0;
    if (__builtin_add_overflow(total, seconds, &sum))
        throw integerOverflow();
    return sum;
}

} // namespace

// Until the session log store joins, a finished session is only added to the totals in memory.
// The session log store completes it with the record and its description.
void TfrmMain::RecordSession() {
    TotalSeconds = addSeconds(TotalSeconds, SessionSeconds);
    TotalCharges += SessionCharge;
    edtTotalCallTime->setText(DurationText(TotalSeconds));
    edtTotalCost->setText(MoneyText(TotalCharges, regional()));
    SessionSeconds = 0;
    SetSessionCharge(Currency());
    FillSessionList();
}

// Until the session log store joins, the totals boxes show the totals in memory. The session
// log store completes it with the rows of the stored sessions.
void TfrmMain::FillSessionList() {
    edtTotalCallTime->setText(DurationText(TotalSeconds));
    edtTotalCost->setText(MoneyText(TotalCharges, regional()));
    lblLogname->setText(QStringLiteral("Current Log - From ") + LastResetDate);
    lblLogname->adjustSize();
}

// Until the session log store joins, the reset clears the totals in memory. The session log
// store completes it with clearing the stored sessions and totals.
void TfrmMain::BtnResetTotalsClick() {
    if (!dialogs().confirm(QStringLiteral("Reset current log (this is irreversable)?")))
        return;
    TotalSeconds = 0;
    TotalCharges = Currency();
    edtTotalCallTime->setText(DurationText(0));
    edtTotalCost->setText(MoneyText(Currency(), regional()));
    LastResetDate = DateTimeText(clock().now(), regional());
    lblLastResetDate->setText(QStringLiteral("(Totals Since %1)").arg(LastResetDate));
    FillSessionList();
}

void TfrmMain::tabStatisticsShow() {
    FillSessionList();
}

} // namespace dvx
