// The session list's reads at 10,000 records: through the registry functions, one call per
// value as the list is filled, beside one SQL query that reads the same data directly.
#include "store/registry/hive.h"
#include "store/registry/regutils.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <sqlite3.h>
#include <vector>

using namespace dvx;

namespace {

constexpr int kRecords = 10000;
const QString kSessions = QStringLiteral("Software\\Ostravane\\Dorvantix\\Sessions");

struct SessionRecord {
    QString name;
    QString start;
    QString description;
    std::int32_t callTime = 0;
    QString charges;
};

// A hive holding kRecords session records with every value a recorded session has.
class SessionHive {
public:
    SessionHive() {
        Hive hive(file());
        Hive::Transaction transaction(hive);
        for (int i = 0; i < kRecords; ++i) {
            const QString key = kSessions + QLatin1Char('\\') + QString::number(i);
            const auto text = [&](const char* name, const QString& value) {
                if (!hive.writeValue(key, QLatin1String(name), RegValue::ofString(value)))
                    std::abort();
            };
            if (!hive.writeValue(key, QStringLiteral("CallTime"), RegValue::ofDword(60 + i % 3600)))
                std::abort();
            text("SessionStart", QStringLiteral("12/03/2026 %1:%2:07").arg(i % 24).arg(i % 60));
            text("SessionStop", QStringLiteral("12/03/2026 %1:%2:59").arg(i % 24).arg(i % 60));
            text("CallCharges", QStringLiteral("£%1.%2").arg(i % 9).arg(i % 90 + 10));
            text("ConnectionName", QStringLiteral("Automatic Connection"));
            text("Number", QString());
            text("Description", QStringLiteral("Evening call number %1").arg(i));
        }
        if (!transaction.commit())
            std::abort();
    }
    QString file() const { return dir_.filePath(QStringLiteral("hive.db")); }

private:
    QTemporaryDir dir_;
};

SessionHive& Fixture() {
    static SessionHive hive;
    return hive;
}

std::vector<SessionRecord> ReadThroughRegUtils(const Registry& registry) {
    std::vector<SessionRecord> records;
    QStringList names;
    registry.ListRegSubKeys(kSessions, names);
    records.reserve(names.size());
    for (const QString& name : names) {
        const QString key = kSessions + QLatin1Char('\\') + name;
        SessionRecord& record = records.emplace_back();
        record.name = name;
        registry.ReadRegString(key, QStringLiteral("SessionStart"), record.start, false);
        registry.ReadRegString(key, QStringLiteral("Description"), record.description, false);
        registry.ReadRegInteger(key, QStringLiteral("CallTime"), record.callTime, false);
        registry.ReadRegString(key, QStringLiteral("CallCharges"), record.charges, false);
    }
    return records;
}

constexpr const char* kDirectQuery =
    "SELECT k.name, v.folded_name, v.data FROM hive_key k "
    "LEFT JOIN hive_value v ON v.key = k.id AND v.folded_name IN "
    "('SESSIONSTART', 'DESCRIPTION', 'CALLTIME', 'CALLCHARGES') "
    "WHERE k.parent = (SELECT id FROM hive_key WHERE folded_path = ?1) "
    "ORDER BY k.folded_name";

QString ColumnText(sqlite3_stmt* statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                             sqlite3_column_bytes(statement, column));
}

std::vector<SessionRecord> ReadDirectly(sqlite3_stmt* statement) {
    std::vector<SessionRecord> records;
    records.reserve(kRecords);
    const QByteArray sessions = kSessions.toUpper().toUtf8();
    sqlite3_bind_text(statement, 1, sessions.constData(), int(sessions.size()), SQLITE_STATIC);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        const QString name = ColumnText(statement, 0);
        if (records.empty() || records.back().name != name) {
            records.push_back({name, {}, {}, 0, {}});
        }
        SessionRecord& record = records.back();
        const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
        if (qstrcmp(value, "SESSIONSTART") == 0) {
            record.start = ColumnText(statement, 2);
        } else if (qstrcmp(value, "DESCRIPTION") == 0) {
            record.description = ColumnText(statement, 2);
        } else if (qstrcmp(value, "CALLTIME") == 0) {
            record.callTime = sqlite3_column_int(statement, 2);
        } else if (qstrcmp(value, "CALLCHARGES") == 0) {
            record.charges = ColumnText(statement, 2);
        }
    }
    sqlite3_reset(statement);
    return records;
}

void BM_SessionListThroughRegUtils(benchmark::State& state) {
    Hive hive(Fixture().file());
    const Registry registry(hive);
    // As in the program, where loading the settings has written the floating display's state
    // before the list is filled.
    registry.WriteRegInteger(QStringLiteral("Software\\Ostravane\\Dorvantix"),
                             QStringLiteral("FloatingDisplay"), 0);
    for (auto _ : state) {
        const std::vector<SessionRecord> records = ReadThroughRegUtils(registry);
        if (records.size() != kRecords || records.back().charges.isEmpty()) {
            state.SkipWithError("the registry functions read the wrong records");
        }
        benchmark::DoNotOptimize(records.data());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_SessionListThroughRegUtils)->Unit(benchmark::kMillisecond);

void BM_SessionListOneQuery(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    sqlite3_open_v2(QFile::encodeName(Fixture().file()).constData(), &db, SQLITE_OPEN_READONLY,
                    nullptr);
    if (sqlite3_prepare_v2(db, kDirectQuery, -1, &statement, nullptr) != SQLITE_OK) {
        state.SkipWithError(sqlite3_errmsg(db));
    }
    for (auto _ : state) {
        const std::vector<SessionRecord> records = ReadDirectly(statement);
        if (records.size() != kRecords || records.back().charges.isEmpty()) {
            state.SkipWithError("the query read the wrong records");
        }
        benchmark::DoNotOptimize(records.data());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
    sqlite3_finalize(statement);
    sqlite3_close(db);
}
BENCHMARK(BM_SessionListOneQuery)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
