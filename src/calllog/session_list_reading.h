#pragma once

#include "calllog/listed_names.h"
#include "metering/currency.h"
#include "metering/listed_session.h"
#include "metering/regional_settings.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>

namespace dvx {

class SessionLogStore;

// One reading of the session list from the store, all of it from one state of the store: the
// rows in record order, the records' names and the sums of their seconds and charges. A record
// whose duration or charge cannot be read stops the reading there: the rows before it and its
// own row as far as it came are there, and `failure` holds why.
struct SessionListReading {
    // Whether the store could be read; with none, no rows.
    bool readable = false;
    ListedSessions rows;
    ListedNames names;
    std::int32_t seconds = 0;
    Currency charges;
    std::exception_ptr failure;
};

// Reads the list.
SessionListReading ReadSessionList(const SessionLogStore& store, const RegionalSettings& regional);

// How many records the store holds; -1 when it cannot tell.
using RecordsCounted = std::function<void(qsizetype)>;

// The same over a connection of its own to the hive file that never writes, so it may run on
// any thread while the program uses the hive. It gives up, unreadable, once `stop` is set. The
// number of records, which takes a small part of the time, is told to `counted` first.
SessionListReading ReadSessionListOfHive(const QString& hiveFile, const RegionalSettings& regional,
                                         const std::atomic<bool>& stop,
                                         const RecordsCounted& counted = {});

} // namespace dvx
