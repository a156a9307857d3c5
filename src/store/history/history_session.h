#pragma once

#include "metering/currency.h"
#include "metering/date_time.h"
#include "metering/periods/period_session.h"

#include <QList>
#include <QString>
#include <cstdint>

namespace dvx {

// A stored session read back whole: its start and stop as moments, its seconds, its charge as
// the list reads it, and the record's name.
struct HistorySession {
    QString record;
    DateTime start = 0;
    DateTime stop = 0;
    std::int32_t seconds = 0;
    Currency cost;
    QString connection;
    QString description;

    PeriodSession forPeriods() const { return {start, seconds, cost}; }
};

// A stored record that could not be read, and why.
struct UnreadRecord {
    QString key;
    QString reason;
};

// The session log as history: the sessions read, in the order of their records, and the
// records left out.
struct SessionHistory {
    QList<HistorySession> sessions;
    QList<UnreadRecord> unread;

    QList<PeriodSession> forPeriods() const;
};

} // namespace dvx
