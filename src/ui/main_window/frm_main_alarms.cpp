// The alarm check of every tick that times a session.
#include "ui/main_window/frm_main.h"

namespace dvx {

// Until the alarms join, no limit raises an alarm window. The alarms complete it.
void TfrmMain::CheckAlarms() {}

} // namespace dvx
