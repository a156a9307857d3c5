#include "ui/main_window/monitor_notice.h"

namespace dvx {

MonitorNotice NextMonitorNotice(MonitorNotice shown, bool monitoring, bool charging,
                                bool modemConnected) {
    if (charging)
        return shown;
    if (monitoring) {
        const bool claimsOff =
            shown == MonitorNotice::monitorOff || shown == MonitorNotice::unmeteredCall;
        return claimsOff ? MonitorNotice::monitoring : shown;
    }
    if (modemConnected)
        return MonitorNotice::unmeteredCall;
    // "Not Connected" after a call, or another message, stays: only a claim is taken back.
    const bool claimsWatching =
        shown == MonitorNotice::monitoring || shown == MonitorNotice::unmeteredCall;
    return claimsWatching ? MonitorNotice::monitorOff : shown;
}

} // namespace dvx
