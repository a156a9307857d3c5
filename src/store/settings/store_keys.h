#pragma once

#include <QString>

namespace dvx {

// The program's keys in the hive: the settings and the totals, the alarm limits, and one subkey
// per recorded session.
inline const QString kProductKey = QStringLiteral("Software\\Ostravane\\Dorvantix");
inline const QString kAlarmsKey = QStringLiteral("Software\\Ostravane\\Dorvantix\\Alarms");
inline const QString kSessionsKey = QStringLiteral("Software\\Ostravane\\Dorvantix\\Sessions");

} // namespace dvx
