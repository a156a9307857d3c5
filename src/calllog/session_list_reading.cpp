#include "calllog/session_list_reading.h"

#include "metering/money_text.h"
#include "metering/seconds_sum.h"
#include "store/registry/hive.h"
#include "store/sessionlog/record_names.h"
#include "store/sessionlog/session_log_store.h"

#include <QScopeGuard>
#include <QSet>

namespace dvx {

namespace {

// One copy of each text, for the rows that hold the same one.
class SharedTexts {
public:
    QString operator()(const QString& text) {
        const auto known = texts_.constFind(text);
        if (known != texts_.cend())
            return *known;
        texts_.insert(text);
        return text;
    }

private:
    QSet<QString> texts_;
};

// The records as the store gave them, not yet in record order.
struct StoredRecords {
    QStringList names;
    QList<StoredSession> rows;
};

// Puts the rows in record order and sums them, up to a row that cannot be summed.
void ListInRecordOrder(StoredRecords stored, const RegionalSettings& regional,
                       SessionListReading& reading) {
    const QList<qsizetype> order = RecordOrder(stored.names);
    reading.rows.reserve(order.size());
    try {
        for (const qsizetype at : order) {
            StoredSession& row = stored.rows[at];
            const std::int32_t seconds = row.seconds.value_or(0);
            QString cost = std::exchange(row.cost, QString());
            row.seconds.reset();
            const auto listRow = qScopeGuard([&reading, &row, &stored, at] {
                reading.rows.append(std::move(row));
                reading.names.append(stored.names[at]);
            });
            reading.seconds = AddSeconds(reading.seconds, seconds);
            row.seconds = seconds;
            reading.charges += ParseMoneyText(cost, regional);
            row.cost = std::move(cost);
        }
    } catch (...) {
        reading.failure = std::current_exception();
    }
}

// Thrown by a visit to end a reading that is no longer wanted.
struct ReadingStopped {};

SessionListReading Read(const SessionLogStore& store, const RegionalSettings& regional,
                        const std::atomic<bool>* stop) {
    SessionListReading reading;
    StoredRecords stored;
    SharedTexts shared;
    reading.readable =
        store.VisitSessionRecords([&](const QString& name, const SessionRecord& record) {
            if (stop != nullptr && stop->load(std::memory_order_relaxed))
                throw ReadingStopped{};
            stored.names.append(name);
            stored.rows.append(StoredSession{record.sessionStart, shared(record.description),
                                             record.callTime, shared(record.callCharges)});
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
                                         const std::atomic<bool>& stop) {
    Hive hive(hiveFile, Hive::ReadOnly{});
    const SessionLogStore store{Registry(hive)};
    try {
        return Read(store, regional, &stop);
    } catch (const ReadingStopped&) {
        return {};
    }
}

} // namespace dvx
