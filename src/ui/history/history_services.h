#pragma once

#include "metering/regional_settings.h"

#include <QString>
#include <functional>

namespace dvx {

class Clock;
class Dialogs;

// What the History window works through: the hive file it reads the session log and the
// periods' start day from (on a connection of its own, for reading only), the clock that places
// the running period, the dialogs, the regional settings, and how a start day the user chooses
// is kept in the program's settings.
struct HistoryServices {
    QString hiveFile;
    Clock& clock;
    Dialogs& dialogs;
    RegionalSettings regional;
    std::function<void(int)> keepStartDay;
};

} // namespace dvx
