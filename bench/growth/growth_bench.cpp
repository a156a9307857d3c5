// How the session list's work grows with the log: 10,000, 100,000 and 1,000,000 sessions.
// Timed are filling the list from the hive through the call log, a call's end recorded into that
// log with the list filled (the record written durably and its row added), and Save Log and Load
// Log of that many rows; measured is the heap the filled list holds per session (the model's
// rows and the call log's record names). The table at the end gives each time per session, so
// that linear growth shows as a steady figure along a line.
//
//     build/bench/growth/growth_bench                      every size (the million takes a
//                                                          minute to write and GBs of memory)
//     build/bench/growth/growth_bench --benchmark_filter=/10000/     one size
#include "calllog/call_log.h"
#include "growth_table.h"
#include "log_hive.h"
#include "metering/meter/session_meter.h"
#include "metering/session_list_model.h"
#include "platform/clock/clock.h"
#include "platform/connection/connection_state.h"
#include "store/logfile/log_file.h"
#include "store/registry/hive.h"
#include "store/sessionlog/session_log_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <memory>

using namespace dvx;
using dvx::bench::LogHive;

namespace {

constexpr DateTime kNow = 46000.5; // a noon in December 2025

class StillClock final : public Clock {
public:
    DateTime now() const override { return kNow; }
    std::int64_t instantMs() const override { return 1765800000000; }
};

class NoConnection final : public ConnectionStateSource {
public:
    ConnectionState query() override { return {}; }
};

const RegionalSettings& regional() {
    static const RegionalSettings rs = RegionalSettings::british();
    return rs;
}

// The program's parts that fill the list: the meter and the session log store over a hive.
class Store {
public:
    explicit Store(const QString& file) : hive_(file), store(Registry(hive_)) {}
    const QString& file() const { return hive_.file(); }

private:
    StillClock clock_;
    NoConnection connection_;
    Hive hive_;

public:
    SessionLogStore store;
    SessionMeter meter{clock_, connection_, regional()};
};

// The call log over the store, with the list it fills.
class ListedLog {
public:
    explicit ListedLog(Store& store)
        : log(store.meter, store.store, list, regional(),
              WaitingCallsFile(WaitingCallsFile::besideHive(store.file()))) {
        log.start();
    }

    SessionListModel list{regional()};
    CallLog log;
};

// A hive of its own holding the log of that size, which a benchmark may write to.
class HiveCopy {
public:
    explicit HiveCopy(int sessions) {
        if (!QFile::copy(LogHive::ofSize(sessions).file(), file()))
            std::abort();
    }
    QString file() const { return dir_.filePath(QStringLiteral("hive.db")); }

private:
    QTemporaryDir dir_;
};

void PerSession(benchmark::State& state) {
    state.counters["per_session"] =
        benchmark::Counter(double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

void FillTheList(benchmark::State& state) {
    const int sessions = int(state.range(0));
    Store store(LogHive::ofSize(sessions).file());
    ListedLog listed(store);
    for (auto _ : state) {
        state.PauseTiming();
        listed.list.setSessions({});
        state.ResumeTiming();
        listed.log.fillList();
        if (listed.list.rowCount() != sessions)
            state.SkipWithError("the list does not hold every session");
    }
    PerSession(state);
}

void EndACall(benchmark::State& state) {
    const HiveCopy hive(int(state.range(0)));
    Store store(hive.file());
    ListedLog listed(store);
    listed.log.fillList();
    int calls = 0;
    for (auto _ : state) {
        FinishedSession call;
        call.start = kNow + calls / 1440.0;
        call.stop = call.start + 5 / 1440.0;
        call.seconds = 300;
        call.charge = Currency::fromRaw(4200);
        call.connectionName = kAutomaticConnection;
        listed.log.record(call, QStringLiteral("Dial-up"));
        listed.log.fillList();
        ++calls;
        if (listed.log.unsaved() != 0 || listed.list.rowCount() != state.range(0) + calls)
            state.SkipWithError("the call was not recorded and listed");
    }
    PerSession(state);
}

void SaveTheLog(benchmark::State& state) {
    Store store(LogHive::ofSize(int(state.range(0))).file());
    ListedLog listed(store);
    listed.log.fillList();
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("log.dvx"));
    for (auto _ : state)
        SaveLogFile(listed.list.sessions(), kNow, regional(), file);
    PerSession(state);
}

void LoadTheLog(benchmark::State& state) {
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("log.dvx"));
    {
        Store store(LogHive::ofSize(int(state.range(0))).file());
        ListedLog listed(store);
        listed.log.fillList();
        SaveLogFile(listed.list.sessions(), kNow, regional(), file);
    }
    SessionListModel list(regional());
    for (auto _ : state) {
        LogLoadResult loaded = LoadLogFile(file, regional());
        if (loaded.rows.size() != state.range(0))
            state.SkipWithError("the log did not load whole");
        list.setSessions(std::move(loaded.rows));
    }
    PerSession(state);
}

// The heap's bytes in use, the large blocks the allocator maps on their own included.
std::size_t HeapInUse() {
    const struct mallinfo2 heap = mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

// The heap that the filled list holds per session: the model's rows, and with them the call
// log's record names, which it keeps to tell whether the list still shows the hive. The store is
// read once before, so that the hive's page cache and what a first use makes are not counted.
void ListMemory(benchmark::State& state) {
    const std::int64_t sessions = state.range(0);
    Store store(LogHive::ofSize(int(sessions)).file());
    for (auto _ : state) {
        ListedLog(store).log.fillList();
        const std::size_t before = HeapInUse();
        auto list = std::make_unique<SessionListModel>(regional());
        auto log = std::make_unique<CallLog>(store.meter, store.store, *list, regional(),
                                             WaitingCallsFile(QString()));
        log->fillList();
        const std::size_t filled = HeapInUse();
        log.reset();
        const std::size_t modelOnly = HeapInUse();
        if (list->rowCount() != sessions)
            state.SkipWithError("the list does not hold every session");
        state.counters["bytes_per_session"] = double(filled - before) / double(sessions);
        state.counters["model_bytes_per_session"] = double(modelOnly - before) / double(sessions);
    }
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(FillTheList)->Apply(Sizes);
BENCHMARK(EndACall)->Apply(Sizes);
BENCHMARK(SaveTheLog)->Apply(Sizes);
BENCHMARK(LoadTheLog)->Apply(Sizes);
BENCHMARK(ListMemory)->Apply(Sizes)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    dvx::bench::GrowthTable table;
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    return 0;
}
