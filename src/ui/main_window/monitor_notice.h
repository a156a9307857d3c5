#pragma once

#include <QString>

namespace dvx {

// What the status bar says about watching for calls. Only the notices the window puts up itself
// while no call is timed are told apart; any other text (a call starting or ending, calls
// waiting to be saved) is `other`.
enum class MonitorNotice { other, monitoring, monitorOff, unmeteredCall };

inline const QString kMonitoringStatus = QStringLiteral("Monitoring For Call");
// Monitor mode is off and no call is timed: nothing would meter a call made now.
inline const QString kMonitorOffStatus =
    QStringLiteral("Monitor mode off: press Monitor! to meter calls");
// Monitor mode is off and a modem connection is up: that call is not being metered.
inline const QString kUnmeteredCallStatus =
    QStringLiteral("Call not metered: press Monitor! to meter it");
// The same, in the tray tip (at most 63 characters); the tray menu's item is "Monitor".
inline const QString kUnmeteredCallHint =
    QStringLiteral("Dorvantix - Call not metered: choose Monitor to meter it");

// The notice that should show now, given what shows: while a call is timed, or while monitor
// mode is on and the bar says something else, the bar is left as it is.
MonitorNotice NextMonitorNotice(MonitorNotice shown, bool monitoring, bool charging,
                                bool modemConnected);

} // namespace dvx
