// The store's part of a session's end (totals, record, description: every write durable) and of
// filling the session list, in a log that already holds 0, 100 or 1,000 records; and filling
// the list at 1,000, 10,000 and 100,000 records beside one direct query of the same data.
#include "metering/money_text.h"
#include "metering/seconds_sum.h"
#include "metering/session_list_model.h"
#include "store/registry/hive.h"
#include "store/registry/regutils.h"
#include "store/sessionlog/session_log_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <map>
#include <memory>
#include <sqlite3.h>

using namespace dvx;

namespace {

SessionRecord Session(int i) {
    return {.callTime = 60 + i % 3600,
            .sessionStart = QStringLiteral("03/03/2026 12:%1:00").arg(i % 60, 2, 10, QChar('0')),
            .sessionStop = QStringLiteral("03/03/2026 13:00:00"),
            .callCharges = QStringLiteral("£0.42"),
            .connectionName = QStringLiteral("Automatic Connection"),
            .number = {},
            .description = {}};
}

// A hive of its own holding `records` records, and the session log over it.
class LogHive {
public:
    explicit LogHive(int records) {
        Hive::Transaction together(hive_);
        for (int i = 0; i < records; ++i) {
            if (!log.WriteSessionDescription(log.WriteSessionRecord(Session(i)),
                                             QStringLiteral("Dial-up"))
                     .ok())
                std::abort();
        }
        if (!together.commit())
            std::abort();
    }

private:
    QTemporaryDir dir_;
    Hive hive_{dir_.filePath(QStringLiteral("hive.db"))};

public:
    const SessionLogStore log{Registry(hive_)};
};

void RecordOneSession(benchmark::State& state) {
    LogHive hive(int(state.range(0)));
    const RegionalSettings regional = RegionalSettings::british();
    int i = 0;
    // A finished call as the call log records it: totals, record and description in one change.
    for (auto _ : state) {
        SessionRecord record = Session(i);
        record.description = QStringLiteral("Dial-up");
        if (!hive.log.RecordWholeSession(record, 1000 + i, Currency::fromRaw(4200), regional)
                 .result.ok())
            std::abort();
        ++i;
    }
}
BENCHMARK(RecordOneSession)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond);

void ReadTheWholeLog(benchmark::State& state) {
    LogHive hive(int(state.range(0)));
    const RegionalSettings regional = RegionalSettings::british();
    for (auto _ : state) {
        std::int32_t seconds = 0;
        Currency charges;
        for (const QString& name : hive.log.SessionRecordNames()) {
            const SessionRecord record = hive.log.ReadSessionRecord(name);
            seconds = AddSeconds(seconds, record.callTime);
            charges += ParseMoneyText(record.callCharges, regional);
        }
        benchmark::DoNotOptimize(seconds);
        benchmark::DoNotOptimize(charges);
    }
}
BENCHMARK(ReadTheWholeLog)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// A hive holding `records` records with every value a recorded session has, written in one
// change; made once per size and kept for the whole run.
class ListHive {
public:
    explicit ListHive(int records) {
        Hive hive(file());
        Hive::Transaction together(hive);
        for (int i = 0; i < records; ++i) {
            const QString key =
                QStringLiteral("Software\\Ostravane\\Dorvantix\\Sessions\\") + QString::number(i);
            const SessionRecord record = Session(i);
            const auto text = [&](const char* name, const QString& value) {
                if (!hive.writeValue(key, QLatin1String(name), RegValue::ofString(value)))
                    std::abort();
            };
            if (!hive.writeValue(key, QStringLiteral("CallTime"),
                                 RegValue::ofDword(record.callTime)))
                std::abort();
            text("SessionStart", record.sessionStart);
            text("SessionStop", record.sessionStop);
            text("CallCharges", record.callCharges);
            text("ConnectionName", record.connectionName);
            text("Number", record.number);
            text("Description", QStringLiteral("Evening call number %1").arg(i));
        }
        if (!together.commit())
            std::abort();
    }
    QString file() const { return dir_.filePath(QStringLiteral("hive.db")); }

    static const ListHive& ofSize(int records) {
        static std::map<int, std::unique_ptr<ListHive>> made;
        auto& hive = made[records];
        if (!hive)
            hive = std::make_unique<ListHive>(records);
        return *hive;
    }

private:
    QTemporaryDir dir_;
};

// The rows and totals the session list shows, made from the records as the window makes them.
template <typename Records>
void FillRows(const Records& records, SessionListModel& model, const RegionalSettings& regional,
              benchmark::State& state) {
    ListedSessions rows;
    rows.reserve(records.size());
    std::int32_t seconds = 0;
    Currency charges;
    for (const SessionRecord& record : records) {
        rows.append(StoredSession{record.sessionStart, record.description, record.callTime,
                                  record.callCharges});
        seconds = AddSeconds(seconds, record.callTime);
        charges += ParseMoneyText(record.callCharges, regional);
    }
    if (rows.size() != state.range(0))
        state.SkipWithError("the wrong number of records was read");
    model.setSessions(std::move(rows));
    benchmark::DoNotOptimize(seconds);
    benchmark::DoNotOptimize(charges);
}

void FillTheList(benchmark::State& state) {
    Hive hive(ListHive::ofSize(int(state.range(0))).file());
    const SessionLogStore log{Registry(hive)};
    const RegionalSettings regional = RegionalSettings::british();
    SessionListModel model(regional);
    for (auto _ : state)
        FillRows(log.ReadSessionRecords(), model, regional, state);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(FillTheList)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The reference: the same records read by one query on a connection of its own, in the order
// of their numbers.
constexpr const char* kDirectQuery =
    "SELECT k.id, v.folded_name, v.data FROM hive_key k "
    "LEFT JOIN hive_value v ON v.key = k.id "
    "WHERE k.parent = (SELECT id FROM hive_key WHERE folded_path = ?1) "
    "ORDER BY CAST(k.name AS INTEGER)";

QString ColumnText(sqlite3_stmt* statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                             sqlite3_column_bytes(statement, column));
}

QList<SessionRecord> ReadDirectly(sqlite3_stmt* statement) {
    QList<SessionRecord> records;
    const QByteArray sessions = QByteArrayLiteral("SOFTWARE\\OSTRAVANE\\DORVANTIX\\SESSIONS");
    sqlite3_bind_text(statement, 1, sessions.constData(), int(sessions.size()), SQLITE_STATIC);
    std::int64_t current = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        if (records.isEmpty() || sqlite3_column_int64(statement, 0) != current) {
            current = sqlite3_column_int64(statement, 0);
            records.emplace_back();
        }
        SessionRecord& record = records.back();
        const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
        if (qstrcmp(value, "CALLTIME") == 0)
            record.callTime = sqlite3_column_int(statement, 2);
        else if (qstrcmp(value, "SESSIONSTART") == 0)
            record.sessionStart = ColumnText(statement, 2);
        else if (qstrcmp(value, "SESSIONSTOP") == 0)
            record.sessionStop = ColumnText(statement, 2);
        else if (qstrcmp(value, "CALLCHARGES") == 0)
            record.callCharges = ColumnText(statement, 2);
        else if (qstrcmp(value, "CONNECTIONNAME") == 0)
            record.connectionName = ColumnText(statement, 2);
        else if (qstrcmp(value, "NUMBER") == 0)
            record.number = ColumnText(statement, 2);
        else if (qstrcmp(value, "DESCRIPTION") == 0)
            record.description = ColumnText(statement, 2);
    }
    sqlite3_reset(statement);
    return records;
}

void FillTheListByOneQuery(benchmark::State& state) {
    const QByteArray file = QFile::encodeName(ListHive::ofSize(int(state.range(0))).file());
    const RegionalSettings regional = RegionalSettings::british();
    SessionListModel model(regional);
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (sqlite3_prepare_v2(db, kDirectQuery, -1, &statement, nullptr) != SQLITE_OK)
        state.SkipWithError(sqlite3_errmsg(db));
    for (auto _ : state)
        FillRows(ReadDirectly(statement), model, regional, state);
    state.SetItemsProcessed(state.iterations() * state.range(0));
    sqlite3_finalize(statement);
    sqlite3_close(db);
}
BENCHMARK(FillTheListByOneQuery)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
