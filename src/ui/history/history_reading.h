#pragma once

#include "metering/regional_settings.h"
#include "store/history/history_session.h"

#include <QString>
#include <optional>

namespace dvx {

// What reading the session log for the history gave: the history, or why there is none, and
// the day the periods start on.
struct HistoryReading {
    std::optional<SessionHistory> history;
    QString error;
    int startDay = 1;
};

// Reads the session log and the periods' start day of the hive file on a connection of its own that
// never writes: safe to run on any thread while the program uses the same hive. A hive that is not
// there yet holds no sessions.
HistoryReading ReadHistoryOfHive(const QString& hiveFile, const RegionalSettings& regional);

} // namespace dvx
