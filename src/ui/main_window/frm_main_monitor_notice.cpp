// While monitor mode is off the window says so: the status bar never claims to watch for calls
// then, and a modem connection made then is named as a call that is not metered, in the status
// bar and the tray tip, with the way to meter it.
#include "ui/main_window/frm_main.h"

#include "metering/call_texts.h"
#include "platform/connection/connection_state.h"
#include "ui/tray/cool_tray_icon.h"

namespace dvx {

void TfrmMain::showMonitoringForCall() {
    showStatus(kMonitoringStatus);
    monitorNotice_ = MonitorNotice::monitoring;
}

// Out of monitor mode the connection is looked at only to say this; nothing is metered by it.
void TfrmMain::updateMonitorNotice() {
    if (meter_.charging())
        return;
    bool modem = false;
    if (!meter_.monitoring()) {
        const ConnectionState state = services_.connection.query();
        modem = state.connected && state.viaModem;
    }
    const MonitorNotice shown = monitorNotice_;
    const MonitorNotice next =
        NextMonitorNotice(shown, meter_.monitoring(), meter_.charging(), modem);
    if (next == shown)
        return;
    switch (next) {
    case MonitorNotice::monitoring:
        showStatus(kMonitoringStatus);
        break;
    case MonitorNotice::monitorOff:
        showStatus(kMonitorOffStatus);
        break;
    case MonitorNotice::unmeteredCall:
        showStatus(kUnmeteredCallStatus);
        CoolTrayIcon->setHint(kUnmeteredCallHint);
        break;
    case MonitorNotice::other:
        break;
    }
    if (shown == MonitorNotice::unmeteredCall)
        trayTip_.showNotConnected();
    monitorNotice_ = next;
}

} // namespace dvx
