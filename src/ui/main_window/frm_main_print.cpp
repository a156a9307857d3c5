// Printing the session list as a report.
#include "ui/main_window/frm_main.h"

namespace dvx {

// Until the log report joins, Print Log prints nothing. The log report printing completes it.
void TfrmMain::btnPrintLogClick() {}

} // namespace dvx
