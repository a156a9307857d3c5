// The billing periods of a log of 1,000 to 100,000 sessions, worked out as the History window
// and dorvantix-log do (every session read back whole from a read-only connection, its start,
// stop and charge texts read by the regional rules, then grouped), beside the reference: one
// direct query on a connection of its own that reads every session value, and nothing more.
// The goal is at most twice the reference.
#include "log_hive.h"
#include "metering/periods/billing_period.h"
#include "store/history/session_history.h"
#include "store/registry/hive.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

using namespace dvx;
using dvx::bench::LogHive;

namespace {

void PeriodsOfTheLog(benchmark::State& state) {
    Hive hive(LogHive::ofSize(int(state.range(0))).file(), Hive::ReadOnly{});
    const RegionalSettings regional = RegionalSettings::british();
    const QDateTime now(QDate(2027, 3, 15), QTime(12, 0));
    for (auto _ : state) {
        const std::optional<SessionHistory> history = ReadSessionHistory(hive, regional);
        if (!history || history->sessions.size() != state.range(0) || !history->unread.isEmpty())
            state.SkipWithError("the sessions were not all read");
        const QList<BillingPeriod> periods =
            BillingPeriods(history ? history->forPeriods() : QList<PeriodSession>{}, 15, now);
        benchmark::DoNotOptimize(periods.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(PeriodsOfTheLog)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The reference: every value of every session, by one query, as texts and numbers.
constexpr const char* kDirectQuery =
    "SELECT k.id, v.folded_name, v.data FROM hive_key k "
    "LEFT JOIN hive_value v ON v.key = k.id "
    "WHERE k.parent = (SELECT id FROM hive_key WHERE folded_path = ?1) "
    "ORDER BY CAST(k.name AS INTEGER)";

struct QueriedSession {
    std::int32_t callTime = 0;
    QString start;
    QString stop;
    QString charges;
    QString connection;
    QString number;
    QString description;
};

QString ColumnText(sqlite3_stmt* statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                             sqlite3_column_bytes(statement, column));
}

QList<QueriedSession> ReadDirectly(sqlite3_stmt* statement) {
    QList<QueriedSession> sessions;
    const QByteArray key = QByteArrayLiteral("SOFTWARE\\OSTRAVANE\\DORVANTIX\\SESSIONS");
    sqlite3_bind_text(statement, 1, key.constData(), int(key.size()), SQLITE_STATIC);
    std::int64_t current = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        if (sessions.isEmpty() || sqlite3_column_int64(statement, 0) != current) {
            current = sqlite3_column_int64(statement, 0);
            sessions.emplace_back();
        }
        QueriedSession& session = sessions.back();
        const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
        if (qstrcmp(value, "CALLTIME") == 0)
            session.callTime = sqlite3_column_int(statement, 2);
        else if (qstrcmp(value, "SESSIONSTART") == 0)
            session.start = ColumnText(statement, 2);
        else if (qstrcmp(value, "SESSIONSTOP") == 0)
            session.stop = ColumnText(statement, 2);
        else if (qstrcmp(value, "CALLCHARGES") == 0)
            session.charges = ColumnText(statement, 2);
        else if (qstrcmp(value, "CONNECTIONNAME") == 0)
            session.connection = ColumnText(statement, 2);
        else if (qstrcmp(value, "NUMBER") == 0)
            session.number = ColumnText(statement, 2);
        else if (qstrcmp(value, "DESCRIPTION") == 0)
            session.description = ColumnText(statement, 2);
    }
    sqlite3_reset(statement);
    return sessions;
}

void OneDirectQuery(benchmark::State& state) {
    const QByteArray file = QFile::encodeName(LogHive::ofSize(int(state.range(0))).file());
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (sqlite3_prepare_v2(db, kDirectQuery, -1, &statement, nullptr) != SQLITE_OK)
        state.SkipWithError(sqlite3_errmsg(db));
    for (auto _ : state) {
        const QList<QueriedSession> sessions = ReadDirectly(statement);
        if (sessions.size() != state.range(0))
            state.SkipWithError("the sessions were not all read");
        benchmark::DoNotOptimize(sessions.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    sqlite3_finalize(statement);
    sqlite3_close(db);
}
BENCHMARK(OneDirectQuery)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
