// The store's part of a session's end (totals, record, description: every write durable) and of
// filling the session list, in a log that already holds 0, 100 or 1,000 records.
#include "metering/money_text.h"
#include "store/registry/hive.h"
#include "store/registry/process_hive.h"
#include "store/sessionlog/log_totals.h"
#include "store/sessionlog/session_records.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

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

// A hive of its own holding `records` records.
class LogHive {
public:
    explicit LogHive(int records) {
        UseHiveFile(dir_.filePath(QStringLiteral("hive.db")));
        Hive::Transaction together(ProcessHive());
        for (int i = 0; i < records; ++i)
            WriteSessionDescription(WriteSessionRecord(Session(i)), QStringLiteral("Dial-up"));
        if (!together.commit())
            std::abort();
    }
    ~LogHive() { UseHiveFile(dir_.filePath(QStringLiteral("closed.db"))); }

private:
    QTemporaryDir dir_;
};

void RecordOneSession(benchmark::State& state) {
    LogHive hive(int(state.range(0)));
    const RegionalSettings regional = RegionalSettings::british();
    int i = 0;
    for (auto _ : state) {
        WriteLogTotals(1000 + i, Currency::fromRaw(4200), regional);
        WriteSessionDescription(WriteSessionRecord(Session(i)), QStringLiteral("Dial-up"));
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
        for (const QString& name : SessionRecordNames()) {
            const SessionRecord record = ReadSessionRecord(name);
            seconds = AddSeconds(seconds, record.callTime);
            charges += ParseMoneyText(record.callCharges, regional);
        }
        benchmark::DoNotOptimize(seconds);
        benchmark::DoNotOptimize(charges);
    }
}
BENCHMARK(ReadTheWholeLog)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
