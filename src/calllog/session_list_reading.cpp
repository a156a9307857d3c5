#include "calllog/session_list_reading.h"

#include "metering/long_list_room.h"
#include "metering/money_text.h"
#include "metering/seconds_sum.h"
#include "store/registry/giving_way.h"
#include "store/registry/hive.h"
#include "store/sessionlog/record_names.h"
#include "store/sessionlog/session_log_store.h"

#include <QScopeGuard>

namespace dvx {

namespace {

// The records as the store gave them, not yet in record order.
struct StoredRecords {
    QStringList names;
    QList<StoredSession> rows;
};

// Puts the rows in record order and sums them, up to a row that cannot be summed: that row is
// listed as far as it came.
void ListInRecordOrder(StoredRecords stored, const RegionalSettings& regional,
                       SessionListReading& reading) {
    // Room for the calls still to come, so that a call's end never copies a long list whole.
    constexpr qsizetype kRowsAhead = 256;
    const QList<qsizetype> order = RecordOrder(stored.names);
    ReserveRows(reading.rows, order.size() + kRowsAhead);
    constexpr qsizetype kRowsBetweenPauses = 4096;
    for (const qsizetype at : order) {
        if (reading.rows.size() % kRowsBetweenPauses == 0)
            WaitWhileGivingWay();
        StoredSession& row = stored.rows[at];
        const auto listRow = qScopeGuard([&reading, &row, &stored, at] {
            reading.rows.append(std::move(row));
            reading.names.append(stored.names[at]);
        });
        try {
            reading.seconds = AddSeconds(reading.seconds, row.seconds().value_or(0));
        } catch (...) {
            reading.failure = std::current_exception();
            row.stopBeforeDuration();
            return;
        }
        try {
            reading.charges += ParseMoneyText(row.cost(), regional);
        } catch (...) {
            reading.failure = std::current_exception();
            row.stopBeforeCost();
            return;
        }
    }
}

// Thrown by a visit to end a reading that is no longer wanted.
struct ReadingStopped {};

SessionListReading Read(const SessionLogStore& store, const RegionalSettings& regional,
                        const std::atomic<bool>* stop) {
    SessionListReading reading;
    StoredRecords stored;
    reading.readable =
        store.VisitSessionRecords([&](const QString& name, const SessionRecord& record) {
            if (stop != nullptr && stop->load(std::memory_order_relaxed))
                throw ReadingStopped{};
            stored.names.append(name);
            stored.rows.append(StoredSession{record.sessionStart, record.description,
                                             record.callTime, record.callCharges});
        });
    if (reading.readable)
        ListInRecordOrder(std::move(stored), regional, reading);
    return reading;
}

} // namespace

SessionListReading ReadSessionList(const SessionLogStore& store, const RegionalSettings& regional) {
    return Read(store, regional, nullptr);
}

SessionListReading ReadSessionListOfHive(const QString& hiveFile, const RegionalSettings& regional,
                                         const std::atomic<bool>& stop,
                                         const RecordsCounted& counted) {
    Hive hive(hiveFile, Hive::ReadOnly{});
    const SessionLogStore store{Registry(hive)};
    if (counted)
        counted(store.RecordCount());
    try {
        return Read(store, regional, &stop);
    } catch (const ReadingStopped&) {
        return {};
    }
}

} // namespace dvx
