// The rate in force and the charge of the running session.
#include "ui/main_window/frm_main.h"

#include "metering/money_text.h"
#include "platform/clock/clock.h"

#include <QLineEdit>

namespace dvx {

// Called at start-up and at the start of each session only: a session keeps the rate of the
// moment it started for its whole length.
void TfrmMain::SelectChargeRate() {
    const DateTime now = clock().now();
    CurrentRate = RateInForce(weekdayOf(now), timeOfDay(now), Tariff);
    edtCurrentChargeRate->setText(RateText(CurrentRate, regional()));
}

void TfrmMain::UpdateSessionCharge() {
    SetSessionCharge(dvx::SessionCharge(SessionSeconds, CurrentRate, Tariff.minimumCharge));
}

void TfrmMain::SetSessionCharge(Currency charge) {
    SessionCharge = charge;
}

} // namespace dvx
