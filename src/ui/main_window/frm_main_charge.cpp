// The rate in force, shown in the current call panel.
#include "ui/main_window/frm_main.h"

#include "metering/money_text.h"

#include <QLineEdit>

namespace dvx {

// Called at start-up and at the start of each session only: a session keeps the rate of the
// moment it started for its whole length.
void TfrmMain::SelectChargeRate() {
    showText(edtCurrentChargeRate, RateText(meter_.selectChargeRate(), regional()));
}

} // namespace dvx
