// Saving the session list to a log file and loading one back.
#include "ui/main_window/frm_main.h"

namespace dvx {

// Until the log file joins, Save Log offers nothing to save to. The log file completes it.
void TfrmMain::btnSaveLogClick() {}

// Until the log file joins, Load Log offers nothing to load. The log file completes it.
void TfrmMain::btnLoadLogClick() {}

} // namespace dvx
